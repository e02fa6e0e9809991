#pragma once
// Which pixels of a frame land in the visible part of its place on screen:
// a picture zoomed past the screen's edge, or half covered, is converted
// only where it shows.
#include <QRect>
#include <QSize>

// The part of a `frame` (its pixels) that fills `visible` when the whole
// frame is stretched over `place`; both rectangles are in device pixels and
// `visible` lies inside `place`. Edges are rounded to the nearest source
// pixel; the part is never empty nor outside the frame. Empty when any
// input is.
QRect visibleSource(QSize frame, const QRect& place, const QRect& visible);
