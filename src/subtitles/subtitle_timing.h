#pragma once
// The subtitle timer's matching, once a second: the entry whose start time
// is the movie's position shows at once and replaces any other, and goes on
// the tick after its duration plus the extra seconds have passed.
#include "subtitles/subtitle_table.h"

#include <optional>

struct SubtitleLines {
    QString Sub1, Sub2, Sub3;
    bool operator==(const SubtitleLines&) const = default;
    static SubtitleLines blank();
};

class SubtitleClock {
  public:
    // `ticks` and `ticksMax` are the player's record of the shown entry
    // (ticks since it appeared, and when it goes); they outlive a file.
    SubtitleClock(int& ticks, int& ticksMax) : ticks_(ticks), max_(ticksMax) {}

    // One tick at `second` of the movie; true when `lines` changed.
    bool tick(const SubtitleTable& table, qint64 second, int extraSeconds, SubtitleLines& lines);
    // A jump to `second`: the entry the new time falls in shows at once,
    // with the time it has been on counted; none, and the lines are blank.
    // True when `lines` changed.
    bool jumpTo(const SubtitleTable& table, qint64 second, int extraSeconds, SubtitleLines& lines);
    // A new table or a jump: the next tick looks at its own second only.
    void restart() {
        last_.reset();
        shown_ = -1;
    }
    // The row of the entry on show, -1 when none is.
    int shownRow() const { return shown_; }

  private:
    int& ticks_;
    int& max_;
    std::optional<qint64> last_;
    int shown_ = -1;
};
