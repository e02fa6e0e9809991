#include "subtitles/subtitle_placement.h"

#include "player/time_text.h"

#include <algorithm>
#include <cmath>

double subtitleCentre(const QString& subYpos) {
    return std::clamp(leadingNumber(subYpos) / 100.0, 0.0, 1.0);
}

QRect subtitleGeometry(const QRect& video, int lineHeight, double centre) {
    const int width = qRound(video.width() * 0.9);
    const int height = lineHeight * 3;
    const int left = qRound(video.left() + video.width() / 2.0 - width / 2.0);
    const int top = qRound(video.height() * centre + video.top() - height / 2.0);
    return keptAboveVideoBottom(QRect(left, top, width, height), video);
}

QRect keptAboveVideoBottom(QRect window, const QRect& video) {
    const int lowest = video.top() + video.height() - window.height();
    if (window.top() > lowest)
        window.moveTop(lowest);
    return window;
}

QString subtitleYPosText(const QRect& window, const QRect& video) {
    if (video.height() <= 0)
        return QStringLiteral("70");
    const double centre = (window.top() - video.top()) + window.height() / 2.0;
    return QString::number(float(centre / video.height() * 100));
}
