#pragma once
// Where a menu's hot spots are and which one the pointer is over: the first
// listed whose inside (its borders excluded) holds the point, in the
// background's pixels; and, for the keyboard, the nearest hot spot in a
// direction.
#include <QPointF>
#include <QRectF>
#include <QStringList>
#include <optional>

struct HotSpot {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0; // left, top, right, bottom

    bool contains(QPointF p) const { return x1 < p.x() && p.x() < x2 && y1 < p.y() && p.y() < y2; }
    QRectF rect() const { return QRectF(x1, y1, x2 - x1, y2 - y1); }
};

// Read at their fixed places ("xxx,yyy,xxx,yyy"); empty when the text does
// not hold four numbers there.
std::optional<HotSpot> hotSpotOf(const QString& button);

struct HitResult {
    int index = -1;     // the hot spot under the point, -1 for none
    int highlight = -1; // where the highlight stands: the hit, else the last tried
};
HitResult hitTest(const QStringList& buttons, QPointF point);

// The hot spot nearest to `current` whose centre lies in the direction
// (dx, dy) (one of them 0, the other -1 or 1), one of its own row (or
// column) before any other; the first one when nothing is selected, -1
// when there is none.
int neighbour(const QStringList& buttons, int current, int dx, int dy);
