#pragma once
// Form geometry is kept in twips, 15 to a pixel.
#include <cmath>

constexpr int kTwipsPerPixel = 15;

inline int twipsToPixels(double twips) {
    return int(std::lround(twips / kTwipsPerPixel));
}
inline int pixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}
