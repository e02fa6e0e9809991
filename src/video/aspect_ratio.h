#pragma once
// Full-screen layout arithmetic: the picture at a display aspect ratio on
// a screen, its centring, and the ratio presets' text ("16/9").
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

// The two terms of a ratio, width over height.
struct RatioTerms {
    double c = 0;
    double d = 0;
};

// The terms of a preset: the numbers before and after its first "/".
// Empty, with the reason in words, when the text is not such a ratio or
// one no picture has (terms that are not positive numbers, a ratio beyond
// 1/10 .. 10/1).
std::optional<RatioTerms> parseRatio(const QString& text, QString* problem = nullptr);

// Conversion to a 32-bit integer, to nearest with ties to even; empty when
// out of range or not a number.
std::optional<int> toInt(double value);

// Where the renderer goes on a `screen` for the ratio c/d: wider than the
// fixed threshold 4/3 it fills the width and is centred vertically (a
// picture taller than the screen gets a negative top), otherwise it fills
// the height and is centred horizontally. Empty when a value is out of
// range.
std::optional<QRect> fullScreenPicture(QSize screen, RatioTerms ratio);

// The renderer of `picture` size centred in a window of `window` size.
QRect centredPicture(QSize window, QSize picture);
// The windowed picture's size: the movie's own, or, when that does not fit
// in `room`, the largest of the same shape that does (whole pixels, at
// least one).
QSize fittedSize(QSize native, QSize room);
