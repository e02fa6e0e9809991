// Seek latency: how long from a seek on a playing graph to the first frame
// of the new position reaching the UI thread, and how long a graph takes
// from being built to its first frame. Then the rates: at 0.5x, 1x and 2x,
// the frames the renderer took and dropped per second of movie, and the
// pitch of the sound as it is heard (the movie's tone, in Hz, counted per
// second of real time at the audio output).
//   vantor_seek_bench FILE [SEEKS]
#include "support/media/filter_graph.h"
#include "support/media/frame_sink.h"
#include "support/media/gst_graph_private.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <gst/audio/audio.h>
#include <gst/gst.h>
#include <sys/resource.h>
#include <vector>

namespace {

bool waitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        // Sleeps until an event comes or 5 ms pass: a busy loop here would
        // take a core from the graph.
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

// Sign changes of the first channel reaching the audio output: two per
// period of a tone, so their count per second of real time is twice the
// pitch the listener hears.
std::atomic<quint64> signChanges{0};

GstPadProbeReturn countSignChanges(GstPad* pad, GstPadProbeInfo* info, gpointer) {
    GstAudioInfo format;
    GstCaps* caps = gst_pad_get_current_caps(pad);
    const bool known = caps && gst_audio_info_from_caps(&format, caps);
    if (caps)
        gst_caps_unref(caps);
    GstMapInfo map;
    GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
    if (!known || !gst_buffer_map(buffer, &map, GST_MAP_READ))
        return GST_PAD_PROBE_OK;
    static double previous = 0;
    const gsize frames = map.size / GST_AUDIO_INFO_BPF(&format);
    for (gsize i = 0; i < frames; ++i) {
        const guint8* at = map.data + i * GST_AUDIO_INFO_BPF(&format);
        double value = 0;
        if (GST_AUDIO_INFO_FORMAT(&format) == GST_AUDIO_FORMAT_F32)
            value = *reinterpret_cast<const float*>(at);
        else if (GST_AUDIO_INFO_FORMAT(&format) == GST_AUDIO_FORMAT_S16)
            value = *reinterpret_cast<const gint16*>(at);
        if ((value < 0) != (previous < 0))
            ++signChanges;
        previous = value;
    }
    gst_buffer_unmap(buffer, &map);
    return GST_PAD_PROBE_OK;
}

// The first element made by `factory`, and named `name` when one is given
// (the subtitle reader is an appsink too).
GstElement* findByFactory(GstElement* pipeline, const char* factory, const char* name = nullptr) {
    GstElement* found = nullptr;
    gstgraph::visitAll<GstElement>(gst_bin_iterate_recurse(GST_BIN(pipeline)), [&](GstElement* e) {
        GstElementFactory* f = gst_element_get_factory(e);
        if (!found && f && g_str_equal(GST_OBJECT_NAME(f), factory) &&
            (!name || g_str_equal(GST_OBJECT_NAME(e), name)))
            found = GST_ELEMENT(gst_object_ref(e));
    });
    return found;
}

// What the video sink rendered and dropped so far.
std::pair<guint64, guint64> sinkCounts(GstElement* sink) {
    GstStructure* stats = nullptr;
    g_object_get(sink, "stats", &stats, nullptr);
    guint64 rendered = 0, dropped = 0;
    if (stats) {
        gst_structure_get_uint64(stats, "rendered", &rendered);
        gst_structure_get_uint64(stats, "dropped", &dropped);
        gst_structure_free(stats);
    }
    return {rendered, dropped};
}

double processCpu() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void measureRate(FilterGraph& graph, double rate, GstElement* videoSink) {
    FrameSink* frames = graph.frameSink();
    quint64 before = frames->framesReceived();
    graph.setCurrentPosition(1.0); // room for eight seconds at 2x
    waitFor([&] { return frames->framesReceived() > before + 1; }, 5000);
    // The switch is a seek to where the movie stands: it costs what
    // decoding from the keyframe before costs.
    QElapsedTimer wall;
    wall.start();
    before = frames->framesReceived();
    graph.setRate(rate);
    waitFor([&] { return frames->framesReceived() > before + 1; }, 5000);
    const double switchMs = wall.nsecsElapsed() / 1e6;
    waitFor([] { return false; }, 500);
    const double from = graph.currentPosition().valueOr(0);
    const auto [rendered, dropped] = sinkCounts(videoSink);
    const quint64 changes = signChanges;
    const double cpu = processCpu();
    wall.restart();
    waitFor([] { return false; }, 4000);
    const double movie = graph.currentPosition().valueOr(0) - from;
    const double real = wall.nsecsElapsed() / 1e9;
    const auto [renderedNow, droppedNow] = sinkCounts(videoSink);
    std::printf("rate %.1fx: switched in %.0f ms; then %.2f s of movie in %.2f s, %.2f frames "
                "rendered per movie second, %llu dropped, tone heard at %.0f Hz, %.2f CPU-s/s\n",
                rate, switchMs, movie, real, (renderedNow - rendered) / std::max(movie, 0.001),
                static_cast<unsigned long long>(droppedNow - dropped),
                (signChanges - changes) / 2.0 / real, (processCpu() - cpu) / real);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    gst_init(&argc, &argv);
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [SEEKS]\n", argv[0]);
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    const int seeks = argc > 2 ? std::max(1, atoi(argv[2])) : 10;

    QElapsedTimer clock;
    clock.start();
    FilterGraph graph;
    for (const RegFilterInfo& registered : FilterGraph::regFilterCollection())
        if (registered.name() == QLatin1String("Null Audio Renderer"))
            registered.filter(graph);
    if (!graph.renderFile(file) || !graph.run() || !graph.frameSink()) {
        std::fprintf(stderr, "cannot play %s\n", argv[1]);
        return 1;
    }
    FrameSink* frames = graph.frameSink();
    if (!waitFor([&] { return frames->framesDelivered() > 0; }, 10000)) {
        std::fprintf(stderr, "no frame within 10 s\n");
        return 1;
    }
    const double firstFrameMs = clock.nsecsElapsed() / 1e6;
    waitFor([&] { return graph.duration().ok(); }, 2000);
    const double length = graph.duration().valueOr(10);
    std::printf("file %s\nfirst frame (in process) %.1f ms\n", argv[1], firstFrameMs);

    // Frames at 1x over five seconds of movie, against the file's rate.
    waitFor([&] { return graph.currentPosition().valueOr(0) >= 1.0; }, 5000);
    const double fromPosition = graph.currentPosition().valueOr(0);
    const quint64 fromReceived = frames->framesReceived();
    const quint64 fromShown = frames->framesDelivered();
    waitFor([] { return false; }, 5000);
    const double movieSeconds = graph.currentPosition().valueOr(0) - fromPosition;
    std::printf("playback at 1x: %.2f s of movie, %llu frames rendered (%.2f/s), %llu shown "
                "(%.2f/s)\n",
                movieSeconds,
                static_cast<unsigned long long>(frames->framesReceived() - fromReceived),
                (frames->framesReceived() - fromReceived) / movieSeconds,
                static_cast<unsigned long long>(frames->framesDelivered() - fromShown),
                (frames->framesDelivered() - fromShown) / movieSeconds);

    std::vector<double> latencies;
    for (int i = 0; i < seeks; ++i) {
        const double target = length * (0.1 + 0.8 * ((i * 7) % seeks) / double(seeks));
        const quint64 before = frames->framesDelivered();
        clock.restart();
        graph.setCurrentPosition(target);
        if (waitFor([&] { return frames->framesDelivered() > before; }, 5000))
            latencies.push_back(clock.nsecsElapsed() / 1e6);
        QThread::msleep(200);
    }
    std::printf("seek latency median %.1f ms, max %.1f ms over %zu seeks\n", median(latencies),
                latencies.empty() ? 0 : *std::max_element(latencies.begin(), latencies.end()),
                latencies.size());

    // The rates, from the start of the movie so that 2x has room to run.
    GstElement* videoSink = findByFactory(graph.pipeline(), "appsink", "sink");
    GstElement* audioSink = findByFactory(graph.pipeline(), "fakesink");
    if (videoSink && audioSink) {
        GstPad* pad = gst_element_get_static_pad(audioSink, "sink");
        gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BUFFER, countSignChanges, nullptr, nullptr);
        gst_object_unref(pad);
        for (double rate : {1.0, 0.5, 2.0})
            measureRate(graph, rate, videoSink);
    }
    if (videoSink)
        gst_object_unref(videoSink);
    if (audioSink)
        gst_object_unref(audioSink);
    graph.stop();
    return 0;
}
