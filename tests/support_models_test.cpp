// Small models the windows lean on: lists with a selection, the frame
// hand-over between threads, filter properties, and signal delivery.
#include "app/unix_signals.h"
#include "graph_fixture.h"
#include "inspector/property_page.h"
#include "support/media/frame_sink.h"
#include "support/models/selectable_list.h"

#include <QTableWidget>
#include <QThread>
#include <csignal>

TEST(SelectableList, SelectsByNameRegardlessOfCaseAndKeepsTheSelectionValid) {
    SelectableList list;
    int clicks = 0;
    QObject::connect(&list, &SelectableList::clicked, [&] { ++clicks; });
    list.addItem("AVI Splitter");
    list.addItem("Stream 00");
    list.addItem("stream 00");
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_TRUE(list.text().isEmpty());
    EXPECT_TRUE(list.selectText("STREAM 00"));
    EXPECT_EQ(list.listIndex(), 1) << "the first match wins";
    EXPECT_FALSE(list.selectText("Stream 0"));
    EXPECT_EQ(list.listIndex(), 1) << "a miss keeps the selection";
    // Indexes past either end are ignored, as a list box does; -1 clears.
    for (int outside : {3, 7, -2})
        list.setListIndex(outside);
    EXPECT_EQ(list.listIndex(), 1) << "an index not in the list keeps the selection";
    EXPECT_EQ(clicks, 1) << "and is no click";
    list.setListIndex(-1);
    EXPECT_EQ(list.listIndex(), -1);
    // Removals: the selection stays on its entry; removing it selects none.
    list.setListIndex(2);
    list.removeItem(0);
    EXPECT_EQ(list.text(), "stream 00") << "an entry above it removed";
    list.removeItem(0);
    EXPECT_EQ(list.text(), "stream 00");
    list.removeItem(0);
    EXPECT_EQ(list.listIndex(), -1) << "the selected entry removed, no neighbour instead";
    list.removeItem(5);
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(clicks, 3) << "removals are no clicks";
}

TEST(FrameSink, HandsOnlyTheNewestFrameToTheUiThread) {
    FrameSink sink;
    int ready = 0;
    QObject::connect(&sink, &FrameSink::frameReady, [&] { ++ready; });
    QThread* streaming = QThread::create([&] {
        for (int i = 1; i <= 3; ++i)
            sink.push(testsupport::i420Frame(8 * i, 8), 1.5);
    });
    streaming->start();
    streaming->wait();
    delete streaming;
    testsupport::pumpEvents(50);
    EXPECT_EQ(ready, 1) << "three pushes before the UI ran give one delivery";
    EXPECT_EQ(sink.frameSize(), QSize(24, 8));
    EXPECT_EQ(sink.pixelAspect(), 1.5);
    EXPECT_EQ(sink.framesDelivered(), 1u);
}

TEST(FilterProperties, ListsValuesAndChangesOnlyWritableOnesToValidValues) {
    FilterGraph graph;
    const FilterInfo splitter = addRegistered(graph, "AVI Splitter");
    const FilterInfo dynamic = addRegistered(graph, "Dedynamic");
    ASSERT_FALSE(dynamic.isNull());
    auto find = [](const FilterInfo& filter, const QString& name) {
        for (const FilterProperty& property : filter.properties())
            if (property.name == name)
                return property;
        return FilterProperty{};
    };
    EXPECT_TRUE(find(dynamic, "ratio").writable);
    EXPECT_TRUE(dynamic.setProperty("ratio", "0.25"));
    EXPECT_EQ(find(dynamic, "ratio").value.toDouble(), 0.25);
    EXPECT_FALSE(dynamic.setProperty("ratio", "loud"));
    EXPECT_FALSE(dynamic.setProperty("threshold", "7")) << "outside 0..1";
    EXPECT_FALSE(dynamic.setProperty("no-such-property", "1"));
    EXPECT_EQ(find(dynamic, "ratio").value.toDouble(), 0.25);
    EXPECT_EQ(find(splitter, "name").value, "AVI Splitter");

    PropertyPage page(dynamic, nullptr);
    auto* table = page.findChild<QTableWidget*>();
    ASSERT_NE(table, nullptr);
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->text() == "ratio") {
            table->item(row, 1)->setText("0.5");
            EXPECT_EQ(find(dynamic, "ratio").value.toDouble(), 0.5);
        }
    }
}

TEST(UnixSignals, TerminationSignalsArriveOnTheEventLoop) {
    int requests = 0;
    {
        UnixSignals watcher;
        QObject::connect(&watcher, &UnixSignals::terminateRequested, [&] { ++requests; });
        std::raise(SIGTERM);
        std::raise(SIGINT);
        testsupport::waitUntil([&] { return requests == 2; }, 2000);
    }
    EXPECT_EQ(requests, 2);
}
