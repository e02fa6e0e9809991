#include "skin/skin_image.h"

#include "skin/skin_files.h"

#include <QMouseEvent>
#include <QPainter>

SkinImage::SkinImage(const QString& name, const QString& pressedBitmap, QWidget* parent)
    : QWidget(parent), pressedBitmap_(pressedBitmap) {
    setObjectName(name);
    setAttribute(Qt::WA_TranslucentBackground);
}

void SkinImage::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void SkinImage::setFallbackVisible(bool visible) {
    fallbackVisible_ = visible;
    update();
}

QString SkinImage::pressedBitmapFile() const {
    if (pressedBitmap_.isEmpty() || !skinFolder)
        return {};
    return findSkinFile(skinFolder(), pressedBitmap_);
}

void SkinImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!isEnabled())
        painter.setOpacity(0.4); // there, but not to be used
    if (!picture_.isNull()) {
        painter.drawImage(0, 0, picture_);
        return;
    }
    if (!fallbackVisible_ || fallbackText_.isEmpty())
        return;
    // No skin: a plain key cap so the control can still be found.
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignCenter, fallbackText_);
}

void SkinImage::mousePressEvent(QMouseEvent* event) {
    leftDown_ = event->button() == Qt::LeftButton;
    const QString file = pressedBitmapFile();
    if (!file.isEmpty()) {
        const QImage image(file);
        if (!image.isNull())
            setPicture(image);
    }
    Q_EMIT pressed(event->modifiers());
}

void SkinImage::mouseReleaseEvent(QMouseEvent* event) {
    // Only a control with a pressed bitmap ever clears its picture, so the
    // meter and the indicator keep theirs.
    if (!pressedBitmapFile().isEmpty())
        setPicture(QImage());
    const bool click = leftDown_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    leftDown_ = false;
    if (click)
        Q_EMIT clicked();
}
