#include "skin/picture_store.h"

#include "skin/skin_files.h"

namespace {

constexpr std::array<const char*, 7> kAudioModeFiles = {
    "Audio_Mode_41CH.BMP", "Audio_Mode_51CH.BMP",  "Audio_Mode_DBSR.BMP",   "Audio_Mode_MONO.BMP",
    "Audio_Mode_Q3D.BMP",  "Audio_Mode_SPDIF.BMP", "Audio_Mode_STEREO.BMP",
};
static_assert(int(kAudioModeFiles.size()) + PictureStore::kVolumeSlotCount ==
              PictureStore::kSlotCount);

bool validSlot(int slot) {
    return slot >= 1 && slot <= PictureStore::kSlotCount;
}

} // namespace

QImage PictureStore::picture(int slot) const {
    return validSlot(slot) ? slots_[std::size_t(slot - 1)] : QImage();
}

bool PictureStore::setPicture(int slot, const QImage& image) {
    if (!validSlot(slot))
        return false;
    slots_[std::size_t(slot - 1)] = image;
    return true;
}

QString pictureStoreFileName(int slot) {
    if (!validSlot(slot))
        return {};
    if (slot < PictureStore::kFirstAudioModeSlot)
        return QStringLiteral("Volume_Slider_Bitmap_%1.BMP").arg(slot);
    return QString::fromLatin1(
        kAudioModeFiles[std::size_t(slot - PictureStore::kFirstAudioModeSlot)]);
}

int loadSkinPictures(PictureStore& store, const QString& skinFolder) {
    int loaded = 0;
    for (int slot = 1; slot <= PictureStore::kSlotCount; ++slot) {
        const QString path = findSkinFile(skinFolder, pictureStoreFileName(slot));
        if (path.isEmpty())
            continue;
        // The content decides the format: some skins hold other formats under
        // ".BMP".
        const QImage image(path);
        if (image.isNull())
            continue;
        store.setPicture(slot, image);
        ++loaded;
    }
    return loaded;
}
