// Small models the windows lean on: lists, the frame hand-over, filter properties.
#include "graph_fixture.h"
#include "inspector/property_page.h"
#include "support/media/frame_sink.h"
#include "support/models/audio_device_names.h"
#include "support/models/selectable_list.h"

#include <QTableWidget>
#include <chrono>
#include <future>
#include <gst/gst.h>
#include <optional>
#include <thread>

TEST(SelectableList, SelectsByNameRegardlessOfCaseAndKeepsTheSelectionValid) {
    SelectableList list;
    int clicks = 0;
    QObject::connect(&list, &SelectableList::clicked, [&] { ++clicks; });
    list.addItem("AVI Splitter");
    list.addItem("Stream 00");
    list.addItem("stream 00");
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_TRUE(list.selectText("STREAM 00"));
    EXPECT_EQ(list.text(), "Stream 00") << "the first match wins";
    EXPECT_FALSE(list.selectText("Stream 0"));
    EXPECT_EQ(list.listIndex(), 1) << "a miss keeps the selection";
    // Indexes past either end are ignored, as a list box does; -1 clears.
    for (int outside : {3, 7, -2})
        list.setListIndex(outside);
    EXPECT_EQ(list.listIndex(), 1) << "an index not in the list keeps the selection";
    EXPECT_EQ(clicks, 1) << "and is no click";
    list.setListIndex(-1);
    EXPECT_EQ(list.listIndex(), -1);
    // Callers remove the selected entry, if any: no neighbour is selected instead.
    list.setListIndex(2);
    list.removeItem(2);
    EXPECT_EQ(list.listIndex(), -1);
    list.removeItem(-1);
    EXPECT_EQ(list.items(), (QStringList{"AVI Splitter", "Stream 00"}));
    EXPECT_EQ(clicks, 3) << "removals are no clicks";
}

TEST(FrameSink, HandsOnlyTheNewestFrameToTheUiThread) {
    FrameSink sink;
    int ready = 0;
    QObject::connect(&sink, &FrameSink::frameReady, [&] { ++ready; });
    std::thread([&] { // the streaming thread
        for (int i = 1; i <= 3; ++i)
            sink.push(testsupport::i420Frame(8 * i, 8), 1.5);
    })
        .join();
    testsupport::pumpEvents(50);
    EXPECT_EQ(ready, 1) << "three pushes before the UI ran give one delivery";
    EXPECT_EQ(sink.frameSize(), QSize(24, 8));
    EXPECT_EQ(sink.pixelAspect(), 1.5);
    EXPECT_EQ(sink.framesDelivered(), 1u);
}

namespace {

// A frame whose buffer, when let go, checks that another thread can push meanwhile.
struct ReleaseProbe {
    explicit ReleaseProbe(FrameSink& frames) : sink(&frames) {}
    FrameSink* sink;
    std::future<void> otherPush;
    std::optional<bool> sinkWasFree;
    unsigned char pixels[192] = {}; // 16x8 I420
};

VideoFrame probedFrame(ReleaseProbe& probe) {
    GstBuffer* buffer = gst_buffer_new_wrapped_full(
        GstMemoryFlags(0), probe.pixels, 192, 0, 192, &probe, [](gpointer data) {
            auto* probe = static_cast<ReleaseProbe*>(data);
            probe->otherPush = std::async(std::launch::async, [sink = probe->sink] {
                sink->push(testsupport::i420Frame(8, 8), 1.0);
            });
            probe->sinkWasFree =
                probe->otherPush.wait_for(std::chrono::seconds(2)) == std::future_status::ready;
        });
    GstCaps* caps = gst_caps_from_string("video/x-raw,format=I420,width=16,height=8");
    GstSample* sample = gst_sample_new(buffer, caps, nullptr, nullptr);
    VideoFrame frame = VideoFrame::fromSample(sample);
    gst_sample_unref(sample);
    gst_caps_unref(caps);
    gst_buffer_unref(buffer);
    return frame;
}

} // namespace

// A decoder taking back its buffer may wait on its own thread, pushing to this sink:
// frames are let go with the lock free, whether replaced unseen or shown and passed.
TEST(FrameSink, LetsFramesGoOnlyWithItsLockFree) {
    FrameSink sink;
    ReleaseProbe replaced(sink);
    sink.push(probedFrame(replaced), 1.0);
    sink.push(testsupport::i420Frame(8, 8), 1.0);
    ASSERT_TRUE(replaced.sinkWasFree.has_value()) << "let go at once";
    EXPECT_TRUE(*replaced.sinkWasFree) << "on the streaming thread";

    ReleaseProbe shown(sink);
    sink.push(probedFrame(shown), 1.0);
    ASSERT_TRUE(testsupport::waitUntil([&] { return sink.frameSize() == QSize(16, 8); }, 2000));
    sink.push(testsupport::i420Frame(8, 8), 1.0);
    ASSERT_TRUE(testsupport::waitUntil([&] { return shown.sinkWasFree.has_value(); }, 4000));
    EXPECT_TRUE(*shown.sinkWasFree) << "on the UI thread";
}

TEST(FilterProperties, ListsValuesAndChangesOnlyWritableOnesToValidValues) {
    FilterGraph graph;
    const FilterInfo splitter = addRegistered(graph, "AVI Splitter");
    const FilterInfo dynamic = addRegistered(graph, "Dedynamic");
    auto find = [](const FilterInfo& filter, const QString& name) {
        for (const FilterProperty& property : filter.properties())
            if (property.name == name)
                return property;
        return FilterProperty{};
    };
    EXPECT_TRUE(find(dynamic, "ratio").writable);
    EXPECT_TRUE(dynamic.setProperty("ratio", "0.25"));
    EXPECT_FALSE(dynamic.setProperty("ratio", "loud"));
    EXPECT_FALSE(dynamic.setProperty("threshold", "7")) << "outside 0..1";
    EXPECT_FALSE(dynamic.setProperty("no-such-property", "1"));
    EXPECT_EQ(find(dynamic, "ratio").value.toDouble(), 0.25);
    EXPECT_EQ(find(splitter, "name").value, "AVI Splitter");

    PropertyPage page(dynamic, nullptr);
    auto* table = page.findChild<QTableWidget*>();
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->text() == "ratio") {
            table->item(row, 1)->setText("0.5");
            EXPECT_EQ(find(dynamic, "ratio").value.toDouble(), 0.5);
        }
    }
}

TEST(AudioDeviceNames, EqualDescriptionsAreToldApartByTheServersId) {
    const QStringList outputs{"Null Audio Renderer", "Default Audio Output"};
    const std::tuple<QList<AudioDeviceEntry>, QStringList, QStringList> cases[] = {
        // clang-format off
        {{{"alsa_output.pci", "Built-in Audio"}, {"bluez_sink.AA", "Headphones"}}, {},
         {"Built-in Audio", "Headphones"}},
        {{{"vantor_a", "Speakers"}, {"hdmi", "HDMI"}, {"vantor_b", "Speakers"}}, {},
         {"Speakers (vantor_a)", "HDMI", "Speakers (vantor_b)"}},
        {{{"odd", "Default Audio Output"}}, outputs, {"Default Audio Output (odd)"}},
        {{{"vantor_c", ""}}, {}, {"(vantor_c)"}}, // no description: the id alone
        {{}, {}, {}},
        // clang-format on
    };
    for (const auto& [devices, taken, names] : cases)
        EXPECT_EQ(audioDeviceNames(devices, taken), names) << names.join(", ").toStdString();
}
