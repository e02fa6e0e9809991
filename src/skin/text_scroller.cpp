#include "skin/text_scroller.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>

namespace {
// About 33 pixels a second: smooth, and cheap at one small repaint a tick.
constexpr int kTickMs = 30;
constexpr int kGapPixels = 40;
} // namespace

TextScroller::TextScroller(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("vbwScroller2"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &TextScroller::advance);
    setText(QStringLiteral("Vantor Meridian " VANTOR_VERSION));
}

void TextScroller::setText(const QString& text) {
    if (text == text_ && !shown_.isNull())
        return;
    text_ = text;
    shown_ = text.size() > kMaxShownCharacters ? text.left(kMaxShownCharacters - 1) + QChar(0x2026)
                                               : text;
    offset_ = 0;
    measure();
    update();
}

// Laid out once per text, font or size, never per tick.
void TextScroller::measure() {
    textWidth_ = fontMetrics().horizontalAdvance(shown_);
    period_ = std::max({textWidth_ + kGapPixels, width(), 1});
    strip_ = QPixmap();
    updateTimer();
}

void TextScroller::setForeground(const QColor& colour) {
    foreground_ = colour;
    strip_ = QPixmap();
    update();
}

void TextScroller::setBackground(const QColor& colour) {
    background_ = colour;
    strip_ = QPixmap();
    update();
}

void TextScroller::advance() {
    if (!scrollingOn_ || !scrolls())
        return;
    offset_ = (offset_ + 1) % period();
    update();
}

// The text is laid out once into a picture; each tick only copies it.
const QPixmap& TextScroller::strip() {
    const qreal ratio = devicePixelRatioF();
    const QSize size(period(), height());
    if (strip_.isNull() || strip_.size() != size * ratio) {
        strip_ = QPixmap(size * ratio);
        strip_.setDevicePixelRatio(ratio);
        strip_.fill(background_);
        QPainter painter(&strip_);
        painter.setFont(font());
        painter.setPen(foreground_);
        painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignLeft | Qt::AlignVCenter, shown_);
    }
    return strip_;
}

void TextScroller::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (text_.isEmpty()) {
        painter.fillRect(rect(), background_);
        return;
    }
    const QPixmap& picture = strip();
    const int step = period();
    // Enough copies to cover the width while one leaves on the left.
    for (int x = -offset_; x < width(); x += step)
        painter.drawPixmap(x, 0, picture);
}

void TextScroller::resizeEvent(QResizeEvent*) {
    measure();
}

void TextScroller::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        measure();
    QWidget::changeEvent(event);
}

void TextScroller::setScrolling(bool on) {
    scrollingOn_ = on;
    updateTimer();
    update();
}

bool TextScroller::scrolls() const {
    return textWidth_ > width();
}

// A title that fits stands still: scrolling it would cost a repaint every
// tick for nothing.
void TextScroller::updateTimer() {
    if (isVisible() && scrollingOn_ && scrolls()) {
        if (!timer_.isActive())
            timer_.start();
        return;
    }
    timer_.stop();
    offset_ = 0;
}

void TextScroller::showEvent(QShowEvent*) {
    updateTimer();
}

void TextScroller::hideEvent(QHideEvent*) {
    timer_.stop();
}
