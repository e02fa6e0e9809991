#include "skin/text_scroller.h"

#include <QPainter>
#include <algorithm>

namespace {
// About 33 pixels a second: smooth, and cheap at one small repaint a tick.
constexpr int kTickMs = 30;
constexpr int kGapPixels = 40;
} // namespace

TextScroller::TextScroller(QWidget* parent)
    : QWidget(parent), text_(QStringLiteral("Vantor Meridian 3.0")) {
    setObjectName(QStringLiteral("vbwScroller2"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &TextScroller::advance);
}

void TextScroller::setText(const QString& text) {
    if (text == text_)
        return;
    text_ = text;
    offset_ = 0;
    update();
}

void TextScroller::setForeground(const QColor& colour) {
    foreground_ = colour;
    update();
}

void TextScroller::setBackground(const QColor& colour) {
    background_ = colour;
    update();
}

// A short title crosses the whole strip before it comes round again, so
// only one copy is ever seen; a long one follows itself after a gap.
int TextScroller::period() const {
    return std::max(fontMetrics().horizontalAdvance(text_) + kGapPixels, width());
}

void TextScroller::advance() {
    if (text_.isEmpty())
        return;
    offset_ = (offset_ + 1) % period();
    update();
}

void TextScroller::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    if (text_.isEmpty())
        return;
    painter.setPen(foreground_);
    const int step = period();
    // Enough copies to cover the width while one leaves on the left.
    for (int x = -offset_; x < width(); x += step)
        painter.drawText(QRect(x, 0, step, height()), Qt::AlignLeft | Qt::AlignVCenter, text_);
}

void TextScroller::showEvent(QShowEvent*) {
    timer_.start();
}

void TextScroller::hideEvent(QHideEvent*) {
    timer_.stop();
}
