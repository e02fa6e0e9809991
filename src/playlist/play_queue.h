#pragma once
// The play queue and how it moves on: the queue (`List1`) and the edit list
// (`file2`) the playlist window rebuilds it from, playlist files, the
// shuffle and repeat modes, and what happens when a movie ends, which Next
// and Previous make happen at once.
#include "support/models/selectable_list.h"

#include <QObject>
#include <QString>
#include <functional>

class Playback;

// What the queue asks of the player.
class PlayQueueHost {
  public:
    virtual ~PlayQueueHost() = default;
    virtual bool openMovie(const QString& file, bool loop) = 0; // OpenaMovie
    virtual void stopMovie() = 0;
    virtual void jump(const QString& timeText) = 0;
    // The black curtain over the screen, above every window, or gone.
    virtual void showCurtain(bool shown) = 0;
    // A menu's second action waiting for the movie to end: runs it, or
    // returns false when none waits.
    virtual bool runPendingTransition() = 0;
    virtual bool fullScreen() const = 0;
    virtual void setTitle(const QString& title) = 0;
    virtual void warn(const QString& text) = 0;
};

class PlayQueue : public QObject {
    Q_OBJECT
  public:
    PlayQueue(Playback& playback, SelectableList& queue, PlayQueueHost& host);

    SelectableList& List1;
    SelectableList file2;

    // "Shuffle" and "Repeat" as the context menu's check marks hold them.
    bool shuffleChecked() const { return shuffle_; }
    void setShuffle(bool on) { shuffle_ = on; }
    void ShuffMode() { shuffle_ = !shuffle_; }
    bool repeatChecked() const { return repeat_; }
    void RepMode(); // LoopMovie follows the new check mark

    // Appends a playlist file's entries to the edit list; false (and a
    // message) when it cannot be read.
    bool LoadPlayList(const QString& fileName);
    bool SavePlaylist(const QString& fileName);
    // Opens one entry; a file no longer there is skipped with a message in
    // the title, and the queue moves on.
    bool PlayPlaylst(const QString& movieFileName);
    // Starts the queue from its entry (the first when none is selected).
    void PlayMyList();
    // The playlist window's Ok: the queue becomes the edit list.
    void rebuildFromEditList(int rememberedIndex);
    // A playlist file to play: it becomes the queue and its first entry opens.
    bool playListFile(const QString& fileName);
    // Entries that become the queue (and the edit list), played from the first.
    void playEntries(const QStringList& entries);

    // The movie ended (or Next or Previous made it end): the end-of-movie
    // handling runs once, from the event loop.
    void movieEnded();
    void TimerPl_Timer();

    // Any entry but `current`, out of `count`; -1 when there is none.
    static int shuffleDraw(int current, int count, const std::function<int(int)>& below);

  private:
    void advance();
    void skipLater(int delayMs);
    void shuffleNext();
    void select(int index);

    Playback& playback_;
    PlayQueueHost& host_;
    bool shuffle_ = false;
    bool repeat_ = false;
    bool endPending_ = false;
    int skipsInARow_ = 0;
};
