#include "support/media/media_detector.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QMutex>
#include <QPointer>
#include <QThread>
#include <QUrl>
#include <gst/pbutils/pbutils.h>

namespace {

// The readings under way, so the exit can wait for them.
QMutex workersMutex;
QList<QPointer<QThread>>& workers() {
    static QList<QPointer<QThread>> running;
    return running;
}

} // namespace

MediaStatus MediaDetector::setFilename(const QString& path, int timeoutMs) {
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        return takeInfo(path, nullptr, nullptr);
    GError* error = nullptr;
    GstDiscoverer* discoverer = gst_discoverer_new(GstClockTime(timeoutMs) * GST_MSECOND, &error);
    GstDiscovererInfo* info = nullptr;
    if (discoverer) {
        const QByteArray uri = QUrl::fromLocalFile(file.absoluteFilePath()).toEncoded();
        info = gst_discoverer_discover_uri(discoverer, uri.constData(), &error);
    }
    const MediaStatus status = takeInfo(path, info, error);
    g_clear_error(&error);
    if (info)
        gst_discoverer_info_unref(info);
    if (discoverer)
        g_object_unref(discoverer);
    return status;
}

MediaStatus MediaDetector::takeInfo(const QString& path, GstDiscovererInfo* info,
                                    const GError* error) {
    filename_ = path;
    read_ = false;
    streams_ = 0;
    frameRate_ = 0;
    duration_ = 0;
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        return MediaStatus::failure(QStringLiteral("Cannot open the file \"%1\".").arg(path));
    if (!info || gst_discoverer_info_get_result(info) != GST_DISCOVERER_OK)
        return MediaStatus::failure(
            error ? QString::fromUtf8(error->message)
                  : QStringLiteral("The file is not a movie the player can read."));
    GList* streams = gst_discoverer_info_get_stream_list(info);
    for (GList* item = streams; item; item = item->next) {
        auto* stream = GST_DISCOVERER_STREAM_INFO(item->data);
        if (GST_IS_DISCOVERER_CONTAINER_INFO(stream))
            continue;
        ++streams_;
        if (GST_IS_DISCOVERER_VIDEO_INFO(stream) && frameRate_ == 0) {
            auto* video = GST_DISCOVERER_VIDEO_INFO(stream);
            if (const guint denominator = gst_discoverer_video_info_get_framerate_denom(video))
                frameRate_ =
                    double(gst_discoverer_video_info_get_framerate_num(video)) / denominator;
        }
    }
    gst_discoverer_stream_info_list_free(streams);
    const GstClockTime length = gst_discoverer_info_get_duration(info);
    duration_ = GST_CLOCK_TIME_IS_VALID(length) ? double(length) / GST_SECOND : 0;
    read_ = streams_ > 0;
    return read_ ? MediaStatus::success()
                 : MediaStatus::failure(QStringLiteral("The file has no streams."));
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
