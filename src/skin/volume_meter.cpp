#include "skin/volume_meter.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kStep = 454;
constexpr int kSilent = -10000;
constexpr int kSlots = 22;
} // namespace

std::optional<int> volumeMeterSlotAfterDown(int level) {
    if (level == kSilent)
        return 1;
    if (level >= 0 || level % kStep != 0)
        return std::nullopt;
    const int k = -level / kStep;
    if (k > kSlots)
        return std::nullopt;
    return kSlots + 1 - k;
}

std::optional<int> volumeMeterSlotAfterUp(int level) {
    if (const std::optional<int> slot = volumeMeterSlotAfterDown(level))
        return slot;
    if (level == 0)
        return kSlots;
    // Two levels near the grid have pictures of their own.
    if (level == -8172)
        return 5;
    if (level == -7638)
        return 6;
    const int fromSilence = level - kSilent;
    if (fromSilence < 0 || fromSilence % kStep != 0)
        return std::nullopt;
    const int k = fromSilence / kStep;
    if (k <= 1)
        return 1;
    if (k <= 4)
        return k;
    // From the fifth step on, slot k + 1: one step (-7730) would otherwise
    // show no picture of its own and the meter would stand still.
    if (k <= 21)
        return k + 1;
    return std::nullopt;
}

int nearestVolumeMeterSlot(int level) {
    const int steps = int(std::lround(double(-level) / kStep));
    return std::clamp(kSlots + 1 - steps, 1, kSlots);
}
