#include "support/media/video_frame.h"

#include "support/media/frame_crop.h"
#include "support/media/picture_scaler.h"

#include <QPaintEngine>
#include <QPainter>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <gst/video/video.h>

namespace {

// The converters of the last paint, kept while the format and the size on
// screen stay the same: making one works out its scaling filters. Frames
// are painted on the UI thread only.
//
// The common YUV layouts go through FFmpeg's scaler in one pass. Others
// shown at another size are scaled in their own format first, then turned
// into screen pixels at the size shown: GStreamer's planar scaler and its
// YUV-to-RGB fast path together cost a third less than its one general
// pass at 720p, with the same bilinear filter.
class ConverterCache {
  public:
    ~ConverterCache() { reset(); }

    // Converts the `source` part of `in` into `out`.
    bool convert(const GstVideoFrame* in, GstVideoFrame* out, const QRect& source) {
        if (pictureScaler_.scale(in, source, out))
            return true;
        if (!prepare(in->info, out->info, source))
            return false;
        if (!scaler_) {
            gst_video_converter_frame(converter_, in, out);
            return true;
        }
        GstVideoFrame scaled;
        if (!gst_video_frame_map(&scaled, &scaledInfo_, scaled_, GST_MAP_READWRITE))
            return false;
        gst_video_converter_frame(scaler_, in, &scaled);
        gst_video_converter_frame(converter_, &scaled, out);
        gst_video_frame_unmap(&scaled);
        return true;
    }

  private:
    bool prepare(const GstVideoInfo& in, const GstVideoInfo& out, const QRect& source) {
        if (converter_ && source == source_ && gst_video_info_is_equal(&in, &in_) &&
            gst_video_info_is_equal(&out, &out_))
            return true;
        reset();
        in_ = in;
        out_ = out;
        source_ = source;
        const bool scaling = source.size() != QSize(int(GST_VIDEO_INFO_WIDTH(&out)),
                                                    int(GST_VIDEO_INFO_HEIGHT(&out)));
        if (!scaling || !GST_VIDEO_INFO_IS_YUV(&in)) {
            converter_ = make(in, out, source);
            return converter_;
        }
        gst_video_info_set_format(&scaledInfo_, GST_VIDEO_INFO_FORMAT(&in),
                                  GST_VIDEO_INFO_WIDTH(&out), GST_VIDEO_INFO_HEIGHT(&out));
        scaledInfo_.colorimetry = in.colorimetry;
        scaledInfo_.chroma_site = in.chroma_site;
        scaledInfo_.fps_n = in.fps_n;
        scaledInfo_.fps_d = in.fps_d;
        scaledInfo_.interlace_mode = in.interlace_mode;
        scaled_ = gst_buffer_new_allocate(nullptr, scaledInfo_.size, nullptr);
        scaler_ = make(in, scaledInfo_, source);
        converter_ = make(scaledInfo_, out,
                          QRect(0, 0, GST_VIDEO_INFO_WIDTH(&out), GST_VIDEO_INFO_HEIGHT(&out)));
        if (scaled_ && scaler_ && converter_)
            return true;
        reset();
        return false;
    }

    // Bilinear scaling, and no dithering: the screen is 24-bit and the
    // picture moves. Two threads halve the time the UI thread waits.
    static GstVideoConverter* make(const GstVideoInfo& in, const GstVideoInfo& out,
                                   const QRect& source) {
        GstStructure* options = gst_structure_new(
            "options", GST_VIDEO_CONVERTER_OPT_RESAMPLER_METHOD, GST_TYPE_VIDEO_RESAMPLER_METHOD,
            GST_VIDEO_RESAMPLER_METHOD_LINEAR, GST_VIDEO_CONVERTER_OPT_DITHER_METHOD,
            GST_TYPE_VIDEO_DITHER_METHOD, GST_VIDEO_DITHER_NONE, GST_VIDEO_CONVERTER_OPT_THREADS,
            G_TYPE_UINT, guint(std::clamp(QThread::idealThreadCount(), 1, 2)),
            GST_VIDEO_CONVERTER_OPT_SRC_X, G_TYPE_INT, source.x(), GST_VIDEO_CONVERTER_OPT_SRC_Y,
            G_TYPE_INT, source.y(), GST_VIDEO_CONVERTER_OPT_SRC_WIDTH, G_TYPE_INT, source.width(),
            GST_VIDEO_CONVERTER_OPT_SRC_HEIGHT, G_TYPE_INT, source.height(), nullptr);
        return gst_video_converter_new(const_cast<GstVideoInfo*>(&in),
                                       const_cast<GstVideoInfo*>(&out), options);
    }

    void reset() {
        for (GstVideoConverter* converter : {scaler_, converter_})
            if (converter)
                gst_video_converter_free(converter);
        if (scaled_)
            gst_buffer_unref(scaled_);
        scaler_ = converter_ = nullptr;
        scaled_ = nullptr;
    }

    PictureScaler pictureScaler_;
    GstVideoConverter* scaler_ = nullptr; // the picture's format, at the size shown
    GstVideoConverter* converter_ = nullptr;
    GstBuffer* scaled_ = nullptr;
    GstVideoInfo scaledInfo_{};
    GstVideoInfo in_{};
    GstVideoInfo out_{};
    QRect source_;
};

ConverterCache& converters() {
    static ConverterCache cache;
    return cache;
}

void unmapAndFree(GstVideoFrame* frame) {
    gst_video_frame_unmap(frame);
    delete frame;
}

} // namespace

VideoFrame VideoFrame::fromSample(GstSample* sample, double* pixelAspect) {
    GstVideoInfo info;
    GstCaps* caps = gst_sample_get_caps(sample);
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    if (!caps || !buffer || !gst_video_info_from_caps(&info, caps))
        return {};
    auto* frame = new GstVideoFrame;
    // The mapped frame holds its own reference to the buffer.
    if (!gst_video_frame_map(frame, &info, buffer, GST_MAP_READ)) {
        delete frame;
        return {};
    }
    if (pixelAspect)
        *pixelAspect = info.par_n > 0 && info.par_d > 0 ? double(info.par_n) / info.par_d : 1.0;
    VideoFrame result;
    result.mapped_.reset(frame, unmapAndFree);
    return result;
}

QSize VideoFrame::size() const {
    if (!mapped_)
        return {};
    return QSize(GST_VIDEO_FRAME_WIDTH(mapped_.get()), GST_VIDEO_FRAME_HEIGHT(mapped_.get()));
}

// Converts the `source` part of the picture into `pixels` (32-bit BGRA, as
// Qt's RGB32 lies in memory on this platform), scaled to `size`.
bool VideoFrame::convert(uchar* pixels, qsizetype bytesPerLine, QSize size,
                         const QRect& source) const {
    GstVideoInfo out;
    gst_video_info_set_format(&out, GST_VIDEO_FORMAT_BGRA, guint(size.width()),
                              guint(size.height()));
    // The converter changes neither the timing nor the field order.
    out.fps_n = mapped_->info.fps_n;
    out.fps_d = mapped_->info.fps_d;
    out.interlace_mode = mapped_->info.interlace_mode;
    out.stride[0] = gint(bytesPerLine);
    out.size = gsize(bytesPerLine) * (size.height() - 1) + gsize(size.width()) * 4;
    GstBuffer* wrapped = gst_buffer_new_wrapped_full(GstMemoryFlags(0), pixels, out.size, 0,
                                                     out.size, nullptr, nullptr);
    GstVideoFrame target;
    bool done = gst_video_frame_map(&target, &out, wrapped, GST_MAP_WRITE);
    if (done) {
        done = converters().convert(mapped_.get(), &target, source);
        gst_video_frame_unmap(&target);
    }
    gst_buffer_unref(wrapped);
    return done;
}

QImage VideoFrame::toImage(QSize size) const {
    if (size.isEmpty())
        size = this->size();
    if (!mapped_ || size.isEmpty())
        return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull() ||
        !convert(image.bits(), image.bytesPerLine(), size, QRect({}, this->size())))
        return {};
    return image;
}

// Converts straight into the backing store when the painter writes plain
// pixels there: no copy of the picture is made on the way.
bool VideoFrame::paintIntoDevice(QPainter& painter, const QRect& visible,
                                 const QRect& source) const {
    QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || !engine->paintDevice() ||
        engine->paintDevice()->devType() != QInternal::Image)
        return false;
    auto* device = static_cast<QImage*>(engine->paintDevice());
    if (device->format() != QImage::Format_RGB32 &&
        device->format() != QImage::Format_ARGB32_Premultiplied)
        return false;
    // bits() would detach the image from the engine that shares it.
    auto* corner = const_cast<uchar*>(device->constBits()) + visible.y() * device->bytesPerLine() +
                   visible.x() * 4;
    return convert(corner, device->bytesPerLine(), visible.size(), source);
}

// Where the backing store cannot take the picture (a grab, a painter that
// clips it into several parts), the visible part goes through an image the
// painter lays down pixel for pixel.
void VideoFrame::paintThroughImage(QPainter& painter, const QRect& visible,
                                   const QRect& source) const {
    QImage image(visible.size(), QImage::Format_RGB32);
    if (image.isNull() || !convert(image.bits(), image.bytesPerLine(), visible.size(), source))
        return;
    const QRectF place = painter.deviceTransform().inverted().mapRect(QRectF(visible));
    painter.drawImage(place, image);
}

void VideoFrame::paint(QPainter& painter, const QRect& target) const {
    if (target.isEmpty() || isNull())
        return;
    const QTransform transform = painter.deviceTransform();
    if (transform.type() > QTransform::TxScale) {
        // Turned or sheared: no window paints so; the painter maps it all.
        painter.drawImage(QRectF(target), toImage(target.size()));
        return;
    }
    // From here on in device pixels: the picture's place, and what of it
    // the device, the window system and the painter let through.
    const QRect place = transform.mapRect(target);
    QRegion shown(place);
    QPaintEngine* engine = painter.paintEngine();
    if (QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
        device && device->devType() == QInternal::Image)
        shown &= QRect(QPoint(), static_cast<QImage*>(device)->size());
    if (engine && !engine->systemClip().isEmpty())
        shown &= engine->systemClip();
    if (painter.hasClipping())
        shown &= transform.map(painter.clipRegion());
    if (shown.isEmpty())
        return;
    const QRect visible = shown.boundingRect();
    const QRect source = visibleSource(size(), place, visible);
    if (shown.rectCount() == 1 && paintIntoDevice(painter, visible, source))
        return;
    paintThroughImage(painter, visible, source);
}

QSize displaySize(QSize pixels, double pixelAspect) {
    if (pixels.isEmpty())
        return pixels;
    // Caps may claim any fraction: one beyond what a picture has counts as square.
    if (!(pixelAspect >= 0.01 && pixelAspect <= 100))
        pixelAspect = 1.0;
    return {std::max(1, int(std::lround(pixels.width() * pixelAspect))), pixels.height()};
}
