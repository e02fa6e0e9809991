#pragma once
// The player's transport: the run, pause and stop commands with the play
// state behind them, the buttons that call them, seeking, jumping, chapters
// and the rate. Windows provide what it shows through TransportHost.
#include "player/chapter_list.h"
#include "player/playback.h"

#include <QString>

class SelectableList;

class TransportHost {
  public:
    virtual ~TransportHost() = default;
    // Shows the video window and puts the renderer in it at native size.
    virtual void AttachVideo() = 0;
    // Takes the renderer out of the video window and hides it.
    virtual void DetachVideo() = 0;
    virtual void setOsdText(const QString& text) = 0;
    // Applies the volume to the new graph and redraws the meter.
    virtual void applyVolume() = 0;
    // The black curtain of full-screen opening goes away.
    virtual void hideCurtain() = 0;
    virtual void startOverlayDetection() = 0;
    virtual void stopOverlayDetection() = 0;
    // The seek bar (whole seconds) and the position text.
    virtual int seekBarValue() const = 0;
    virtual int seekBarMax() const = 0;
    virtual void setSeekBarValue(int seconds) = 0;
    virtual QString positionText() const = 0;
    virtual void setPositionText(const QString& text) = 0;
    virtual bool shuffleOn() const = 0;
    // The movie ends now: the play queue moves on as at a natural end.
    virtual void endMovieNow() = 0;
};

class Transport {
  public:
    Transport(Playback& playback, ChapterList& chapters, SelectableList& queue, TransportHost& host)
        : playback_(playback), chapters_(chapters), queue_(queue), host_(host) {}

    // Graph commands.
    void cmdRun_Click();
    void cmdPause_Click();
    void cmdStop_Click();
    // Buttons.
    void play_Click();
    void pause_Click();
    // Space and the media keys: pauses a running movie, else plays.
    void playPause();
    void stopbt_Click();
    void nextbt_Click();
    void prev_Click();
    // Shift held on the next or previous button.
    void ChapNext();
    void ChapPrev();

    // A click or drag on the seek bar.
    void PBar1_Click();
    // Seek to a time text and play.
    void Jump(const QString& timeText);
    // 0: half speed, 1: normal, 2: double; anything else does nothing.
    void PlaybackRate(int index);
    // The speed of rate item `index`; 0 for none.
    static double rateOf(int index);
    // The chapter selection follows the position.
    void Timer1_Timer();

  private:
    void seekToBarValue();
    void seekTo(int seconds);

    Playback& playback_;
    ChapterList& chapters_;
    SelectableList& queue_;
    TransportHost& host_;
};
