#pragma once
// The main window's outline: every pixel of the skin's "base.bmp" that is
// not the key colour, pure magenta, with the picture's top-left pixel at
// the window's top-left corner.
#include <QBitmap>
#include <QColor>
#include <QImage>
#include <QRegion>

inline constexpr QRgb kSkinKeyColor = 0xFF00FF; // red 255, green 0, blue 255

// A one-bit image of the picture's size: 1 (Qt::color1) where the window is,
// 0 where the key colour cuts it out. Null for a null picture. Alpha is not
// looked at; only the colour decides.
QImage windowOutlineImage(const QImage& base, QRgb keyColor = kSkinKeyColor);

// The same outline as a widget mask. Null for a null picture.
QBitmap windowOutlineMask(const QImage& base, QRgb keyColor = kSkinKeyColor);

// The same outline as a region. Empty for a null picture or one that is all
// key colour; a caller must not take an empty region as a mask, since Qt
// reads it as "no mask".
QRegion windowOutlineRegion(const QImage& base, QRgb keyColor = kSkinKeyColor);
