#include "player/time_text.h"

QString formatTime(qint64 seconds) {
    seconds = std::max<qint64>(0, seconds);
    const qint64 hours = seconds / 3600;
    const qint64 minutes = seconds / 60 - hours * 60;
    const qint64 rest = seconds - (seconds / 60) * 60;
    return QStringLiteral("%1:%2:%3")
        .arg(hours, 2, 10, QLatin1Char('0'))
        .arg(minutes, 2, 10, QLatin1Char('0'))
        .arg(rest, 2, 10, QLatin1Char('0'));
}

double leadingNumber(const QString& text) {
    int i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    int end = i;
    if (end < text.size() && (text[end] == QLatin1Char('-') || text[end] == QLatin1Char('+')))
        ++end;
    bool digits = false, point = false;
    for (; end < text.size(); ++end) {
        if (text[end].isDigit() && text[end].unicode() < 128)
            digits = true;
        else if (text[end] == QLatin1Char('.') && !point)
            point = true;
        else
            break;
    }
    return digits ? text.mid(i, end - i).toDouble() : 0.0;
}

double HtoSec(const QString& text) {
    const double hours = leadingNumber(text.mid(0, 2));
    const double minutes = leadingNumber(text.mid(3, 2));
    const double seconds = leadingNumber(text.right(2));
    return hours * 3600 + minutes * 60 + seconds;
}
