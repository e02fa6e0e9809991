#include "player/stall_watch.h"

#include <cmath>

bool StallWatch::tick(double positionSeconds, bool running) {
    if (!running) {
        reset();
        return false;
    }
    // Half speed still moves half a second a tick; standing still is
    // standing still.
    if (last_ >= 0 && std::abs(positionSeconds - last_) < 0.01)
        ++stillTicks_;
    else
        stillTicks_ = 0;
    last_ = positionSeconds;
    return stillTicks_ >= kStillSeconds;
}

void StallWatch::reset() {
    last_ = -1;
    stillTicks_ = 0;
}
