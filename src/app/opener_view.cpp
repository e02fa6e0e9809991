#include "app/opener_view.h"

#include "app/playback_view.h"
#include "app/sound_output_keeper.h"
#include "config/frm_config.h"
#include "skin/main_bar.h"
#include "subtitles/subtitle_display.h"
#include "support/probe/mci_probe.h"
#include "video/video_display.h"

QString OpenerView::audioDeviceName() const {
    if (sound)
        return sound->outputForOpen();
    // The configuration dialog's device box chooses; without a choice the
    // machine's default output plays.
    const QString chosen = config ? config->deviceName() : QString();
    return chosen.isEmpty() ? QStringLiteral("Default Audio Output") : chosen;
}

bool OpenerView::useDedynamic() const {
    return config && config->useDedynamic();
}

void OpenerView::beforeGraphBuilt() {
    // The decoder settings go to the registry, where the graph reads them.
    if (config)
        config->WriteReg();
}

void OpenerView::unloadSubtitles() {
    if (subtitles_)
        subtitles_->UnloadSub();
}

// The subtitle file in use goes with every movie opened; without one, a
// file beside the movie may be found.
void OpenerView::loadSubtitles() {
    if (subtitles_)
        subtitles_->loadForMovie(!config || config->findSubtitles());
}

// Frame-numbered subtitles read before the rate was known are read again.
void OpenerView::frameRateKnown() {
    if (subtitles_)
        subtitles_->reload();
}

int OpenerView::probeFrameRate(const QString& file) {
    // The file's own headers, when the media detector could not tell.
    const QString alias = QStringLiteral("movie1");
    if (MciOpen(0, alias, file, QStringLiteral("avivideo")) != kMciSuccess)
        return -1;
    const qint32 rate = MciGetFrameRate(alias);
    MciClose(alias);
    return rate;
}

void OpenerView::setTitle(const QString& title) {
    bar_->setTitle(title);
}

void OpenerView::setAudioStreamItems(const QStringList& captions, bool enabled) {
    streamItems_ = captions;
    streamsEnabled_ = enabled;
}

void OpenerView::placeVideo() {
    video_->place();
}

bool OpenerView::fullScreen() const {
    return video_ && video_->state().FullScreenOn;
}

void OpenerView::showCurtain() {
    video_->showCurtain();
}

void OpenerView::openFailed(const QString& file, const MediaError& error) {
    playback_.openFailed(file, error);
}
