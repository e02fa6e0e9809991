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

int neighbour(const QStringList& buttons, int current, int dx, int dy) {
    const std::optional<HotSpot> from =
        current >= 0 && current < buttons.size() ? hotSpotOf(buttons[current]) : std::nullopt;
    int best = -1;
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
        // Straight ahead counts more than off to the side.
        const double score = along + 2 * std::abs(dx ? d.y() : d.x());
        if (score < bestScore) {
            bestScore = score;
            best = i;
        }
    }
    return best;
}
