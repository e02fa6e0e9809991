#pragma once
// What the bar and the video display show of the movie playing: the
// transport's window side (the video attached and detached, the on-screen
// display, the curtain, the seek bar and the times), the position display
// each second, and each graph's news (first frame, end, failure), with the
// movie whose time stands still reported.
#include "app/player_state.h"
#include "player/stall_watch.h"
#include "player/transport.h"
#include "support/media/media_error.h"

#include <QObject>
#include <functional>

class MainBar;
class OverlayDetection;
class QWidget;
class VideoDisplay;
class VolumeControl;

class PlaybackView : public QObject, public TransportHost {
    Q_OBJECT
  public:
    PlaybackView(PlayerState& state, VolumeControl& volume, QWidget& window);

    // The parts it shows through, once the window has made them.
    void attach(MainBar& bar, VideoDisplay& video, OverlayDetection& overlay, Transport& transport);

    // Every new graph: its errors, first frame and end come here.
    void watchGraph(FilterGraph* graph);
    // The position display's tick: the bar, the times, the video size.
    void showPosition();
    // Duration in seconds: the seek bar's range and the total time.
    void setDuration(double seconds);
    // Stops, tells the user `text` in the title and the on-screen display,
    // and leaves no empty video window.
    void reportFailure(const QString& text);
    void openFailed(const QString& file, const MediaError& error);

    QString durationText() const;
    QString videoSizeText() const;

    // TransportHost
    void AttachVideo() override;
    void DetachVideo() override;
    void setOsdText(const QString& text) override;
    void applyVolume() override;
    void hideCurtain() override;
    void startOverlayDetection() override;
    void stopOverlayDetection() override;
    int seekBarValue() const override;
    int seekBarMax() const override;
    void setSeekBarValue(int seconds) override;
    QString positionText() const override;
    void setPositionText(const QString& text) override;
    bool shuffleOn() const override { return shuffleChecked && shuffleChecked(); }
    void endMovieNow() override;

    // The play queue's side of a movie's end; unset, an ended movie stops.
    std::function<void()> movieEnded;
    std::function<bool()> shuffleChecked;

  private:
    bool current(quint64 graphId) const;
    void onGraphError(quint64 graphId);
    void onGraphPrerolled(quint64 graphId);
    void onGraphEnded(quint64 graphId);
    void watchForStall(double positionSeconds);

    PlayerState& state_;
    VolumeControl& volume_;
    QWidget& window_;
    MainBar* bar_ = nullptr;
    VideoDisplay* video_ = nullptr;
    OverlayDetection* overlay_ = nullptr;
    Transport* transport_ = nullptr;
    double durationSeconds_ = 0; // dureelbl
    StallWatch stallWatch_;
};
