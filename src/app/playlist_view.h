#pragma once
// The play queue on the player's windows: what the queue asks of the player
// (open, stop, jump, the curtain, the title, messages), the playlist window
// made on its first showing, and playlist files that arrive from outside
// (the command line, a drop, the desktop's media keys).
#include "playlist/play_queue.h"

#include <QStringList>
#include <memory>

class FrmPlayList;
class SettingsStore;
class frmMain;

class PlaylistView : public PlayQueueHost {
  public:
    PlaylistView(frmMain& window, SettingsStore& settings);
    ~PlaylistView() override;

    PlayQueue& queue() { return queue_; }
    // Shows the playlist window, made the first time.
    void ShowPlayLst();
    FrmPlayList* window() const { return window_.get(); }

    // Dropped or passed names: playlist files among them become the queue,
    // played from its first entry; otherwise the first movie opens and the
    // others join the queue.
    void openDropped(const QStringList& paths);

    // PlayQueueHost
    bool openMovie(const QString& file, bool loop) override;
    void stopMovie() override;
    void jump(const QString& timeText) override;
    void showCurtain(bool shown) override;
    bool runPendingTransition() override;
    bool fullScreen() const override;
    void setTitle(const QString& title) override;
    void warn(const QString& text) override;

  private:
    frmMain& main_;
    SettingsStore& settings_;
    PlayQueue queue_;
    std::unique_ptr<FrmPlayList> window_;
};
