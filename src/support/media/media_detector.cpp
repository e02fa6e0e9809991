#include "support/media/media_detector.h"

#include "support/media/file_probe.h"
#include "support/media/gst_graph_private.h"

#include <algorithm>

#include <QFileInfo>
#include <QMetaObject>
#include <QMutex>
#include <QPointer>
#include <QThread>

namespace {

// The readings under way, so the exit can wait for them.
QMutex workersMutex;
QList<QPointer<QThread>>& workers() {
    static QList<QPointer<QThread>> running;
    return running;
}

// The chapter starts of a table of contents, its nested editions walked
// through; a container gives them before its first data.
void addChapterStarts(const GList* entries, QList<double>& starts) {
    for (const GList* item = entries; item; item = item->next) {
        auto* entry = static_cast<GstTocEntry*>(item->data);
        gint64 start = 0, stop = 0;
        if (gst_toc_entry_get_entry_type(entry) == GST_TOC_ENTRY_TYPE_CHAPTER &&
            gst_toc_entry_get_start_stop_times(entry, &start, &stop) && start >= 0)
            starts.append(double(start) / GST_SECOND);
        addChapterStarts(gst_toc_entry_get_sub_entries(entry), starts);
    }
}

// What the container says of the whole movie before its first data.
struct ChapterCatch {
    QMutex mutex;
    QList<double> starts;
    QString title;
};

void catchTitle(GstEvent* event, ChapterCatch& caught) {
    GstTagList* tags = nullptr;
    gst_event_parse_tag(event, &tags);
    gchar* title = nullptr;
    if (gst_tag_list_get_scope(tags) == GST_TAG_SCOPE_GLOBAL &&
        gst_tag_list_get_string(tags, GST_TAG_TITLE, &title)) {
        QMutexLocker lock(&caught.mutex);
        caught.title = QString::fromUtf8(title);
    }
    g_free(title);
}

GstPadProbeReturn catchToc(GstPad*, GstPadProbeInfo* info, gpointer data) {
    GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
    if (GST_EVENT_TYPE(event) == GST_EVENT_TAG)
        catchTitle(event, *static_cast<ChapterCatch*>(data));
    if (GST_EVENT_TYPE(event) != GST_EVENT_TOC)
        return GST_PAD_PROBE_OK;
    GstToc* toc = nullptr;
    gst_event_parse_toc(event, &toc, nullptr);
    QList<double> starts;
    addChapterStarts(gst_toc_get_entries(toc), starts);
    gst_toc_unref(toc);
    std::sort(starts.begin(), starts.end());
    auto* caught = static_cast<ChapterCatch*>(data);
    QMutexLocker lock(&caught->mutex);
    if (caught->starts.isEmpty())
        caught->starts = starts;
    return GST_PAD_PROBE_OK;
}

// Streaming thread: each stream the parser finds ends in a queue and a
// sink that holds its first buffer, so the reading prerolls once every
// stream has shown its format. The queue keeps one stream's wait from
// starving the others of a demultiplexer that feeds them all.
void addFakeSink(GstElement* parser, GstPad* pad, gpointer pipeline) {
    gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM, catchToc,
                      g_object_get_data(G_OBJECT(parser), "vantor-chapters"), nullptr);
    GstElement* queue = gst_element_factory_make("queue", nullptr);
    GstElement* sink = gst_element_factory_make("fakesink", nullptr);
    gst_bin_add_many(GST_BIN(pipeline), queue, sink, nullptr);
    gst_element_link(queue, sink);
    GstPad* input = gst_element_get_static_pad(queue, "sink");
    gst_pad_link(pad, input);
    gst_object_unref(input);
    gst_element_sync_state_with_parent(sink);
    gst_element_sync_state_with_parent(queue);
}

} // namespace

MediaStatus MediaDetector::setFilename(const QString& path, int timeoutMs) {
    filename_ = path;
    read_ = false;
    streams_ = 0;
    frameRate_ = 0;
    duration_ = 0;
    chapters_.clear();
    title_.clear();
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        return MediaStatus::failure(QStringLiteral("Cannot open the file \"%1\".").arg(path));
    ChapterCatch chapters; // outlives the probe's streaming threads
    FileProbe probe(file.absoluteFilePath(), gst_element_factory_make("parsebin", nullptr));
    if (!probe.isReady())
        return MediaStatus::failure(QStringLiteral("The media framework cannot read files."));
    g_object_set_data(G_OBJECT(probe.reader()), "vantor-chapters", &chapters);
    g_signal_connect(probe.reader(), "pad-added", G_CALLBACK(addFakeSink), probe.pipeline());
    QString problem = QStringLiteral("The file is not a movie the player can read.");
    const GstMessageType end = probe.pauseUntil(GST_MESSAGE_ASYNC_DONE, timeoutMs);
    if (end == GST_MESSAGE_ASYNC_DONE) {
        takeStreams(probe.pipeline(), probe.reader());
        QMutexLocker lock(&chapters.mutex);
        chapters_ = chapters.starts;
        title_ = chapters.title;
    } else if (end == GST_MESSAGE_ERROR)
        problem = probe.error();
    if (read_)
        return MediaStatus::success();
    return MediaStatus::failure(problem);
}

void MediaDetector::takeStreams(GstElement* pipeline, GstElement* parser) {
    gstgraph::visitAll<GstPad>(gst_element_iterate_src_pads(parser), [this](GstPad* pad) {
        ++streams_;
        GstCaps* caps = gst_pad_get_current_caps(pad);
        const GstStructure* format = caps ? gst_caps_get_structure(caps, 0) : nullptr;
        int numerator = 0, denominator = 0;
        if (format && frameRate_ == 0 &&
            g_str_has_prefix(gst_structure_get_name(format), "video/") &&
            gst_structure_get_fraction(format, "framerate", &numerator, &denominator) &&
            denominator > 0)
            frameRate_ = double(numerator) / denominator;
        if (caps)
            gst_caps_unref(caps);
    });
    gint64 length = 0;
    if (gst_element_query_duration(pipeline, GST_FORMAT_TIME, &length) && length > 0)
        duration_ = double(length) / GST_SECOND;
    read_ = streams_ > 0;
}

MediaResult<int> MediaDetector::outputStreams() const {
    if (!read_)
        return MediaStatus::failure(QStringLiteral("No file has been read."));
    return streams_;
}

MediaResult<double> MediaDetector::frameRate() const {
    if (!read_)
        return MediaStatus::failure(QStringLiteral("No file has been read."));
    if (frameRate_ <= 0)
        return MediaStatus::failure(QStringLiteral("The file reports no frame rate."));
    return frameRate_;
}

void MediaDetector::detectInBackground(const QString& path, QObject* context,
                                       std::function<void(const MediaDetector&)> done) {
    QPointer<QObject> receiver(context);
    QThread* worker = QThread::create([path, receiver, done = std::move(done)] {
        MediaDetector detector;
        detector.setFilename(path);
        if (receiver)
            QMetaObject::invokeMethod(
                receiver.data(),
                [receiver, detector, done] {
                    if (receiver)
                        done(detector);
                },
                Qt::QueuedConnection);
    });
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    {
        QMutexLocker lock(&workersMutex);
        workers().removeAll(nullptr);
        workers().append(worker);
    }
    worker->start();
}

void MediaDetector::waitForReadings() {
    QList<QPointer<QThread>> running;
    {
        QMutexLocker lock(&workersMutex);
        running = workers();
        workers().clear();
    }
    for (const QPointer<QThread>& worker : running)
        if (worker)
            worker->wait();
}
