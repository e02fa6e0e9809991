#include "playlist/play_queue.h"

#include "player/playback.h"
#include "playlist/playlist_file.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QTimer>

namespace {
// The message of an entry that cannot play stays this long before the queue
// moves on.
constexpr int kSkipDelayMs = 1500;
} // namespace

PlayQueue::PlayQueue(Playback& playback, SelectableList& queue, PlayQueueHost& host)
    : List1(queue), playback_(playback), host_(host) {}

void PlayQueue::RepMode() {
    repeat_ = !repeat_;
    playback_.setLoopMovie(repeat_);
}

bool PlayQueue::LoadPlayList(const QString& fileName) {
    const PlaylistRead read = readPlaylistFile(fileName);
    if (!read.problem.isEmpty())
        host_.warn(read.problem);
    if (!read.entries)
        return false;
    QStringList all = file2.items();
    all += *read.entries;
    const int selected = file2.listIndex();
    file2.setItems(all);
    file2.setListIndex(selected);
    return true;
}

bool PlayQueue::SavePlaylist(const QString& fileName) {
    const QString problem = writePlaylistFile(fileName, file2.items());
    if (!problem.isEmpty())
        host_.warn(problem);
    return problem.isEmpty();
}

bool PlayQueue::PlayPlaylst(const QString& movieFileName) {
    if (!QFileInfo(movieFileName).isFile()) {
        const QString name = QFileInfo(movieFileName).fileName();
        host_.setTitle(name.isEmpty() ? QStringLiteral("An empty entry: skipped")
                                      : QStringLiteral("%1 was not found: skipped").arg(name));
        skipLater(0); // nothing to read: at once, so a list of holes ends quickly
        return false;
    }
    // A movie that cannot be played says why, and the message stays a
    // moment before the queue moves on.
    if (!host_.openMovie(movieFileName, false)) {
        skipLater(kSkipDelayMs);
        return false;
    }
    skipsInARow_ = 0;
    return true;
}

// The next entry after a moment, as if this one had ended, unless the user
// has chosen something else meanwhile. A queue of nothing but entries that
// cannot play stops once it has tried them all.
void PlayQueue::skipLater(int delayMs) {
    const int at = List1.listIndex();
    if (++skipsInARow_ > List1.count())
        return;
    QTimer::singleShot(delayMs, this, [this, at] {
        if (List1.listIndex() != at || playback_.PlayState() != PlayStopped)
            return;
        endPending_ = true;
        TimerPl_Timer();
    });
}

void PlayQueue::PlayMyList() {
    skipsInARow_ = 0; // the user starts afresh
    if (List1.listIndex() < 0)
        List1.setListIndex(0);
    if (!List1.text().isEmpty())
        PlayPlaylst(List1.text());
}

void PlayQueue::rebuildFromEditList(int rememberedIndex) {
    List1.setItems(file2.items());
    if (!playback_.MovieOpen())
        PlayMyList();
    if (rememberedIndex != -1)
        List1.setListIndex(rememberedIndex);
}

bool PlayQueue::playListFile(const QString& fileName) {
    const PlaylistRead read = readPlaylistFile(fileName);
    if (!read.problem.isEmpty())
        host_.warn(read.problem);
    if (!read.entries)
        return false;
    playEntries(*read.entries);
    return true;
}

void PlayQueue::playEntries(const QStringList& entries) {
    file2.setItems(entries);
    List1.setItems(entries);
    PlayMyList();
}

void PlayQueue::movieEnded() {
    endPending_ = true;
    QTimer::singleShot(0, this, &PlayQueue::TimerPl_Timer);
}

void PlayQueue::TimerPl_Timer() {
    // Once for each end: a second report of the same end finds nothing.
    if (!std::exchange(endPending_, false))
        return;
    if (playback_.LoopMovie()) {
        host_.jump(QStringLiteral("00:00:00"));
        host_.showCurtain(false);
        return;
    }
    host_.stopMovie();
    if (shuffle_) {
        shuffleNext();
        return;
    }
    if (host_.runPendingTransition())
        return;
    if (List1.count() == 0 || List1.listIndex() == List1.count() - 1)
        return; // stopped at the end
    advance();
}

void PlayQueue::select(int index) {
    List1.setListIndex(index);
    file2.setListIndex(index);
}

void PlayQueue::advance() {
    if (host_.fullScreen())
        host_.showCurtain(true);
    select(List1.listIndex() + 1);
    PlayPlaylst(List1.text());
    host_.showCurtain(false);
}

int PlayQueue::shuffleDraw(int current, int count, const std::function<int(int)>& below) {
    // Drawn among the others, so it never has to draw again.
    const bool inQueue = current >= 0 && current < count;
    const int others = inQueue ? count - 1 : count;
    if (others <= 0)
        return -1;
    const int r = below(others);
    return inQueue && r >= current ? r + 1 : r;
}

// With one entry (the one playing) or none there is nothing else to draw:
// playback stays stopped.
void PlayQueue::shuffleNext() {
    const int r = shuffleDraw(List1.listIndex(), List1.count(),
                              [](int n) { return int(QRandomGenerator::global()->bounded(n)); });
    if (r < 0)
        return;
    select(r);
    PlayPlaylst(List1.text());
}
