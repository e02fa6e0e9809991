#pragma once
// FFmpeg's scaler for the paint: a YUV picture of a common layout turned
// into 32-bit screen pixels and scaled in one pass, in about half the time
// GStreamer's converter takes for the same bilinear filter in its two
// passes (1280x720 into 1128x635: 1.5 ms a frame against 2.5 ms). Pictures
// of other formats, and crops that split a chroma sample, are left to
// GStreamer's converter.
#include <QRect>
#include <vector>

typedef struct _GstVideoFrame GstVideoFrame;
typedef struct _GstVideoInfo GstVideoInfo;
struct SwsContext;

class PictureScaler {
  public:
    PictureScaler() = default;
    ~PictureScaler();
    PictureScaler(const PictureScaler&) = delete;
    PictureScaler& operator=(const PictureScaler&) = delete;

    // Whether this scaler takes the `source` part of pictures like `in`.
    static bool handles(const GstVideoInfo& in, const QRect& source);

    // Scales the `source` part of `in` over the whole of `out` (32-bit
    // BGRA). False when it does not handle the picture; the context made
    // for one size and format is kept for the next frame.
    bool scale(const GstVideoFrame* in, const QRect& source, GstVideoFrame* out);

  private:
    // FFmpeg's fast paths write whole groups of pixels: up to this many
    // bytes past the end of a line whose width is not a multiple of one.
    static constexpr int kOverrun = 64;

    // The source's last lines, made apart: more than enough for the filter
    // of the last line.
    static constexpr int kTailSourceLines = 32;
    static constexpr int kMostSlicedShrink = 8;

    // The picture's planes from the source's corner, and each one's
    // vertical subsampling.
    struct Planes {
        const uint8_t* data[4] = {};
        int strides[4] = {};
        int rowShift[4] = {};
    };

    bool prepare(const GstVideoInfo& in, const QRect& source, QSize out);
    bool scaleInto(const Planes& in, uint8_t* pixels, int stride);
    int scaleWithTailBuffer(const Planes& in, uint8_t* pixels, int stride);

    SwsContext* context_ = nullptr;
    int format_ = -1; // the GstVideoFormat the context reads
    int matrix_ = -1;
    bool fullRange_ = false;
    QRect source_;
    QSize out_;
    std::vector<uint8_t> kept_; // the window's bytes past each line's end
};
