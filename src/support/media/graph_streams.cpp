// The streams of a whole file decoded in one graph: the decoder announces
// them in a collection, and the audio stream chosen is asked of it by a
// selection, so a switch happens inside the running graph with no reopen.
// Of the subtitle streams, the text track chosen goes to the graph's text
// reader; subtitles drawn as pictures are listed but never chosen, since
// the player's renderer shows the decoded picture as it is.
#include "support/media/gst_graph_private.h"

using namespace gstgraph;

namespace {

const char* const kAudioKey = "vantor-audio-stream";
// The text track read: the first unless told.
const char* const kTextKey = "vantor-text-stream";

bool drawnAsPictures(GstStream* stream) {
    GstCaps* caps = gst_stream_get_caps(stream);
    const bool pictures = capsMediaType(caps).startsWith(QLatin1String("subpicture/"));
    if (caps)
        gst_caps_unref(caps);
    return pictures;
}

StreamKind kindOf(GstStream* stream) {
    const GstStreamType type = gst_stream_get_stream_type(stream);
    if (type & GST_STREAM_TYPE_VIDEO)
        return StreamKind::Video;
    if (type & GST_STREAM_TYPE_AUDIO)
        return StreamKind::Audio;
    if (type & GST_STREAM_TYPE_TEXT)
        return drawnAsPictures(stream) ? StreamKind::Pictures : StreamKind::Text;
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

int wanted(GstElement* decoder, const char* key) {
    GstObject* graph = gst_object_get_parent(GST_OBJECT(decoder));
    const int value = graph ? GPOINTER_TO_INT(g_object_get_data(G_OBJECT(graph), key)) : 0;
    if (graph)
        gst_object_unref(graph);
    return value;
}

// Streaming thread: the decoder asks, before it picks one stream of each
// kind, which streams the player wants; the audio stream and the text
// track chosen play from the start, subtitle pictures are left out.
gint chooseStream(GstElement* decoder, GstStreamCollection* collection, GstStream* stream,
                  gpointer) {
    const StreamKind kind = kindOf(stream);
    if (kind == StreamKind::Pictures)
        return 0;
    if (kind != StreamKind::Audio && kind != StreamKind::Text)
        return -1;
    const int chosen =
        kind == StreamKind::Audio ? wanted(decoder, kAudioKey) : wanted(decoder, kTextKey);
    int count = 0;
    for (guint i = 0; i < gst_stream_collection_get_size(collection); ++i) {
        GstStream* other = gst_stream_collection_get_stream(collection, i);
        if (other == stream)
            return count == chosen ? 1 : 0;
        count += kindOf(other) == kind;
    }
    return -1;
}

// The stream `index` of those of `kind`, counted in file order.
GstStream* nthStream(GstStreamCollection* collection, StreamKind kind, int index) {
    int count = 0;
    for (guint i = 0; collection && i < gst_stream_collection_get_size(collection); ++i) {
        GstStream* stream = gst_stream_collection_get_stream(collection, i);
        if (kindOf(stream) == kind && count++ == index)
            return stream;
    }
    return nullptr;
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

// Only a switch to another track is asked of the decoder: a selection sent
// while decodebin3 sets up its first streams trips its assertions (1.22),
// so "none" keeps the track it reads and drops its text here.
void FilterGraph::selectTextStream(int index) {
    textStream_ = index;
    if (index < 0 || index == decodedText_)
        return;
    decodedText_ = index;
    g_object_set_data(G_OBJECT(pipeline_), kTextKey, GINT_TO_POINTER(index));
    if (collection_)
        sendSelection();
}

void FilterGraph::sendSelection() {
    GList* ids = nullptr;
    int audio = 0, text = 0;
    for (guint i = 0; i < gst_stream_collection_get_size(collection_); ++i) {
        GstStream* stream = gst_stream_collection_get_stream(collection_, i);
        const StreamKind kind = kindOf(stream);
        const bool wanted = kind == StreamKind::Video ||
                            (kind == StreamKind::Audio && audio++ == audioStream_) ||
                            (kind == StreamKind::Text && text++ == decodedText_);
        if (wanted)
            ids = g_list_append(ids, const_cast<gchar*>(gst_stream_get_stream_id(stream)));
    }
    gst_element_send_event(decoder_, gst_event_new_select_streams(ids));
    g_list_free(ids);
}

// Text of another track than the one chosen (read before a switch took
// effect) is dropped.
void FilterGraph::takeText(GstMessage* message) {
    QByteArray from;
    const TextCue cue = readTextCue(message, &from);
    GstStream* chosen = nthStream(collection_, StreamKind::Text, textStream_);
    if (textStream_ < 0 || (chosen && from != gst_stream_get_stream_id(chosen)))
        return;
    Q_EMIT textRead(id_, cue);
}
