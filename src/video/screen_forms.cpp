#include "video/screen_forms.h"

#include <QCursor>
#include <QScreen>

Curtain::Curtain() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("fondnoir"));
    setWindowTitle(QStringLiteral("Loading..."));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    setAttribute(Qt::WA_ShowWithoutActivating);
}

void Curtain::cover(QScreen* screen) {
    if (screen)
        setGeometry(screen->geometry());
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    show();
    raise();
}

void Curtain::lift() {
    hide();
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
}

PointerLabel::PointerLabel()
    : QLabel(QStringLiteral("* Button"), nullptr, Qt::ToolTip | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("FrmCursor"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    resize(67, 17); // 1005 x 255 twips
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, &PointerLabel::follow);
}

void PointerLabel::setHover(bool hover, const QColor& keyColour) {
    if (!hover) {
        timer_.stop();
        hide();
        return;
    }
    setStyleSheet(
        QStringLiteral("color: rgb(0, 255, 0); background-color: %1;").arg(keyColour.name()));
    follow();
    show();
    timer_.start();
}

void PointerLabel::follow() {
    move(QCursor::pos() + offset());
}
