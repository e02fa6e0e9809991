#include "skin/picture_store.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <utility>

namespace {

// A picture whose size and colour tell which skin and slot it came from.
QImage marked(int slot, QRgb colour) {
    QImage image(slot, 3, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

void writeSkinPicture(const QString& folder, int slot, QRgb colour, const QString& nameAs = {}) {
    const QString name = nameAs.isEmpty() ? pictureStoreFileName(slot) : nameAs;
    ASSERT_TRUE(marked(slot, colour).save(QDir(folder).filePath(name), "BMP"));
}

} // namespace

TEST(PictureStore, SlotsOneToTwentyNineHoldTheNamedBitmaps) {
    // clang-format off
    const std::pair<int, const char*> names[] = {
        {0, ""}, {1, "Volume_Slider_Bitmap_1.BMP"}, {22, "Volume_Slider_Bitmap_22.BMP"},
        {23, "Audio_Mode_41CH.BMP"}, {24, "Audio_Mode_51CH.BMP"}, {25, "Audio_Mode_DBSR.BMP"},
        {26, "Audio_Mode_MONO.BMP"}, {27, "Audio_Mode_Q3D.BMP"}, {28, "Audio_Mode_SPDIF.BMP"},
        {29, "Audio_Mode_STEREO.BMP"}, {30, ""}};
    // clang-format on
    PictureStore store;
    for (const auto& [slot, name] : names) {
        EXPECT_EQ(pictureStoreFileName(slot), name) << slot;
        EXPECT_EQ(store.setPicture(slot, marked(slot, 0xff0000)), *name != 0) << slot;
        EXPECT_EQ(store.picture(slot).width(), *name ? slot : 0) << slot;
    }
    EXPECT_TRUE(store.picture(-5).isNull());
}

// Each bitmap to its slot, names in any case; what a new skin lacks keeps the old picture.
TEST(PictureStore, LoadsEachBitmapIntoItsSlotAndWhatCannotBeLoadedKeepsThePrevious) {
    QTemporaryDir first, second, other;
    for (const auto& [folder, colour] :
         {std::pair{first.path(), 0xff0000ffu}, {second.path(), 0xff00ff00u}})
        for (int slot = 1; slot <= 29; ++slot)
            writeSkinPicture(folder, slot, colour);
    testsupport::writeFile(QDir(second.path()).filePath("Volume_Slider_Bitmap_5.BMP"),
                           "BM not really a bitmap");
    PictureStore store;
    ASSERT_EQ(loadSkinPictures(store, first.path()), 29);
    for (int slot = 1; slot <= 29; ++slot) {
        EXPECT_EQ(store.picture(slot).width(), slot) << slot;
        EXPECT_EQ(store.picture(slot).pixel(0, 0), 0xff0000ffu) << slot;
    }
    // A missing picture keeps the old one too: SkinnedWindow.
    EXPECT_EQ(loadSkinPictures(store, second.path()), 28);
    EXPECT_EQ(store.picture(5).pixel(0, 0), 0xff0000ffu);
    EXPECT_EQ(store.picture(22).pixel(0, 0), 0xff00ff00u);
    EXPECT_EQ(loadSkinPictures(store, QString()), 0);
    EXPECT_EQ(loadSkinPictures(store, QStringLiteral("/nonexistent/skin")), 0);
    EXPECT_EQ(store.picture(22).pixel(0, 0), 0xff00ff00u);
    writeSkinPicture(other.path(), 1, 0xffabcdef, "volume_slider_bitmap_1.bmp");
    writeSkinPicture(other.path(), 29, 0xffabcdef, "AUDIO_MODE_STEREO.bmp");
    EXPECT_EQ(loadSkinPictures(store, other.path()), 2);
    EXPECT_EQ(store.picture(1).pixel(0, 0), 0xffabcdefu);
    EXPECT_EQ(store.picture(29).pixel(0, 0), 0xffabcdefu);
}
