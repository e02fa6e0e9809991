#include "test_support.h"

#include "app/frm_main.h"
#include "support/settings/settings_store.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QRect>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <gst/gst.h>
#include <gst/video/video.h>

namespace testsupport {

QString mediaPath(const QString& name) {
    return QDir(VANTOR_TEST_MEDIA).filePath(name);
}

QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? path : QString();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::unique_ptr<frmMain> freshPlayer(const QString& commandLine) {
    QFile::remove(SettingsStore::defaultFilePath());
    auto player = std::make_unique<frmMain>(commandLine);
    player->Form_Load();
    return player;
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return done();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        // As the application's loop does; processEvents() alone never runs deleteLater().
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(5);
    }
    return true;
}

void pumpEvents(int ms) {
    waitUntil([] { return false; }, ms);
}

QImage windowPixels(QWidget& window) {
    if (window.devicePixelRatio() != 1.0 && QGuiApplication::platformName() == "offscreen")
        return window.grab().toImage();
    return window.screen()->grabWindow(window.winId()).toImage();
}

int pixelsOf(const QImage& image, QRgb colour) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32); // rows without padding
    const auto* pixels = reinterpret_cast<const QRgb*>(rgb.constBits());
    return int(std::count(pixels, pixels + rgb.width() * rgb.height(), colour));
}

QRect whiteBox(const QImage& shot) {
    const QImage pixels = shot.convertToFormat(QImage::Format_RGB32);
    QRect box;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x)
            if (std::min({qRed(line[x]), qGreen(line[x]), qBlue(line[x])}) > 160)
                box |= QRect(x, y, 1, 1);
    }
    return box;
}

VideoFrame i420Frame(int width, int height, const std::function<void(GstVideoFrame*)>& fill) {
    GstVideoInfo info;
    gst_video_info_set_format(&info, GST_VIDEO_FORMAT_I420, guint(width), guint(height));
    GstBuffer* buffer = gst_buffer_new_allocate(nullptr, info.size, nullptr);
    GstVideoFrame frame;
    if (gst_video_frame_map(&frame, &info, buffer, GST_MAP_WRITE)) {
        for (guint plane = 0; plane < GST_VIDEO_FRAME_N_PLANES(&frame); ++plane)
            memset(GST_VIDEO_FRAME_PLANE_DATA(&frame, plane), 0,
                   size_t(GST_VIDEO_FRAME_PLANE_STRIDE(&frame, plane)) *
                       GST_VIDEO_FRAME_COMP_HEIGHT(&frame, plane));
        if (fill)
            fill(&frame);
        gst_video_frame_unmap(&frame);
    }
    GstCaps* caps = gst_video_info_to_caps(&info);
    GstSample* sample = gst_sample_new(buffer, caps, nullptr, nullptr);
    gst_caps_unref(caps);
    gst_buffer_unref(buffer);
    VideoFrame result = VideoFrame::fromSample(sample);
    gst_sample_unref(sample);
    return result;
}

void fillHalves(GstVideoFrame* frame, const int (&left)[3], const int (&right)[3]) {
    for (int c = 0; c < 3; ++c) {
        auto* data = static_cast<guint8*>(GST_VIDEO_FRAME_COMP_DATA(frame, c));
        const int w = GST_VIDEO_FRAME_COMP_WIDTH(frame, c);
        const int h = GST_VIDEO_FRAME_COMP_HEIGHT(frame, c);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                data[y * GST_VIDEO_FRAME_COMP_STRIDE(frame, c) +
                     x * GST_VIDEO_FRAME_COMP_PSTRIDE(frame, c)] =
                    guint8((x < w / 2) == (y < h * 3 / 4) ? left[c] : right[c]);
    }
}

void click(QWidget* control, Qt::KeyboardModifiers modifiers) {
    const QPointF at(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, control->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, modifiers);
    QApplication::sendEvent(control, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, control->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, modifiers);
    QApplication::sendEvent(control, &release);
}

HiddenFeature::HiddenFeature(const char* name)
    : feature_(gst_registry_lookup_feature(gst_registry_get(), name)) {
    if (feature_)
        gst_registry_remove_feature(gst_registry_get(), GST_PLUGIN_FEATURE(feature_));
}

HiddenFeature::~HiddenFeature() {
    if (!feature_)
        return;
    gst_registry_add_feature(gst_registry_get(), GST_PLUGIN_FEATURE(feature_));
    gst_object_unref(feature_);
}

} // namespace testsupport
