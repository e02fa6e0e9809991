// The media graph engine on real files: building by hand and automatically,
// transport, position, rate, volume, and bad input.
#include "graph_fixture.h"
#include "live_objects.h"
#include "support/media/frame_sink.h"
#include "support/media/media_detector.h"

#include <QElapsedTimer>
#include <gst/gst.h>
#include <memory>

using testsupport::mediaPath;

namespace {

// Builds the AVI graph by hand: source, chosen audio output, splitter,
// video and one audio stream rendered by name.
struct HandBuiltAvi {
    FilterGraph graph;
    FilterInfo source, splitter, audioOut;

    explicit HandBuiltAvi(const QString& audioPin) {
        source = graph.addSourceFilter(mediaPath("two-audio.avi")).valueOr(FilterInfo());
        audioOut = addRegistered(graph, "Null Audio Renderer");
        splitter = addRegistered(graph, "AVI Splitter");
        EXPECT_TRUE(source.pins().first().connect(findPin(splitter, "sink")));
        EXPECT_TRUE(findPin(splitter, "Stream 00").render());
        renderAudio = findPin(splitter, audioPin).render();
    }
    MediaStatus renderAudio = MediaStatus::success();
};

} // namespace

TEST(FilterGraphByHand, SplitterNamesItsStreamsAndPlaysTheChosenAudioToTheEnd) {
    HandBuiltAvi avi("Stream 02");
    ASSERT_FALSE(avi.splitter.isNull());
    QStringList names;
    for (const PinInfo& pin : avi.splitter.pins())
        names << pin.name();
    EXPECT_EQ(names, QStringList({"sink", "Stream 00", "Stream 01", "Stream 02"}));
    ASSERT_TRUE(avi.renderAudio) << avi.renderAudio.error().toStdString();

    // Only the second audio stream is connected, and it feeds the output
    // the caller added rather than a new default one.
    EXPECT_FALSE(findPin(avi.splitter, "Stream 01").connectedTo());
    EXPECT_TRUE(findPin(avi.splitter, "Stream 02").connectedTo());
    int audioOutputs = 0;
    for (const FilterInfo& filter : avi.graph.filterCollection())
        audioOutputs += filter.name().contains("Audio") ? 1 : 0;
    EXPECT_EQ(audioOutputs, 1);
    EXPECT_TRUE(findPin(avi.audioOut, "Input").connectedTo());
    // Rendering a stream the file lacks fails, and the rest still plays.
    EXPECT_FALSE(findPin(avi.splitter, "Stream 07").render());

    GraphEvents events(avi.graph);
    ASSERT_TRUE(avi.graph.run());
    EXPECT_TRUE(events.waitForEnd()) << events.error.toStdString();
    ASSERT_NE(avi.graph.frameSink(), nullptr);
    EXPECT_GT(avi.graph.frameSink()->framesDelivered(), 50u);
    EXPECT_EQ(avi.graph.videoSize().valueOr({}), QSize(320, 240));
}

TEST(FilterGraphByHand, ConnectRefusesSameDirectionBusyInputsAndForeignFiles) {
    FilterGraph graph;
    const FilterInfo source = graph.addSourceFilter(mediaPath("one-audio.avi")).value();
    const FilterInfo splitter = addRegistered(graph, "AVI Splitter");
    const PinInfo sourceOut = source.pins().first();
    EXPECT_FALSE(sourceOut.connect(sourceOut));
    ASSERT_TRUE(sourceOut.connect(findPin(splitter, "sink")));
    const FilterInfo second = addRegistered(graph, "AVI Splitter");
    EXPECT_EQ(second.name(), "AVI Splitter 0001");
    EXPECT_FALSE(findPin(second, "sink").connect(sourceOut)) << "an output feeds one input";
    EXPECT_FALSE(graph.addSourceFilter(mediaPath("one-audio.avi"))) << "already in the graph";

    // A splitter on a foreign file has no streams.
    FilterGraph foreign;
    const FilterInfo text = foreign.addSourceFilter(mediaPath("not-media.avi")).value();
    const FilterInfo lost = addRegistered(foreign, "AVI Splitter");
    EXPECT_FALSE(text.pins().first().connect(findPin(lost, "sink")));
    EXPECT_FALSE(findPin(lost, "Stream 00").render());
}

class RenderFileTest : public ::testing::TestWithParam<const char*> {};

TEST_P(RenderFileTest, PlaysToTheEndThroughTheOutputAlreadyInTheGraph) {
    FilterGraph graph;
    const FilterInfo output = addRegistered(graph, "Null Audio Renderer");
    ASSERT_TRUE(graph.renderFile(mediaPath(GetParam())));
    for (const FilterInfo& filter : graph.filterCollection())
        EXPECT_NE(filter.name(), "Default Audio Output");
    GraphEvents events(graph);
    ASSERT_TRUE(graph.run());
    ASSERT_TRUE(events.waitForEnd()) << events.error.toStdString();
    EXPECT_TRUE(findPin(output, "Input").connectedTo());
    EXPECT_GT(graph.frameSink()->framesDelivered(), 20u);
}

INSTANTIATE_TEST_SUITE_P(Formats, RenderFileTest,
                         ::testing::Values("movie.mpg", "movie.mp4", "movie.asf", "movie.divx"));

TEST(FilterGraphControl, SeekPauseRateAndVolumeOnARunningGraph) {
    FilterGraph graph;
    const FilterInfo output = addRegistered(graph, "Null Audio Renderer");
    ASSERT_TRUE(graph.renderFile(mediaPath("two-audio.avi")));
    GraphEvents events(graph);
    ASSERT_TRUE(graph.run());
    ASSERT_TRUE(events.waitForPreroll()) << events.error.toStdString();
    EXPECT_NEAR(graph.duration().valueOr(0), 4.0, 0.2);

    ASSERT_TRUE(graph.setCurrentPosition(2.0));
    testsupport::pumpEvents(100);
    EXPECT_NEAR(graph.currentPosition().valueOr(-1), 2.0, 0.25);

    ASSERT_TRUE(graph.pause());
    testsupport::pumpEvents(200);
    const double paused = graph.currentPosition().valueOr(-1);
    testsupport::pumpEvents(400);
    EXPECT_NEAR(graph.currentPosition().valueOr(-1), paused, 0.05);

    for (double rate : {2.0, 0.5}) {
        ASSERT_TRUE(graph.setCurrentPosition(0.5));
        ASSERT_TRUE(graph.setRate(rate));
        ASSERT_TRUE(graph.run());
        testsupport::pumpEvents(300);
        const double start = graph.currentPosition().valueOr(-1);
        testsupport::pumpEvents(800);
        const double advanced = graph.currentPosition().valueOr(-1) - start;
        EXPECT_NEAR(advanced, 0.8 * rate, 0.25 * rate) << "rate " << rate;
        EXPECT_EQ(graph.rate(), rate);
    }

    EXPECT_TRUE(graph.setVolume(-2000));
    EXPECT_NEAR(outputVolume(output), 0.1, 1e-6);
    EXPECT_TRUE(graph.setVolume(-10000));
    EXPECT_EQ(outputVolume(output), 0.0);
    EXPECT_FALSE(graph.setVolume(1));
    EXPECT_FALSE(graph.setVolume(-10001));
    EXPECT_EQ(graph.volume(), -10000);
    EXPECT_FALSE(graph.setRate(0));
}

TEST(FilterGraphControl, StopThenRunPlaysAgain) {
    FilterGraph graph;
    addRegistered(graph, "Null Audio Renderer");
    ASSERT_TRUE(graph.renderFile(mediaPath("one-audio.avi")));
    GraphEvents events(graph);
    ASSERT_TRUE(graph.run());
    ASSERT_TRUE(events.waitForPreroll());
    ASSERT_TRUE(graph.stop());
    EXPECT_EQ(graph.state(), GraphState::Stopped);
    events.prerolled = false;
    ASSERT_TRUE(graph.run());
    ASSERT_TRUE(graph.setCurrentPosition(3.0));
    EXPECT_TRUE(events.waitForEnd()) << events.error.toStdString();
}

TEST(FilterGraphBadInput, MissingEmptyAndForeignFilesFailWithoutHanging) {
    FilterGraph missing;
    EXPECT_FALSE(missing.renderFile(mediaPath("no-such-file.avi")));
    EXPECT_FALSE(missing.renderFile(QString()));

    for (const char* name : {"empty.avi", "not-media.avi", "truncated.avi"}) {
        FilterGraph graph;
        addRegistered(graph, "Null Audio Renderer");
        GraphEvents events(graph);
        const MediaStatus built = graph.renderFile(mediaPath(name));
        if (built && graph.run())
            testsupport::waitUntil([&] { return events.ended || !events.error.isEmpty(); },
                                   FilterGraph::kPrerollTimeoutMs + 4000);
        EXPECT_TRUE(!built || !events.error.isEmpty() || events.ended) << name;
        EXPECT_EQ(graph.state() == GraphState::Running, events.ended) << name;
    }
}

TEST(MediaDetector, CountsStreamsAndReadsTheFrameRate) {
    MediaDetector detector;
    ASSERT_TRUE(detector.setFilename(mediaPath("two-audio.avi")));
    EXPECT_EQ(detector.outputStreams().valueOr(0), 3);
    EXPECT_DOUBLE_EQ(detector.frameRate().valueOr(0), 25.0);

    ASSERT_TRUE(detector.setFilename(mediaPath("rate-23976.avi")));
    EXPECT_NEAR(detector.frameRate().valueOr(0), 23.976, 0.001);
    EXPECT_EQ(detector.outputStreams().valueOr(0), 2);

    ASSERT_TRUE(detector.setFilename(mediaPath("movie.mp4")));
    EXPECT_EQ(detector.outputStreams().valueOr(0), 2);

    for (const char* bad : {"no-such-file.avi", "empty.avi", "not-media.avi"}) {
        EXPECT_FALSE(detector.setFilename(mediaPath(bad))) << bad;
        EXPECT_FALSE(detector.outputStreams()) << bad;
    }
}

TEST(MediaDetector, ReadingsInTheBackgroundAreWaitedForAtTheEnd) {
    auto context = std::make_unique<QObject>();
    int streams = -1;
    MediaDetector::detectInBackground(
        mediaPath("two-audio.avi"), context.get(),
        [&](const MediaDetector& d) { streams = d.outputStreams().valueOr(0); });
    EXPECT_EQ(streams, -1) << "the answer comes later";
    ASSERT_TRUE(testsupport::waitUntil([&] { return streams >= 0; }, 5000));
    EXPECT_EQ(streams, 3);

    // The player closing while a reading runs: the reading is waited for,
    // nothing of it is left, and its answer goes nowhere.
    LiveObjects live;
    bool called = false;
    MediaDetector::detectInBackground(mediaPath("movie.mp4"), context.get(),
                                      [&](const MediaDetector&) { called = true; });
    context.reset();
    MediaDetector::waitForReadings();
    testsupport::pumpEvents(100);
    EXPECT_FALSE(called);
    EXPECT_EQ(live.aliveElements(), 0);
}

TEST(FilterGraphBadInput, AMissingDecoderIsReportedWithinSeconds) {
    // Take the MPEG-4 decoders away for this process (each test runs alone).
    for (const char* name : {"avdec_mpeg4", "avdec_msmpeg4", "avdec_h263"}) {
        if (GstPluginFeature* feature = gst_registry_lookup_feature(gst_registry_get(), name)) {
            gst_plugin_feature_set_rank(feature, GST_RANK_NONE);
            gst_object_unref(feature);
        }
    }
    FilterGraph graph;
    addRegistered(graph, "Null Audio Renderer");
    ASSERT_TRUE(graph.renderFile(mediaPath("one-audio.avi")));
    GraphEvents events(graph);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(graph.run());
    ASSERT_TRUE(testsupport::waitUntil([&] { return !events.error.isEmpty(); }, 5000));
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_TRUE(events.error.contains("decoder", Qt::CaseInsensitive))
        << events.error.toStdString();
    EXPECT_EQ(graph.state(), GraphState::Stopped);
}
