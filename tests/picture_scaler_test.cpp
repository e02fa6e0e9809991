// FFmpeg's scaler on the paint path: each layout it reads, the picture's
// own colour matrix and range, and crops by whole chroma samples only.
#include "support/media/picture_scaler.h"
#include "test_support.h"

#include <QImage>
#include <gst/video/video.h>
#include <gtest/gtest.h>

namespace {

// A mapped picture of halves (testsupport::fillHalves) in any 8-bit YUV layout.
struct Picture {
    Picture(GstVideoFormat format, int width, int height, const int (&left)[3],
            const int (&right)[3], GstVideoColorimetry colours = {}) {
        gst_video_info_set_format(&info, format, guint(width), guint(height));
        if (colours.matrix != GST_VIDEO_COLOR_MATRIX_UNKNOWN)
            info.colorimetry = colours;
        buffer = gst_buffer_new_allocate(nullptr, info.size, nullptr);
        gst_video_frame_map(&frame, &info, buffer, GST_MAP_READWRITE);
        testsupport::fillHalves(&frame, left, right);
    }
    ~Picture() {
        gst_video_frame_unmap(&frame);
        gst_buffer_unref(buffer);
    }
    // The `source` part in screen pixels at `size`; a null image when the
    // scaler does not take it. The picture lies in a bigger image, `around`
    // it, as in a window's pixels: what lies around it must stay as it was.
    QImage scaled(PictureScaler& scaler, QRect source, QSize size,
                  QMargins around = QMargins(8, 1, 8, 1)) {
        const QRect place(QPoint(around.left(), around.top()), size);
        QImage image(place.marginsAdded(around).size(), QImage::Format_RGB32);
        image.fill(Qt::blue);
        GstVideoInfo out;
        gst_video_info_set_format(&out, GST_VIDEO_FORMAT_BGRA, guint(size.width()),
                                  guint(size.height()));
        out.stride[0] = gint(image.bytesPerLine());
        const qsizetype offset = place.y() * image.bytesPerLine() + place.x() * 4;
        out.size = gsize(image.sizeInBytes() - offset);
        GstBuffer* wrapped = gst_buffer_new_wrapped_full(GstMemoryFlags(0), image.bits() + offset,
                                                         out.size, 0, out.size, nullptr, nullptr);
        GstVideoFrame target;
        gst_video_frame_map(&target, &out, wrapped, GST_MAP_WRITE);
        const bool done = scaler.scale(&frame, source, &target);
        gst_video_frame_unmap(&target);
        gst_buffer_unref(wrapped);
        QPoint written(-1, -1); // the last pixel around the picture that changed
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!place.contains(x, y) && image.pixel(x, y) != qRgb(0, 0, 255))
                    written = QPoint(x, y);
        EXPECT_EQ(written, QPoint(-1, -1));
        return done ? image.copy(place) : QImage();
    }
    GstVideoInfo info;
    GstBuffer* buffer = nullptr;
    GstVideoFrame frame;
};

::testing::AssertionResult near(QRgb pixel, QRgb expected, int tolerance = 6) {
    const int worst = std::max({std::abs(qRed(pixel) - qRed(expected)),
                                std::abs(qGreen(pixel) - qGreen(expected)),
                                std::abs(qBlue(pixel) - qBlue(expected))});
    if (worst <= tolerance && qAlpha(pixel) == 255)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << QString::number(pixel, 16).toStdString() << " is not "
                                         << QString::number(expected, 16).toStdString();
}

using testsupport::kGrey;
using testsupport::kMagenta;

} // namespace

TEST(PictureScaler, EveryLayoutItReadsGivesTheSameScaledPicture) {
    for (GstVideoFormat format :
         {GST_VIDEO_FORMAT_I420, GST_VIDEO_FORMAT_YV12, GST_VIDEO_FORMAT_NV12,
          GST_VIDEO_FORMAT_NV21, GST_VIDEO_FORMAT_YUY2, GST_VIDEO_FORMAT_UYVY,
          GST_VIDEO_FORMAT_Y42B, GST_VIDEO_FORMAT_Y444}) {
        SCOPED_TRACE(gst_video_format_to_string(format));
        Picture picture(format, 64, 80, kMagenta, kGrey);
        PictureScaler scaler;
        const QImage image = picture.scaled(scaler, QRect(0, 0, 64, 80), QSize(95, 100));
        ASSERT_FALSE(image.isNull());
        EXPECT_TRUE(near(image.pixel(10, 20), qRgb(255, 0, 255), 12));
        EXPECT_TRUE(near(image.pixel(90, 5), qRgb(130, 130, 130)));
        // The halves meet in the middle, not a column off; the bottom
        // quarter starts where it should.
        EXPECT_TRUE(near(image.pixel(44, 20), qRgb(255, 0, 255), 12));
        EXPECT_TRUE(near(image.pixel(51, 20), qRgb(130, 130, 130)));
        EXPECT_TRUE(near(image.pixel(10, 72), qRgb(255, 0, 255), 12));
        EXPECT_TRUE(near(image.pixel(10, 77), qRgb(130, 130, 130)));
        EXPECT_TRUE(near(image.pixel(94, 99), qRgb(255, 0, 255), 12));
        // Pixels that end with the picture, beside it or alone, get the same
        // picture (an odd width: the last group of pixels overruns).
        for (QMargins around : {QMargins(8, 1, 0, 0), QMargins()})
            EXPECT_EQ(picture.scaled(scaler, QRect(0, 0, 64, 80), QSize(95, 100), around), image);
    }
    GstVideoInfo rgb;
    gst_video_info_set_format(&rgb, GST_VIDEO_FORMAT_BGRx, 64, 32);
    EXPECT_FALSE(PictureScaler::handles(rgb, QRect(0, 0, 64, 32))) << "GStreamer's to convert";
}

TEST(PictureScaler, ThePicturesOwnMatrixAndRangeAreUsed) {
    // Pure red coded with BT.709 (limited): through BT.601 it would be
    // (233, 0, 2). Y 16 coded full range is a dark grey, not black.
    constexpr auto limited = GST_VIDEO_COLOR_RANGE_16_235, full = GST_VIDEO_COLOR_RANGE_0_255;
    constexpr auto bt709 = GST_VIDEO_COLOR_MATRIX_BT709, bt601 = GST_VIDEO_COLOR_MATRIX_BT601;
    const struct {
        int yuv[3];
        GstVideoColorRange range;
        GstVideoColorMatrix matrix;
        QRgb expected;
    } cases[] = {{{63, 102, 240}, limited, bt709, qRgb(255, 0, 0)},
                 {{63, 102, 240}, limited, bt601, qRgb(233, 0, 2)},
                 {{16, 128, 128}, full, bt601, qRgb(16, 16, 16)},
                 {{16, 128, 128}, limited, bt601, qRgb(0, 0, 0)}};
    PictureScaler scaler; // one scaler: a new matrix or range makes a new context
    for (const auto& c : cases) {
        const GstVideoColorimetry colours{c.range, c.matrix, GST_VIDEO_TRANSFER_BT709,
                                          GST_VIDEO_COLOR_PRIMARIES_BT709};
        Picture picture(GST_VIDEO_FORMAT_I420, 16, 16, c.yuv, c.yuv, colours);
        const QImage image = picture.scaled(scaler, QRect(0, 0, 16, 16), QSize(16, 16));
        ASSERT_FALSE(image.isNull());
        EXPECT_TRUE(near(image.pixel(8, 8), c.expected)) << c.yuv[0] << " " << c.matrix;
    }
}

TEST(PictureScaler, CropsStartOnAWholeChromaSample) {
    Picture picture(GST_VIDEO_FORMAT_I420, 64, 80, kMagenta, kGrey);
    PictureScaler scaler;
    // The right half alone: grey all over, magenta nowhere.
    const QImage right = picture.scaled(scaler, QRect(32, 8, 32, 16), QSize(64, 32));
    ASSERT_FALSE(right.isNull());
    EXPECT_TRUE(near(right.pixel(0, 0), qRgb(130, 130, 130)));
    EXPECT_TRUE(near(right.pixel(63, 31), qRgb(130, 130, 130)));
    // From the left half's last two columns: magenta, then grey (lines
    // narrower than FFmpeg's groups of pixels, which overrun them).
    const QImage edge = picture.scaled(scaler, QRect(30, 0, 4, 80), QSize(4, 80));
    ASSERT_FALSE(edge.isNull());
    EXPECT_TRUE(near(edge.pixel(0, 10), qRgb(255, 0, 255), 12));
    EXPECT_TRUE(near(edge.pixel(3, 10), qRgb(130, 130, 130)));
    // Half a chroma sample in: left to GStreamer's converter.
    EXPECT_TRUE(picture.scaled(scaler, QRect(31, 0, 4, 32), QSize(4, 32)).isNull());
    EXPECT_TRUE(picture.scaled(scaler, QRect(0, 1, 4, 30), QSize(4, 30)).isNull());
    GstVideoInfo full;
    gst_video_info_set_format(&full, GST_VIDEO_FORMAT_Y444, 64, 32);
    EXPECT_TRUE(PictureScaler::handles(full, QRect(31, 1, 4, 4)));
}
