#include "menus/hot_spots.h"

#include <limits>

std::optional<HotSpot> hotSpotOf(const QString& button) {
    if (button.size() < 15)
        return std::nullopt;
    int corner[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        corner[i] = QStringView(button).mid(i * 4, 3).toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    return HotSpot{corner[0], corner[1], corner[2], corner[3]};
}

HitResult hitTest(const QStringList& buttons, QPointF point) {
    HitResult result;
    for (int i = 0; i < buttons.size(); ++i) {
        const std::optional<HotSpot> spot = hotSpotOf(buttons[i]);
        if (!spot)
            continue; // a damaged line is never hit
        result.highlight = i;
        if (spot->contains(point)) {
            result.index = i;
            break;
        }
    }
    return result;
}

namespace {
// Whether two spots share a row (dy == 0) or a column (dx == 0).
bool inLine(const HotSpot& a, const HotSpot& b, int dx) {
    return dx ? a.y1 < b.y2 && b.y1 < a.y2 : a.x1 < b.x2 && b.x1 < a.x2;
}
} // namespace

int neighbour(const QStringList& buttons, int current, int dx, int dy) {
    const std::optional<HotSpot> from =
        current >= 0 && current < buttons.size() ? hotSpotOf(buttons[current]) : std::nullopt;
    int best = -1;
    bool bestInLine = false;
    double bestScore = std::numeric_limits<double>::max();
    for (int i = 0; i < buttons.size(); ++i) {
        const std::optional<HotSpot> spot = hotSpotOf(buttons[i]);
        if (!spot || i == current)
            continue;
        if (!from)
            return i;
        const QPointF d = spot->rect().center() - from->rect().center();
        const double along = d.x() * dx + d.y() * dy;
        if (along <= 0)
            continue;
        // A spot of the same row (or column) comes first, however far: a
        // short step up a column is no move to the right. Then straight
        // ahead counts more than off to the side.
        const bool lined = inLine(*spot, *from, dx);
        const double score = along + 2 * std::abs(dx ? d.y() : d.x());
        if (lined > bestInLine || (lined == bestInLine && score < bestScore)) {
            bestInLine = lined;
            bestScore = score;
            best = i;
        }
    }
    return best;
}
