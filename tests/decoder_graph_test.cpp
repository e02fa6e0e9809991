// The decoder settings reach the graphs built after they change.
#include "app/program_data.h"
#include "config/decoder_settings.h"
#include "config/speaker_modes.h"
#include "graph_fixture.h"
#include "support/media/decoder_effects.h"
#include "support/media/frame_sink.h"
#include "support/registry/registry_import.h"

#include <gst/gst.h>

using testsupport::mediaPath;

namespace {

int negotiatedChannels(const FilterInfo& output) {
    GstElement* speakers = gst_bin_get_by_name(GST_BIN(output.element()), "speakers");
    if (!speakers)
        return -1;
    GstPad* pad = gst_element_get_static_pad(speakers, "src");
    GstCaps* caps = gst_pad_get_current_caps(pad);

    int channels = -1;
    if (caps)
        gst_structure_get_int(gst_caps_get_structure(caps, 0), "channels", &channels);
    if (caps)
        gst_caps_unref(caps);
    gst_object_unref(pad);
    gst_object_unref(speakers);
    return channels;
}

// Plays the movie's start and returns the mean grey of its first frame.
double meanGreyOfFirstFrame() {
    FilterGraph graph;
    addRegistered(graph, "Null Audio Renderer");
    EXPECT_TRUE(graph.renderFile(mediaPath("one-audio.avi")));
    EXPECT_TRUE(graph.pause());
    EXPECT_TRUE(
        testsupport::waitUntil([&] { return graph.frameSink()->framesDelivered() > 0; }, 5000));
    const QImage frame = graph.frameSink()->currentFrame().toImage();
    double sum = 0;
    for (int y = 0; y < frame.height(); y += 8)
        for (int x = 0; x < frame.width(); x += 8)
            sum += qGray(frame.pixel(x, y));
    return sum / ((frame.height() / 8) * (frame.width() / 8));
}

} // namespace

TEST(DecoderSettingsInGraphs, SixSpeakerModeGivesSixChannelsAndMonoOne) {
    for (auto [row, channels] : {std::pair{5, 6}, std::pair{0, 1}}) {
        ASSERT_EQ(QString(speakerModes()[row].text).contains("6 Speakers"), row == 5);
        const SpeakerModeChange change = chooseSpeakerMode(row, programDataFolder());
        ASSERT_TRUE(change.presetFound) << programDataFolder().toStdString();
        ASSERT_TRUE(change.import.ok);
        ASSERT_EQ(readDecoderEffects().channels, channels);
        FilterGraph graph;
        const FilterInfo output = addRegistered(graph, "Null Audio Renderer");
        ASSERT_TRUE(graph.renderFile(mediaPath("one-audio.avi")));
        GraphEvents events(graph);
        ASSERT_TRUE(graph.pause());
        ASSERT_TRUE(events.waitForPreroll()) << events.error.toStdString();
        EXPECT_EQ(negotiatedChannels(output), channels) << "row " << row;
    }
}

TEST(DecoderSettingsInGraphs, RaisingEitherPagesBrightnessMakesTheNextGraphBrighter) {
    ASSERT_TRUE(importRegistryFile(programDataFolder() + "/Decoder/Data.iwc").ok);
    DecoderSliderValues sliders;
    AnalyseReg(sliders);
    const double before = meanGreyOfFirstFrame();
    sliders.setValue(DecoderSlider::Bness, 90);
    ASSERT_TRUE(WriteReg(sliders).authorized);
    const double after = meanGreyOfFirstFrame();
    EXPECT_GT(after, before + 20) << before << " -> " << after;

    // The second decoder's page acts on the same picture.
    sliders.setValue(DecoderSlider::Bness, 50);
    sliders.setValue(DecoderSlider::Bness4, 64);
    ASSERT_TRUE(WriteReg(sliders).authorized);
    const double second = meanGreyOfFirstFrame();
    EXPECT_GT(second, before + 20) << before << " -> " << second;
}

TEST(DecoderSettingsInGraphs, AnEmptyRegistryKeepsTheDefaultsAndANeutralPicture) {
    DecoderSliderValues sliders;
    AnalyseReg(sliders); // the second decoder's keys are missing: "denied"
    EXPECT_EQ(sliders.value(DecoderSlider::Bness), 50);
    WriteReg(sliders);
    const DecoderEffects effects = readDecoderEffects();
    EXPECT_EQ(effects.brightness, 50);
    EXPECT_EQ(effects.contrast, 50);
    EXPECT_GT(meanGreyOfFirstFrame(), 60) << "the picture is not darkened";
}
