// The media graph engine on real files: connections, rate, volume, and the media detector.
#include "graph_fixture.h"
#include "live_objects.h"
#include "support/media/media_detector.h"

#include <memory>

using namespace testsupport;

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

TEST(FilterGraphControl, RateAndVolumeOnARunningGraph) {
    FilterGraph graph;
    int fromServer = 0;
    QObject::connect(&graph, &FilterGraph::volumeChangedOnServer, [&](int) { ++fromServer; });
    addRegistered(graph, "Null Audio Renderer");
    // The level set right after the output was made is the player's, not the server's.
    ASSERT_TRUE(graph.setVolume(-2270));
    pumpEvents(50);
    EXPECT_EQ(fromServer, 0);
    ASSERT_TRUE(graph.renderFile(mediaPath("two-audio.avi")));
    GraphEvents events(graph);
    ASSERT_TRUE(graph.run());
    ASSERT_TRUE(events.waitForPreroll()) << events.error.toStdString();

    for (double rate : {2.0, 0.5}) {
        ASSERT_TRUE(graph.setCurrentPosition(0.5));
        ASSERT_TRUE(graph.setRate(rate));
        ASSERT_TRUE(graph.run());
        pumpEvents(300);
        const double start = graph.currentPosition().valueOr(-1);
        pumpEvents(800);
        EXPECT_NEAR(graph.currentPosition().valueOr(-1) - start, 0.8 * rate, 0.25 * rate) << rate;
    }

    EXPECT_FALSE(graph.setVolume(1));
    EXPECT_FALSE(graph.setVolume(-10001));
    EXPECT_EQ(graph.volume(), -2270);
    EXPECT_FALSE(graph.setRate(0));
}

// AVI streams and frame rates reach the player through it: Opening.*.
TEST(MediaDetector, CountsStreamsAndRefusesWhatIsNoMovie) {
    MediaDetector detector;
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
    EXPECT_TRUE(waitUntil([&] { return streams >= 0; }, 5000));

    // Closing while a reading runs: waited for, nothing left, no answer.
    LiveObjects live;
    bool called = false;
    MediaDetector::detectInBackground(mediaPath("movie.mp4"), context.get(),
                                      [&](const MediaDetector&) { called = true; });
    context.reset();
    MediaDetector::waitForReadings();
    pumpEvents(100);
    EXPECT_FALSE(called);
    EXPECT_EQ(live.aliveElements(), 0);
}
