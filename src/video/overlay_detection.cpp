#include "video/overlay_detection.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

namespace {
const QString kDetecting = QStringLiteral("Detecting hardware overlay");
}

OverlayDetection::OverlayDetection(const QWidget& videoWindow, Hooks hooks)
    : window_(videoWindow), hooks_(std::move(hooks)) {
    TimerOver.setInterval(1000);
    connect(&TimerOver, &QTimer::timeout, this, &OverlayDetection::TimerOver_Timer);
}

void OverlayDetection::stop() {
    TimerOver.stop();
    if (ticks_ == 0)
        return;
    ticks_ = 0;
    // A title set meanwhile (the next movie's, a message) is newer.
    if (hooks_.title() == kDetecting)
        hooks_.setTitle(savedTitle_);
}

void OverlayDetection::TimerOver_Timer() {
    if (ticks_ == 0 || hooks_.title() != kDetecting)
        savedTitle_ = hooks_.title();
    if (ticks_ == 5) {
        stop();
        return;
    }
    ++ticks_;
    DetectOverlay();
    hooks_.setTitle(kDetecting);
}

// The colour on screen at the video window's centre becomes the key colour
// the on-screen display and the subtitles sit on.
void OverlayDetection::DetectOverlay() {
    if ((hooks_.enabled && !hooks_.enabled()) || !window_.isVisible())
        return;
    const QPoint centre = window_.mapToGlobal(window_.rect().center());
    QScreen* screen = QGuiApplication::screenAt(centre);
    if (!screen)
        return;
    const QPoint local = centre - screen->geometry().topLeft();
    const QImage pixel = screen->grabWindow(0, local.x(), local.y(), 1, 1).toImage();
    if (!pixel.isNull() && hooks_.setKeyColour)
        hooks_.setKeyColour(pixel.pixelColor(0, 0));
}
