#include "subtitles/subtitle_table.h"

#include <algorithm>

std::array<QString, 3> splitSubtitleText(QStringView text) {
    const QString blank = QStringLiteral(" ");
    const qsizetype p = text.indexOf(u'|');
    if (p < 0)
        return {text.toString(), blank, blank};
    const qsizetype q = text.indexOf(u'|', p + 1);
    if (q < 0)
        return {text.left(p).toString(), text.mid(p + 1).toString(), blank};
    return {text.left(p).toString(), text.mid(p + 1, q - p - 1).toString(),
            text.mid(q + 1).toString()};
}

// Start texts are "hh:mm:ss": the seconds they stand for are the key, and
// equal seconds are equal texts. Any other text (never written here) keys
// by its characters, below 0.
int SubtitleTable::startKey(QStringView text) {
    const auto digit = [&](int i) { return text[i].unicode() - u'0'; };
    const bool clock = text.size() == 8 && text[2] == u':' && text[5] == u':' &&
                       std::all_of(text.begin(), text.end(),
                                   [](QChar c) { return c == u':' || (c >= u'0' && c <= u'9'); });
    if (clock)
        return (digit(0) * 10 + digit(1)) * 3600 + (digit(3) * 10 + digit(4)) * 60 + digit(6) * 10 +
               digit(7);
    return -1 - int(qHash(text.toString().toUpper()) & 0x3fffffff);
}

void SubtitleTable::add(const QString& begin, const QString& end, int duration,
                        const std::array<QString, 3>& lines) {
    // The first of equal start times is shown.
    if (const int key = startKey(begin); !firstRow_.contains(key))
        firstRow_.insert(key, count());
    begin_.append(begin);
    end_.append(end);
    dif_.append(QString::number(duration));
    sub1_.append(lines[0]);
    sub2_.append(lines[1]);
    sub3_.append(lines[2]);
}

void SubtitleTable::clear() {
    for (QStringList* column : {&begin_, &end_, &dif_, &sub1_, &sub2_, &sub3_})
        column->clear();
    firstRow_.clear();
}

int SubtitleTable::rowStartingAt(const QString& timeText) const {
    return firstRow_.value(startKey(timeText), -1);
}
