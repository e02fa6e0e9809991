// A filter graph on a GStreamer pipeline: control, position, rate, volume
// and video size. Bus messages are handed to the UI thread and leave as
// signals carrying the graph's id.
#include "support/media/decoder_threads.h"
#include "support/media/default_sound_sink.h"
#include "support/media/gst_graph_private.h"
#include "support/media/missing_parts.h"
#include "support/media/video_window.h"
#include "support/trace/first_frame_trace.h"

#include <QMetaObject>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <gst/audio/streamvolume.h>
#include <gst/pbutils/missing-plugins.h>
#include <memory>

using namespace gstgraph;

namespace {

std::atomic<quint64> nextGraphId{1};

// Whether `object` is an audio output or lies inside one.
bool inAudioOutput(GstObject* object) {
    for (; object; object = GST_OBJECT_PARENT(object)) {
        if (GST_IS_ELEMENT(object) && rendererKind(GST_ELEMENT(object)) == RendererKind::Audio)
            return true;
    }
    return false;
}

// The error's own words, and what it means for the user.
MediaError classify(GstMessage* message, QString* text) {
    GError* error = nullptr;
    gchar* debug = nullptr;
    gst_message_parse_error(message, &error, &debug);
    MediaError result;
    result.fault = MediaFault::Other;
    *text = QString::fromUtf8(error ? error->message : "Unknown error");
    result.detail =
        *text + QStringLiteral(" (") + QString::fromUtf8(debug ? debug : "") + QLatin1Char(')');
    if (error && error->domain == GST_RESOURCE_ERROR) {
        result.fault = error->code == GST_RESOURCE_ERROR_NOT_FOUND ? MediaFault::NotFound
                                                                   : MediaFault::Unreadable;
    } else if (error && error->domain == GST_STREAM_ERROR) {
        switch (error->code) {
        case GST_STREAM_ERROR_TYPE_NOT_FOUND:
        case GST_STREAM_ERROR_WRONG_TYPE:
            result.fault = MediaFault::NotMedia;
            break;
        case GST_STREAM_ERROR_CODEC_NOT_FOUND:
            result.fault = MediaFault::NoDecoder;
            break;
        default:
            result.fault = MediaFault::Damaged;
            break;
        }
    } else if (error && error->domain == GST_CORE_ERROR &&
               error->code == GST_CORE_ERROR_MISSING_PLUGIN) {
        result.fault = MediaFault::NoDecoder;
    }
    // A sound server that went away or a device unplugged: the file is
    // fine, whatever the sink's words.
    if (inAudioOutput(GST_MESSAGE_SRC(message)))
        result.fault = MediaFault::SoundOutput;
    g_clear_error(&error);
    g_free(debug);
    return result;
}

template <class Visit> void forEachElement(GstElement* pipeline, Visit visit) {
    visitAll<GstElement>(gst_bin_iterate_elements(GST_BIN(pipeline)), visit);
}

GstElement* firstRenderer(GstElement* pipeline, RendererKind kind = RendererKind::None) {
    GstElement* found = nullptr;
    forEachElement(pipeline, [&](GstElement* element) {
        const RendererKind is = rendererKind(element);
        if (!found && is != RendererKind::None && (kind == RendererKind::None || kind == is))
            found = element; // the pipeline keeps it alive
    });
    return found;
}

GstElement* firstVideoRenderer(GstElement* pipeline) {
    return firstRenderer(pipeline, RendererKind::Video);
}

// The media type a missing-plugin message asks a decoder for.
QString missingMediaType(GstMessage* message) {
    GstCaps* caps = nullptr;
    if (!gst_structure_get(gst_message_get_structure(message), "detail", GST_TYPE_CAPS, &caps,
                           nullptr) ||
        !caps)
        return {};
    QString type;
    if (!gst_caps_is_empty(caps) && !gst_caps_is_any(caps))
        type = QString::fromUtf8(gst_structure_get_name(gst_caps_get_structure(caps, 0)));
    gst_caps_unref(caps);
    return type;
}

bool forwarded(GstMessage* message, FilterGraph* graph) {
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ERROR:
    case GST_MESSAGE_EOS:
    case GST_MESSAGE_ASYNC_DONE:
    case GST_MESSAGE_ELEMENT:
    case GST_MESSAGE_STREAM_COLLECTION:
        return true;
    case GST_MESSAGE_APPLICATION:
        return isTextCue(message);
    case GST_MESSAGE_STATE_CHANGED:
        return GST_MESSAGE_SRC(message) == GST_OBJECT(graph->pipeline());
    default:
        return false;
    }
}

// A handler that drops a message owns it. The call queued for the UI
// thread takes the message over; a graph destroyed before the call runs
// drops the call, and with it the message and the source it holds, so
// nothing of the graph stays behind.
GstBusSyncReply onBusMessage(GstBus*, GstMessage* message, gpointer self) {
    auto* graph = static_cast<FilterGraph*>(self);
    if (!forwarded(message, graph)) {
        gst_message_unref(message);
        return GST_BUS_DROP;
    }
    std::shared_ptr<GstMessage> held(message, gst_message_unref);
    QMetaObject::invokeMethod(
        graph, [graph, held] { graph->handleBusMessage(held.get()); }, Qt::QueuedConnection);
    return GST_BUS_DROP;
}

// From the sound server's thread: the stream's volume moved.
void onStreamVolume(GObject* sink, GParamSpec*, gpointer self) {
    auto* graph = static_cast<FilterGraph*>(self);
    const double linear =
        gst_stream_volume_get_volume(GST_STREAM_VOLUME(sink), GST_STREAM_VOLUME_FORMAT_LINEAR);
    QMetaObject::invokeMethod(
        graph, [graph, linear] { graph->takeServerVolume(linear); }, Qt::QueuedConnection);
}

// autoaudiosink makes its real sink when it starts; decodebin3 makes its
// decoders as the streams show up. Only a sink's volume is the server's:
// the output's own volume stage changes only when the player sets it.
void onDeepElementAdded(GstBin*, GstBin*, GstElement* element, gpointer self) {
    if (GST_IS_STREAM_VOLUME(element) && GST_OBJECT_FLAG_IS_SET(element, GST_ELEMENT_FLAG_SINK))
        static_cast<FilterGraph*>(self)->followServerVolume(element);
    watchDecoderThreads(element);
}

} // namespace

FilterGraph::FilterGraph() : id_(nextGraphId++) {
    pipeline_ = gst_pipeline_new(QStringLiteral("graph %1").arg(id_).toUtf8().constData());
    gst_object_ref_sink(pipeline_);
    GstBus* bus = gst_element_get_bus(pipeline_);
    gst_bus_set_sync_handler(bus, onBusMessage, this, nullptr);
    gst_object_unref(bus);
    g_signal_connect(pipeline_, "deep-element-added", G_CALLBACK(onDeepElementAdded), this);
    prerollTimer_ = new QTimer(this);
    prerollTimer_->setSingleShot(true);
    prerollTimer_->setInterval(kPrerollTimeoutMs);
    connect(prerollTimer_, &QTimer::timeout, this, &FilterGraph::onPrerollTimeout);
}

FilterGraph::~FilterGraph() {
    // Streaming threads end first, so none is still posting to us; calls
    // already queued go with this object.
    gst_element_set_state(pipeline_, GST_STATE_NULL);
    GstBus* bus = gst_element_get_bus(pipeline_);
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    gst_object_unref(bus);
    if (collection_)
        gst_object_unref(collection_);
    if (decoder_)
        gst_object_unref(decoder_);
    gst_object_unref(pipeline_);
}

void FilterGraph::handleBusMessage(void* raw) {
    auto* message = static_cast<GstMessage*>(raw);
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ERROR: {
        QString text;
        const MediaError error = classify(message, &text);
        fail(error, text);
        break;
    }
    case GST_MESSAGE_EOS:
        Q_EMIT endOfStream(id_);
        break;
    case GST_MESSAGE_ASYNC_DONE:
        if (target_ == GraphState::Stopped)
            break;
        prerollTimer_->stop();
        if (!prerolled_) {
            prerolled_ = true;
            firstframe::mark("graph prerolled");
            defaultsound::notePlayed(GST_BIN(pipeline_));
            applyPendingSeek();
            Q_EMIT prerolled(id_);
        }
        break;
    case GST_MESSAGE_ELEMENT:
        if (gst_is_missing_plugin_message(message)) {
            gchar* what = gst_missing_plugin_message_get_description(message);
            MediaError error{MediaFault::NoDecoder, QString::fromUtf8(what), {}, {}};
            g_free(what);
            // "H.264 decoder" names the format by what is missing.
            if (error.format.endsWith(QLatin1String(" decoder")))
                error.format.chop(8);
            error.detail = QStringLiteral("missing ") + error.format;
            error.package = missingparts::packageForFormat(missingMediaType(message));
            fail(error, QStringLiteral("No decoder is installed for %1.").arg(error.format));
        }
        break;
    case GST_MESSAGE_STREAM_COLLECTION: {
        GstStreamCollection* collection = nullptr;
        gst_message_parse_stream_collection(message, &collection);
        takeStreams(GST_ELEMENT(GST_MESSAGE_SRC(message)), collection);
        break;
    }
    case GST_MESSAGE_APPLICATION:
        takeText(message);
        break;
    case GST_MESSAGE_STATE_CHANGED: {
        GstState newState;
        gst_message_parse_state_changed(message, nullptr, &newState, nullptr);
        if ((newState == GST_STATE_PLAYING && target_ == GraphState::Running) ||
            (newState == GST_STATE_PAUSED && target_ == GraphState::Paused) ||
            (newState == GST_STATE_READY && target_ == GraphState::Stopped))
            Q_EMIT stateChanged(id_, target_);
        break;
    }
    default:
        break;
    }
}

// The first failure stops the graph; the errors that follow it (every
// element downstream reports the same cut) add nothing.
void FilterGraph::fail(MediaError error, const QString& message) {
    if (failure_)
        return;
    failure_ = std::move(error);
    failedAt_ = currentPosition().valueOr(0.0);
    prerollTimer_->stop();
    gst_element_set_state(pipeline_, GST_STATE_READY);
    target_ = GraphState::Stopped;
    prerolled_ = false;
    Q_EMIT errorOccurred(id_, message);
}

void FilterGraph::onPrerollTimeout() {
    if (prerolled_ || target_ == GraphState::Stopped)
        return;
    fail(
        {MediaFault::Stalled, {}, QStringLiteral("no first frame"), {}},
        QStringLiteral("The movie did not start within %1 seconds.").arg(kPrerollTimeoutMs / 1000));
}

MediaStatus FilterGraph::changeState(GraphState target) {
    static constexpr GstState kStates[] = {GST_STATE_READY, GST_STATE_PAUSED, GST_STATE_PLAYING};
    if (target != GraphState::Stopped)
        updateLocks(GST_BIN(pipeline_));
    target_ = target;
    if (target != GraphState::Stopped)
        failure_ = {}; // a fresh start
    if (target == GraphState::Stopped) {
        prerolled_ = false;
        prerollTimer_->stop();
    }
    const GstStateChangeReturn result = gst_element_set_state(pipeline_, kStates[int(target)]);
    if (result == GST_STATE_CHANGE_FAILURE) {
        // A graph that cannot change state is left stopped, ready to retry.
        gst_element_set_state(pipeline_, GST_STATE_READY);
        target_ = GraphState::Stopped;
        prerolled_ = false;
        return MediaStatus::failure(QStringLiteral("The graph cannot start."));
    }
    if (target != GraphState::Stopped && !prerolled_ && !prerollTimer_->isActive())
        prerollTimer_->start();
    if (result == GST_STATE_CHANGE_SUCCESS && target != GraphState::Stopped && !prerolled_ &&
        !firstRenderer(pipeline_)) {
        // Nothing has to preroll (no renderer): the graph is ready at once.
        prerolled_ = true;
        prerollTimer_->stop();
        applyPendingSeek();
    }
    return MediaStatus::success();
}

MediaStatus FilterGraph::run() {
    firstframe::mark("graph asked to run");
    return changeState(GraphState::Running);
}
MediaStatus FilterGraph::pause() {
    return changeState(GraphState::Paused);
}
MediaStatus FilterGraph::stop() {
    return changeState(GraphState::Stopped);
}

MediaResult<double> FilterGraph::duration() const {
    gint64 nanoseconds = 0;
    if (!gst_element_query_duration(pipeline_, GST_FORMAT_TIME, &nanoseconds) || nanoseconds < 0)
        return MediaStatus::failure(QStringLiteral("The duration is not known yet."));
    return double(nanoseconds) / GST_SECOND;
}

MediaResult<double> FilterGraph::currentPosition() const {
    if (pendingSeek_ >= 0)
        return pendingSeek_;
    if (!prerolled_)
        return 0.0;
    gint64 nanoseconds = 0;
    if (!gst_element_query_position(pipeline_, GST_FORMAT_TIME, &nanoseconds) || nanoseconds < 0)
        return MediaStatus::failure(QStringLiteral("The position is not known."));
    return double(nanoseconds) / GST_SECOND;
}

MediaStatus FilterGraph::seek(double seconds, double rate, bool toKeyFrameAfter) {
    const auto flags = GstSeekFlags(
        GST_SEEK_FLAG_FLUSH | (toKeyFrameAfter ? GST_SEEK_FLAG_KEY_UNIT | GST_SEEK_FLAG_SNAP_AFTER
                                               : GST_SEEK_FLAG_ACCURATE));
    const gint64 position = gint64(std::max(0.0, seconds) * GST_SECOND);
    if (!gst_element_seek(pipeline_, rate, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET, position,
                          GST_SEEK_TYPE_NONE, GST_CLOCK_TIME_NONE))
        return MediaStatus::failure(QStringLiteral("The graph cannot seek."));
    return MediaStatus::success();
}

void FilterGraph::applyPendingSeek() {
    // A graph starts at 0 at normal speed: nothing to do, and no seek to
    // delay the first frame.
    if (pendingSeek_ <= 0 && rate_ == 1.0) {
        pendingSeek_ = -1;
        return;
    }
    const double position = pendingSeek_ >= 0 ? pendingSeek_ : 0.0;
    pendingSeek_ = -1;
    seek(position, rate_);
}

MediaStatus FilterGraph::setCurrentPosition(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0)
        return MediaStatus::failure(QStringLiteral("Invalid position."));
    if (!prerolled_) {
        pendingSeek_ = seconds; // applied once the graph has prerolled
        return MediaStatus::success();
    }
    return seek(seconds, rate_);
}

MediaStatus FilterGraph::skipTo(double seconds) {
    if (!prerolled_)
        return setCurrentPosition(seconds);
    return seek(seconds, rate_, true);
}

MediaStatus FilterGraph::setRate(double rate) {
    if (!std::isfinite(rate) || rate < 0.25 || rate > 4.0)
        return MediaStatus::failure(QStringLiteral("Unsupported rate."));
    rate_ = rate;
    if (!prerolled_)
        return MediaStatus::success();
    // A flushing seek from where we are applies the rate; the audio keeps
    // its pitch through scaletempo.
    return seek(currentPosition().valueOr(0.0), rate_);
}

void FilterGraph::applyVolumeTo(GstElement* audioOutput) const {
    const double linear = volume_ <= -10000 ? 0.0 : std::pow(10.0, volume_ / 2000.0);
    // Where the server keeps the stream's volume, the level is set there.
    if (GstElement* sink = streamVolumeSink(audioOutput)) {
        followServerVolume(sink);
        auto* stream = GST_STREAM_VOLUME(sink);
        gst_stream_volume_set_volume(stream, GST_STREAM_VOLUME_FORMAT_LINEAR, linear);
        gst_stream_volume_set_mute(stream, linear <= 0.0);
        gst_object_unref(sink);
        return;
    }
    GstElement* volume = gst_bin_get_by_name(GST_BIN(audioOutput), "volume");
    if (!volume)
        return;
    g_object_set(volume, "volume", linear, nullptr);
    gst_object_unref(volume);
}

void FilterGraph::followServerVolume(GstElement* sink) const {
    static const char* const kFollowed = "vantor-volume-followed";
    if (g_object_get_data(G_OBJECT(sink), kFollowed))
        return;
    g_object_set_data(G_OBJECT(sink), kFollowed, GINT_TO_POINTER(1));
    g_signal_connect(sink, "notify::volume", G_CALLBACK(onStreamVolume),
                     const_cast<FilterGraph*>(this));
}

void FilterGraph::takeServerVolume(double linear) {
    const int level =
        linear <= 0 ? -10000 : std::clamp(int(std::lround(2000 * std::log10(linear))), -10000, 0);
    // The server's own rounding of a level the player set is no change.
    if (std::abs(level - volume_) <= 5 || volume_ <= -10000)
        return;
    volume_ = level;
    Q_EMIT volumeChangedOnServer(level);
}

MediaStatus FilterGraph::setVolume(int hundredthsDb) {
    if (hundredthsDb < -10000 || hundredthsDb > 0)
        return MediaStatus::failure(QStringLiteral("The volume must be between -10000 and 0."));
    volume_ = hundredthsDb;
    bool any = false;
    forEachElement(pipeline_, [&](GstElement* element) {
        if (rendererKind(element) == RendererKind::Audio) {
            applyVolumeTo(element);
            any = true;
        }
    });
    return any ? MediaStatus::success()
               : MediaStatus::failure(QStringLiteral("The graph has no audio output."));
}

MediaResult<QSize> FilterGraph::videoSize() const {
    GstElement* renderer = firstVideoRenderer(pipeline_);
    const QSize size = renderer ? videoSizeOf(renderer) : QSize();
    if (size.isEmpty())
        return MediaStatus::failure(QStringLiteral("No video size is known."));
    return size;
}

MediaResult<QSize> FilterGraph::sourceSize() const {
    return videoSize();
}

VideoWindow* FilterGraph::videoWindow() const {
    GstElement* renderer = firstVideoRenderer(pipeline_);
    return renderer ? videoWindowOf(renderer) : nullptr;
}

FrameSink* FilterGraph::frameSink() const {
    GstElement* renderer = firstVideoRenderer(pipeline_);
    return renderer ? videoFrames(renderer) : nullptr;
}

// ---------------------------------------------------------------------------

namespace {
VideoWindowFactory& windowFactory() {
    static VideoWindowFactory factory;
    return factory;
}
} // namespace

void setVideoWindowFactory(VideoWindowFactory factory) {
    windowFactory() = std::move(factory);
}

std::unique_ptr<VideoWindow> makeVideoWindow(FrameSink* frames) {
    return windowFactory() ? windowFactory()(frames) : nullptr;
}
