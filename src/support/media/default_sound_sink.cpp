#include "support/media/default_sound_sink.h"

#include "support/media/gst_graph_private.h"
#include "support/media/missing_parts.h"

#include <cstring>

namespace defaultsound {

namespace {

const char* const kDefaultKey = "vantor-default-sound";
const char* const kSilent = "fakesink"; // what autoaudiosink falls back on

// Both are used on the UI thread only, where graphs are built and prerolled.
QString& remembered() {
    static QString factory;
    return factory;
}
std::function<void(const QString&)>& playedHandler() {
    static std::function<void(const QString&)> handler;
    return handler;
}

bool isAudioSink(const QString& factory) {
    GstElementFactory* found = gst_element_factory_find(factory.toUtf8().constData());
    if (!found)
        return false;
    const char* klass = gst_element_factory_get_metadata(found, GST_ELEMENT_METADATA_KLASS);
    const bool sink = klass && strstr(klass, "Sink") && strstr(klass, "Audio");
    gst_object_unref(found);
    return sink;
}

// The remembered sink when it answers now; null otherwise.
GstElement* makeRemembered() {
    const QString& factory = remembered();
    if (factory.isEmpty())
        return nullptr;
    if (factory == QLatin1String(kSilent)) {
        // A server that has come up since shows in the desktop's list.
        if (gstgraph::audioDevicesListed())
            return nullptr;
        GstElement* sink = gst_element_factory_make(kSilent, nullptr);
        if (sink)
            g_object_set(sink, "sync", TRUE, nullptr); // silent, but in real time
        return sink;
    }
    GstElement* sink = gst_element_factory_make(factory.toUtf8().constData(), nullptr);
    if (!sink)
        return nullptr;
    // Ready means the server or device answered. The sink goes back to
    // null, the state a graph expects of an element it is given.
    const bool answers = gst_element_set_state(sink, GST_STATE_READY) == GST_STATE_CHANGE_SUCCESS;
    gst_element_set_state(sink, GST_STATE_NULL);
    if (answers)
        return sink; // still floating: the output's bin takes it
    gst_object_unref(gst_object_ref_sink(sink));
    return nullptr;
}

// The sink autoaudiosink chose, or the element itself for any other.
QString playingFactory(GstElement* sink) {
    GstElement* playing = sink;
    if (GST_IS_BIN(sink)) {
        gstgraph::visitAll<GstElement>(gst_bin_iterate_sinks(GST_BIN(sink)), [&](GstElement* c) {
            playing = c;
            return true;
        });
    }
    if (playing == sink && GST_IS_BIN(sink))
        return {}; // autoaudiosink has not chosen yet
    GstElementFactory* factory = gst_element_get_factory(playing);
    return factory ? QString::fromUtf8(gst_plugin_feature_get_name(factory)) : QString();
}

} // namespace

void remember(const QString& factory) {
    const QString name = factory.trimmed();
    remembered() = name == QLatin1String(kSilent) || isAudioSink(name) ? name : QString();
}

void onPlayed(std::function<void(const QString&)> handler) {
    playedHandler() = std::move(handler);
}

GstElement* make() {
    GstElement* sink = makeRemembered();
    if (!sink)
        sink = missingparts::make("autoaudiosink");
    if (sink)
        g_object_set_data(G_OBJECT(sink), kDefaultKey, GINT_TO_POINTER(1));
    return sink;
}

void notePlayed(GstBin* graph) {
    GstElement* output = nullptr;
    gstgraph::visitAll<GstElement>(gst_bin_iterate_recurse(graph), [&](GstElement* element) {
        if (!g_object_get_data(G_OBJECT(element), kDefaultKey))
            return false;
        output = GST_ELEMENT(gst_object_ref(element));
        return true;
    });
    if (!output)
        return;
    const QString factory = playingFactory(output);
    gst_object_unref(output);
    if (factory.isEmpty() || factory == remembered())
        return;
    remembered() = factory;
    if (playedHandler())
        playedHandler()(factory);
}

} // namespace defaultsound
