#include "subtitles/subtitle_table.h"

std::array<QString, 3> splitSubtitleText(const QString& text) {
    const QString blank = QStringLiteral(" ");
    const qsizetype p = text.indexOf(u'|');
    if (p < 0)
        return {text, blank, blank};
    const qsizetype q = text.indexOf(u'|', p + 1);
    if (q < 0)
        return {text.left(p), text.mid(p + 1), blank};
    return {text.left(p), text.mid(p + 1, q - p - 1), text.mid(q + 1)};
}

void SubtitleTable::add(const QString& begin, const QString& end, int duration,
                        const std::array<QString, 3>& lines) {
    if (!firstRow_.contains(begin)) // the first of equal start times is shown
        firstRow_.insert(begin, count());
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
    // Time texts are digits and colons: letter case cannot matter.
    return firstRow_.value(timeText, -1);
}
