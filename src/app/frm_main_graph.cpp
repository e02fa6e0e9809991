// The main window's part in playing: what each graph reports (its first
// frame, its end, its failures), the movie that stops delivering, and what
// the transport asks of the video display.
#include "app/frm_main.h"

#include "config/frm_config.h"
#include "player/failure_text.h"
#include "support/controls/progress_bar.h"
#include "support/controls/twips.h"
#include "support/media/video_window.h"
#include "video/overlay_detection.h"
#include "video/pic_video_window.h"
#include "video/video_display.h"

#include <QLabel>
#include <QTimer>

// ---------------------------------------------------------------------------
// The graph's news

void frmMain::watchGraph(FilterGraph* graph) {
    stallWatch_.reset();
    connect(graph, &FilterGraph::errorOccurred, this, &frmMain::onGraphError);
    connect(graph, &FilterGraph::prerolled, this, &frmMain::onGraphPrerolled);
    connect(graph, &FilterGraph::endOfStream, this, &frmMain::onGraphEnded);
}

void frmMain::onGraphError(quint64 graphId, const QString&) {
    if (!state.MediaControl || state.MediaControl->id() != graphId)
        return; // an old graph's news
    reportFailure(failureText(state.CurrentFile, state.MediaControl->failure()));
}

void frmMain::openFailed(const QString& file, const MediaError& error) {
    reportFailure(failureText(file, error));
}

void frmMain::reportFailure(const QString& text) {
    if (state.MediaControl)
        state.MediaControl->stop();
    state.PlayState = PlayStopped;
    stallWatch_.reset();
    stopOverlayDetection();
    setTitle(text);
    video_->hide();
    // Above the bar, where the picture would have been.
    const QRect bar = frameGeometry();
    video_->showOsd(text, QPoint(bar.x(), std::max(0, bar.y() - 40)));
}

// A movie said to play whose time stands still has stopped delivering:
// near its end it has ended, anywhere else the file failed it.
void frmMain::watchForStall(double positionSeconds) {
    FilterGraph* graph = state.MediaControl.get();
    const bool running = graph && graph->isPrerolled() && state.PlayState == PlayRunning;
    if (!stallWatch_.tick(positionSeconds, running))
        return;
    stallWatch_.reset();
    const double length = graph->duration().valueOr(durationSeconds_);
    if (length > 0 && positionSeconds >= length - 1.0)
        onGraphEnded(graph->id());
    else
        reportFailure(failureText(state.CurrentFile, {MediaFault::Stalled, {}, {}}));
}

void frmMain::onGraphPrerolled(quint64 graphId) {
    if (!state.MediaControl || state.MediaControl->id() != graphId)
        return;
    // The native size is known from here on.
    if (state.PlayState != PlayStopped)
        video_->firstFrame();
    showPosition();
}

void frmMain::onGraphEnded(quint64 graphId) {
    if (!state.MediaControl || state.MediaControl->id() != graphId)
        return;
    showPosition();
    if (state.LoopMovie) {
        state.MediaControl->setCurrentPosition(0);
        return;
    }
    // The data ran out well before the length the movie gave at its
    // opening: a file cut short (or cut while playing) is no end.
    const double at = state.MediaControl->currentPosition().valueOr(0);
    if (durationSeconds_ > 0 && at < durationSeconds_ * 0.9 && durationSeconds_ - at > 2.0) {
        reportFailure(failureText(state.CurrentFile, {MediaFault::Stalled, {}, {}}));
        return;
    }
    // A movie that ended is stopped; the play queue will move on from here
    // once playlists take over the end.
    setSeekBarValue(bar_.PBar1->Max());
    transport.stopbt_Click();
}

// ---------------------------------------------------------------------------
// Video window and display

PicVideoWindow* frmMain::videoWindowForm() const {
    return video_->window();
}

void frmMain::AttachVideo() {
    video_->attach();
}

void frmMain::DetachVideo() {
    video_->detach();
}

void frmMain::placeVideo() {
    video_->place();
}

void frmMain::showCurtain() {
    video_->showCurtain();
}

void frmMain::hideCurtain() {
    video_->hideCurtain();
}

void frmMain::setOsdText(const QString& text) {
    video_->setOsdCaption(text);
}

QString frmMain::osdText() const {
    return video_->osdText();
}

void frmMain::applyVolume() {
    volume.redraw(); // Run gives the new graph the level without moving it
}

void frmMain::startOverlayDetection() {
    overlay_->start();
}

void frmMain::stopOverlayDetection() {
    overlay_->stop();
}
