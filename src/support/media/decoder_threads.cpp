#include "support/media/decoder_threads.h"

#include <gst/gst.h>
#include <gst/video/video.h>

namespace {

constexpr qint64 kFullHdPixels = 1920 * 1088;

// Runs before the decoder sees the caps, so it opens with the count set.
GstPadProbeReturn onCaps(GstPad*, GstPadProbeInfo* info, gpointer element) {
    GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
    if (GST_EVENT_TYPE(event) != GST_EVENT_CAPS)
        return GST_PAD_PROBE_OK;
    GstCaps* caps = nullptr;
    gst_event_parse_caps(event, &caps);
    const GstStructure* s = caps ? gst_caps_get_structure(caps, 0) : nullptr;
    int width = 0, height = 0;
    if (s && gst_structure_get_int(s, "width", &width) &&
        gst_structure_get_int(s, "height", &height))
        g_object_set(element, "max-threads", decoderThreadsFor(QSize(width, height)), nullptr);
    return GST_PAD_PROBE_OK;
}

} // namespace

int decoderThreadsFor(QSize size) {
    if (size.isEmpty())
        return 0;
    return qint64(size.width()) * size.height() <= kFullHdPixels ? 1 : 0;
}

void watchDecoderThreads(GstElement* element) {
    GstElementFactory* factory = gst_element_get_factory(element);
    if (!factory || !GST_IS_VIDEO_DECODER(element) ||
        !g_str_has_prefix(GST_OBJECT_NAME(factory), "avdec_") ||
        !g_object_class_find_property(G_OBJECT_GET_CLASS(element), "max-threads"))
        return;
    GstPad* pad = gst_element_get_static_pad(element, "sink");
    if (!pad)
        return;
    gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM, onCaps, element, nullptr);
    gst_object_unref(pad);
}
