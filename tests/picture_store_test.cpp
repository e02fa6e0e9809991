#include "skin/picture_store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

void writeFullSkin(const QString& folder, QRgb colour) {
    for (int slot = 1; slot <= PictureStore::kSlotCount; ++slot)
        writeSkinPicture(folder, slot, colour);
}

} // namespace

TEST(PictureStore, FileNamesOfEverySlot) {
    EXPECT_EQ(pictureStoreFileName(1), "Volume_Slider_Bitmap_1.BMP");
    EXPECT_EQ(pictureStoreFileName(22), "Volume_Slider_Bitmap_22.BMP");
    EXPECT_EQ(pictureStoreFileName(23), "Audio_Mode_41CH.BMP");
    EXPECT_EQ(pictureStoreFileName(24), "Audio_Mode_51CH.BMP");
    EXPECT_EQ(pictureStoreFileName(25), "Audio_Mode_DBSR.BMP");
    EXPECT_EQ(pictureStoreFileName(26), "Audio_Mode_MONO.BMP");
    EXPECT_EQ(pictureStoreFileName(27), "Audio_Mode_Q3D.BMP");
    EXPECT_EQ(pictureStoreFileName(28), "Audio_Mode_SPDIF.BMP");
    EXPECT_EQ(pictureStoreFileName(29), "Audio_Mode_STEREO.BMP");
    EXPECT_EQ(pictureStoreFileName(0), QString());
    EXPECT_EQ(pictureStoreFileName(30), QString());
    EXPECT_EQ(int(AudioModePicture::Q3d), 27);
}

TEST(PictureStore, SlotsAreNumberedFromOne) {
    PictureStore store;
    EXPECT_FALSE(store.hasPicture(1));
    EXPECT_TRUE(store.setPicture(1, marked(1, 0xff0000)));
    EXPECT_TRUE(store.setPicture(29, marked(29, 0x00ff00)));
    EXPECT_FALSE(store.setPicture(0, marked(1, 0)));
    EXPECT_FALSE(store.setPicture(30, marked(1, 0)));
    EXPECT_EQ(store.picture(1).width(), 1);
    EXPECT_EQ(store.picture(AudioModePicture::Stereo).width(), 29);
    EXPECT_TRUE(store.picture(0).isNull());
    EXPECT_TRUE(store.picture(-5).isNull());
    EXPECT_TRUE(store.picture(30).isNull());
    EXPECT_FALSE(store.hasPicture(2));
}

// Names are found in any letter case.
TEST(PictureStore, LoadsEveryBitmapIntoItsSlot) {
    QTemporaryDir dir;
    writeFullSkin(dir.path(), 0xff112233);
    PictureStore store;
    EXPECT_EQ(loadSkinPictures(store, dir.path()), 29);
    for (int slot = 1; slot <= PictureStore::kSlotCount; ++slot) {
        ASSERT_TRUE(store.hasPicture(slot)) << slot;
        EXPECT_EQ(store.picture(slot).width(), slot) << slot;
        EXPECT_EQ(store.picture(slot).pixel(0, 0), 0xff112233u) << slot;
    }
    QTemporaryDir other;
    writeSkinPicture(other.path(), 1, 0xffabcdef, "volume_slider_bitmap_1.bmp");
    writeSkinPicture(other.path(), 29, 0xffabcdef, "AUDIO_MODE_STEREO.bmp");
    EXPECT_EQ(loadSkinPictures(store, other.path()), 2);
    EXPECT_EQ(store.picture(1).pixel(0, 0), 0xffabcdefu);
    EXPECT_EQ(store.picture(29).pixel(0, 0), 0xffabcdefu);
}

// A bitmap missing or unreadable in the new skin, or no skin folder at all,
// keeps the previous skin's picture.
TEST(PictureStore, WhatCannotBeLoadedKeepsThePreviousPicture) {
    QTemporaryDir first, second;
    writeFullSkin(first.path(), 0xff0000ff);
    writeFullSkin(second.path(), 0xff00ff00);
    ASSERT_TRUE(QFile::remove(QDir(second.path()).filePath("Audio_Mode_Q3D.BMP")));
    QFile broken(QDir(second.path()).filePath("Volume_Slider_Bitmap_5.BMP"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("BM not really a bitmap");
    broken.close();
    PictureStore store;
    ASSERT_EQ(loadSkinPictures(store, first.path()), 29);
    EXPECT_EQ(loadSkinPictures(store, second.path()), 27);
    EXPECT_EQ(store.picture(AudioModePicture::Q3d).pixel(0, 0), 0xff0000ffu);
    EXPECT_EQ(store.picture(5).pixel(0, 0), 0xff0000ffu);
    EXPECT_EQ(store.picture(AudioModePicture::Mono).pixel(0, 0), 0xff00ff00u);
    EXPECT_EQ(store.picture(22).pixel(0, 0), 0xff00ff00u);
    EXPECT_EQ(loadSkinPictures(store, QString()), 0);
    EXPECT_EQ(loadSkinPictures(store, QStringLiteral("/nonexistent/skin")), 0);
    EXPECT_EQ(store.picture(22).pixel(0, 0), 0xff00ff00u);
}
