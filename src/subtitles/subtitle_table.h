#pragma once
// The subtitle table: one row an entry, in file order, in six text columns
// addressed by one row index. Duplicate rows stay; the timer finds a row by
// the exact text of its start time.
#include <QHash>
#include <QString>
#include <QStringList>
#include <array>

// Up to three lines from an entry's text: "|" separates them, and the
// third keeps any further "|". A missing line is " ".
std::array<QString, 3> splitSubtitleText(QStringView text);

class SubtitleTable {
  public:
    // Start and end as "hh:mm:ss", the duration in whole seconds.
    void add(const QString& begin, const QString& end, int duration,
             const std::array<QString, 3>& lines);
    void clear();
    int count() const { return int(begin_.size()); }
    bool isEmpty() const { return begin_.isEmpty(); }

    // The first row starting at `timeText` ("hh:mm:ss"), -1 when none.
    int rowStartingAt(const QString& timeText) const;

    const QStringList& ListBegin() const { return begin_; }
    const QStringList& ListEnd() const { return end_; }
    const QStringList& ListDif() const { return dif_; }
    const QStringList& ListSub() const { return sub1_; }
    const QStringList& ListSub2() const { return sub2_; }
    const QStringList& ListSub3() const { return sub3_; }

  private:
    static int startKey(QStringView text);

    QStringList begin_, end_, dif_, sub1_, sub2_, sub3_;
    QHash<int, int> firstRow_; // start time -> first row
};
