// Seek latency: how long from a seek on a playing graph to the first frame
// of the new position reaching the UI thread, and how long a graph takes
// from being built to its first frame.
//   vantor_seek_bench FILE [SEEKS]
#include "support/media/filter_graph.h"
#include "support/media/frame_sink.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <gst/gst.h>
#include <vector>

namespace {

bool waitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
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
    graph.stop();
    return 0;
}
