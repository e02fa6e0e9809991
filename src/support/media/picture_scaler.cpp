#include "support/media/picture_scaler.h"

#include <algorithm>
#include <cstdint>
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
    Planes planes;
    // Three planes are read as Y, U and V, whatever order they lie in.
    const bool planar = GST_VIDEO_FRAME_N_PLANES(in) == 3;
    for (int p = 0; p < int(GST_VIDEO_FRAME_N_PLANES(in)); ++p) {
        const int c = planar ? p : firstComponentOf(format, p);
        auto* base = static_cast<const uint8_t*>(planar ? GST_VIDEO_FRAME_COMP_DATA(in, c)
                                                        : GST_VIDEO_FRAME_PLANE_DATA(in, p));
        planes.strides[p] =
            planar ? GST_VIDEO_FRAME_COMP_STRIDE(in, c) : GST_VIDEO_FRAME_PLANE_STRIDE(in, p);
        planes.rowShift[p] = GST_VIDEO_FORMAT_INFO_H_SUB(format, c);
        planes.data[p] = base + (source.y() >> planes.rowShift[p]) * planes.strides[p] +
                         (source.x() >> GST_VIDEO_FORMAT_INFO_W_SUB(format, c)) *
                             GST_VIDEO_FORMAT_INFO_PSTRIDE(format, c);
    }
    return scaleInto(planes, static_cast<uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(out, 0)),
                     GST_VIDEO_FRAME_PLANE_STRIDE(out, 0));
}

// The picture is made straight in the window's pixels. The bytes past each
// line's end (the window's own, beside the picture) are kept and put back;
// a line's overrun that reaches the next line is written over when that
// line is made, as lines are made in order.
bool PictureScaler::scaleInto(const Planes& in, uint8_t* pixels, int stride) {
    const qsizetype width = qsizetype(out_.width()) * 4, height = out_.height();
    const qsizetype gap = std::clamp<qsizetype>(stride - width, 0, kOverrun);
    kept_.resize(size_t(gap * (height - 1)));
    // Taken, or put back; nothing to keep where the picture fills the pixels.
    auto keep = [&](bool back) {
        for (qsizetype y = 0; !kept_.empty() && y + 1 < height; ++y) {
            uint8_t* beside = pixels + y * stride + width;
            uint8_t* kept = kept_.data() + y * gap;
            memcpy(back ? beside : kept, back ? kept : beside, size_t(gap));
        }
    };
    keep(false);
    const int made = scaleWithTailBuffer(in, pixels, stride);
    keep(true);
    return made == out_.height();
}

// The source is given in two slices: the lines made from the first go
// straight into the window, and the last lines, which need the source's
// last lines and whose overrun could pass the end of the pixels (the
// window's backing store may end with the picture), into a buffer of a
// few lines. The result is the same as one pass.
int PictureScaler::scaleWithTailBuffer(const Planes& in, uint8_t* pixels, int stride) {
    const int lines = source_.height();
    // FFmpeg's slices fail for a picture shrunk many times over; such a
    // picture is small, and goes through the buffer whole.
    const int split =
        lines <= kMostSlicedShrink * out_.height() ? std::max(0, lines - kTailSourceLines) & ~1 : 0;
    int made = 0;
    if (split > 0) {
        uint8_t* target[4] = {pixels};
        const int targetStrides[4] = {stride};
        made = sws_scale(context_, in.data, in.strides, 0, split, target, targetStrides);
        if (made < 0 || made >= out_.height())
            return -1;
    }
    const int rest = out_.height() - made;
    std::vector<uint8_t> tail(size_t(rest) * size_t(stride) + kOverrun);
    // Where line 0 would lie for line `made` to land at the buffer's start.
    uint8_t* target[4] = {reinterpret_cast<uint8_t*>(reinterpret_cast<uintptr_t>(tail.data()) -
                                                     uintptr_t(made) * uintptr_t(stride))};
    const int targetStrides[4] = {stride};
    const uint8_t* data[4] = {};
    for (int p = 0; p < 4 && in.data[p]; ++p)
        data[p] = in.data[p] + qsizetype(split >> in.rowShift[p]) * in.strides[p];
    if (sws_scale(context_, data, in.strides, split, lines - split, target, targetStrides) != rest)
        return -1;
    for (int y = 0; y < rest; ++y)
        memcpy(pixels + qsizetype(made + y) * stride, tail.data() + qsizetype(y) * stride,
               size_t(out_.width()) * 4);
    return out_.height();
}
