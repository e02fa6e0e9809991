#include "support/media/video_frame.h"

#include <QPaintEngine>
#include <QPainter>
#include <QThread>
#include <algorithm>
#include <gst/video/video.h>

namespace {

// The converter of the last paint, kept while the format and the size on
// screen stay the same: making one works out its scaling filters. Frames
// are painted on the UI thread only.
class ConverterCache {
  public:
    ~ConverterCache() { reset(); }

    GstVideoConverter* get(const GstVideoInfo& in, const GstVideoInfo& out) {
        if (converter_ && gst_video_info_is_equal(&in, &in_) &&
            gst_video_info_is_equal(&out, &out_))
            return converter_;
        reset();
        // Bilinear scaling, and no dithering: the screen is 24-bit and the
        // picture moves. Two threads halve the time the UI thread waits.
        GstStructure* options = gst_structure_new(
            "options", GST_VIDEO_CONVERTER_OPT_RESAMPLER_METHOD, GST_TYPE_VIDEO_RESAMPLER_METHOD,
            GST_VIDEO_RESAMPLER_METHOD_LINEAR, GST_VIDEO_CONVERTER_OPT_DITHER_METHOD,
            GST_TYPE_VIDEO_DITHER_METHOD, GST_VIDEO_DITHER_NONE, GST_VIDEO_CONVERTER_OPT_THREADS,
            G_TYPE_UINT, guint(std::clamp(QThread::idealThreadCount(), 1, 2)), nullptr);
        converter_ = gst_video_converter_new(const_cast<GstVideoInfo*>(&in),
                                             const_cast<GstVideoInfo*>(&out), options);
        in_ = in;
        out_ = out;
        return converter_;
    }

  private:
    void reset() {
        if (converter_)
            gst_video_converter_free(converter_);
        converter_ = nullptr;
    }

    GstVideoConverter* converter_ = nullptr;
    GstVideoInfo in_{};
    GstVideoInfo out_{};
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

// Converts the picture into `pixels` (32-bit BGRA, as Qt's RGB32 lies in
// memory on this platform), scaled to `size`.
bool VideoFrame::convert(uchar* pixels, qsizetype bytesPerLine, QSize size) const {
    GstVideoInfo out;
    gst_video_info_set_format(&out, GST_VIDEO_FORMAT_BGRA, guint(size.width()),
                              guint(size.height()));
    // The converter changes neither the timing nor the field order.
    out.fps_n = mapped_->info.fps_n;
    out.fps_d = mapped_->info.fps_d;
    out.interlace_mode = mapped_->info.interlace_mode;
    out.stride[0] = gint(bytesPerLine);
    out.size = gsize(bytesPerLine) * (size.height() - 1) + gsize(size.width()) * 4;
    GstVideoConverter* converter = converters().get(mapped_->info, out);
    if (!converter)
        return false;
    GstBuffer* wrapped = gst_buffer_new_wrapped_full(GstMemoryFlags(0), pixels, out.size, 0,
                                                     out.size, nullptr, nullptr);
    GstVideoFrame target;
    const bool mapped = gst_video_frame_map(&target, &out, wrapped, GST_MAP_WRITE);
    if (mapped) {
        gst_video_converter_frame(converter, mapped_.get(), &target);
        gst_video_frame_unmap(&target);
    }
    gst_buffer_unref(wrapped);
    return mapped;
}

QImage VideoFrame::toImage(QSize size) const {
    if (size.isEmpty())
        size = this->size();
    if (!mapped_ || size.isEmpty())
        return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull() || !convert(image.bits(), image.bytesPerLine(), size))
        return {};
    return image;
}

// Converts straight into the backing store when the painter writes plain
// pixels there and nothing is clipped from the picture's place; the window
// system's own repaints of a part of the window go the long way.
bool VideoFrame::paintIntoDevice(QPainter& painter, const QRect& target) const {
    QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || !engine->paintDevice() ||
        engine->paintDevice()->devType() != QInternal::Image)
        return false;
    auto* device = static_cast<QImage*>(engine->paintDevice());
    const QTransform transform = painter.deviceTransform();
    if (transform.type() > QTransform::TxTranslate || painter.hasClipping() ||
        device->devicePixelRatio() != 1.0 ||
        (device->format() != QImage::Format_RGB32 &&
         device->format() != QImage::Format_ARGB32_Premultiplied))
        return false;
    const QRect place = transform.mapRect(target);
    const QRegion clip = engine->systemClip();
    if (!device->rect().contains(place) ||
        (!clip.isEmpty() && !QRegion(place).subtracted(clip).isEmpty()))
        return false;
    // bits() would detach the image from the engine that shares it.
    auto* corner = const_cast<uchar*>(device->constBits()) + place.y() * device->bytesPerLine() +
                   place.x() * 4;
    return convert(corner, device->bytesPerLine(), place.size());
}

void VideoFrame::paint(QPainter& painter, const QRect& target) const {
    if (target.isEmpty() || isNull())
        return;
    if (!paintIntoDevice(painter, target))
        painter.drawImage(target.topLeft(), toImage(target.size()));
}
