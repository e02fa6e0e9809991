#pragma once
// What the bar and the video display show of the movie playing: the
// transport's window side (the video attached and detached, the on-screen
// display, the curtain, the seek bar and the times), and the playback's
// news (first frame, position, end, failure) shown as it is told.
#include "player/playback.h"
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
    PlaybackView(Playback& playback, VolumeControl& volume, QWidget& window);

    // The parts it shows through, once the window has made them.
    void attach(MainBar& bar, VideoDisplay& video, OverlayDetection& overlay, Transport& transport);

    // The bar, the times and the video size at `seconds` into the movie.
    void showPosition(double seconds);
    // Duration in seconds: the seek bar's range and the total time.
    void setDuration(double seconds);
    // The movie cannot play: stopped, the user told why.
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
    // Tells the user `text` in the title and the on-screen display, and
    // leaves no empty video window, no curtain and no full screen behind.
    void showFailure(const QString& text);
    void onFirstFrame();
    void onEnded();

    Playback& playback_;
    VolumeControl& volume_;
    QWidget& window_;
    MainBar* bar_ = nullptr;
    VideoDisplay* video_ = nullptr;
    OverlayDetection* overlay_ = nullptr;
    Transport* transport_ = nullptr;
    double durationSeconds_ = 0; // dureelbl
};
