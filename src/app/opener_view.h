#pragma once
// What opening a movie asks of the rest of the player: the user's audio
// output and compressor from the configuration dialog, the decoder
// settings written first, the frame-rate probe, the title, the audio-stream
// menu, the duration, the video's place and the curtain, the subtitles, and
// the telling of a file that cannot play.
#include "player/movie_opener.h"

#include <QStringList>

class MainBar;
class PlaybackView;
class SubtitleDisplay;
class VideoDisplay;
class frmConfig;

class SoundOutputKeeper;

class OpenerView : public OpenerHost {
  public:
    explicit OpenerView(PlaybackView& playback) : playback_(playback) {}
    void attach(MainBar& bar, VideoDisplay& video, SubtitleDisplay& subtitles) {
        bar_ = &bar;
        video_ = &video;
        subtitles_ = &subtitles;
    }
    // The dialog, once loaded.
    frmConfig* config = nullptr;
    // Which output each movie plays on.
    SoundOutputKeeper* sound = nullptr;

    // The audio-stream menu's five captions, and whether it is on.
    const QStringList& audioStreamItems() const { return streamItems_; }
    bool audioStreamsEnabled() const { return streamsEnabled_; }

    QString audioDeviceName() const override;
    bool useDedynamic() const override;
    int probeFrameRate(const QString& file) override;
    void setTitle(const QString& title) override;
    void setAudioStreamItems(const QStringList& captions, bool enabled) override;
    void placeVideo() override;
    bool fullScreen() const override;
    void showCurtain() override;
    void beforeGraphBuilt() override;
    void unloadSubtitles() override;
    void loadSubtitles() override;
    void frameRateKnown() override;
    void openFailed(const QString& file, const MediaError& error) override;

  private:
    PlaybackView& playback_;
    MainBar* bar_ = nullptr;
    VideoDisplay* video_ = nullptr;
    SubtitleDisplay* subtitles_ = nullptr;
    QStringList streamItems_;
    bool streamsEnabled_ = false;
};
