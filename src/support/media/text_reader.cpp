// The reader of a movie's subtitle track: the decoder's text output ends in
// a sink that takes each piece of text as it is demultiplexed, with its
// time, and posts it on the graph's bus, which hands it to the UI thread.
// The text is read as the movie plays rather than all at once: reading a
// whole track up front means reading the whole file, gigabytes of picture
// for some kilobytes of text. The demultiplexer runs ahead of the picture
// by the decoder's queues, so each line is there before its time comes.
#include "support/media/gst_graph_private.h"

#include <gst/app/gstappsink.h>

namespace {

const char* const kCueName = "vantor-text";

// Streaming thread: one piece of text with its start and length on the
// movie's clock, from the stream it belongs to.
GstFlowReturn onText(GstAppSink* sink, gpointer) {
    GstSample* sample = gst_app_sink_pull_sample(sink);
    if (!sample)
        return GST_FLOW_OK;
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    const GstSegment* segment = gst_sample_get_segment(sample);
    GstMapInfo map;
    if (buffer && GST_BUFFER_PTS_IS_VALID(buffer) && gst_buffer_map(buffer, &map, GST_MAP_READ)) {
        const GstClockTime pts = GST_BUFFER_PTS(buffer);
        const GstClockTime length = GST_BUFFER_DURATION_IS_VALID(buffer)
                                        ? GST_BUFFER_DURATION(buffer)
                                        : GstClockTime(2 * GST_SECOND);
        guint64 start = pts;
        if (segment && segment->format == GST_FORMAT_TIME)
            start = gst_segment_to_stream_time(segment, GST_FORMAT_TIME, pts);
        GstPad* pad = gst_element_get_static_pad(GST_ELEMENT(sink), "sink");
        gchar* stream = pad ? gst_pad_get_stream_id(pad) : nullptr;
        const QByteArray text(reinterpret_cast<const char*>(map.data), qsizetype(map.size));
        GstStructure* cue =
            gst_structure_new(kCueName, "start", G_TYPE_UINT64, start, "length", G_TYPE_UINT64,
                              guint64(length), "text", G_TYPE_STRING, text.constData(), "stream",
                              G_TYPE_STRING, stream ? stream : "", nullptr);
        g_free(stream);
        if (pad)
            gst_object_unref(pad);
        gst_buffer_unmap(buffer, &map);
        if (start != GST_CLOCK_TIME_NONE)
            gst_element_post_message(GST_ELEMENT(sink),
                                     gst_message_new_application(GST_OBJECT(sink), cue));
        else
            gst_structure_free(cue);
    }
    gst_sample_unref(sample);
    return GST_FLOW_OK;
}

} // namespace

namespace gstgraph {

GstElement* makeTextReader() {
    GstElement* sink = gst_element_factory_make("appsink", nullptr);
    if (!sink)
        return nullptr;
    // Text is taken as soon as it comes, never waited for: the reader holds
    // up neither the first frame nor the movie's end, and the graph's
    // position is the renderers' alone.
    GstCaps* caps = gst_caps_from_string("text/x-raw");
    g_object_set(sink, "caps", caps, "sync", FALSE, "async", FALSE, "enable-last-sample", FALSE,
                 nullptr);
    gst_caps_unref(caps);
    GST_OBJECT_FLAG_UNSET(sink, GST_ELEMENT_FLAG_SINK);
    GstAppSinkCallbacks callbacks{};
    callbacks.new_sample = onText;
    gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, nullptr, nullptr);
    return sink;
}

bool isTextCue(GstMessage* message) {
    const GstStructure* s = gst_message_get_structure(message);
    return GST_MESSAGE_TYPE(message) == GST_MESSAGE_APPLICATION && s &&
           gst_structure_has_name(s, kCueName);
}

TextCue readTextCue(GstMessage* message, QByteArray* streamId) {
    const GstStructure* s = gst_message_get_structure(message);
    guint64 start = 0, length = 0;
    gst_structure_get_uint64(s, "start", &start);
    gst_structure_get_uint64(s, "length", &length);
    *streamId = gst_structure_get_string(s, "stream");
    return {double(start) / GST_SECOND, double(start + length) / GST_SECOND,
            QString::fromUtf8(gst_structure_get_string(s, "text"))};
}

} // namespace gstgraph
