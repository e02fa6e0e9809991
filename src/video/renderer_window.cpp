#include "video/renderer_window.h"

#include "support/media/frame_sink.h"
#include "support/trace/first_frame_trace.h"
#include "video/video_geometry.h"

#include <QPainter>

VideoSurface::VideoSurface(FrameSink* frames) : frames_(frames) {
    setWindowTitle(QStringLiteral("Vantor Video"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    resize(320, 240);
    connect(frames, &FrameSink::frameReady, this, &VideoSurface::onFrame);
}

void VideoSurface::onFrame() {
    if (!sawFrame_ && frames_) {
        sawFrame_ = true;
        if (!explicitlySized)
            resize(frames_->frameSize());
        if (!explicitlyHidden && !isVisible())
            show();
    }
    update();
}

void VideoSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const VideoFrame frame = frames_ ? frames_->currentFrame() : VideoFrame();
    const QRect target = fitFrame(frame.size(), frames_ ? frames_->pixelAspect() : 1.0, rect());
    // Black only around the picture: the picture itself covers the rest.
    const QRegion around = QRegion(rect()).subtracted(target);
    for (const QRect& part : around)
        painter.fillRect(part, Qt::black);
    if (!target.isEmpty()) {
        frame.paint(painter, target);
        firstframe::mark("frame painted");
    }
}

QRect VideoSurface::pictureRect() const {
    return frames_ ? fitFrame(frames_->currentFrame().size(), frames_->pixelAspect(), rect())
                   : QRect();
}

QSize VideoSurface::pictureSize() const {
    return frames_ ? frames_->currentFrame().size() : QSize();
}

RendererWindow::RendererWindow(FrameSink* frames) : surface_(new VideoSurface(frames)) {}

RendererWindow::~RendererWindow() {
    delete surface_.data();
}

void RendererWindow::setOwner(QWidget* owner) {
    if (!surface_)
        return;
    const bool visible = surface_->isVisible();
    const QRect geometry = surface_->geometry();
    surface_->setParent(owner, owner ? Qt::Widget : Qt::Window);
    surface_->setGeometry(geometry);
    surface_->setVisible(visible);
}

QWidget* RendererWindow::owner() const {
    return surface_ ? surface_->parentWidget() : nullptr;
}

void RendererWindow::setVisible(bool visible) {
    if (!surface_)
        return;
    surface_->explicitlyHidden = !visible;
    surface_->setVisible(visible);
}

bool RendererWindow::isVisible() const {
    return surface_ && surface_->isVisible();
}
int RendererWindow::left() const {
    return surface_ ? surface_->x() : 0;
}
int RendererWindow::top() const {
    return surface_ ? surface_->y() : 0;
}
int RendererWindow::width() const {
    return surface_ ? surface_->width() : 0;
}
int RendererWindow::height() const {
    return surface_ ? surface_->height() : 0;
}

void RendererWindow::setLeft(int left) {
    setWindowPosition(left, top(), width(), height());
}
void RendererWindow::setTop(int top) {
    setWindowPosition(left(), top, width(), height());
}
void RendererWindow::setWidth(int width) {
    setWindowPosition(left(), top(), width, height());
}
void RendererWindow::setHeight(int height) {
    setWindowPosition(left(), top(), width(), height);
}

void RendererWindow::setWindowPosition(int left, int top, int width, int height) {
    if (!surface_)
        return;
    surface_->explicitlySized = true;
    surface_->setGeometry(left, top, std::max(0, width), std::max(0, height));
}

void RendererWindow::hideCursor(bool hide) {
    if (!surface_)
        return;
    if (hide)
        surface_->setCursor(Qt::BlankCursor);
    else
        surface_->unsetCursor();
}

void installRendererWindows() {
    setVideoWindowFactory(
        [](FrameSink* frames) { return std::make_unique<RendererWindow>(frames); });
}
