#include "subtitles/subtitle_timing.h"

#include "player/time_text.h"

#include <algorithm>
#include <cmath>

SubtitleLines SubtitleLines::blank() {
    const QString space = QStringLiteral(" ");
    return {space, space, space};
}

bool SubtitleClock::tick(const SubtitleTable& table, qint64 second, int extraSeconds,
                         SubtitleLines& lines) {
    bool changed = false;
    // At (or, when duration and extra seconds add up to less than 0,
    // past) its count the shown entry goes.
    if (ticks_ >= max_) {
        changed = lines != SubtitleLines::blank();
        lines = SubtitleLines::blank();
        ticks_ = 0;
        shown_ = -1;
    }
    if (lines.Sub1 != QLatin1String(" "))
        ++ticks_;

    // The seconds the movie went through since the last tick: a timer
    // running late must not skip an entry's start.
    const qint64 from = last_ && second > *last_ && second - *last_ <= 3 ? *last_ + 1 : second;
    last_ = second;
    int row = -1;
    for (qint64 s = from; s <= second; ++s)
        if (const int found = table.rowStartingAt(formatTime(s)); found >= 0)
            row = found;
    if (row < 0)
        return changed;

    const double total = table.ListDif()[row].toDouble() + extraSeconds;
    max_ = int(std::nearbyint(std::clamp(total, -32768.0, 32767.0)));
    const SubtitleLines shown{table.ListSub()[row], table.ListSub2()[row], table.ListSub3()[row]};
    changed = changed || shown != lines;
    lines = shown;
    ticks_ = 0;
    shown_ = row;
    return changed;
}

bool SubtitleClock::jumpTo(const SubtitleTable& table, qint64 second, int extraSeconds,
                           SubtitleLines& lines) {
    restart();
    last_ = second;
    int row = -1;
    qint64 begin = 0;
    double total = 0;
    // The last entry that covers the second wins, as the last start does.
    for (int r = 0; r < table.count(); ++r) {
        const auto start = qint64(HtoSec(table.ListBegin()[r]));
        const double length = table.ListDif()[r].toDouble() + extraSeconds;
        if (start <= second && second < start + length) {
            row = r;
            begin = start;
            total = length;
        }
    }
    const SubtitleLines before = lines;
    ticks_ = 0;
    max_ = 0;
    lines = SubtitleLines::blank();
    if (row >= 0) {
        lines = {table.ListSub()[row], table.ListSub2()[row], table.ListSub3()[row]};
        max_ = int(std::nearbyint(std::clamp(total, -32768.0, 32767.0)));
        ticks_ = int(second - begin);
        shown_ = row;
    }
    return lines != before;
}
