// The movie's own subtitle tracks in the subtitle window: the graph reads
// the chosen track's lines as the movie plays, and each goes into the same
// table and timer a file's entries do, with the same delay, font, colour
// and place.
#include "player/playback.h"
#include "subtitles/subtitle_display.h"

#include <algorithm>

namespace {

bool isSubtitles(const MediaStream& stream) {
    return stream.kind == StreamKind::Text || stream.kind == StreamKind::Pictures;
}

} // namespace

QList<MediaStream> SubtitleDisplay::tracks() const {
    QList<MediaStream> result;
    const auto& graph = playback_.MediaControl();
    for (const MediaStream& stream : graph ? graph->streams() : QList<MediaStream>())
        if (isSubtitles(stream))
            result.append(stream);
    return result;
}

int SubtitleDisplay::shownTrack() const {
    const QList<MediaStream> all = tracks();
    for (int item = 0, text = 0; item < all.size(); ++item)
        if (all[item].kind == StreamKind::Text && text++ == track_)
            return item + 1;
    return 0;
}

// The decoder has announced the movie's streams: a file loaded for this
// movie keeps the track reader idle, otherwise the first text track shows.
void SubtitleDisplay::takeTracks() {
    const auto& graph = playback_.MediaControl();
    if (!graph || std::exchange(tracksDecided_, true))
        return;
    const bool anyText =
        std::any_of(graph->streams().begin(), graph->streams().end(),
                    [](const MediaStream& s) { return s.kind == StreamKind::Text; });
    if (fileLoaded_ || !anyText) {
        graph->selectTextStream(-1);
        return;
    }
    showChecked_ = !hiddenByUser_;
    startTrack(0);
}

void SubtitleDisplay::chooseTrack(int item) {
    const QList<MediaStream> all = tracks();
    if (item < 0 || item > all.size() || (item > 0 && all[item - 1].kind != StreamKind::Text))
        return;
    int textIndex = -1;
    for (int i = 0; i < item; ++i)
        textIndex += all[i].kind == StreamKind::Text;
    // A file beside the last movie is this movie's no longer; one the user
    // chose stays the next movie's.
    if (std::exchange(foundBeside_, false))
        SubFileName_.clear();
    fileLoaded_ = false;
    tracksDecided_ = true;
    if (item > 0) {
        hiddenByUser_ = false;
        showChecked_ = true;
    }
    startTrack(textIndex);
}

void SubtitleDisplay::startTrack(int textIndex) {
    track_ = textIndex;
    cues_.clear();
    seen_.clear();
    table_.clear();
    lines_ = SubtitleLines::blank();
    clock_.restart();
    offset_ = hooks_.delaySeconds ? hooks_.delaySeconds() : 0;
    if (const auto& graph = playback_.MediaControl())
        graph->selectTextStream(textIndex);
    if (textIndex < 0) {
        timer_.stop();
        window_->unload();
        return;
    }
    if (hooks_.keyColour)
        window_->setKeyColour(hooks_.keyColour());
    if (showChecked_) {
        window_->load();
        window_->setLines(lines_);
    }
    timer_.start();
}

// The graph reads ahead, and again after a seek back: each line counts once.
void SubtitleDisplay::takeLine(const TextCue& cue) {
    const QString key = QString::number(qint64(cue.start * 1000)) + u'|' + cue.text;
    if (track_ < 0 || seen_.contains(key))
        return;
    seen_.insert(key);
    cues_.append(cue);
    addTrackLine(table_, cue.start, cue.end, cue.text, offset_);
    // A line read after the timer passed its start second shows at once.
    if (clock_.shownRow() < 0 && hooks_.elapsedSeconds)
        seeked(double(hooks_.elapsedSeconds()));
}

// A new delay: the lines read so far, timed again.
void SubtitleDisplay::rebuildTrackTable(int offset) {
    if (offset == offset_)
        return;
    offset_ = offset;
    table_.clear();
    for (const TextCue& cue : cues_)
        addTrackLine(table_, cue.start, cue.end, cue.text, offset_);
    clock_.restart();
}
