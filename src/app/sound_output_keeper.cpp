#include "app/sound_output_keeper.h"

namespace {
QString quoted(const QString& name) {
    return QStringLiteral("\u201c%1\u201d").arg(name);
}
} // namespace

SoundOutputKeeper::SoundOutputKeeper(Hooks hooks, QObject* parent)
    : QObject(parent), hooks_(std::move(hooks)) {
    retry_.setSingleShot(true);
    retry_.setInterval(kRetryMs);
    connect(&retry_, &QTimer::timeout, this, &SoundOutputKeeper::tryOutputs);
}

QString SoundOutputKeeper::outputForOpen() {
    reset();
    const QString chosen = hooks_.chosenName();
    if (!forced_.isEmpty()) {
        playingName_ = playingId_ = forced_;
    } else if (chosen.isEmpty()) {
        playingName_ = playingId_ = QLatin1String(kDefaultOutput);
    } else {
        playingName_ = chosen;
        playingId_ = hooks_.chosenId();
    }
    return playingName_;
}

void SoundOutputKeeper::outputLost(double seconds) {
    // A reopened output that fails again at once is the same loss, one try
    // further: an output that answers but cannot play ends in silence.
    const bool again = sinceReopen_.isValid() && sinceReopen_.elapsed() < 3 * kRetryMs;
    if (again) {
        ++attempts_;
    } else {
        at_ = seconds;
        attempts_ = 0;
    }
    hooks_.tell(QStringLiteral("The sound output was lost; opening it again..."));
    retry_.start();
}

void SoundOutputKeeper::devicesChanged() {
    if (!hooks_.movieOpen() || retry_.isActive() || playingId_ == QLatin1String(kDefaultOutput) ||
        playingId_ == QLatin1String(kSilentOutput) || hooks_.listed(playingId_))
        return;
    at_ = hooks_.position();
    attempts_ = 0;
    reopenOn(QLatin1String(kDefaultOutput),
             QStringLiteral("%1 was unplugged: the sound plays on the default output.")
                 .arg(quoted(playingName_)));
}

void SoundOutputKeeper::reset() {
    if (reopening_)
        return;
    retry_.stop();
    attempts_ = 0;
    sinceReopen_.invalidate();
}

void SoundOutputKeeper::tryOutputs() {
    if (!hooks_.movieOpen())
        return;
    if (attempts_ >= kAttempts) {
        reopenOn(QLatin1String(kSilentOutput),
                 QStringLiteral("The sound output was lost: the movie plays on without sound."));
        return;
    }
    const QString chosen = hooks_.chosenName();
    const bool chosenAnswers = !chosen.isEmpty() && hooks_.reachable(chosen);
    if (!chosenAnswers && !hooks_.reachable(QLatin1String(kDefaultOutput))) {
        ++attempts_; // the server may be starting again
        retry_.start();
        return;
    }
    if (hooks_.watchDevicesAgain)
        hooks_.watchDevicesAgain();
    if (chosenAnswers)
        reopenOn(QString(), QStringLiteral("The sound output was lost and is back."));
    else
        reopenOn(QLatin1String(kDefaultOutput),
                 chosen.isEmpty()
                     ? QStringLiteral("The sound output was lost and is back.")
                     : QStringLiteral("%1 does not answer: the sound plays on the default output.")
                           .arg(quoted(chosen)));
}

void SoundOutputKeeper::reopenOn(const QString& output, const QString& message) {
    forced_ = output;
    reopening_ = true;
    hooks_.reopen(at_);
    reopening_ = false;
    forced_.clear();
    sinceReopen_.start();
    hooks_.tell(message);
}
