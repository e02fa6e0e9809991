#include "support/media/frame_crop.h"

#include <algorithm>
#include <cmath>

namespace {

// The source span [first, last) of the screen span [from, to) on an axis
// where `length` screen pixels show `pixels` source pixels.
std::pair<int, int> sourceSpan(int pixels, int origin, int length, int from, int to) {
    const double scale = double(pixels) / length;
    int first = int(std::lround((from - origin) * scale));
    int last = int(std::lround((to - origin) * scale));
    first = std::clamp(first, 0, pixels - 1);
    last = std::clamp(last, first + 1, pixels);
    return {first, last};
}

} // namespace

QRect visibleSource(QSize frame, const QRect& place, const QRect& visible) {
    if (frame.isEmpty() || place.isEmpty() || visible.isEmpty())
        return {};
    const auto [left, right] = sourceSpan(frame.width(), place.x(), place.width(), visible.x(),
                                          visible.x() + visible.width());
    const auto [top, bottom] = sourceSpan(frame.height(), place.y(), place.height(), visible.y(),
                                          visible.y() + visible.height());
    return QRect(left, top, right - left, bottom - top);
}
