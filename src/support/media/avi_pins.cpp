// The AVI splitter's output pins read from the file's stream headers, as
// the splitter itself names them and with the media types it gives them,
// without starting a pipeline to see them appear (which costs a tenth of
// the time to the first frame on a small file).
#include "support/media/gst_graph_private.h"
#include "support/probe/avi_header_reader.h"

#include <gst/riff/riff-media.h>
#include <gst/riff/riff-read.h>
#include <mutex>

namespace gstgraph {

namespace {

GstBuffer* bufferOf(const QByteArray& bytes) {
    return gst_buffer_new_memdup(bytes.constData(), gsize(bytes.size()));
}

QString takeMediaType(GstCaps* caps, const char* unknown) {
    if (!caps)
        return QString::fromLatin1(unknown);
    const QString type = capsMediaType(caps);
    gst_caps_unref(caps);
    return type;
}

QString videoType(const AviStreamHeaders& stream, gst_riff_strh* header) {
    gst_riff_strf_vids* format = nullptr;
    GstBuffer* extra = nullptr;
    if (!gst_riff_parse_strf_vids(nullptr, bufferOf(stream.format), &format, &extra))
        return {};
    // The splitter's choice of code: the format's compression, else the
    // stream's handler.
    const guint32 code = format->compression ? format->compression : header->fcc_handler;
    const QString type =
        takeMediaType(gst_riff_create_video_caps(code, header, format, extra, nullptr, nullptr),
                      "video/x-avi-unknown");
    g_free(format);
    if (extra)
        gst_buffer_unref(extra);
    return type;
}

QString audioType(const AviStreamHeaders& stream, gst_riff_strh* header) {
    gst_riff_strf_auds* format = nullptr;
    GstBuffer* extra = nullptr;
    if (!gst_riff_parse_strf_auds(nullptr, bufferOf(stream.format), &format, &extra))
        return {};
    const QString type = takeMediaType(gst_riff_create_audio_caps(format->format, header, format,
                                                                  extra, nullptr, nullptr, nullptr),
                                       "audio/x-avi-unknown");
    g_free(format);
    if (extra)
        gst_buffer_unref(extra);
    return type;
}

// One stream's pin, numbered per kind as the splitter numbers them; false
// for a kind of stream this reading leaves to the splitter itself.
bool addPin(const AviStreamHeaders& stream, int& videos, int& audios,
            std::vector<DynamicPin>& pins) {
    gst_riff_strh* header = nullptr;
    if (stream.header.isEmpty() || stream.format.isEmpty() ||
        !gst_riff_parse_strh(nullptr, bufferOf(stream.header), &header))
        return false;
    QString type;
    QByteArray name;
    if (header->type == GST_RIFF_FCC_vids) {
        type = videoType(stream, header);
        name = "video_" + QByteArray::number(videos++);
    } else if (header->type == GST_RIFF_FCC_auds) {
        type = audioType(stream, header);
        name = "audio_" + QByteArray::number(audios++);
    }
    g_free(header);
    if (type.isEmpty())
        return false;
    pins.push_back({name, QString(), type});
    return true;
}

} // namespace

bool aviPinsFromHeaders(const QString& location, std::vector<DynamicPin>& pins) {
    static std::once_flag initialised;
    std::call_once(initialised, gst_riff_init);
    const MediaResult<AviHeaders> headers = AviHeaderReader::read(location);
    if (!headers || headers.value().streamList.isEmpty())
        return false;
    std::vector<DynamicPin> found;
    int videos = 0, audios = 0;
    for (const AviStreamHeaders& stream : headers.value().streamList)
        if (!addPin(stream, videos, audios, found))
            return false;
    pins = std::move(found);
    return true;
}

} // namespace gstgraph
