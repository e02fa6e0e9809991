#include "skin/window_outline.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr QRgb kMagenta = 0xffff00ff;

// A 20x10 picture with a two-pixel magenta border around grey.
QImage framedPicture(QImage::Format format = QImage::Format_RGB32) {
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(kMagenta);
    for (int y = 2; y < 8; ++y)
        for (int x = 2; x < 18; ++x)
            image.setPixel(x, y, 0xff808080);
    return image.convertToFormat(format);
}

} // namespace

TEST(WindowOutline, MagentaBorderIsCutOut) {
    const QRegion region = windowOutlineRegion(framedPicture());
    EXPECT_EQ(region, QRegion(2, 2, 16, 6));
    EXPECT_FALSE(region.contains(QPoint(0, 0)));
    EXPECT_FALSE(region.contains(QPoint(1, 5)));
    EXPECT_TRUE(region.contains(QPoint(2, 2)));
    EXPECT_TRUE(region.contains(QPoint(17, 7)));
    EXPECT_FALSE(region.contains(QPoint(18, 7)));
}

TEST(WindowOutline, HolesAndIrregularShapesAreKept) {
    QImage image = framedPicture();
    image.setPixel(10, 5, kMagenta);  // a hole inside
    image.setPixel(0, 9, 0xff000000); // a lone corner pixel
    const QRegion region = windowOutlineRegion(image);
    EXPECT_FALSE(region.contains(QPoint(10, 5)));
    EXPECT_TRUE(region.contains(QPoint(9, 5)));
    EXPECT_TRUE(region.contains(QPoint(0, 9)));
    EXPECT_EQ(region.boundingRect(), QRect(0, 2, 18, 8));
}

TEST(WindowOutline, OnlyPureMagentaIsTheKey) {
    QImage image(3, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, 0xfffe00ff);
    image.setPixel(1, 0, kMagenta);
    image.setPixel(2, 0, 0xffff01ff);
    const QImage mask = windowOutlineImage(image);
    EXPECT_EQ(mask.pixelIndex(0, 0), 1);
    EXPECT_EQ(mask.pixelIndex(1, 0), 0);
    EXPECT_EQ(mask.pixelIndex(2, 0), 1);
}

TEST(WindowOutline, PaletteAndAlphaPicturesGiveTheSameOutline) {
    const QRegion expected(2, 2, 16, 6);
    EXPECT_EQ(windowOutlineRegion(framedPicture(QImage::Format_Indexed8)), expected);
    EXPECT_EQ(windowOutlineRegion(framedPicture(QImage::Format_RGB888)), expected);
    // Alpha does not decide: a transparent magenta pixel is still the key.
    QImage alpha = framedPicture(QImage::Format_ARGB32);
    alpha.setPixel(0, 0, 0x00ff00ff);
    alpha.setPixel(5, 5, 0x00808080);
    EXPECT_EQ(windowOutlineRegion(alpha), expected);
}

TEST(WindowOutline, MaskMatchesTheRegion) {
    const QBitmap mask = windowOutlineMask(framedPicture());
    ASSERT_FALSE(mask.isNull());
    EXPECT_EQ(mask.size(), QSize(20, 10));
    EXPECT_EQ(QRegion(mask), QRegion(2, 2, 16, 6));
}

TEST(WindowOutline, FromABitmapFileWithPixelsAtTheWindowCorner) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("base.bmp");
    ASSERT_TRUE(framedPicture().save(path, "BMP"));
    EXPECT_EQ(windowOutlineRegion(QImage(path)), QRegion(2, 2, 16, 6));
}

TEST(WindowOutline, NullAndAllKeyPictures) {
    EXPECT_TRUE(windowOutlineImage(QImage()).isNull());
    EXPECT_TRUE(windowOutlineMask(QImage()).isNull());
    EXPECT_TRUE(windowOutlineRegion(QImage()).isEmpty());
    QImage all(4, 4, QImage::Format_RGB32);
    all.fill(kMagenta);
    EXPECT_TRUE(windowOutlineRegion(all).isEmpty());
    QImage none(4, 4, QImage::Format_RGB32);
    none.fill(Qt::white);
    EXPECT_EQ(windowOutlineRegion(none), QRegion(0, 0, 4, 4));
}
