// The window's outline is its picture less the pure magenta pixels, whatever
// the picture's format (alpha does not decide), holes and strays included.
#include "skin/window_outline.h"

#include <QBitmap>
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

QImage filled(int width, QRgb colour) {
    QImage image(width, 4, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

TEST(WindowOutline, IsThePictureLessItsPureMagentaPixels) {
    const QRegion inner(2, 2, 16, 6);
    QTemporaryDir dir;
    const QString bitmap = QDir(dir.path()).filePath("base.bmp");
    ASSERT_TRUE(framedPicture().save(bitmap, "BMP"));
    QImage holed = framedPicture();
    holed.setPixel(10, 5, kMagenta);  // a hole inside
    holed.setPixel(0, 9, 0xff000000); // a lone corner pixel
    QImage alpha = framedPicture(QImage::Format_ARGB32);
    alpha.setPixel(0, 0, 0x00ff00ff); // transparent magenta is still the key
    alpha.setPixel(5, 5, 0x00808080); // transparent grey is still the window
    QImage nearly(3, 1, QImage::Format_RGB32);
    nearly.setPixel(0, 0, 0xfffe00ff);
    nearly.setPixel(1, 0, kMagenta);
    nearly.setPixel(2, 0, 0xffff01ff);

    const struct {
        const char* what;
        QImage picture;
        QRegion outline;
    } cases[] = {
        {"a magenta border", framedPicture(), inner},
        {"a palette picture", framedPicture(QImage::Format_Indexed8), inner},
        {"a 24-bit picture", framedPicture(QImage::Format_RGB888), inner},
        {"a picture with alpha", alpha, inner},
        {"a bitmap file", QImage(bitmap), inner},
        {"a hole and a stray pixel", holed,
         inner.subtracted(QRegion(10, 5, 1, 1)).united(QRegion(0, 9, 1, 1))},
        {"nearly magenta", nearly, QRegion(0, 0, 1, 1).united(QRegion(2, 0, 1, 1))},
        {"all magenta", filled(4, kMagenta), QRegion()},
        {"no magenta", filled(4, 0xffffffff), QRegion(0, 0, 4, 4)},
        {"no picture", QImage(), QRegion()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(windowOutlineRegion(c.picture), c.outline) << c.what;
        const QBitmap mask = windowOutlineMask(c.picture);
        EXPECT_EQ(mask.size(), c.picture.size()) << c.what;
        EXPECT_EQ(mask.isNull() ? QRegion() : QRegion(mask), c.outline) << c.what;
    }
}
