// FFmpeg's video decoders take one thread up to full HD and one a core
// above it, set in real graphs before they open.
#include "graph_fixture.h"
#include "support/media/decoder_threads.h"

#include <QTemporaryDir>
#include <gst/gst.h>

namespace {

// A two-picture H.264 movie of `size`.
bool writeMovie(const QString& path, QSize size) {
    const QString description =
        QStringLiteral("videotestsrc num-buffers=2 ! video/x-raw,width=%1,height=%2 ! x264enc "
                       "speed-preset=ultrafast ! matroskamux ! filesink location=\"%3\"")
            .arg(size.width())
            .arg(size.height())
            .arg(path);
    GstElement* pipeline = gst_parse_launch(description.toUtf8().constData(), nullptr);
    if (!pipeline)
        return false;
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* end = gst_bus_timed_pop_filtered(
        bus, 30 * GST_SECOND, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    const bool written = end && GST_MESSAGE_TYPE(end) == GST_MESSAGE_EOS;
    if (end)
        gst_message_unref(end);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return written;
}

// The max-threads of the graph's H.264 decoder; -1 when it has none.
int decoderThreads(FilterGraph& graph) {
    int threads = -1;
    GstIterator* it = gst_bin_iterate_recurse(GST_BIN(graph.pipeline()));
    GValue item = G_VALUE_INIT;
    while (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
        auto* element = GST_ELEMENT(g_value_get_object(&item));
        GstElementFactory* factory = gst_element_get_factory(element);
        if (factory && g_str_equal(GST_OBJECT_NAME(factory), "avdec_h264"))
            g_object_get(element, "max-threads", &threads, nullptr);
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(it);
    return threads;
}

} // namespace

TEST(DecoderThreads, OneUpToFullHdAndOneACoreAbove) {
    const struct {
        QSize size;
        int threads;
    } rule[] = {{{720, 576}, 1},   {{1920, 1080}, 1}, {{1920, 1088}, 1},
                {{2048, 1088}, 0}, {{3840, 2160}, 0}, {{0, 0}, 0}};
    for (const auto& [size, threads] : rule)
        EXPECT_EQ(decoderThreadsFor(size), threads) << size.width() << "x" << size.height();

    QTemporaryDir dir;
    for (const auto& [size, threads] : {std::pair{QSize(640, 360), 1}, {QSize(2560, 1440), 0}}) {
        const QString movie = dir.filePath(QStringLiteral("%1.mkv").arg(size.width()));
        ASSERT_TRUE(writeMovie(movie, size));
        FilterGraph graph;
        addRegistered(graph, "Null Audio Renderer");
        ASSERT_TRUE(graph.renderFile(movie));
        GraphEvents events(graph);
        ASSERT_TRUE(graph.pause());
        ASSERT_TRUE(events.waitForPreroll()) << events.error.toStdString();
        EXPECT_EQ(decoderThreads(graph), threads) << size.width();
    }
}
