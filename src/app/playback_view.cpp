#include "app/playback_view.h"

#include "player/failure_text.h"
#include "player/time_text.h"
#include "player/volume_control.h"
#include "skin/main_bar.h"
#include "support/controls/progress_bar.h"
#include "video/overlay_detection.h"
#include "video/video_display.h"

#include <QLabel>
#include <QWidget>
#include <climits>

PlaybackView::PlaybackView(PlayerState& state, VolumeControl& volume, QWidget& window)
    : state_(state), volume_(volume), window_(window) {}

void PlaybackView::attach(MainBar& bar, VideoDisplay& video, OverlayDetection& overlay,
                          Transport& transport) {
    bar_ = &bar;
    video_ = &video;
    overlay_ = &overlay;
    transport_ = &transport;
}

// ---------------------------------------------------------------------------
// The graph's news

void PlaybackView::watchGraph(FilterGraph* graph) {
    stallWatch_.reset();
    connect(graph, &FilterGraph::errorOccurred, this,
            [this](quint64 id, const QString&) { onGraphError(id); });
    connect(graph, &FilterGraph::prerolled, this, &PlaybackView::onGraphPrerolled);
    connect(graph, &FilterGraph::endOfStream, this, &PlaybackView::onGraphEnded);
}

bool PlaybackView::current(quint64 graphId) const {
    return state_.MediaControl && state_.MediaControl->id() == graphId; // else an old graph's
}

void PlaybackView::onGraphError(quint64 graphId) {
    if (current(graphId))
        reportFailure(failureText(state_.CurrentFile, state_.MediaControl->failure()));
}

void PlaybackView::openFailed(const QString& file, const MediaError& error) {
    reportFailure(failureText(file, error));
}

void PlaybackView::reportFailure(const QString& text) {
    if (state_.MediaControl)
        state_.MediaControl->stop();
    state_.PlayState = PlayStopped;
    stallWatch_.reset();
    overlay_->stop();
    bar_->setTitle(text);
    video_->hide();
    // Above the bar, where the picture would have been.
    const QRect bar = window_.frameGeometry();
    video_->showOsd(text, QPoint(bar.x(), std::max(0, bar.y() - 40)));
}

// A movie said to play whose time stands still has stopped delivering:
// near its end it has ended, anywhere else the file failed it.
void PlaybackView::watchForStall(double positionSeconds) {
    FilterGraph* graph = state_.MediaControl.get();
    const bool running = graph && graph->isPrerolled() && state_.PlayState == PlayRunning;
    if (!stallWatch_.tick(positionSeconds, running))
        return;
    stallWatch_.reset();
    const double length = graph->duration().valueOr(durationSeconds_);
    if (length > 0 && positionSeconds >= length - 1.0)
        onGraphEnded(graph->id());
    else
        reportFailure(failureText(state_.CurrentFile, {MediaFault::Stalled, {}, {}}));
}

void PlaybackView::onGraphPrerolled(quint64 graphId) {
    if (!current(graphId))
        return;
    // The native size is known from here on.
    if (state_.PlayState != PlayStopped)
        video_->firstFrame();
    showPosition();
}

void PlaybackView::onGraphEnded(quint64 graphId) {
    if (!current(graphId))
        return;
    showPosition();
    // The data ran out well before the length the movie gave at its
    // opening: a file cut short (or cut while playing) is no end.
    const double at = state_.MediaControl->currentPosition().valueOr(0);
    if (!state_.LoopMovie && durationSeconds_ > 0 && at < durationSeconds_ * 0.9 &&
        durationSeconds_ - at > 2.0) {
        reportFailure(failureText(state_.CurrentFile, {MediaFault::Stalled, {}, {}}));
        return;
    }
    setSeekBarValue(bar_->PBar1->Max());
    endMovieNow();
}

// The play queue decides: the movie again, the next one, or a stop.
void PlaybackView::endMovieNow() {
    if (movieEnded) {
        movieEnded();
    } else if (state_.LoopMovie && state_.MediaControl) {
        state_.MediaControl->setCurrentPosition(0);
    } else {
        transport_->stopbt_Click();
    }
}

// ---------------------------------------------------------------------------
// Position

void PlaybackView::showPosition() {
    // A bar the user holds shows where it will seek to, not where we are.
    if (!state_.MediaPosition || bar_->PBar1->isHeld())
        return;
    if (const MediaResult<QSize> size = state_.MediaPosition->videoSize())
        bar_->vsize->setText(QStringLiteral("Video Size: %1x%2")
                                 .arg(size.value().width())
                                 .arg(size.value().height()));
    const double position = state_.MediaPosition->currentPosition().valueOr(0);
    watchForStall(position);
    if (!state_.MediaPosition)
        return; // the stall ended the movie
    setSeekBarValue(int(position));
    bar_->tempslbl->setText(formatTime(qint64(position)));
    bar_->tempec->setText(
        formatTime(qint64(state_.MediaPosition->duration().valueOr(durationSeconds_))));
}

void PlaybackView::setDuration(double seconds) {
    durationSeconds_ = seconds;
    // 32-bit seconds: movies longer than nine hours still fit.
    bar_->PBar1->setMax(
        std::max(1, int(std::min(std::lround(std::max(0.0, seconds)), long(INT_MAX)))));
}

int PlaybackView::seekBarValue() const {
    return bar_->PBar1->Value();
}

int PlaybackView::seekBarMax() const {
    return bar_->PBar1->Max();
}

void PlaybackView::setSeekBarValue(int seconds) {
    // A refused value is skipped.
    bar_->PBar1->setValue(std::clamp(seconds, bar_->PBar1->Min(), bar_->PBar1->Max()));
}

QString PlaybackView::positionText() const {
    return bar_->tempslbl->text();
}

void PlaybackView::setPositionText(const QString& text) {
    bar_->tempslbl->setText(text);
}

QString PlaybackView::durationText() const {
    return bar_->tempec->text();
}

QString PlaybackView::videoSizeText() const {
    return bar_->vsize->text();
}

// ---------------------------------------------------------------------------
// The video display and the sound

void PlaybackView::AttachVideo() {
    video_->attach();
}

void PlaybackView::DetachVideo() {
    video_->detach();
}

void PlaybackView::setOsdText(const QString& text) {
    video_->setOsdCaption(text);
}

void PlaybackView::hideCurtain() {
    video_->hideCurtain();
}

void PlaybackView::applyVolume() {
    volume_.redraw(); // Run gives the new graph the level without moving it
}

void PlaybackView::startOverlayDetection() {
    overlay_->start();
}

void PlaybackView::stopOverlayDetection() {
    overlay_->stop();
}
