// The player's application icon, drawn at each size the desktop asks for:
// a graphite tile with a film strip and the blue play mark of the skins.
#include "skingen.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>

QImage drawIcon(int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QRectF tile(s * 0.04, s * 0.04, s * 0.92, s * 0.92);
    QLinearGradient body(tile.topLeft(), tile.bottomLeft());
    body.setColorAt(0, QColor(0x4a, 0x50, 0x5a));
    body.setColorAt(1, QColor(0x1c, 0x1f, 0x24));
    p.setPen(QPen(QColor(0x0e, 0x10, 0x13), std::max(1.0, s / 48)));
    p.setBrush(body);
    p.drawRoundedRect(tile, s * 0.18, s * 0.18);
    // The film strip's holes along the top and the bottom.
    if (size >= 24) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x9a, 0xa3, 0xad, 150));
        const qreal hole = s * 0.07;
        for (int i = 0; i < 5; ++i) {
            const qreal x = s * 0.17 + i * s * 0.14;
            p.drawRoundedRect(QRectF(x, s * 0.12, hole, hole * 0.8), hole * 0.2, hole * 0.2);
            p.drawRoundedRect(QRectF(x, s * 0.81, hole, hole * 0.8), hole * 0.2, hole * 0.2);
        }
    }
    QPainterPath play;
    play.moveTo(s * 0.38, s * 0.30);
    play.lineTo(s * 0.72, s * 0.50);
    play.lineTo(s * 0.38, s * 0.70);
    play.closeSubpath();
    QLinearGradient blue(QPointF(0, s * 0.3), QPointF(0, s * 0.7));
    blue.setColorAt(0, QColor(0x6f, 0xb6, 0xff));
    blue.setColorAt(1, QColor(0x2f, 0x6f, 0xd0));
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawPath(play);
    return icon;
}

bool writeIcons(const QString& outDir, QString* error) {
    for (const int size : kIconSizes) {
        const QString folder = QDir(outDir).filePath(QStringLiteral("%1x%1").arg(size));
        const QString path = QDir(folder).filePath(QStringLiteral("vantorplay.png"));
        if (!QDir().mkpath(folder) || !drawIcon(size).save(path)) {
            *error = QStringLiteral("cannot write %1").arg(path);
            return false;
        }
    }
    return true;
}
