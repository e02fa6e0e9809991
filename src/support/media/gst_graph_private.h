#pragma once
// Framework-side helpers shared by the GStreamer implementation of the
// filter graph. Only support/*.cpp include this.
#include "support/media/filter_graph.h"

#include <QByteArray>
#include <QString>
#include <gst/gst.h>
#include <memory>
#include <type_traits>
#include <vector>

namespace gstgraph {

// Calls `visit` with each object `it` yields, then frees `it`. A visitor that
// returns bool ends the walk by returning true; the result says whether one
// did.
template <class T, class Visit> bool visitAll(GstIterator* it, Visit&& visit) {
    bool stopped = false;
    GValue item = G_VALUE_INIT;
    while (!stopped && gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
        auto* object = static_cast<T*>(g_value_get_object(&item));
        if constexpr (std::is_same_v<std::invoke_result_t<Visit, T*>, bool>)
            stopped = visit(object);
        else
            visit(object);
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(it);
    return stopped;
}

// Shared ownership of one reference to an element.
std::shared_ptr<GstElement> refElement(GstElement* element);

// ---- renderers: the sinks at the end of a branch
enum class RendererKind { None, Audio, Video };
RendererKind rendererKind(GstElement* element);
void markRenderer(GstElement* element, RendererKind kind);
// A renderer stays out of state changes until something is linked to it, so
// an unused renderer never holds up the graph's preroll.
void holdRenderer(GstElement* renderer);
void releaseRenderer(GstElement* renderer);
// Elements that nothing is linked to are kept out of state changes too.
void updateLocks(GstBin* graph);

// Makes the player's own renderers.
GstElement* makeVideoRenderer(const QString& name);
GstElement* makeAudioOutput(const QString& name, GstElement* sink);
GstElement* makeNullAudioOutput(const QString& name);
// Whether the desktop lists any audio device (waits for the first asking).
bool audioDevicesListed();
// The sink of an audio output whose volume is the sound server's stream
// volume (a new reference), or null.
GstElement* streamVolumeSink(GstElement* audioOutput);
// What a video renderer made by makeVideoRenderer() carries.
FrameSink* videoFrames(GstElement* renderer);
VideoWindow* videoWindowOf(GstElement* renderer);
QSize videoSizeOf(GstElement* renderer); // empty before the first frame
// Adds `element` to `graph` under `name`, or "name 0001", "name 0002", ...
// when the name is taken. Takes ownership of a floating element.
bool addUnique(GstBin* graph, GstElement* element, const QString& name);

// ---- output pins that appear once data flows (demultiplexers, decodebin)
struct DynamicPin {
    QByteArray padName;  // the framework's name ("video_0")
    QString displayName; // the name users and callers select ("Stream 00")
    QString mediaType;   // caps name ("video/mpeg")
};
// Learns a demultiplexer's output pins by reading the start of `location`.
MediaStatus probeDynamicPins(GstElement* demux, const QString& location);
// The AVI splitter's output pins from the headers of the AVI file at
// `location`; false when the file has a stream this reading cannot name.
bool aviPinsFromHeaders(const QString& location, std::vector<DynamicPin>& pins);
const std::vector<DynamicPin>& dynamicPins(GstElement* element);
QString displayNameOf(GstElement* element, const QByteArray& padName);
QByteArray padNameOf(GstElement* element, const QString& displayName);
// Media type of a pin, from its caps or from what the probe saw; empty when
// nothing is known (a file source's bytes).
QString pinMediaType(GstElement* element, const QByteArray& padName);

// ---- links that take effect when a pad appears
// Links the pad named `padName` of `from` (or, when padName is empty, the
// first new pad whose media type starts with `mediaPrefix`) to `target`.
void planLink(GstElement* from, const QByteArray& padName, const QByteArray& mediaPrefix,
              GstPad* target);
// The planned peer of a pin that does not exist yet: its target pad.
GstPad* plannedTargetOf(GstElement* from, const QByteArray& padName);
// Whether a plan points at `sinkPad`; gives the planned source when it does.
bool plannedSourceOf(GstBin* graph, GstPad* sinkPad, GstElement** from, QByteArray* padName);
bool hasPlans(GstElement* element);

// ---- stream choice of a decoder that announces a collection (decodebin3)
// Lets the graph's audio and subtitle choice decide which streams the
// decoder starts with.
void chooseStreamsFor(GstElement* decoder);
// The sink of the decoder's text output: each piece of text goes to the
// bus as a message that isTextCue() tells and readTextCue() reads.
GstElement* makeTextReader();
bool isTextCue(GstMessage* message);
TextCue readTextCue(GstMessage* message, QByteArray* streamId);

// Upstream file path of an element (the location of the file source feeding it).
QString upstreamLocation(GstElement* element);

QString capsMediaType(GstCaps* caps);

} // namespace gstgraph
