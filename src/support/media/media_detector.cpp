#include "support/media/media_detector.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QPointer>
#include <QThread>
#include <QUrl>
#include <gst/pbutils/pbutils.h>

MediaStatus MediaDetector::setFilename(const QString& path, int timeoutMs) {
    filename_ = path;
    read_ = false;
    streams_ = 0;
    frameRate_ = 0;
    duration_ = 0;
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        return MediaStatus::failure(QStringLiteral("Cannot open the file \"%1\".").arg(path));

    GError* error = nullptr;
    GstDiscoverer* discoverer = gst_discoverer_new(GstClockTime(timeoutMs) * GST_MSECOND, &error);
    if (!discoverer) {
        const QString text = QString::fromUtf8(error ? error->message : "no discoverer");
        g_clear_error(&error);
        return MediaStatus::failure(text);
    }
    const QByteArray uri = QUrl::fromLocalFile(file.absoluteFilePath()).toEncoded();
    GstDiscovererInfo* info = gst_discoverer_discover_uri(discoverer, uri.constData(), &error);
    const GstDiscovererResult result =
        info ? gst_discoverer_info_get_result(info) : GST_DISCOVERER_ERROR;
    QString failure;
    if (result != GST_DISCOVERER_OK) {
        failure = error ? QString::fromUtf8(error->message)
                        : QStringLiteral("The file is not a movie the player can read.");
    } else {
        GList* streams = gst_discoverer_info_get_stream_list(info);
        for (GList* item = streams; item; item = item->next) {
            auto* stream = GST_DISCOVERER_STREAM_INFO(item->data);
            if (GST_IS_DISCOVERER_CONTAINER_INFO(stream))
                continue;
            ++streams_;
            if (GST_IS_DISCOVERER_VIDEO_INFO(stream) && frameRate_ == 0) {
                auto* video = GST_DISCOVERER_VIDEO_INFO(stream);
                const guint denominator = gst_discoverer_video_info_get_framerate_denom(video);
                if (denominator)
                    frameRate_ =
                        double(gst_discoverer_video_info_get_framerate_num(video)) / denominator;
            }
        }
        gst_discoverer_stream_info_list_free(streams);
        const GstClockTime length = gst_discoverer_info_get_duration(info);
        duration_ = GST_CLOCK_TIME_IS_VALID(length) ? double(length) / GST_SECOND : 0;
        read_ = streams_ > 0;
        if (!read_)
            failure = QStringLiteral("The file has no streams.");
    }
    g_clear_error(&error);
    if (info)
        gst_discoverer_info_unref(info);
    g_object_unref(discoverer);
    return read_ ? MediaStatus::success() : MediaStatus::failure(failure);
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
                receiver.data(), [detector, done] { done(detector); }, Qt::QueuedConnection);
    });
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    worker->start();
}
