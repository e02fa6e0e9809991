// FFmpeg's video decoders take one thread up to full HD and one a core
// above it, set in real graphs before they open.
#include "graph_fixture.h"
#include "support/media/decoder_threads.h"

#include <QTemporaryDir>
#include <gst/gst.h>

namespace {

// The max-threads of the graph's H.264 decoder; -1 when it has none.
int decoderThreads(FilterGraph& graph) {
    int threads = -1;
    GstIterator* it =
        gst_bin_iterate_all_by_element_factory_name(GST_BIN(graph.pipeline()), "avdec_h264");
    GValue item = G_VALUE_INIT;
    if (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
        g_object_get(g_value_get_object(&item), "max-threads", &threads, nullptr);
        g_value_unset(&item);
    }
    gst_iterator_free(it);
    return threads;
}

} // namespace

TEST(DecoderThreads, OneUpToFullHdAndOneACoreAbove) {
    const std::pair<QSize, int> rule[] = {{{720, 576}, 1},   {{1920, 1080}, 1}, {{1920, 1088}, 1},
                                          {{2048, 1088}, 0}, {{3840, 2160}, 0}, {{0, 0}, 0}};
    for (const auto& [size, threads] : rule)
        EXPECT_EQ(decoderThreadsFor(size), threads) << size.width() << "x" << size.height();

    QTemporaryDir dir;
    for (const auto& [size, threads] : {std::pair{QSize(640, 360), 1}, {QSize(2560, 1440), 0}}) {
        const QString movie = dir.filePath(QStringLiteral("%1.mkv").arg(size.width()));
        ASSERT_TRUE(writeMovie(movie, size, 2));
        FilterGraph graph;
        addRegistered(graph, "Null Audio Renderer");
        ASSERT_TRUE(graph.renderFile(movie));
        GraphEvents events(graph);
        ASSERT_TRUE(graph.pause());
        ASSERT_TRUE(events.waitForPreroll()) << events.error.toStdString();
        EXPECT_EQ(decoderThreads(graph), threads) << size.width();
    }
}
