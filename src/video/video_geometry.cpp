#include "video/video_geometry.h"

#include <cmath>

QRect fitFrame(QSize frame, double pixelAspect, QRect area) {
    if (frame.isEmpty() || area.isEmpty())
        return {};
    if (!(pixelAspect > 0) || !std::isfinite(pixelAspect))
        pixelAspect = 1.0;
    const double displayWidth = frame.width() * pixelAspect;
    const double scale =
        std::min(area.width() / displayWidth, double(area.height()) / frame.height());
    const int width = std::max(1, int(std::lround(displayWidth * scale)));
    const int height = std::max(1, int(std::lround(frame.height() * scale)));
    return QRect(area.x() + (area.width() - width) / 2, area.y() + (area.height() - height) / 2,
                 width, height);
}
