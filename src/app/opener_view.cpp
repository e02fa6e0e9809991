#include "app/opener_view.h"

#include "app/playback_view.h"
#include "config/frm_config.h"
#include "skin/main_bar.h"
#include "support/probe/mci_probe.h"
#include "video/video_display.h"

QString OpenerView::audioDeviceName() const {
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

void OpenerView::setDuration(double seconds) {
    playback_.setDuration(seconds);
}

void OpenerView::placeVideo() {
    video_->place();
}

void OpenerView::showCurtain() {
    video_->showCurtain();
}

void OpenerView::openFailed(const QString& file, const MediaError& error) {
    playback_.openFailed(file, error);
}
