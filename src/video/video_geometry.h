#pragma once
// Layout arithmetic for pictures: where a frame goes inside a window.
#include <QRect>
#include <QSize>

// The largest rectangle of the frame's display shape (its size stretched by
// the pixel aspect) that fits in `area`, centred.
QRect fitFrame(QSize frame, double pixelAspect, QRect area);
