#include "support/media/file_probe.h"

#include <QFile>

namespace {

// The words of an error message from the bus.
QString errorText(GstMessage* message) {
    GError* error = nullptr;
    gst_message_parse_error(message, &error, nullptr);
    const QString text = QString::fromUtf8(error ? error->message : "unknown error");
    g_clear_error(&error);
    return text;
}

} // namespace

FileProbe::FileProbe(const QString& path, GstElement* reader)
    : pipeline_(gst_pipeline_new(nullptr)), reader_(reader) {
    GstElement* source = gst_element_factory_make("filesrc", nullptr);
    if (!source || !reader_) {
        if (source)
            gst_object_unref(gst_object_ref_sink(source));
        if (reader_)
            gst_object_unref(gst_object_ref_sink(reader_));
        reader_ = nullptr;
        return;
    }
    g_object_set(source, "location", QFile::encodeName(path).constData(), nullptr);
    gst_bin_add_many(GST_BIN(pipeline_), source, reader_, nullptr);
    ready_ = gst_element_link(source, reader_);
}

FileProbe::~FileProbe() {
    gst_element_set_state(pipeline_, GST_STATE_NULL);
    gst_object_unref(pipeline_);
}

GstMessageType FileProbe::pauseUntil(GstMessageType until, int timeoutMs) {
    gst_element_set_state(pipeline_, GST_STATE_PAUSED);
    GstBus* bus = gst_element_get_bus(pipeline_);
    GstMessage* message = gst_bus_timed_pop_filtered(bus, GstClockTime(timeoutMs) * GST_MSECOND,
                                                     GstMessageType(GST_MESSAGE_ERROR | until));
    gst_object_unref(bus);
    if (!message)
        return GST_MESSAGE_UNKNOWN;
    const GstMessageType type = GST_MESSAGE_TYPE(message);
    if (type == GST_MESSAGE_ERROR)
        error_ = errorText(message);
    gst_message_unref(message);
    return type;
}
