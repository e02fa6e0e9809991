#include "graph_fixture.h"

#include <atomic>
#include <cmath>
#include <gst/audio/audio.h>
#include <gst/gst.h>

GraphEvents::GraphEvents(FilterGraph& graph) {
    QObject::connect(&graph, &FilterGraph::endOfStream, [this](quint64) { ended = true; });
    QObject::connect(&graph, &FilterGraph::prerolled, [this](quint64) { prerolled = true; });
    QObject::connect(&graph, &FilterGraph::errorOccurred,
                     [this](quint64, const QString& message) { error = message; });
}

bool GraphEvents::waitForPreroll(int timeoutMs) {
    return testsupport::waitUntil([this] { return prerolled || !error.isEmpty(); }, timeoutMs) &&
           prerolled;
}

FilterInfo findFilter(FilterGraph& graph, const QString& name) {
    for (const FilterInfo& filter : graph.filterCollection())
        if (filter.name() == name)
            return filter;
    return {};
}

PinInfo findPin(const FilterInfo& filter, const QString& name) {
    for (const PinInfo& pin : filter.pins())
        if (pin.name().compare(name, Qt::CaseInsensitive) == 0)
            return pin;
    return {};
}

FilterInfo addRegistered(FilterGraph& graph, const QString& name) {
    for (const RegFilterInfo& registered : FilterGraph::regFilterCollection()) {
        if (registered.name() == name) {
            const MediaResult<FilterInfo> added = registered.filter(graph);
            return added ? added.value() : FilterInfo();
        }
    }
    return {};
}

double outputVolume(const FilterInfo& audioOutput) {
    GstElement* volume = gst_bin_get_by_name(GST_BIN(audioOutput.element()), "volume");
    if (!volume)
        return -1;
    double linear = -1;
    g_object_get(volume, "volume", &linear, nullptr);
    gst_object_unref(volume);
    return linear;
}

struct ToneTap::Count {
    std::atomic<double> frequency = 0;
    qint64 samples = 0;
    int crossings = 0;
    bool positive = false;

    void add(float sample, int rate) {
        const bool nowPositive = sample > 0;
        crossings += nowPositive && !positive;
        positive = nowPositive;
        if (++samples < rate / 5)
            return;
        frequency = double(crossings) * rate / double(samples);
        samples = 0;
        crossings = 0;
    }
};

namespace {
// The tone is Vorbis, decoded to interleaved 32-bit floats.
GstPadProbeReturn countCrossings(GstPad* pad, GstPadProbeInfo* info, gpointer data) {
    GstAudioInfo format;
    GstCaps* caps = gst_pad_get_current_caps(pad);
    const bool known = caps && gst_audio_info_from_caps(&format, caps) &&
                       GST_AUDIO_INFO_FORMAT(&format) == GST_AUDIO_FORMAT_F32LE;
    if (caps)
        gst_caps_unref(caps);
    GstMapInfo map;
    GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
    if (!known || !gst_buffer_map(buffer, &map, GST_MAP_READ))
        return GST_PAD_PROBE_OK;
    const auto* samples = reinterpret_cast<const float*>(map.data);
    const size_t channels = size_t(GST_AUDIO_INFO_CHANNELS(&format));
    for (size_t at = 0; at + channels <= map.size / sizeof(float); at += channels)
        static_cast<ToneTap::Count*>(data)->add(samples[at], GST_AUDIO_INFO_RATE(&format));
    gst_buffer_unmap(buffer, &map);
    return GST_PAD_PROBE_OK;
}

void setChapters(GstElement* mux, double seconds, const QList<double>& starts) {
    GstToc* toc = gst_toc_new(GST_TOC_SCOPE_GLOBAL);
    GstTocEntry* edition = gst_toc_entry_new(GST_TOC_ENTRY_TYPE_EDITION, "edition");
    for (int i = 0; i < starts.size(); ++i) {
        const QByteArray id = QByteArray::number(i + 1);
        GstTocEntry* chapter = gst_toc_entry_new(GST_TOC_ENTRY_TYPE_CHAPTER, id.constData());
        const double stop = i + 1 < starts.size() ? starts[i + 1] : seconds;
        gst_toc_entry_set_start_stop_times(chapter, gint64(starts[i] * GST_SECOND),
                                           gint64(stop * GST_SECOND));
        gst_toc_entry_append_sub_entry(edition, chapter);
    }
    gst_toc_append_entry(toc, edition);
    gst_toc_setter_set_toc(GST_TOC_SETTER(mux), toc);
    gst_toc_unref(toc);
}
} // namespace

ToneTap::ToneTap(const FilterInfo& audioOutput) : count_(std::make_shared<Count>()) {
    pad_ = gst_element_get_static_pad(audioOutput.element(), "Input");
    if (pad_)
        probe_ = gst_pad_add_probe(pad_, GST_PAD_PROBE_TYPE_BUFFER, countCrossings, count_.get(),
                                   nullptr);
}

ToneTap::~ToneTap() {
    if (!pad_)
        return;
    gst_pad_remove_probe(pad_, probe_);
    gst_object_unref(pad_);
}

double ToneTap::frequency() const {
    return count_->frequency;
}

bool ToneTap::waitForTone(double hz, int timeoutMs) const {
    return testsupport::waitUntil([&] { return std::abs(frequency() - hz) < hz * 0.03; },
                                  timeoutMs);
}

bool writeMovie(const QString& path, QSize size, int frames, const QList<double>& starts,
                const QString& title) {
    const QString description =
        QStringLiteral("videotestsrc num-buffers=%1 ! video/x-raw,width=%2,height=%3,"
                       "framerate=25/1 ! x264enc speed-preset=ultrafast key-int-max=25 ! "
                       "matroskamux name=mux ! filesink name=out")
            .arg(frames)
            .arg(size.width())
            .arg(size.height());
    GstElement* pipeline = gst_parse_launch(description.toUtf8().constData(), nullptr);
    if (!pipeline)
        return false;
    GstElement* mux = gst_bin_get_by_name(GST_BIN(pipeline), "mux");
    GstElement* out = gst_bin_get_by_name(GST_BIN(pipeline), "out");
    g_object_set(out, "location", path.toUtf8().constData(), nullptr);
    if (!starts.isEmpty())
        setChapters(mux, frames / 25.0, starts);
    if (!title.isEmpty())
        gst_tag_setter_add_tags(GST_TAG_SETTER(mux), GST_TAG_MERGE_REPLACE, GST_TAG_TITLE,
                                title.toUtf8().constData(), nullptr);
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* end = gst_bus_timed_pop_filtered(
        bus, 30 * GST_SECOND, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    const bool written = end && GST_MESSAGE_TYPE(end) == GST_MESSAGE_EOS;
    if (end)
        gst_message_unref(end);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(out);
    gst_object_unref(mux);
    gst_object_unref(pipeline);
    return written;
}
