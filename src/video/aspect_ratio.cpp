#include "video/aspect_ratio.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr double kThreshold = 4.0 / 3.0;
constexpr double kWidestRatio = 10.0;
} // namespace

std::optional<int> toInt(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // ties to even
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(rounded);
}

std::optional<RatioTerms> parseRatio(const QString& text, QString* problem) {
    const auto refuse = [problem](const QString& why) -> std::optional<RatioTerms> {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    const qsizetype slash = text.indexOf(u'/');
    if (slash < 0)
        return refuse(
            QStringLiteral("A ratio is two numbers with \"/\" between them, such as 16/9."));
    bool cOk = false, dOk = false;
    const double c = text.left(slash).trimmed().toDouble(&cOk);
    const double d = text.mid(slash + 1).trimmed().toDouble(&dOk);
    if (!cOk || !dOk || !std::isfinite(c) || !std::isfinite(d))
        return refuse(QStringLiteral("Both sides of \"/\" must be numbers, such as 16/9."));
    if (c <= 0 || d <= 0)
        return refuse(QStringLiteral("Both sides of \"/\" must be above 0."));
    if (c / d > kWidestRatio || d / c > kWidestRatio)
        return refuse(QStringLiteral("No picture is that wide or that tall."));
    return RatioTerms{c, d};
}

std::optional<QRect> fullScreenPicture(QSize screen, RatioTerms ratio) {
    const double sw = screen.width(), sh = screen.height();
    if (ratio.c / ratio.d > kThreshold) {
        const std::optional<int> height = toInt(ratio.d * sw / ratio.c);
        const std::optional<int> top = height ? toInt(sh / 2 - *height / 2.0) : std::nullopt;
        if (!top)
            return std::nullopt;
        return QRect(0, *top, screen.width(), *height);
    }
    const double width = ratio.c * sh / ratio.d; // kept unrounded until placed
    const std::optional<int> left = toInt(sw / 2 - width / 2);
    const std::optional<int> rounded = toInt(width);
    if (!left || !rounded)
        return std::nullopt;
    return QRect(*left, 0, *rounded, screen.height());
}

QRect centredPicture(QSize window, QSize picture) {
    return QRect(toInt(window.width() / 2.0 - picture.width() / 2.0).value_or(0),
                 toInt(window.height() / 2.0 - picture.height() / 2.0).value_or(0), picture.width(),
                 picture.height());
}

QSize fittedSize(QSize native, QSize room) {
    if (native.isEmpty() || room.isEmpty() ||
        (native.width() <= room.width() && native.height() <= room.height()))
        return native;
    const double scale =
        std::min(double(room.width()) / native.width(), double(room.height()) / native.height());
    return {std::max(1, int(native.width() * scale)), std::max(1, int(native.height() * scale))};
}
