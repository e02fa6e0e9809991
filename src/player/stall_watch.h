#pragma once
// Notices a movie that is said to play while its time stands still: a file
// cut short or damaged mid-way, a source that went away. Fed once a second
// by the position display.
class StallWatch {
  public:
    // Seconds the time may stand still before the movie counts as stalled.
    static constexpr int kStillSeconds = 4;

    // One tick: the position (seconds) of a movie that runs, or `running`
    // false while it is paused, stopped or not yet started. True once the
    // running movie has stood still for kStillSeconds ticks in a row.
    bool tick(double positionSeconds, bool running);
    void reset();
    // The position of the last tick; 0 before the first.
    double lastPosition() const { return last_ < 0 ? 0 : last_; }

  private:
    double last_ = -1;
    int stillTicks_ = 0;
};
