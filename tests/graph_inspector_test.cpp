// The inspector driven by name as a user drives it: add, connect through the pin dialog, render.
#include "graph_fixture.h"
#include "inspector/graph_inspector.h"
#include "support/media/frame_sink.h"

using testsupport::mediaPath;

namespace {

struct InspectorRig {
    Playback playback;
    GraphInspector inspector{playback};
    QString pickFilter; // what the user picks in the pin dialog, on its first pin

    InspectorRig() {
        inspector.runSelectPin = [this](PinSelector& selector) {
            if (!selector.listFilters.selectText(pickFilter))
                return false;
            selector.accept();
            return true;
        };
        inspector.NewGraph();
    }

    bool addRegistered(const QString& name) {
        if (!inspector.listRegFilters.selectText(name))
            return false;
        const int before = inspector.listFilters.count();
        inspector.cmdAddRegFilter_Click();
        return inspector.listFilters.count() == before + 1;
    }
};

} // namespace

TEST(GraphInspector, BuildsTheAviGraphByHandWithTheSecondAudioStreamAndPlaysIt) {
    InspectorRig rig;
    GraphInspector& inspector = rig.inspector;
    const QString movie = mediaPath("two-audio.avi");
    inspector.chooseSourceFile = [&] { return movie; };
    ASSERT_TRUE(rig.addRegistered("filesrc")) << "the file source is named by its file";
    ASSERT_TRUE(rig.addRegistered("null audio renderer")) << "names match regardless of case";
    ASSERT_TRUE(rig.addRegistered("AVI Splitter"));

    ASSERT_TRUE(inspector.listFilters.selectText(movie));
    rig.pickFilter = "AVI Splitter";
    inspector.cmdConnect_Click();

    ASSERT_TRUE(inspector.listFilters.selectText("AVI Splitter"));
    EXPECT_EQ(inspector.lblFilterName, "AVI Splitter");
    EXPECT_EQ(inspector.listPins.items(),
              QStringList({"sink", "Stream 00", "Stream 01", "Stream 02"}));
    EXPECT_EQ(inspector.txtPinInfo, QString("Connected to pin: src  on filter: %1 \nMedia Type: "
                                            "application/octet-stream \nDirection: Input")
                                        .arg(movie));

    ASSERT_TRUE(inspector.listPins.selectText("stream 00"));
    inspector.cmdRender_Click();
    ASSERT_TRUE(inspector.listFilters.selectText("AVI Splitter"));
    ASSERT_TRUE(inspector.listPins.selectText("Stream 02"));
    inspector.cmdRender_Click();

    ASSERT_TRUE(inspector.listFilters.selectText("AVI Splitter"));
    ASSERT_TRUE(inspector.listPins.selectText("Stream 01"));
    EXPECT_EQ(inspector.txtPinInfo, " \nDirection: Output");
    // Before the graph runs, the renderer shows the decoder output planned for it.
    ASSERT_TRUE(inspector.listFilters.selectText("Video Renderer"));
    EXPECT_EQ(inspector.txtPinInfo, "Connected to pin: video  on filter: Decoder \n"
                                    "Media Type: video/x-raw \nDirection: Input");

    FilterGraph& graph = *rig.playback.MediaControl();
    EXPECT_TRUE(findPin(findFilter(graph, "Null Audio Renderer"), "Input").connectedTo());
    GraphEvents events(graph);
    ASSERT_TRUE(graph.run());
    EXPECT_TRUE(testsupport::waitUntil([&] { return events.ended; }, 15000))
        << events.error.toStdString();
    EXPECT_GT(graph.frameSink()->framesDelivered(), 50u);
    EXPECT_EQ(graph.videoSize().valueOr({}), QSize(320, 240));
}

TEST(GraphInspector, PinDialogListsOnlyFiltersWithAFreePinOfTheOtherDirection) {
    InspectorRig rig;
    FilterGraph& graph = *rig.playback.MediaControl();
    const FilterInfo source = graph.addSourceFilter(mediaPath("one-audio.avi")).value();
    rig.inspector.RefreshFilters();
    ASSERT_TRUE(rig.addRegistered("AVI Splitter"));
    ASSERT_TRUE(rig.addRegistered("Video Renderer"));

    PinSelector& selector = rig.inspector.frmSelectPin;
    selector.graph = rig.playback.MediaControl();
    selector.direction = PinDirection::Output;
    selector.RefreshFilters();
    EXPECT_EQ(selector.listFilters.items(), QStringList({"Video Renderer", "AVI Splitter"}));
    EXPECT_EQ(selector.listPins.items(), QStringList({"Input"}));

    const MediaStatus linked =
        source.pins().first().connect(findPin(findFilter(graph, "AVI Splitter"), "sink"));
    ASSERT_TRUE(linked) << linked.error().toStdString();
    selector.RefreshFilters();
    EXPECT_EQ(selector.listFilters.items(), QStringList({"Video Renderer"}))
        << "a filter whose inputs are all connected is not offered";

    selector.direction = PinDirection::Input;
    selector.RefreshFilters();
    EXPECT_EQ(selector.listFilters.items(), QStringList({"AVI Splitter"}));
    EXPECT_EQ(selector.listPins.items(), QStringList({"Stream 00", "Stream 01"}));
}

TEST(GraphInspector, NamesThatMatchNothingSelectNothingAndCommandsFailQuietly) {
    InspectorRig rig;
    EXPECT_FALSE(rig.inspector.listRegFilters.selectText("No Such Filter"));
    rig.inspector.cmdRender_Click(); // nothing selected: nothing happens
    rig.inspector.cmdConnect_Click();
    EXPECT_EQ(rig.inspector.listFilters.count(), 0);

    // A cancelled open dialog leaves a blank file source, as the user left it.
    rig.inspector.chooseSourceFile = [] { return QString(); };
    ASSERT_TRUE(rig.inspector.listRegFilters.selectText("filesrc"));
    rig.inspector.cmdAddRegFilter_Click();
    EXPECT_EQ(rig.playback.MediaControl()->filterCollection().size(), 1);

    rig.inspector.NewGraph();
    EXPECT_EQ(rig.inspector.listFilters.count(), 0);
    EXPECT_TRUE(rig.playback.MediaControl()->filterCollection().isEmpty());
    EXPECT_EQ(rig.inspector.listRegFilters.listIndex(), 0);
    EXPECT_EQ(rig.inspector.listRegFilters.item(0), "AVI Splitter");
}
