// The decoders' registry values as the GStreamer elements' settings, on real samples.
#include "support/media/decoder_effects.h"
#include "support/media/decoder_registry_keys.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <array>
#include <cmath>
#include <gst/app/gstappsink.h>
#include <gst/audio/audio.h>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

using namespace reg;

namespace {

GstElement* launch(const char* description) {
    GstElement* pipeline = gst_parse_launch(description, nullptr);
    EXPECT_NE(pipeline, nullptr) << description;
    return pipeline;
}

GstElement* child(GstElement* pipeline, const char* name) {
    GstElement* element = gst_bin_get_by_name(GST_BIN(pipeline), name);
    gst_object_unref(element); // the pipeline keeps it alive
    return element;
}

// All bytes of the buffers the appsink "sink" receives until the end.
std::vector<guint8> pull(GstElement* pipeline) {
    std::vector<guint8> bytes;
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstAppSink* sink = GST_APP_SINK(child(pipeline, "sink"));
    while (GstSample* sample = gst_app_sink_try_pull_sample(sink, 5 * GST_SECOND)) {
        GstMapInfo map;
        GstBuffer* buffer = gst_sample_get_buffer(sample);
        if (gst_buffer_map(buffer, &map, GST_MAP_READ)) {
            bytes.insert(bytes.end(), map.data, map.data + map.size);
            gst_buffer_unmap(buffer, &map);
        }
        gst_sample_unref(sample);
    }
    gst_element_set_state(pipeline, GST_STATE_NULL);
    return bytes;
}

// First pixel (R, G, B) of a frame of one colour after videobalance; black when none came.
std::array<int, 3> pixelAfterBalance(const DecoderEffects& effects, guint32 argb) {
    const std::string description =
        "videotestsrc num-buffers=1 pattern=solid-color foreground-color=" + std::to_string(argb) +
        " ! video/x-raw,format=AYUV,width=16,height=16 ! videobalance name=vb ! videoconvert"
        " ! video/x-raw,format=RGBx ! appsink name=sink sync=false";
    GstElement* pipeline = launch(description.c_str());
    applyVideoBalance(child(pipeline, "vb"), effects);
    const std::vector<guint8> bytes = pull(pipeline);
    gst_object_unref(pipeline);
    return bytes.size() < 4 ? std::array<int, 3>{}
                            : std::array<int, 3>{bytes[0], bytes[1], bytes[2]};
}

// The root mean square of an 18 kHz tone after the equalizer.
double levelAt18kHz(const DecoderEffects& effects) {
    GstElement* pipeline =
        launch("audiotestsrc num-buffers=20 freq=18000 volume=0.05 ! "
               "audio/x-raw,format=F32LE,rate=44100,channels=1 ! equalizer-10bands name=eq ! "
               "appsink name=sink sync=false");
    applyEqualizer(child(pipeline, "eq"), effects);
    const std::vector<guint8> bytes = pull(pipeline);
    gst_object_unref(pipeline);
    // Skip the first buffer, where the filter settles.
    const std::size_t first = 4096 / sizeof(float), n = bytes.size() / sizeof(float);
    const auto* samples = reinterpret_cast<const float*>(bytes.data());
    double sum = 0;
    for (std::size_t i = first; i < n; ++i)
        sum += double(samples[i]) * samples[i];
    return n > first ? std::sqrt(sum / double(n - first)) : 0;
}

TEST(DecoderEffectsTest, RegistryValuesReachTheEffects) {
    QTemporaryDir dir;
    RegistryStore store(dir.filePath("registry.reg"));
    // Nothing stored: no forced channel layout.
    EXPECT_EQ(audioChannelCaps(readDecoderEffects(store)), nullptr);
    using namespace decoderkeys;
    const std::tuple<const char*, const char*, qint32> values[] = {
        {kScrunchVideo, "Brightness", 100}, {kScrunchVideo, "Contrast", 0},
        {kScrunchVideo, "Saturation", 75},  {kScrunchVideo, "Hue", -20}, // beyond the slider
        {kScrunchAudio, "Band 0", 50},      {kScrunchAudio, "Band 9", 25},
        {kDivX4, "Postprocessing", 35},     {kDivX4, "Brightness", 127},
        {kDivX4, "Saturation", 127}};
    for (const auto& [key, name, number] : values) {
        const qint32 le = qToLittleEndian(number);
        store.createKey(HKEY_CURRENT_USER, key);
        store.setValue(HKEY_CURRENT_USER, key, name, REG_DWORD,
                       QByteArray(reinterpret_cast<const char*>(&le), 4));
    }
    const DecoderEffects e = readDecoderEffects(store);
    const VideoBalanceValues v = videoBalanceValues(e);
    // Brightness held to the element's range, saturation 1.5 doubled and held.
    EXPECT_EQ((std::tuple{v.brightness, v.contrast, v.saturation, v.hue}),
              (std::tuple{1.0, 0.0, 2.0, -1.0}));
    EXPECT_EQ(postProcessingLevel(e), 4);
    // Registry band 0 is the top slider (19.2K); EqualizerBoostsTheTopBand hears where it goes.
    const auto db = [&](int band) { return equaliserGainDb(e.equaliser[band]); };
    EXPECT_EQ((std::tuple{db(0), db(4), db(9)}), (std::tuple{12.0, 0.0, 6.0}));

    DecoderEffects other;
    for (auto [stored, level] : {std::pair{25, 2}, std::pair{-10, 0}, std::pair{1000, 6}}) {
        other.postProcessing = stored;
        EXPECT_EQ(postProcessingLevel(other), level) << stored;
    }
    // Odd counts and pass-through force no layout (the others: DecoderSettingsInGraphs).
    other.channels = 3;
    EXPECT_EQ(audioChannelCaps(other), nullptr);
    other.channels = 2;
    other.passThrough = true;
    EXPECT_EQ(audioChannelCaps(other), nullptr);
}

// No saturation turns red grey (brightness on a real graph: DecoderSettingsInGraphs).
TEST(DecoderEffectsTest, SaturationChangesRealPixels) {
    constexpr guint32 red = 0xffc02020;
    const std::array<int, 3> kept = pixelAfterBalance(DecoderEffects(), red);
    DecoderEffects grey;
    grey.saturation = 0;
    const std::array<int, 3> washed = pixelAfterBalance(grey, red);
    EXPECT_GT(kept[0] - kept[1], 100);
    EXPECT_LE(std::abs(washed[0] - washed[1]), 2);
    EXPECT_LE(std::abs(washed[1] - washed[2]), 2);
}

TEST(DecoderEffectsTest, EqualizerBoostsTheTopBand) {
    DecoderEffects flat, boosted, bass;
    boosted.equaliser[0] = 50; // "19.2K" slider at the top: +12 dB
    bass.equaliser[9] = 50;    // "25" slider: nothing to do with 18 kHz
    const double before = levelAt18kHz(flat);
    ASSERT_GT(before, 0.0);
    // +12 dB is four times the amplitude; the shelf's slope leaves a margin.
    EXPECT_GT(levelAt18kHz(boosted) / before, 2.5);
    EXPECT_NEAR(levelAt18kHz(bass) / before, 1.0, 0.1);
}

} // namespace
