#include "skin/skin_window.h"

#include "skin/skin_check.h"
#include "skin/window_outline.h"
#include "support/controls/twips.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

SkinWindow::SkinWindow(QWidget* parent) : QWidget(parent) {
    setWindowFlag(Qt::FramelessWindowHint);
}

void SkinWindow::setElementControls(SkinElement element, std::vector<QWidget*> controls) {
    elements_[std::size_t(element)] = std::move(controls);
}

const std::vector<QWidget*>& SkinWindow::elementControls(SkinElement element) const {
    return elements_[std::size_t(element)];
}

std::array<QRect, kSkinElementCount> SkinWindow::elementRects() const {
    std::array<QRect, kSkinElementCount> rects{};
    for (std::size_t i = 0; i < elements_.size(); ++i)
        if (!elements_[i].empty())
            rects[i] = elements_[i].front()->geometry();
    return rects;
}

void applyTwipsGeometry(QWidget& control, const TwipsGeometry& geometry) {
    control.setGeometry(placedRect(control.geometry(), geometry));
}

void SkinWindow::applyGeometry(const SkinDescription& description) {
    for (int i = 0; i < kSkinElementCount; ++i) {
        for (QWidget* control : elements_[std::size_t(i)])
            applyTwipsGeometry(*control, description.geometry[std::size_t(i)]);
    }
}

void SkinWindow::setBackground(const QImage& picture) {
    if (picture.isNull())
        return;
    background_ = picture;
    // The skin decides the window's size: its picture is the window.
    setFixedSize(picture.size());
    update();
}

void SkinWindow::setOutline(const QImage& base) {
    const QBitmap outline = windowOutlineMask(base);
    if (outline.isNull() || windowOutlineRegion(base).isEmpty())
        return;
    setMask(outline);
}

void SkinWindow::clearOutline() {
    clearMask();
}

bool SkinWindow::isDragSurface(QPoint pos) const {
    const QWidget* child = childAt(pos);
    return !child || !child->isVisible();
}

void SkinWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (background_.isNull())
        painter.fillRect(rect(), palette().color(QPalette::Window));
    else
        painter.drawImage(0, 0, background_);
}

void SkinWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isDragSurface(event->position().toPoint())) {
        QWidget::mousePressEvent(event);
        return;
    }
    // The window manager moves the window as if its title bar were held;
    // without one the window follows the pointer itself.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    dragOffset_ = event->globalPosition().toPoint() - pos();
}

void SkinWindow::mouseMoveEvent(QMouseEvent* event) {
    if (dragOffset_ && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - *dragOffset_);
}

void SkinWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        dragOffset_.reset();
    QWidget::mouseReleaseEvent(event);
}
