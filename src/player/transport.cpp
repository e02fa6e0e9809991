#include "player/transport.h"

#include "player/time_text.h"

void Transport::cmdRun_Click() {
    FilterGraph* graph = playback_.MediaControl().get();
    // A new play, not a jump or a loop of the movie playing.
    const bool starting = playback_.PlayState() == PlayStopped;
    if (graph) {
        if (playback_.PlayState() == PlayStopped) {
            host_.AttachVideo();
            playback_.seek(0);
            if (graph->run())
                playback_.setPlayState(PlayRunning);
        } else if (playback_.PlayState() == PlayPaused) {
            if (graph->run())
                playback_.setPlayState(PlayRunning);
        }
    }
    host_.applyVolume();
    host_.hideCurtain();
    if (starting)
        host_.startOverlayDetection();
}

void Transport::cmdPause_Click() {
    FilterGraph* graph = playback_.MediaControl().get();
    if (graph && playback_.PlayState() != PlayStopped && graph->pause())
        playback_.setPlayState(PlayPaused);
}

void Transport::cmdStop_Click() {
    host_.stopOverlayDetection();
    FilterGraph* graph = playback_.MediaControl().get();
    if (!graph || playback_.PlayState() == PlayStopped)
        return;
    graph->stop();
    playback_.seek(0);
    playback_.setPlayState(PlayStopped);
    host_.DetachVideo();
}

void Transport::play_Click() {
    cmdRun_Click();
    host_.setOsdText(QStringLiteral("Play"));
}

void Transport::pause_Click() {
    cmdPause_Click();
    host_.setOsdText(QStringLiteral("Pause"));
}

void Transport::playPause() {
    if (playback_.PlayState() == PlayRunning)
        pause_Click();
    else
        play_Click();
}

void Transport::stopbt_Click() {
    cmdStop_Click();
    host_.setOsdText(QStringLiteral("Stop"));
}

void Transport::nextbt_Click() {
    // An empty queue has its "last" entry selected too (-1 == 0 - 1): with
    // nothing to go to, Next leaves the movie alone.
    if (!host_.shuffleOn() && queue_.listIndex() == queue_.count() - 1)
        return;
    host_.endMovieNow();
}

void Transport::prev_Click() {
    if (!host_.shuffleOn() && queue_.listIndex() == 0)
        return;
    if (queue_.listIndex() < 0)
        return;
    host_.setOsdText(QStringLiteral("Previous"));
    // The end-of-movie handling steps forward by one, so two back plays
    // the entry before this one.
    queue_.setListIndex(queue_.listIndex() - 2);
    host_.endMovieNow();
}

void Transport::seekToBarValue() {
    seekTo(host_.seekBarValue());
}

void Transport::seekTo(int seconds) {
    host_.setPositionText(formatTime(seconds));
    // Before the seek: the position it announces walks the chapters on.
    chapters_.seekedTo(seconds);
    playback_.seek(seconds);
}

void Transport::PBar1_Click() {
    seekToBarValue();
    cmdRun_Click();
}

void Transport::Jump(const QString& timeText) {
    // The time itself, not the bar's value: a movie opened a moment ago
    // may not have given the bar its range yet.
    const int seconds = int(HtoSec(timeText));
    host_.setSeekBarValue(seconds);
    seekTo(seconds);
    cmdRun_Click();
}

void Transport::ChapNext() {
    const QString target = chapters_.next(host_.positionText());
    if (!target.isEmpty())
        Jump(target);
}

void Transport::ChapPrev() {
    const QString target = chapters_.previous();
    if (!target.isEmpty())
        Jump(target);
}

double Transport::rateOf(int index) {
    static constexpr double kRates[] = {0.5, 1.0, 2.0};
    return index >= 0 && index <= 2 ? kRates[index] : 0;
}

void Transport::PlaybackRate(int index) {
    if (rateOf(index) == 0 || !playback_.MediaPosition())
        return;
    playback_.MediaPosition()->setRate(rateOf(index));
}

void Transport::Timer1_Timer() {
    chapters_.tick(host_.positionText());
}
