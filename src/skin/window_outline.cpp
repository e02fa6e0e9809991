#include "skin/window_outline.h"

QImage windowOutlineImage(const QImage& base, QRgb keyColor) {
    if (base.isNull())
        return {};
    // Non-premultiplied, so a pixel's colour reads the same whatever its alpha.
    const QImage pixels = base.convertToFormat(QImage::Format_ARGB32);
    QImage mask(pixels.size(), QImage::Format_MonoLSB);
    mask.setColorCount(2);
    mask.setColor(0, QColor(Qt::color0).rgba());
    mask.setColor(1, QColor(Qt::color1).rgba());
    mask.fill(1);
    const QRgb key = keyColor & 0xFFFFFF;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        uchar* out = mask.scanLine(y);
        for (int x = 0; x < pixels.width(); ++x) {
            if ((row[x] & 0xFFFFFF) == key)
                out[x >> 3] &= uchar(~(1u << (x & 7)));
        }
    }
    return mask;
}

QBitmap windowOutlineMask(const QImage& base, QRgb keyColor) {
    const QImage mask = windowOutlineImage(base, keyColor);
    if (mask.isNull())
        return {};
    return QBitmap::fromImage(mask, Qt::ThresholdDither);
}

QRegion windowOutlineRegion(const QImage& base, QRgb keyColor) {
    const QBitmap mask = windowOutlineMask(base, keyColor);
    if (mask.isNull())
        return {};
    return QRegion(mask);
}
