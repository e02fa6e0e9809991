// The decoder settings reach the graphs built after they change.
#include "app/program_data.h"
#include "config/decoder_settings.h"
#include "config/speaker_modes.h"
#include "graph_fixture.h"
#include "support/media/frame_sink.h"
#include "support/registry/registry_import.h"

#include <gst/gst.h>
#include <utility>

using namespace testsupport;

namespace {

// Channels and channel mask of the speaker stage's output.
std::pair<int, guint64> negotiated(const FilterInfo& output) {
    std::pair<int, guint64> layout{-1, 0};
    GstElement* speakers = gst_bin_get_by_name(GST_BIN(output.element()), "speakers");
    if (!speakers)
        return layout;
    GstPad* pad = gst_element_get_static_pad(speakers, "src");
    if (GstCaps* caps = gst_pad_get_current_caps(pad)) {
        const GstStructure* s = gst_caps_get_structure(caps, 0);
        gst_structure_get_int(s, "channels", &layout.first);
        gst_structure_get(s, "channel-mask", GST_TYPE_BITMASK, &layout.second, nullptr);
        gst_caps_unref(caps);
    }
    gst_object_unref(pad);
    gst_object_unref(speakers);
    return layout;
}

// Plays the movie's start and returns the mean grey of its first frame.
double meanGreyOfFirstFrame() {
    FilterGraph graph;
    addRegistered(graph, "Null Audio Renderer");
    EXPECT_TRUE(graph.renderFile(mediaPath("one-audio.avi")));
    EXPECT_TRUE(graph.pause());
    EXPECT_TRUE(waitUntil([&] { return graph.frameSink()->framesDelivered() > 0; }, 5000));
    const QImage frame = graph.frameSink()->currentFrame().toImage();
    double sum = 0;
    for (int y = 0; y < frame.height(); y += 8)
        for (int x = 0; x < frame.width(); x += 8)
            sum += qGray(frame.pixel(x, y));
    return sum / ((frame.height() / 8) * (frame.width() / 8));
}

} // namespace

TEST(DecoderSettingsInGraphs, EachSpeakerModeGivesItsChannelLayout) {
    const struct {
        int row, channels;
        guint64 mask; // 0: none in the caps
    } modes[] = {{0, 1, 0}, {1, 2, 0x3}, {4, 4, 0x33}, {5, 6, 0x3f}};
    for (const auto& mode : modes) {
        SCOPED_TRACE(speakerModes()[mode.row].text);
        const SpeakerModeChange change = chooseSpeakerMode(mode.row, programDataFolder());
        ASSERT_TRUE(change.presetFound && change.import.ok) << programDataFolder().toStdString();
        FilterGraph graph;
        const FilterInfo output = addRegistered(graph, "Null Audio Renderer");
        ASSERT_TRUE(graph.renderFile(mediaPath("one-audio.avi")));
        GraphEvents events(graph);
        ASSERT_TRUE(graph.pause());
        ASSERT_TRUE(events.waitForPreroll()) << events.error.toStdString();
        EXPECT_EQ(negotiated(output), std::pair(mode.channels, mode.mask));
    }
}

// An empty registry keeps the defaults and a neutral picture; either page's brightness raises it.
TEST(DecoderSettingsInGraphs, RaisingEitherPagesBrightnessMakesTheNextGraphBrighter) {
    DecoderSliderValues sliders;
    AnalyseReg(sliders); // the second decoder's keys are missing: "denied"
    WriteReg(sliders);
    const double before = meanGreyOfFirstFrame();
    EXPECT_GT(before, 60) << "the picture is not darkened";

    ASSERT_TRUE(importRegistryFile(programDataFolder() + "/Decoder/Data.iwc").ok);
    AnalyseReg(sliders);
    sliders.setValue(DecoderSlider::Bness, 90);
    ASSERT_TRUE(WriteReg(sliders).authorized);
    EXPECT_GT(meanGreyOfFirstFrame(), before + 20);

    // The second decoder's page acts on the same picture.
    sliders.setValue(DecoderSlider::Bness, 50);
    sliders.setValue(DecoderSlider::Bness4, 64);
    ASSERT_TRUE(WriteReg(sliders).authorized);
    EXPECT_GT(meanGreyOfFirstFrame(), before + 20);
}
