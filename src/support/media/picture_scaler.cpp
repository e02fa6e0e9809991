#include "support/media/picture_scaler.h"

#include <cstring>
#include <gst/video/video.h>
extern "C" {
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

namespace {

AVPixelFormat pixelFormat(GstVideoFormat format) {
    switch (format) {
    case GST_VIDEO_FORMAT_I420:
    case GST_VIDEO_FORMAT_YV12: // the same planes, listed in another order
        return AV_PIX_FMT_YUV420P;
    case GST_VIDEO_FORMAT_Y42B:
        return AV_PIX_FMT_YUV422P;
    case GST_VIDEO_FORMAT_Y444:
        return AV_PIX_FMT_YUV444P;
    case GST_VIDEO_FORMAT_I420_10LE:
        return AV_PIX_FMT_YUV420P10LE;
    case GST_VIDEO_FORMAT_NV12:
        return AV_PIX_FMT_NV12;
    case GST_VIDEO_FORMAT_NV21:
        return AV_PIX_FMT_NV21;
    case GST_VIDEO_FORMAT_YUY2:
        return AV_PIX_FMT_YUYV422;
    case GST_VIDEO_FORMAT_UYVY:
        return AV_PIX_FMT_UYVY422;
    default:
        return AV_PIX_FMT_NONE;
    }
}

int colourSpace(GstVideoColorMatrix matrix) {
    switch (matrix) {
    case GST_VIDEO_COLOR_MATRIX_BT709:
        return SWS_CS_ITU709;
    case GST_VIDEO_COLOR_MATRIX_FCC:
        return SWS_CS_FCC;
    case GST_VIDEO_COLOR_MATRIX_SMPTE240M:
        return SWS_CS_SMPTE240M;
    case GST_VIDEO_COLOR_MATRIX_BT2020:
        return SWS_CS_BT2020;
    default:
        return SWS_CS_ITU601;
    }
}

// The first of a plane's components: the one with the finest sampling,
// which its bytes per pixel and its subsampling describe.
int firstComponentOf(const GstVideoFormatInfo* format, int plane) {
    for (int component = 0; component < int(GST_VIDEO_FORMAT_INFO_N_COMPONENTS(format));
         ++component) {
        if (int(GST_VIDEO_FORMAT_INFO_PLANE(format, component)) == plane)
            return component;
    }
    return 0;
}

} // namespace

PictureScaler::~PictureScaler() {
    sws_freeContext(context_);
}

bool PictureScaler::handles(const GstVideoInfo& in, const QRect& source) {
    if (pixelFormat(GST_VIDEO_INFO_FORMAT(&in)) == AV_PIX_FMT_NONE)
        return false;
    // A crop starts on a whole chroma sample: the planes are read from
    // offsets into them.
    const GstVideoFormatInfo* format = in.finfo;
    for (int c = 0; c < int(GST_VIDEO_FORMAT_INFO_N_COMPONENTS(format)); ++c) {
        if (source.x() % (1 << GST_VIDEO_FORMAT_INFO_W_SUB(format, c)) ||
            source.y() % (1 << GST_VIDEO_FORMAT_INFO_H_SUB(format, c)))
            return false;
    }
    return true;
}

bool PictureScaler::prepare(const GstVideoInfo& in, const QRect& source, QSize out) {
    const int matrix = colourSpace(in.colorimetry.matrix);
    const bool fullRange = in.colorimetry.range == GST_VIDEO_COLOR_RANGE_0_255;
    if (context_ && format_ == int(GST_VIDEO_INFO_FORMAT(&in)) && source_.size() == source.size() &&
        out_ == out && matrix_ == matrix && fullRange_ == fullRange)
        return true;
    sws_freeContext(context_);
    context_ = sws_getContext(source.width(), source.height(),
                              pixelFormat(GST_VIDEO_INFO_FORMAT(&in)), out.width(), out.height(),
                              AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!context_)
        return false;
    // The screen takes full-range pixels; the picture says how it was coded.
    sws_setColorspaceDetails(context_, sws_getCoefficients(matrix), fullRange ? 1 : 0,
                             sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
    format_ = int(GST_VIDEO_INFO_FORMAT(&in));
    matrix_ = matrix;
    fullRange_ = fullRange;
    source_ = source;
    out_ = out;
    return true;
}

bool PictureScaler::scale(const GstVideoFrame* in, const QRect& source, GstVideoFrame* out) {
    if (!handles(in->info, source) || GST_VIDEO_FRAME_FORMAT(out) != GST_VIDEO_FORMAT_BGRA)
        return false;
    const QSize size(GST_VIDEO_FRAME_WIDTH(out), GST_VIDEO_FRAME_HEIGHT(out));
    if (!prepare(in->info, source, size))
        return false;
    const GstVideoFormatInfo* format = in->info.finfo;
    const uint8_t* planes[4] = {};
    int strides[4] = {};
    // Three planes are read as Y, U and V, whatever order they lie in.
    const bool planar = GST_VIDEO_FRAME_N_PLANES(in) == 3;
    for (int p = 0; p < int(GST_VIDEO_FRAME_N_PLANES(in)); ++p) {
        const int c = planar ? p : firstComponentOf(format, p);
        auto* base = static_cast<const uint8_t*>(planar ? GST_VIDEO_FRAME_COMP_DATA(in, c)
                                                        : GST_VIDEO_FRAME_PLANE_DATA(in, p));
        strides[p] =
            planar ? GST_VIDEO_FRAME_COMP_STRIDE(in, c) : GST_VIDEO_FRAME_PLANE_STRIDE(in, p);
        planes[p] = base + (source.y() >> GST_VIDEO_FORMAT_INFO_H_SUB(format, c)) * strides[p] +
                    (source.x() >> GST_VIDEO_FORMAT_INFO_W_SUB(format, c)) *
                        GST_VIDEO_FORMAT_INFO_PSTRIDE(format, c);
    }
    // FFmpeg's fast paths write whole groups of pixels, past the end of a
    // line whose width is not a multiple of the group (and past the end of
    // the last line): the picture is made in a padded buffer of this
    // scaler's own, then copied line by line into the window's pixels.
    const int padded = (size.width() * 4 + 63) & ~63;
    scratch_.resize(size_t(padded) * size_t(size.height() + 1) + 64);
    uint8_t* target[4] = {scratch_.data()};
    const int targetStrides[4] = {padded};
    if (sws_scale(context_, planes, strides, 0, source.height(), target, targetStrides) !=
        size.height())
        return false;
    auto* pixels = static_cast<uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(out, 0));
    const int stride = GST_VIDEO_FRAME_PLANE_STRIDE(out, 0);
    for (int y = 0; y < size.height(); ++y)
        memcpy(pixels + qsizetype(y) * stride, scratch_.data() + size_t(y) * padded,
               size_t(size.width()) * 4);
    return true;
}
