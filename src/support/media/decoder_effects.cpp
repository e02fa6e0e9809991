#include "support/media/decoder_effects.h"

#include "support/media/decoder_registry_keys.h"

#include <algorithm>
#include <cmath>
#include <gst/audio/audio.h>
#include <optional>
#include <string>

namespace {

using namespace decoderkeys;

// A REG_DWORD (or a binary value of at least four bytes) as a signed number.
std::optional<qint32> readNumber(const RegistryStore& store, const char* key, const QString& name) {
    RegistryValue value;
    if (store.queryValue(reg::HKEY_CURRENT_USER, QString::fromLatin1(key), name, &value) !=
        reg::ERROR_SUCCESS)
        return std::nullopt;
    if ((value.type != reg::REG_DWORD && value.type != reg::REG_BINARY) || value.data.size() < 4)
        return std::nullopt;
    const auto byte = [&](int i) { return quint32(uchar(value.data[i])); };
    return qint32(byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24);
}

void read(const RegistryStore& store, const char* key, const char* name, int* into) {
    if (const auto number = readNumber(store, key, QString::fromLatin1(name)))
        *into = *number;
}

double slider(int value) {
    return std::clamp(value, 0, 100);
}

// A second-page slider as a share of its travel, 0..1.
double share(int value) {
    return std::clamp(value, 0, 127) / 127.0;
}

} // namespace

DecoderEffects readDecoderEffects(const RegistryStore& store) {
    DecoderEffects e;
    read(store, kScrunchVideo, kBrightness, &e.brightness);
    read(store, kScrunchVideo, kContrast, &e.contrast);
    read(store, kScrunchVideo, kSaturation, &e.saturation);
    read(store, kScrunchVideo, kHue, &e.hue);
    for (int i = 0; i < int(e.equaliser.size()); ++i) {
        if (const auto number = readNumber(store, kScrunchAudio,
                                           QString::fromLatin1(kBandPrefix) + QString::number(i)))
            e.equaliser[i] = *number;
    }
    read(store, kDivX4, kPostprocessing, &e.postProcessing);
    read(store, kDivX4, kBrightness, &e.brightness2);
    read(store, kDivX4, kContrast, &e.contrast2);
    read(store, kDivX4, kSaturation, &e.saturation2);
    read(store, kSpeakers, kSpeakerMode, &e.speakerMode);
    read(store, kSpeakers, kChannels, &e.channels);
    e.surroundMatrix =
        readNumber(store, kSpeakers, QString::fromLatin1(kSurroundMatrix)).value_or(0);
    e.spatial = readNumber(store, kSpeakers, QString::fromLatin1(kSpatial)).value_or(0);
    e.passThrough = readNumber(store, kSpeakers, QString::fromLatin1(kPassThrough)).value_or(0);
    return e;
}

VideoBalanceValues videoBalanceValues(const DecoderEffects& effects) {
    VideoBalanceValues v;
    v.brightness =
        std::min(1.0, (slider(effects.brightness) - 50) / 50 + share(effects.brightness2) / 2);
    v.contrast = std::min(2.0, slider(effects.contrast) / 50 * (1 + share(effects.contrast2)));
    v.saturation =
        std::min(2.0, slider(effects.saturation) / 50 * (1 + share(effects.saturation2)));
    v.hue = (slider(effects.hue) - 50) / 50;
    return v;
}

void applyVideoBalance(GstElement* videobalance, const DecoderEffects& effects) {
    if (!videobalance)
        return;
    const VideoBalanceValues v = videoBalanceValues(effects);
    g_object_set(videobalance, "brightness", v.brightness, "contrast", v.contrast, "saturation",
                 v.saturation, "hue", v.hue, nullptr);
}

double equaliserGainDb(int stored) {
    return std::clamp(stored, 0, 50) * 12.0 / 50.0;
}

void applyEqualizer(GstElement* equalizer10bands, const DecoderEffects& effects) {
    if (!equalizer10bands)
        return;
    const int bands = int(effects.equaliser.size());
    for (int i = 0; i < bands; ++i) {
        const std::string property = "band" + std::to_string(bands - 1 - i);
        g_object_set(equalizer10bands, property.c_str(), equaliserGainDb(effects.equaliser[i]),
                     nullptr);
    }
}

GstCaps* audioChannelCaps(const DecoderEffects& effects) {
    if (effects.passThrough)
        return nullptr;
    using P = GstAudioChannelPosition;
    const auto bit = [](P position) { return guint64(1) << position; };
    const guint64 front =
        bit(GST_AUDIO_CHANNEL_POSITION_FRONT_LEFT) | bit(GST_AUDIO_CHANNEL_POSITION_FRONT_RIGHT);
    const guint64 rear =
        bit(GST_AUDIO_CHANNEL_POSITION_REAR_LEFT) | bit(GST_AUDIO_CHANNEL_POSITION_REAR_RIGHT);
    guint64 mask = 0;
    switch (effects.channels) {
    case 1:
        return gst_caps_new_simple("audio/x-raw", "channels", G_TYPE_INT, 1, nullptr);
    case 2:
        mask = front;
        break;
    case 4:
        mask = front | rear;
        break;
    case 6:
        mask = front | rear | bit(GST_AUDIO_CHANNEL_POSITION_FRONT_CENTER) |
               bit(GST_AUDIO_CHANNEL_POSITION_LFE1);
        break;
    default:
        return nullptr;
    }
    return gst_caps_new_simple("audio/x-raw", "channels", G_TYPE_INT, effects.channels,
                               "channel-mask", GST_TYPE_BITMASK, mask, nullptr);
}

int postProcessingLevel(const DecoderEffects& effects) {
    return std::clamp(int(std::nearbyint(effects.postProcessing / 10.0)), 0, 6);
}
