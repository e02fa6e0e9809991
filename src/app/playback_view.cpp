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

PlaybackView::PlaybackView(Playback& playback, VolumeControl& volume, QWidget& window)
    : playback_(playback), volume_(volume), window_(window) {
    connect(&playback, &Playback::failed, this, &PlaybackView::showFailure);
    connect(&playback, &Playback::firstFrame, this, &PlaybackView::onFirstFrame);
    connect(&playback, &Playback::ended, this, &PlaybackView::onEnded);
    connect(&playback, &Playback::positionChanged, this, &PlaybackView::showPosition);
    connect(&playback, &Playback::durationChanged, this, &PlaybackView::setDuration);
}

void PlaybackView::attach(MainBar& bar, VideoDisplay& video, OverlayDetection& overlay,
                          Transport& transport) {
    bar_ = &bar;
    video_ = &video;
    overlay_ = &overlay;
    transport_ = &transport;
}

// ---------------------------------------------------------------------------
// The playback's news

void PlaybackView::openFailed(const QString& file, const MediaError& error) {
    playback_.fail(failureText(file, error));
}

void PlaybackView::showFailure(const QString& text) {
    if (!bar_)
        return;
    overlay_->stop();
    bar_->setTitle(text);
    video_->hideCurtain();
    if (video_->state().FullScreenOn)
        video_->FullScrMode();
    video_->hide();
    // Above the bar, where the picture would have been.
    const QRect bar = window_.frameGeometry();
    video_->showOsd(text, QPoint(bar.x(), std::max(0, bar.y() - 40)));
}

void PlaybackView::onFirstFrame() {
    // The native size is known from here on.
    if (playback_.PlayState() != PlayStopped)
        video_->firstFrame();
}

void PlaybackView::onEnded() {
    setSeekBarValue(bar_->PBar1->Max());
    endMovieNow();
}

// The play queue decides: the movie again, the next one, or a stop.
void PlaybackView::endMovieNow() {
    if (movieEnded) {
        movieEnded();
    } else if (playback_.LoopMovie() && playback_.MediaControl()) {
        playback_.seek(0);
    } else {
        transport_->stopbt_Click();
    }
}

// ---------------------------------------------------------------------------
// Position

void PlaybackView::showPosition(double position) {
    // A bar the user holds shows where it will seek to, not where we are.
    const std::shared_ptr<FilterGraph>& graph = playback_.MediaPosition();
    if (!bar_ || !graph || bar_->PBar1->isHeld())
        return;
    if (const MediaResult<QSize> size = graph->videoSize())
        bar_->vsize->setText(QStringLiteral("Video Size: %1x%2")
                                 .arg(size.value().width())
                                 .arg(size.value().height()));
    setSeekBarValue(int(position));
    bar_->tempslbl->setText(formatTime(qint64(position)));
    bar_->tempec->setText(formatTime(qint64(graph->duration().valueOr(durationSeconds_))));
}

void PlaybackView::setDuration(double seconds) {
    durationSeconds_ = seconds;
    if (!bar_)
        return;
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
