#pragma once
// The picture store: 29 numbered slots the volume meter and the audio-mode
// indicator copy their pictures from. Slots 1..22 are the volume meter
// levels (1 = lowest), 23..29 the audio-mode pictures.
#include <QImage>
#include <QString>
#include <array>

enum class AudioModePicture {
    FourOne = 23, // "Audio_Mode_41CH.BMP"
    FiveOne,      // "Audio_Mode_51CH.BMP"
    Dbsr,         // "Audio_Mode_DBSR.BMP"
    Mono,         // "Audio_Mode_MONO.BMP"
    Q3d,          // "Audio_Mode_Q3D.BMP"
    Spdif,        // "Audio_Mode_SPDIF.BMP"
    Stereo,       // "Audio_Mode_STEREO.BMP"
};

class PictureStore {
  public:
    static constexpr int kSlotCount = 29;
    static constexpr int kFirstVolumeSlot = 1;
    static constexpr int kVolumeSlotCount = 22;
    static constexpr int kFirstAudioModeSlot = int(AudioModePicture::FourOne);

    // A null image for an empty slot or a number outside 1..29.
    QImage picture(int slot) const;
    QImage picture(AudioModePicture mode) const { return picture(int(mode)); }
    bool hasPicture(int slot) const { return !picture(slot).isNull(); }
    // Returns false (and changes nothing) for a number outside 1..29.
    bool setPicture(int slot, const QImage& image);

  private:
    std::array<QImage, kSlotCount> slots_;
};

static_assert(PictureStore::kFirstAudioModeSlot ==
              PictureStore::kFirstVolumeSlot + PictureStore::kVolumeSlotCount);
static_assert(int(AudioModePicture::Stereo) == PictureStore::kSlotCount);

// The bitmap a skin folder holds for `slot` ("Volume_Slider_Bitmap_1.BMP",
// "Audio_Mode_41CH.BMP", ...); empty for a number outside 1..29.
QString pictureStoreFileName(int slot);

// Fills the store from the skin folder's bitmaps. A bitmap that is missing
// or cannot be read leaves its slot with the picture it had. Returns how
// many slots were filled.
int loadSkinPictures(PictureStore& store, const QString& skinFolder);
