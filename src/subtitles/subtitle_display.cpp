#include "subtitles/subtitle_display.h"

#include "player/playback.h"
#include "subtitles/subtitle_finder.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

SubtitleDisplay::SubtitleDisplay(const Playback& playback, QWidget& video, Hooks hooks)
    : playback_(playback), hooks_(std::move(hooks)), window_(std::make_unique<frmSub>(video)),
      clock_(SubTicks, SubTicksMax), lines_(SubtitleLines::blank()) {
    window_->yPos = hooks_.yPos;
    window_->yPosChanged = hooks_.setYPos;
    timer_.setInterval(1000);
    connect(&timer_, &QTimer::timeout, this, &SubtitleDisplay::tick);
    connect(&playback_, &Playback::streamsChanged, this, &SubtitleDisplay::takeTracks);
    connect(&playback_, &Playback::textRead, this, &SubtitleDisplay::takeLine);
}

SubtitleDisplay::~SubtitleDisplay() = default;

bool SubtitleDisplay::OpenSub(const QString& file, int beginDelay, int /*endDelay*/) {
    showChecked_ = true;
    const int characterSet = hooks_.characterSet ? hooks_.characterSet() : 0;
    SubtitleRead read = readSubtitleFile(file, characterSet, playback_.FrameRate(), beginDelay);
    if (!read.parse) {
        warn(read.problem);
        return false;
    }
    if (!read.problem.isEmpty())
        warn(read.problem); // what was left out
    SubFileName_ = file;
    foundBeside_ = false;
    // The file wins over the movie's own track.
    if (std::exchange(track_, -1) >= 0 && playback_.MediaControl())
        playback_.MediaControl()->selectTextStream(-1);
    fileLoaded_ = true;
    table_ = std::move(read.parse->table);
    offset_ = beginDelay;
    characterSet_ = characterSet;
    rememberFrameRate(file, *read.parse);
    clock_.restart();
    if (hooks_.keyColour)
        window_->setKeyColour(hooks_.keyColour());
    window_->load();
    timer_.start();
    return true;
}

void SubtitleDisplay::OpenSubDlg() {
    if (!playback_.MovieOpen()) {
        inform(QStringLiteral("You must open a file first"));
        return;
    }
    const QString file =
        hooks_.chooseFile
            ? hooks_.chooseFile()
            : QFileDialog::getOpenFileName(
                  window_->parentWidget(), QStringLiteral("Open Vantor Subtitles file"),
                  QFileInfo(playback_.CurrentFile()).path(),
                  QStringLiteral("Subtitles Files (*.vst *.txt *.sub *.srt);;All files (*)"));
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return;
    QCoreApplication::processEvents();
    OpenSub(file, hooks_.delaySeconds ? hooks_.delaySeconds() : 0,
            hooks_.extraSeconds ? hooks_.extraSeconds() : 0);
}

void SubtitleDisplay::loadForMovie(bool lookBeside) {
    const int delay = hooks_.delaySeconds ? hooks_.delaySeconds() : 0;
    if (!SubFileName_.isEmpty()) {
        OpenSub(SubFileName_, delay, 0);
        return;
    }
    const QString found = lookBeside ? findSubtitlesFor(playback_.CurrentFile()) : QString();
    if (!found.isEmpty() && OpenSub(found, delay, 0))
        foundBeside_ = true;
}

// A file found beside the last movie is not the next one's.
void SubtitleDisplay::UnloadSub() {
    if (std::exchange(foundBeside_, false))
        SubFileName_.clear();
    track_ = -1;
    cues_.clear();
    seen_.clear();
    fileLoaded_ = false;
    tracksDecided_ = false;
    table_.clear();
    timer_.stop();
    lines_ = SubtitleLines::blank();
    window_->unload();
}

void SubtitleDisplay::clearLines() {
    lines_ = SubtitleLines::blank();
    clock_.restart();
    if (window_->loaded())
        window_->setLines(lines_);
}

// Backwards as well as forwards: the line from before the jump goes, and
// the one for the new time is looked up at once.
void SubtitleDisplay::seeked(double seconds) {
    if (table_.isEmpty())
        return;
    const int extra = hooks_.extraSeconds ? hooks_.extraSeconds() : 0;
    if (clock_.jumpTo(table_, qint64(seconds), extra, lines_) && window_->loaded())
        window_->setLines(lines_);
}

void SubtitleDisplay::reload() {
    if (track_ >= 0) {
        rebuildTrackTable(hooks_.delaySeconds ? hooks_.delaySeconds() : offset_);
        return;
    }
    if (table_.isEmpty() || SubFileName_.isEmpty())
        return;
    const int characterSet = hooks_.characterSet ? hooks_.characterSet() : 0;
    const int offset = hooks_.delaySeconds ? hooks_.delaySeconds() : offset_;
    const bool rateMoved =
        followsMovieRate_ && playback_.FrameRate() > 0 && playback_.FrameRate() != frameRate_;
    if (characterSet == characterSet_ && offset == offset_ && !rateMoved)
        return;
    SubtitleRead read = readSubtitleFile(SubFileName_, characterSet, playback_.FrameRate(), offset);
    if (!read.parse)
        return; // the table read before stays
    table_ = std::move(read.parse->table);
    offset_ = offset;
    characterSet_ = characterSet;
    rememberFrameRate(SubFileName_, *read.parse);
    // The entry on show, as the file now reads.
    if (const int row = clock_.shownRow(); row >= 0 && row < table_.count()) {
        lines_ = {table_.ListSub()[row], table_.ListSub2()[row], table_.ListSub3()[row]};
        if (window_->loaded())
            window_->setLines(lines_);
    }
}

// Frame numbers are read at the movie's rate, which the player may learn
// only after the movie has started; a file with a rate of its own keeps it.
void SubtitleDisplay::rememberFrameRate(const QString& file, const SubtitleParse& parse) {
    followsMovieRate_ =
        subtitleFormatFor(file) == SubtitleFormat::FrameCoded && parse.fileFrameRate <= 0;
    frameRate_ = playback_.FrameRate();
}

void SubtitleDisplay::Mnu_ShowSub_Click() {
    showChecked_ = !showChecked_;
    hiddenByUser_ = !showChecked_;
    if (!showChecked_) {
        window_->unload();
    } else {
        window_->load();
        window_->setLines(lines_);
    }
}

void SubtitleDisplay::setFont(const QFont& font, const QColor& colour) {
    window_->setSubtitleFont(font, colour);
}

void SubtitleDisplay::tick() {
    if (table_.isEmpty() || !hooks_.elapsedSeconds)
        return;
    const int extra = hooks_.extraSeconds ? hooks_.extraSeconds() : 0;
    if (clock_.tick(table_, hooks_.elapsedSeconds(), extra, lines_) && window_->loaded())
        window_->setLines(lines_);
}

void SubtitleDisplay::inform(const QString& text) {
    if (hooks_.inform)
        hooks_.inform(text);
    else
        QMessageBox::information(window_->parentWidget(), QStringLiteral("Vantor Meridian"), text);
}

void SubtitleDisplay::warn(const QString& text) {
    if (hooks_.warn)
        hooks_.warn(text);
    else
        QMessageBox::warning(window_->parentWidget(), QStringLiteral("Vantor Meridian"), text);
}
