// The streams of a whole file decoded in one graph: the decoder announces
// them in a collection, and the audio stream chosen is asked of it by a
// selection, so a switch happens inside the running graph with no reopen.
// Subtitle streams are not decoded here: the subtitle window reads them
// from the file on its own.
#include "support/media/gst_graph_private.h"

namespace {

const char* const kAudioKey = "vantor-audio-stream";

StreamKind kindOf(GstStream* stream) {
    const GstStreamType type = gst_stream_get_stream_type(stream);
    if (type & GST_STREAM_TYPE_VIDEO)
        return StreamKind::Video;
    if (type & GST_STREAM_TYPE_AUDIO)
        return StreamKind::Audio;
    if (type & GST_STREAM_TYPE_TEXT)
        return StreamKind::Text;
    return StreamKind::Other;
}

QString tagText(const GstTagList* tags, const char* tag) {
    gchar* value = nullptr;
    if (!tags || !gst_tag_list_get_string(tags, tag, &value))
        return {};
    QString text = QString::fromUtf8(value);
    g_free(value);
    return text;
}

MediaStream describe(GstStream* stream) {
    GstTagList* tags = gst_stream_get_tags(stream);
    MediaStream result{kindOf(stream), tagText(tags, GST_TAG_LANGUAGE_CODE),
                       tagText(tags, GST_TAG_TITLE)};
    if (result.language.isEmpty())
        result.language = tagText(tags, GST_TAG_LANGUAGE_NAME);
    if (tags)
        gst_tag_list_unref(tags);
    return result;
}

int wantedAudio(GstElement* decoder) {
    GstObject* graph = gst_object_get_parent(GST_OBJECT(decoder));
    const int wanted = graph ? GPOINTER_TO_INT(g_object_get_data(G_OBJECT(graph), kAudioKey)) : 0;
    if (graph)
        gst_object_unref(graph);
    return wanted;
}

// Streaming thread: the decoder asks, before it picks one stream of each
// kind, which streams the player wants; the audio stream chosen plays
// from the start, subtitles are left out.
gint chooseStream(GstElement* decoder, GstStreamCollection* collection, GstStream* stream,
                  gpointer) {
    const StreamKind kind = kindOf(stream);
    if (kind == StreamKind::Text)
        return 0;
    if (kind != StreamKind::Audio)
        return -1;
    int audio = 0;
    for (guint i = 0; i < gst_stream_collection_get_size(collection); ++i) {
        GstStream* other = gst_stream_collection_get_stream(collection, i);
        if (other == stream)
            return audio == wantedAudio(decoder) ? 1 : 0;
        audio += kindOf(other) == StreamKind::Audio;
    }
    return -1;
}

} // namespace

namespace gstgraph {
void chooseStreamsFor(GstElement* decoder) {
    g_signal_connect(decoder, "select-stream", G_CALLBACK(chooseStream), nullptr);
}
} // namespace gstgraph

void FilterGraph::takeStreams(GstElement* decoder, GstStreamCollection* collection) {
    if (collection_)
        gst_object_unref(collection_);
    if (decoder_)
        gst_object_unref(decoder_);
    collection_ = collection;
    decoder_ = GST_ELEMENT(gst_object_ref(decoder));
    streams_.clear();
    for (guint i = 0; i < gst_stream_collection_get_size(collection); ++i)
        streams_.append(describe(gst_stream_collection_get_stream(collection, i)));
    Q_EMIT streamsAnnounced(id_);
}

MediaStatus FilterGraph::selectAudioStream(int index) {
    audioStream_ = index;
    g_object_set_data(G_OBJECT(pipeline_), kAudioKey, GINT_TO_POINTER(index));
    if (collection_)
        sendSelection();
    return MediaStatus::success();
}

void FilterGraph::sendSelection() {
    GList* ids = nullptr;
    int audio = 0;
    for (guint i = 0; i < gst_stream_collection_get_size(collection_); ++i) {
        GstStream* stream = gst_stream_collection_get_stream(collection_, i);
        const StreamKind kind = kindOf(stream);
        const bool wanted =
            kind == StreamKind::Video || (kind == StreamKind::Audio && audio++ == audioStream_);
        if (wanted)
            ids = g_list_append(ids, const_cast<gchar*>(gst_stream_get_stream_id(stream)));
    }
    gst_element_send_event(decoder_, gst_event_new_select_streams(ids));
    g_list_free(ids);
}
