#include "support/media/media_detector.h"

#include <QFileInfo>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <gst/pbutils/pbutils.h>

namespace {

QByteArray uriOf(const QString& path) {
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded();
}

GstDiscoverer* newDiscoverer(int timeoutMs, QString* failure) {
    GError* error = nullptr;
    GstDiscoverer* discoverer = gst_discoverer_new(GstClockTime(timeoutMs) * GST_MSECOND, &error);
    if (!discoverer)
        *failure = QString::fromUtf8(error ? error->message : "no discoverer");
    g_clear_error(&error);
    return discoverer;
}

// One reading on the UI thread's main loop: the discoverer's own threads
// read the file and its answer arrives as a signal. It belongs to the
// object that asked; when that object goes (the player closing), the
// reading is cut off with it.
class Detection : public QObject {
  public:
    Detection(GstDiscoverer* discoverer, QString path, QObject* context,
              std::function<void(const MediaDetector&)> done)
        : QObject(context), discoverer_(discoverer), path_(std::move(path)),
          done_(std::move(done)) {
        g_signal_connect(discoverer_, "discovered", G_CALLBACK(onDiscovered), this);
        gst_discoverer_start(discoverer_);
        if (!gst_discoverer_discover_uri_async(discoverer_, uriOf(path_).constData()))
            finish(nullptr, nullptr);
    }

    ~Detection() override {
        g_signal_handlers_disconnect_by_data(discoverer_, this);
        gst_discoverer_stop(discoverer_);
        g_object_unref(discoverer_);
    }

  private:
    static void onDiscovered(GstDiscoverer*, GstDiscovererInfo* info, GError* error,
                             gpointer self) {
        static_cast<Detection*>(self)->finish(info, error);
    }

    void finish(GstDiscovererInfo* info, const GError* error) {
        if (finished_)
            return;
        finished_ = true;
        MediaDetector detector;
        detector.takeInfo(path_, info, error);
        done_(detector);
        deleteLater(); // not from inside the discoverer's own signal
    }

    GstDiscoverer* discoverer_;
    QString path_;
    std::function<void(const MediaDetector&)> done_;
    bool finished_ = false;
};

} // namespace

MediaStatus MediaDetector::setFilename(const QString& path, int timeoutMs) {
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        return takeInfo(path, nullptr, nullptr);
    QString failure;
    GstDiscoverer* discoverer = newDiscoverer(timeoutMs, &failure);
    if (!discoverer) {
        takeInfo(path, nullptr, nullptr);
        return MediaStatus::failure(failure);
    }
    GError* error = nullptr;
    GstDiscovererInfo* info =
        gst_discoverer_discover_uri(discoverer, uriOf(path).constData(), &error);
    const MediaStatus status = takeInfo(path, info, error);
    g_clear_error(&error);
    if (info)
        gst_discoverer_info_unref(info);
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
    QString failure;
    GstDiscoverer* discoverer = QFileInfo(path).isFile() ? newDiscoverer(5000, &failure) : nullptr;
    if (!discoverer) {
        MediaDetector nothing;
        nothing.takeInfo(path, nullptr, nullptr);
        QPointer<QObject> receiver(context);
        // Answered as a reading would be: later, on the same thread.
        QMetaObject::invokeMethod(
            context,
            [receiver, nothing, done = std::move(done)] {
                if (receiver)
                    done(nothing);
            },
            Qt::QueuedConnection);
        return;
    }
    new Detection(discoverer, path, context, std::move(done));
}
