#pragma once
// The movie playing: its graph, its play state and its file, and the one
// place they change. Every change is announced as a signal on the UI
// thread, the graph's own news (first frame, end, failure) included, the
// way GStreamer's player library turns bus messages into typed signals:
// the windows, the menus and the desktop interface follow without polling.
#include "player/stall_watch.h"
#include "support/media/filter_graph.h"
#include "support/media/media_error.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

// 0 stopped, 1 paused, 2 running.
enum PlayStates : short { PlayStopped = 0, PlayPaused = 1, PlayRunning = 2 };

class Playback : public QObject {
    Q_OBJECT
  public:
    explicit Playback(QObject* parent = nullptr);
    ~Playback() override;

    // The current graph, seen through its different duties; empty when no
    // graph has been made or it was released.
    const std::shared_ptr<FilterGraph>& MediaControl() const { return graph_; }
    const std::shared_ptr<FilterGraph>& MediaPosition() const { return graph_; }
    const std::shared_ptr<FilterGraph>& BasicAudio() const { return graph_; }
    const std::shared_ptr<FilterGraph>& BasicVideo() const { return graph_; }
    // The graph's renderer; owned by the graph.
    ::VideoWindow* VideoWindow() const { return graph_ ? graph_->videoWindow() : nullptr; }

    PlayStates PlayState() const { return playState_; }
    // Paused is the play state's, never a flag of its own: a stopped movie
    // is not paused, so play-or-pause plays it.
    bool Paused() const { return playState_ == PlayPaused; }
    const QString& CurrentFile() const { return currentFile_; }
    bool MovieOpen() const { return movieOpen_; }
    bool LoopMovie() const { return loopMovie_; }
    bool Muted() const { return muted_; }
    // The volume control's mute toggle keeps the flag here, so an open
    // clears it with everything else of the movie before.
    bool& mutedFlag() { return muted_; }
    // Frames per second of the movie; 0 until known or when it cannot be told.
    int FrameRate() const { return frameRate_; }
    // The length the open gave, until the graph knows better.
    double expectedDuration() const { return expectedDuration_; }
    // The title the file gives the movie, once read; empty when it has none.
    const QString& titleTag() const { return titleTag_; }
    void setTitleTag(const QString& title);
    // Seconds into the movie, 0 without one.
    double position() const;

    // Transitions. Each resets what belongs to the movie before it.
    // A new empty graph for `file`: the last movie's open flag, frame rate,
    // length and stall watch go.
    void beginOpen(std::shared_ptr<FilterGraph> graph);
    void setCurrentFile(const QString& file) { currentFile_ = file; }
    // The graph is built and told to play.
    void opened(bool loop);
    void setLoopMovie(bool loop) { loopMovie_ = loop; }
    void setFrameRate(int framesPerSecond) { frameRate_ = framesPerSecond; }
    void setExpectedDuration(double seconds);
    void setPlayState(PlayStates state);
    // Stops the graph and forgets the movie: nothing is open any more.
    void fail(const QString& reason);
    // The graph and its renderer go.
    void releaseGraph();
    // Seeks and tells the listeners at once.
    void seek(double seconds);

  Q_SIGNALS:
    void stateChanged(PlayStates state);
    // A movie's graph is built and playing starts.
    void movieOpened(const QString& file);
    // The current graph has its first frame: the picture's size is known.
    void firstFrame();
    void durationChanged(double seconds);
    // The movie reached its end.
    void ended();
    // The movie cannot play on; `reason` is for the user.
    void failed(const QString& reason);
    // The sound output failed at `seconds` (a device unplugged, the sound
    // server gone), not the movie. Without a listener it is a failure.
    void soundOutputLost(double seconds);
    // The position moved: each second while running, at every seek, and
    // where the movie paused.
    void positionChanged(double seconds);
    // The movie jumped to `seconds` (a seek, the start of a loop).
    void seeked(double seconds);
    // The graph's decoder has announced the file's streams (audio tracks,
    // subtitles): a new graph has none until it does.
    void streamsChanged();
    // A line of the movie's subtitle track the graph reads.
    void textRead(const TextCue& cue);
    void titleTagChanged(const QString& title);

  private:
    bool current(quint64 graphId) const { return graph_ && graph_->id() == graphId; }
    void watch(FilterGraph* graph);
    void onPrerolled(quint64 graphId);
    void onEnded(quint64 graphId);
    bool skipDamage(double at);
    void tick();

    std::shared_ptr<FilterGraph> graph_;
    PlayStates playState_ = PlayStopped;
    QString currentFile_;
    bool movieOpen_ = false;
    bool loopMovie_ = false;
    bool muted_ = false;
    int frameRate_ = 0;
    double expectedDuration_ = 0;
    // Where the last jump over damaged data aimed, and how many were made.
    double skippedTo_ = 0;
    int skips_ = 0;
    QElapsedTimer sinceSkip_;
    // Since the first frame: how long the picture has been seen.
    QElapsedTimer shownFor_;
    QString titleTag_;
    // Runs only while the movie runs: a paused or stopped player sleeps.
    QTimer ticker_;
    StallWatch stallWatch_;
};
