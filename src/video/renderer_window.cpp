#include "video/renderer_window.h"

#include "support/media/frame_sink.h"
#include "support/trace/first_frame_trace.h"

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
            resize(displaySize(frames_->frameSize(), frames_->pixelAspect()));
        if (!explicitlyHidden && !isVisible())
            show();
    }
    update();
}

// The window's shape is the picture's: the layout chose it (the movie's
// own, a preset, a pan-and-scan step), and the picture fills it.
void VideoSurface::paintEvent(QPaintEvent*) {
    firstframe::mark("paint begins");
    QPainter painter(this);
    const VideoFrame frame = frames_ ? frames_->currentFrame() : VideoFrame();
    if (frame.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    frame.paint(painter, rect());
    firstframe::mark("frame painted");
}

QRect VideoSurface::pictureRect() const {
    return pictureSize().isEmpty() ? QRect() : rect();
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
