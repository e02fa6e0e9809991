#pragma once
// One decoded picture on its way to the screen. A frame from a graph keeps
// the decoder's own buffer, in the decoder's format, and becomes screen
// pixels only when it is painted: converted and scaled in one pass straight
// into the window's backing store. No full-size copy of the picture in
// screen pixels is ever kept, which at 1080p saves 8 MB for each frame in
// flight and a copy of every frame.
#include <QImage>
#include <QRect>
#include <memory>

class QPainter;
typedef struct _GstVideoFrame GstVideoFrame;
typedef struct _GstSample GstSample;

class VideoFrame {
  public:
    VideoFrame() = default;
    // The picture of a raw video sample, holding the sample's buffer (the
    // caller keeps its own reference to the sample). A null frame when the
    // sample cannot be read as video. `pixelAspect` receives the width of a
    // pixel over its height.
    static VideoFrame fromSample(GstSample* sample, double* pixelAspect = nullptr);

    bool isNull() const { return !mapped_; }
    QSize size() const;

    // Paints the picture stretched over `target` (the painter's
    // coordinates), scaled once, at the device's own pixels: on a screen
    // scaled by 2 a picture as large as its place in device pixels is
    // painted 1:1. Only the part the painter can show is converted.
    void paint(QPainter& painter, const QRect& target) const;
    // The picture in screen pixels, at `size` (its own size by default).
    QImage toImage(QSize size = {}) const;

  private:
    bool paintIntoDevice(QPainter& painter, const QRect& visible, const QRect& source) const;
    void paintThroughImage(QPainter& painter, const QRect& visible, const QRect& source) const;
    bool convert(uchar* pixels, qsizetype bytesPerLine, QSize size, const QRect& source) const;

    std::shared_ptr<GstVideoFrame> mapped_;
};

// The size a picture of `pixels` shows at when its pixels are
// `pixelAspect` times as wide as they are high (whole pixels, at least one).
QSize displaySize(QSize pixels, double pixelAspect);
