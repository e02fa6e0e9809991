// The player's own filters (renderers, audio outputs) and the list of
// filters a graph can add by name.
#include "support/media/decoder_effects.h"
#include "support/media/default_sound_sink.h"
#include "support/media/frame_sink.h"
#include "support/media/gst_graph_private.h"
#include "support/media/missing_parts.h"
#include "support/media/video_window.h"
#include "support/models/audio_device_names.h"
#include "support/trace/first_frame_trace.h"

#include <QCoreApplication>
#include <QHash>
#include <QMutex>
#include <algorithm>
#include <functional>
#include <gst/app/gstappsink.h>
#include <gst/audio/streamvolume.h>
#include <gst/video/video.h>
#include <mutex>
#include <thread>

namespace gstgraph {

namespace {

const char* const kRendererKey = "vantor-renderer-kind";
const char* const kVideoDataKey = "vantor-video-renderer";

// What a video renderer keeps beside its appsink.
struct VideoRendererData {
    FrameSink* frames = nullptr;
    std::unique_ptr<VideoWindow> window;
    std::atomic_int width{0};
    std::atomic_int height{0};

    ~VideoRendererData() {
        window.reset();
        frames->deleteLater();
    }
};

void destroyVideoData(gpointer data) {
    delete static_cast<VideoRendererData*>(data);
}

GstFlowReturn deliverSample(GstSample* sample, VideoRendererData* data) {
    double aspect = 1.0;
    VideoFrame frame = VideoFrame::fromSample(sample, &aspect);
    gst_sample_unref(sample);
    if (frame.isNull())
        return GST_FLOW_OK; // a frame we cannot read is skipped, not fatal
    // The movie's own size is the shape it shows at: windows made to it
    // show pixels that are not square undistorted.
    const QSize size = displaySize(frame.size(), aspect);
    data->width = size.width();
    data->height = size.height();
    data->frames->push(std::move(frame), aspect);
    return GST_FLOW_OK;
}

GstFlowReturn onNewSample(GstAppSink* sink, gpointer self) {
    GstSample* sample = gst_app_sink_pull_sample(sink);
    return sample ? deliverSample(sample, static_cast<VideoRendererData*>(self)) : GST_FLOW_EOS;
}

// The preroll frame is shown too: a paused or just-seeked graph shows its
// picture, and the size is known when the graph reports it has prerolled.
GstFlowReturn onNewPreroll(GstAppSink* sink, gpointer self) {
    GstSample* sample = gst_app_sink_pull_preroll(sink);
    return sample ? deliverSample(sample, static_cast<VideoRendererData*>(self)) : GST_FLOW_EOS;
}

// Drops elements made for a bin that will not be built.
void dropAll(std::initializer_list<GstElement*> elements) {
    for (GstElement* element : elements)
        if (element) {
            gst_object_ref_sink(element);
            gst_object_unref(element);
        }
}

// A bin of the elements in a row, or null (and none of them kept) when one
// of them could not be made: no half-built bin goes into a graph.
GstElement* chain(const QString& name, std::initializer_list<GstElement*> elements) {
    if (std::find(elements.begin(), elements.end(), nullptr) != elements.end()) {
        dropAll(elements);
        return nullptr;
    }
    GstElement* bin = gst_bin_new(name.toUtf8().constData());
    GstElement* previous = nullptr;
    for (GstElement* element : elements) {
        gst_bin_add(GST_BIN(bin), element);
        if (previous)
            gst_element_link(previous, element);
        previous = element;
    }
    GstPad* target = gst_element_get_static_pad(*elements.begin(), "sink");
    gst_element_add_pad(bin, gst_ghost_pad_new("Input", target));
    gst_object_unref(target);
    return bin;
}

GstElement* make(const char* factory, const char* name = nullptr) {
    return missingparts::make(factory, name);
}

} // namespace

std::shared_ptr<GstElement> refElement(GstElement* element) {
    if (!element)
        return {};
    gst_object_ref(element);
    return std::shared_ptr<GstElement>(element, [](GstElement* e) { gst_object_unref(e); });
}

RendererKind rendererKind(GstElement* element) {
    return static_cast<RendererKind>(
        GPOINTER_TO_INT(g_object_get_data(G_OBJECT(element), kRendererKey)));
}

void markRenderer(GstElement* element, RendererKind kind) {
    g_object_set_data(G_OBJECT(element), kRendererKey, GINT_TO_POINTER(int(kind)));
}

// A held renderer also stops counting as a sink, or the graph would wait
// for its end of stream forever.
void holdRenderer(GstElement* renderer) {
    gst_element_set_locked_state(renderer, TRUE);
    GST_OBJECT_FLAG_UNSET(renderer, GST_ELEMENT_FLAG_SINK);
}

void releaseRenderer(GstElement* renderer) {
    if (!gst_element_is_locked_state(renderer))
        return;
    gst_element_set_locked_state(renderer, FALSE);
    if (rendererKind(renderer) != RendererKind::None)
        GST_OBJECT_FLAG_SET(renderer, GST_ELEMENT_FLAG_SINK);
    gst_element_sync_state_with_parent(renderer);
}

GstElement* makeVideoRenderer(const QString& name) {
    GstElement* queue = make("queue");
    // The decoder settings' picture controls; a neutral balance passes
    // frames through untouched.
    GstElement* balance = make("videobalance", "balance");
    GstElement* convert = make("videoconvert");
    GstElement* sink = make("appsink", "sink");
    if (!queue || !balance || !convert || !sink) {
        dropAll({queue, balance, convert, sink});
        return nullptr;
    }
    applyVideoBalance(balance, readDecoderEffects());
    // Two decoded frames are enough to let the decoder run on while this
    // thread converts; the default second of video holds megabytes more.
    g_object_set(queue, "max-size-buffers", 2, "max-size-bytes", 0, "max-size-time", guint64(0),
                 nullptr);
    // Frames stay in the decoder's format: the window converts them as it
    // paints. videoconvert only acts for formats the balance cannot take.
    GstCaps* caps = gst_caps_from_string("video/x-raw");
    g_object_set(sink, "caps", caps, "sync", TRUE, "max-buffers", 1, "drop", TRUE,
                 "enable-last-sample", FALSE, "qos", TRUE, nullptr);
    gst_caps_unref(caps);
    GstElement* bin = chain(name, {queue, convert, balance, sink});

    auto* data = new VideoRendererData;
    data->frames = new FrameSink;
    data->window = makeVideoWindow(data->frames);
    GstAppSinkCallbacks callbacks{};
    callbacks.new_sample = onNewSample;
    callbacks.new_preroll = onNewPreroll;
    gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, data, nullptr);
    g_object_set_data_full(G_OBJECT(bin), kVideoDataKey, data, destroyVideoData);
    markRenderer(bin, RendererKind::Video);
    return bin;
}

FrameSink* videoFrames(GstElement* renderer) {
    auto* data =
        static_cast<VideoRendererData*>(g_object_get_data(G_OBJECT(renderer), kVideoDataKey));
    return data ? data->frames : nullptr;
}

VideoWindow* videoWindowOf(GstElement* renderer) {
    auto* data =
        static_cast<VideoRendererData*>(g_object_get_data(G_OBJECT(renderer), kVideoDataKey));
    return data ? data->window.get() : nullptr;
}

QSize videoSizeOf(GstElement* renderer) {
    auto* data =
        static_cast<VideoRendererData*>(g_object_get_data(G_OBJECT(renderer), kVideoDataKey));
    return data ? QSize(data->width, data->height) : QSize();
}

namespace {

bool hasProperty(gpointer object, const char* name) {
    return g_object_class_find_property(G_OBJECT_GET_CLASS(object), name) != nullptr;
}

// The sound server shows the stream as the player's, with its icon, and as
// a film's sound, which its policies may route or duck by. PulseAudio's
// sink (and PipeWire's, through it) reads these.
void describeStream(GstElement* sink) {
    if (hasProperty(sink, "stream-properties")) {
        GstStructure* properties =
            gst_structure_new("properties", "application.name", G_TYPE_STRING, "Vantor Meridian",
                              "application.icon_name", G_TYPE_STRING, "vantorplay", "media.role",
                              G_TYPE_STRING, "video", nullptr);
        g_object_set(sink, "stream-properties", properties, nullptr);
        gst_structure_free(properties);
    }
    if (hasProperty(sink, "client-name"))
        g_object_set(sink, "client-name", "Vantor Meridian", nullptr);
}

// A sink with a volume of its own on the server takes the level the bin's
// volume element held, so the desktop's sound applet and the player show
// the same level; the element then passes the sound through.
void adoptStreamVolume(GstElement* sink, GstElement* bin) {
    describeStream(sink);
    if (!GST_IS_STREAM_VOLUME(sink))
        return;
    GstElement* volume = gst_bin_get_by_name(GST_BIN(bin), "volume");
    if (!volume)
        return;
    double linear = 1.0;
    g_object_get(volume, "volume", &linear, nullptr);
    gst_stream_volume_set_volume(GST_STREAM_VOLUME(sink), GST_STREAM_VOLUME_FORMAT_LINEAR, linear);
    gst_stream_volume_set_mute(GST_STREAM_VOLUME(sink), linear <= 0.0);
    g_object_set(volume, "volume", 1.0, nullptr);
    gst_object_unref(volume);
}

// autoaudiosink makes its real sink only when it starts.
void onDeepElementAdded(GstBin* bin, GstBin*, GstElement* element, gpointer) {
    if (GST_OBJECT_FLAG_IS_SET(element, GST_ELEMENT_FLAG_SINK))
        adoptStreamVolume(element, GST_ELEMENT(bin));
}

} // namespace

GstElement* streamVolumeSink(GstElement* audioOutput) {
    // The output's own volume stage has the interface too, and is no sink.
    GstElement* found = nullptr;
    gstgraph::visitAll<GstElement>(
        gst_bin_iterate_all_by_interface(GST_BIN(audioOutput), GST_TYPE_STREAM_VOLUME),
        [&](GstElement* e) {
            if (!found && GST_OBJECT_FLAG_IS_SET(e, GST_ELEMENT_FLAG_SINK))
                found = GST_ELEMENT(gst_object_ref(e));
        });
    return found;
}

GstElement* makeAudioOutput(const QString& name, GstElement* sink) {
    if (!sink)
        return nullptr;
    // The decoder settings: the ten-band equaliser and the speaker mode's
    // channel layout. scaletempo keeps the pitch at 0.5 and 2.0.
    const DecoderEffects effects = readDecoderEffects();
    // The equaliser is optional: without it the sound plays unequalised.
    GstElement* equalizer = gst_element_factory_make("equalizer-10bands", "equalizer");
    GstElement* layout = make("capsfilter", "speakers");
    if (!layout) {
        dropAll({equalizer, sink});
        return nullptr;
    }
    if (equalizer)
        applyEqualizer(equalizer, effects);
    if (GstCaps* caps = audioChannelCaps(effects)) {
        g_object_set(layout, "caps", caps, nullptr);
        gst_caps_unref(caps);
    }
    GstElement* bin = chain(name, {make("queue"), make("audioconvert"), make("audioresample"),
                                   equalizer ? equalizer : make("identity"), make("scaletempo"),
                                   make("audioconvert"), layout, make("audioresample"),
                                   make("volume", "volume"), sink});
    if (!bin)
        return nullptr;
    adoptStreamVolume(sink, bin);
    g_signal_connect(bin, "deep-element-added", G_CALLBACK(onDeepElementAdded), nullptr);
    markRenderer(bin, RendererKind::Audio);
    return bin;
}

GstElement* makeNullAudioOutput(const QString& name) {
    GstElement* sink = make("fakesink");
    if (!sink)
        return nullptr;
    g_object_set(sink, "sync", TRUE, nullptr); // silent, but in real time
    return makeAudioOutput(name, sink);
}

bool addUnique(GstBin* graph, GstElement* element, const QString& name) {
    gst_object_ref_sink(element);
    QString candidate = name;
    for (int n = 1; n < 10000; ++n) {
        GstElement* existing = gst_bin_get_by_name(graph, candidate.toUtf8().constData());
        if (!existing)
            break;
        gst_object_unref(existing);
        candidate = QStringLiteral("%1 %2").arg(name).arg(n, 4, 10, QLatin1Char('0'));
    }
    gst_object_set_name(GST_OBJECT(element), candidate.toUtf8().constData());
    const bool added = gst_bin_add(graph, element);
    gst_object_unref(element);
    return added;
}

} // namespace gstgraph

// ---------------------------------------------------------------------------
// Registered filters

namespace {

using Kind = RegFilterInfo::Kind;

bool isAudioSinkFactory(GstElementFactory* factory) {
    const char* klass = gst_element_factory_get_metadata(factory, GST_ELEMENT_METADATA_KLASS);
    return klass && strstr(klass, "Sink") && strstr(klass, "Audio");
}

// Audio devices found by the device monitor, by id, kept to create their
// elements.
QMutex devicesMutex;
QHash<QString, GstDevice*>& knownDevices() {
    static QHash<QString, GstDevice*> devices;
    return devices;
}

QString stringProperty(GObject* object, const char* name) {
    if (!g_object_class_find_property(G_OBJECT_GET_CLASS(object), name))
        return {};
    gchar* value = nullptr;
    g_object_get(object, name, &value, nullptr);
    const QString text = QString::fromUtf8(value);
    g_free(value);
    return text;
}

// The server's own name of the device (the PulseAudio sink's name, the ALSA
// device string); the description where a provider gives none.
QString deviceId(GstDevice* device) {
    QString id = stringProperty(G_OBJECT(device), "internal-name");
    if (id.isEmpty()) {
        gchar* display = gst_device_get_display_name(device);
        id = QString::fromUtf8(display);
        g_free(display);
    }
    return id;
}

QList<RegFilterInfo> listAudioDevices(GstDeviceMonitor* monitor) {
    GList* devices = gst_device_monitor_get_devices(monitor);
    QList<AudioDeviceEntry> entries;
    QHash<QString, GstDevice*> found;
    for (GList* item = devices; item; item = item->next) {
        auto* device = GST_DEVICE(item->data);
        const QString id = deviceId(device);
        if (found.contains(id))
            continue;
        gchar* display = gst_device_get_display_name(device);
        entries.append({id, QString::fromUtf8(display)});
        g_free(display);
        found.insert(id, GST_DEVICE(gst_object_ref(device)));
    }
    g_list_free_full(devices, gst_object_unref);
    {
        QMutexLocker lock(&devicesMutex);
        for (GstDevice* old : std::as_const(knownDevices()))
            gst_object_unref(old);
        knownDevices() = found;
    }
    const QStringList names = audioDeviceNames(
        entries, {QStringLiteral("Null Audio Renderer"), QStringLiteral("Default Audio Output")});
    QList<RegFilterInfo> result;
    for (qsizetype i = 0; i < entries.size(); ++i)
        result.append(RegFilterInfo(names[i], Kind::AudioOutput, QString(), entries[i].id));
    return result;
}

// Asking the sound servers for their devices takes a good part of a second
// on some desktops, and every movie opens a new graph; and each asking of a
// provider that cannot reach its server (PulseAudio's, with no server
// running) leaves three descriptors open. So one monitor is started for the
// life of the program and asked again only when its providers report a
// device added or removed; the report reaches the UI thread as news.
// At namespace scope, so they outlive the background preparation's thread,
// which is joined by a function-local static's destructor at exit.
QMutex devicesAsking;
QList<RegFilterInfo> devicesCached;
GstDeviceMonitor* devicesMonitor = nullptr;
std::atomic_bool devicesChanged{true};

GstBusSyncReply onDeviceMessage(GstBus*, GstMessage* message, gpointer) {
    const GstMessageType type = GST_MESSAGE_TYPE(message);
    if (type == GST_MESSAGE_DEVICE_ADDED || type == GST_MESSAGE_DEVICE_REMOVED) {
        devicesChanged = true;
        AudioDeviceNews::instance().post();
    }
    gst_message_unref(message);
    return GST_BUS_DROP;
}

QList<RegFilterInfo> audioDevices() {
    // The background preparation may be asking at this moment: wait for it.
    QMutexLocker lock(&devicesAsking);
    if (!devicesMonitor) {
        devicesMonitor = gst_device_monitor_new();
        gst_device_monitor_add_filter(devicesMonitor, "Audio/Sink", nullptr);
        GstBus* bus = gst_device_monitor_get_bus(devicesMonitor);
        gst_bus_set_sync_handler(bus, onDeviceMessage, nullptr, nullptr);
        gst_object_unref(bus);
        gst_device_monitor_start(devicesMonitor);
    }
    if (devicesChanged.exchange(false))
        devicesCached = listAudioDevices(devicesMonitor);
    return devicesCached;
}

} // namespace

bool gstgraph::audioDevicesListed() {
    return !audioDevices().isEmpty();
}

namespace {

void restartDeviceWatch() {
    {
        QMutexLocker lock(&devicesAsking);
        if (!devicesMonitor)
            return;
        gst_device_monitor_stop(devicesMonitor);
        gst_device_monitor_start(devicesMonitor);
        devicesChanged = true;
    }
    AudioDeviceNews::instance().post();
}

GstElement* createDeviceSink(const QString& device) {
    QMutexLocker lock(&devicesMutex);
    GstDevice* known = knownDevices().value(device);
    return known ? gst_device_create_element(known, nullptr) : nullptr;
}

// The plugins every graph uses, the decoders last: loading those registers
// every codec and takes a tenth of a second, while the others are loaded in
// a moment and the set-up of the windows may ask for them meanwhile.
constexpr const char* kPreparedPlugins[] = {
    "coreelements",  "typefindfunctions", "playback", "avi",       "audioparsers", "audioconvert",
    "audioresample", "videoconvertscale", "volume",   "equalizer", "audiofx",      "app",
    "videofilter",   "autodetect",        "libav",
};

// Joined at exit, so the process never ends in the middle of loading.
struct Preparation {
    ~Preparation() {
        if (thread.joinable())
            thread.join();
    }
    std::thread thread;
};

} // namespace

AudioDeviceNews& AudioDeviceNews::instance() {
    static AudioDeviceNews* news = [] {
        auto* made = new AudioDeviceNews;
        // The first to ask may be the preparation thread, which ends.
        if (QCoreApplication::instance())
            made->moveToThread(QCoreApplication::instance()->thread());
        return made;
    }();
    return *news;
}

void AudioDeviceNews::post() {
    QMetaObject::invokeMethod(
        this, [this] { Q_EMIT changed(); }, Qt::QueuedConnection);
}

void FilterGraph::prepareInBackground() {
    static Preparation preparation;
    static std::once_flag started;
    std::call_once(started, [] {
        preparation.thread = std::thread([] {
            audioDevices();
            firstframe::mark("sound devices listed");
            for (const char* name : kPreparedPlugins) {
                if (GstPlugin* plugin = gst_plugin_load_by_name(name))
                    gst_object_unref(plugin);
            }
            firstframe::mark("decoders loaded");
        });
    });
}

void FilterGraph::watchDevicesAgain() {
    restartDeviceWatch();
}

QList<RegFilterInfo> FilterGraph::regFilterCollection() {
    QList<RegFilterInfo> result{
        {QStringLiteral("AVI Splitter"), Kind::AviSplitter, QStringLiteral("avidemux")},
        {QStringLiteral("Video Renderer"), Kind::VideoRenderer, QString()},
        {QStringLiteral("Null Audio Renderer"), Kind::NullAudio, QStringLiteral("fakesink")},
        // The desktop's own choice of output: the second audio output, which
        // is what a fresh configuration picks.
        {QStringLiteral("Default Audio Output"), Kind::AudioOutput,
         QStringLiteral("autoaudiosink")},
        {QStringLiteral("Dedynamic"), Kind::Dedynamic, QStringLiteral("audiodynamic")},
    };
    result.append(audioDevices());

    GList* factories =
        gst_element_factory_list_get_elements(GST_ELEMENT_FACTORY_TYPE_ANY, GST_RANK_NONE);
    QList<RegFilterInfo> sinks, others;
    for (GList* item = factories; item; item = item->next) {
        auto* factory = GST_ELEMENT_FACTORY(item->data);
        const QString name = QString::fromUtf8(gst_plugin_feature_get_name(factory));
        // A bare sink type (a2dpsink, jackaudiosink) is no device: it may be
        // added by hand in the inspector, but is not offered as an output.
        if (isAudioSinkFactory(factory))
            sinks.append(RegFilterInfo(name, Kind::Element, name));
        else
            others.append(RegFilterInfo(name, Kind::Element, name));
    }
    gst_plugin_feature_list_free(factories);
    auto byName = [](const RegFilterInfo& a, const RegFilterInfo& b) {
        return a.name() < b.name();
    };
    std::sort(sinks.begin(), sinks.end(), byName);
    std::sort(others.begin(), others.end(), byName);
    return result + sinks + others;
}

namespace {
// autoaudiosink falls back on a fakesink when no device answers.
bool playsNowhere(GstElement* sink) {
    if (!GST_IS_BIN(sink))
        return false;
    return gstgraph::visitAll<GstElement>(
        gst_bin_iterate_elements(GST_BIN(sink)), [](GstElement* child) {
            GstElementFactory* factory = gst_element_get_factory(child);
            return factory && g_strcmp0(gst_plugin_feature_get_name(factory), "fakesink") == 0;
        });
}
} // namespace

bool RegFilterInfo::reachable() const {
    if (kind_ == Kind::NullAudio)
        return true;
    if (kind_ != Kind::AudioOutput)
        return false;
    GstElement* sink = device_.isEmpty() ? missingparts::make(factory_.toUtf8().constData())
                                         : createDeviceSink(device_);
    if (!sink)
        return false;
    gst_object_ref_sink(sink);
    // Ready means connected to the server, with nothing played yet.
    const bool ready = gst_element_set_state(sink, GST_STATE_READY) == GST_STATE_CHANGE_SUCCESS &&
                       !playsNowhere(sink);
    gst_element_set_state(sink, GST_STATE_NULL);
    gst_object_unref(sink);
    return ready;
}

MediaResult<FilterInfo> RegFilterInfo::filter(FilterGraph& graph) const {
    using namespace gstgraph;
    GstElement* element = nullptr;
    switch (kind_) {
    case Kind::VideoRenderer:
        element = makeVideoRenderer(name_);
        break;
    case Kind::NullAudio:
        element = makeNullAudioOutput(name_);
        break;
    case Kind::AudioOutput:
        element = makeAudioOutput(name_, !device_.isEmpty() ? createDeviceSink(device_)
                                         : factory_ == QLatin1String("autoaudiosink")
                                             ? defaultsound::make()
                                             : missingparts::make(factory_.toUtf8().constData()));
        break;
    case Kind::AviSplitter:
    case Kind::Dedynamic:
    case Kind::Element:
        element = missingparts::make(factory_.toUtf8().constData());
        break;
    }
    if (!element)
        return MediaStatus::failure(QStringLiteral("Cannot create the filter \"%1\".").arg(name_));
    const RendererKind renderer = rendererKind(element);
    if (!addUnique(GST_BIN(graph.pipeline()), element, name_))
        return MediaStatus::failure(QStringLiteral("Cannot add the filter \"%1\".").arg(name_));
    if (renderer != RendererKind::None)
        holdRenderer(element);
    if (renderer == RendererKind::Audio)
        graph.applyVolumeTo(element);
    return FilterInfo(refElement(element));
}

namespace gstgraph {

namespace {

bool anyPad(GstElement* element, const std::function<bool(GstPad*)>& test) {
    return visitAll<GstPad>(gst_element_iterate_pads(element), test);
}

void setLocked(GstElement* element, bool locked) {
    if (bool(gst_element_is_locked_state(element)) == locked)
        return;
    if (locked) {
        holdRenderer(element);
        gst_element_set_state(element, GST_STATE_NULL);
    } else {
        gst_element_set_locked_state(element, FALSE);
        if (rendererKind(element) != RendererKind::None)
            GST_OBJECT_FLAG_SET(element, GST_ELEMENT_FLAG_SINK);
    }
}

} // namespace

void updateLocks(GstBin* graph) {
    visitAll<GstElement>(gst_bin_iterate_elements(graph), [graph](GstElement* element) {
        const bool linked = anyPad(element, [](GstPad* pad) { return gst_pad_is_linked(pad); });
        if (rendererKind(element) != RendererKind::None) {
            // Planned renderers wait until their stream appears.
            setLocked(element, !linked);
            return;
        }
        const bool planned = hasPlans(element) || anyPad(element, [graph](GstPad* pad) {
                                 return plannedSourceOf(graph, pad, nullptr, nullptr);
                             });
        setLocked(element, !linked && !planned);
    });
}

} // namespace gstgraph
