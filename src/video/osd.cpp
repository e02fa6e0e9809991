#include "video/osd.h"

#include "support/controls/twips.h"

#include <QLabel>
#include <QTimer>

Osd::Osd() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Osd"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(twipsToPixels(4425), twipsToPixels(495));
    Labelosd = new QLabel(this);
    Labelosd->setGeometry(twipsToPixels(120), twipsToPixels(120), twipsToPixels(4185),
                          twipsToPixels(255));
    QFont font = Labelosd->font();
    font.setBold(true);
    Labelosd->setFont(font);
    Labelosd->setStyleSheet(QStringLiteral("color: rgb(0, 255, 0);"));
    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(kShowMs);
    connect(Timer1, &QTimer::timeout, this, &QWidget::hide);
}

void Osd::setCaption(const QString& text, QPoint topLeft, QColor background) {
    if (!Timer1->isActive()) {
        // Loading: hidden, at the video window's corner, on the key colour.
        hide();
        QPalette colours = palette();
        colours.setColor(QPalette::Window, background);
        setPalette(colours);
        setAutoFillBackground(true);
        move(topLeft);
        Timer1->start();
    }
    Labelosd->setText(text);
}

void Osd::showText(const QString& text, QPoint topLeft, QColor background) {
    setCaption(text, topLeft, background);
    show();
}

QString Osd::text() const {
    return Labelosd->text();
}
