// Decoded frames converted and scaled as they are painted, into the backing store or an image.
#include "support/media/frame_crop.h"
#include "support/media/frame_sink.h"
#include "support/media/video_frame.h"
#include "test_support.h"
#include "video/renderer_window.h"

#include <QPainter>
#include <functional>
#include <gst/video/video.h>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

bool isMagenta(QRgb pixel) {
    return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) > 200;
}

bool isGrey(QRgb pixel) {
    return std::abs(qRed(pixel) - qGreen(pixel)) < 12 &&
           std::abs(qBlue(pixel) - qGreen(pixel)) < 12 && qGreen(pixel) > 100 &&
           qGreen(pixel) < 160;
}

} // namespace

TEST(VideoFrame, ConvertsAndScalesTheDecodersPictureIntoScreenPixels) {
    // Magenta on the left, grey on the right (swapped in the bottom quarter).
    const VideoFrame frame =
        i420Frame(64, 32, [](GstVideoFrame* f) { fillHalves(f, kMagenta, kGrey); });
    const QImage own = frame.toImage();
    ASSERT_EQ(own.size(), QSize(64, 32));
    EXPECT_TRUE(isMagenta(own.pixel(5, 5))) << std::hex << own.pixel(5, 5);
    EXPECT_TRUE(isGrey(own.pixel(60, 20))) << std::hex << own.pixel(60, 20);

    const QImage big = frame.toImage(QSize(640, 320));
    ASSERT_EQ(big.size(), QSize(640, 320));
    EXPECT_TRUE(isMagenta(big.pixel(300, 200)));
    EXPECT_TRUE(isGrey(big.pixel(340, 10)));

    // Painting on a plain image: the painter's transform is honoured, and its clip kept.
    const auto painted = [&frame](const std::function<void(QPainter&)>& set) {
        QImage canvas(200, 100, QImage::Format_RGB32);
        canvas.fill(Qt::black);
        QPainter painter(&canvas);
        set(painter);
        frame.paint(painter, QRect(0, 0, 128, 64));
        painter.end();
        return canvas;
    };
    const QImage moved = painted([](QPainter& painter) { painter.translate(20, 10); });
    EXPECT_EQ(moved.pixel(10, 5), qRgb(0, 0, 0)) << "outside the picture";
    EXPECT_TRUE(isMagenta(moved.pixel(25, 15)));
    EXPECT_TRUE(isGrey(moved.pixel(140, 40)));
    EXPECT_EQ(moved.pixel(150, 80), qRgb(0, 0, 0));
    const QImage clipped = painted([](QPainter& painter) { painter.setClipRect(0, 0, 30, 100); });
    EXPECT_TRUE(isMagenta(clipped.pixel(25, 15)));
    EXPECT_EQ(clipped.pixel(40, 15), qRgb(0, 0, 0));
}

// The part of a frame a zoomed or covered picture shows: in the frame, and never empty.
TEST(VisibleSource, MapsTheShownPartBackToWholeSourcePixels) {
    const struct {
        QRect place, visible, source;
    } rows[] = {
        {{0, 0, 1280, 720}, {0, 0, 1280, 720}, {0, 0, 640, 360}},       // all of it
        {{-16, 0, 1312, 720}, {0, 0, 1280, 720}, {8, 0, 624, 360}},     // the pad, wider
        {{0, -100, 1920, 1280}, {0, 0, 1920, 1080}, {0, 28, 640, 304}}, // taller than the screen
        {{100, 50, 1280, 720}, {100, 50, 1, 1}, {0, 0, 1, 1}},          // one pixel
        {{0, 0, 12800, 7200}, {12799, 7199, 1, 1}, {639, 359, 1, 1}},   // the far corner
        {{0, 0, 100, 100}, {40, 40, 20, 20}, {256, 144, 128, 72}},      // picture shrunk
    };
    for (const auto& row : rows)
        EXPECT_EQ(visibleSource({640, 360}, row.place, row.visible), row.source) << row.place.x();
    EXPECT_TRUE(visibleSource({}, {0, 0, 10, 10}, {0, 0, 10, 10}).isEmpty());
    EXPECT_EQ(displaySize({720, 576}, 16.0 / 15), QSize(768, 576));
    EXPECT_EQ(displaySize({720, 576}, 1e9), QSize(720, 576)) << "beyond any picture: square";
}

TEST(VideoFrame, ASampleGivesItsPixelAspectOrNoFrameWhenItIsNotVideo) {
    // 16x8 I420 is 192 bytes.
    GstBuffer* buffer = gst_buffer_new_allocate(nullptr, 192, nullptr);
    const auto frameOf = [buffer](const char* caps, double* aspect = nullptr) {
        GstCaps* parsed = gst_caps_from_string(caps);
        GstSample* sample = gst_sample_new(buffer, parsed, nullptr, nullptr);
        VideoFrame frame = VideoFrame::fromSample(sample, aspect);
        gst_sample_unref(sample);
        gst_caps_unref(parsed);
        return frame;
    };
    double aspect = 0;
    const VideoFrame wide =
        frameOf("video/x-raw,format=I420,width=16,height=8,pixel-aspect-ratio=2/1", &aspect);
    EXPECT_EQ(std::pair(wide.size(), aspect), std::pair(QSize(16, 8), 2.0));
    EXPECT_TRUE(frameOf("audio/x-raw,format=S16LE,rate=8000,channels=1").isNull());
    EXPECT_TRUE(frameOf("video/x-raw,format=I420,width=640,height=480").isNull())
        << "caps that promise more than the buffer holds";
    EXPECT_TRUE(VideoFrame().toImage().isNull());
    gst_buffer_unref(buffer);
}

// At the device's pixels (again with QT_SCALE_FACTOR=2): a one-pixel checkerboard survives.
TEST(VideoFrame, AWindowPaintsTheFrameAtItsDevicePixels) {
    const VideoFrame board = i420Frame(128, 64, [](GstVideoFrame* frame) {
        auto* luma = static_cast<guint8*>(GST_VIDEO_FRAME_PLANE_DATA(frame, 0));
        const int stride = GST_VIDEO_FRAME_PLANE_STRIDE(frame, 0);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 128; ++x)
                luma[y * stride + x] = (x + y) % 2 ? 235 : 16;
        for (int plane = 1; plane < 3; ++plane)
            memset(GST_VIDEO_FRAME_PLANE_DATA(frame, plane), 128,
                   size_t(GST_VIDEO_FRAME_PLANE_STRIDE(frame, plane)) * 32);
    });
    FrameSink frames;
    VideoSurface surface(&frames);
    surface.explicitlySized = true;
    surface.show();
    ASSERT_TRUE(waitUntil([&] { return surface.isVisible(); }, 2000));
    const double scale = surface.devicePixelRatio();
    surface.resize(QSize(qRound(128 / scale), qRound(64 / scale)));
    frames.push(board, 1.0);
    ASSERT_TRUE(waitUntil([&] { return frames.framesDelivered() == 1; }, 2000));
    pumpEvents(100);
    const auto blurred = [](const QImage& shot) {
        int wrong = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 128; ++x)
                wrong += std::abs(qGray(shot.pixel(x, y)) - ((x + y) % 2 ? 255 : 0)) > 48;
        return wrong;
    };
    const QImage shown = windowPixels(surface);
    ASSERT_EQ(shown.size(), QSize(128, 64)) << "scale " << scale;
    EXPECT_EQ(blurred(shown), 0) << "scale " << scale;
    const QImage grabbed = surface.grab().toImage();
    ASSERT_EQ(grabbed.size(), QSize(128, 64));
    EXPECT_EQ(blurred(grabbed), 0) << "scale " << scale;
}
