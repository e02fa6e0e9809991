#pragma once
// Where the subtitle window stands: 90% of the video window's width,
// centred on it, its centre at "SubYpos" percent of the video's height,
// and never below the video's bottom edge. Rectangles are in screen pixels.
#include <QRect>
#include <QString>

// "SubYpos" as a fraction: "70" is 0.70, "72.5" 0.725; a text that is not a
// number is 0 (the video's top edge). Kept within 0..1.
double subtitleCentre(const QString& subYpos);

// The window for three lines of `lineHeight` over `video`.
QRect subtitleGeometry(const QRect& video, int lineHeight, double centre);

// `window` moved up so that its bottom is not below the video's.
QRect keptAboveVideoBottom(QRect window, const QRect& video);

// "SubYpos" for a window the user left at `window` ("72.5").
QString subtitleYPosText(const QRect& window, const QRect& video);
