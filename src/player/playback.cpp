#include "player/playback.h"

#include "player/failure_text.h"

#include <QMetaMethod>
#include <algorithm>

namespace {
// The position display's pace; also the stall watch's tick.
constexpr int kTickMs = 1000;
// Data that runs out this far before the length given at the opening is
// no end but a file cut short.
bool endsEarly(double at, double length) {
    return length > 0 && at < length * 0.9 && length - at > 2.0;
}
// A demuxer that meets damage it cannot step over ends its data there; the
// rest of the file may still play, as it does in mpv. Each jump lands
// further than the last, and only so many are tried.
constexpr int kMaxSkips = 8;
constexpr double kFirstSkipSeconds = 0.5;
constexpr qint64 kLandingMs = 500;
// A movie shorter than a moment (one picture, a few frames) stays on the
// screen this long before it counts as ended, so it is seen at all.
constexpr double kMomentSeconds = 1.0;
constexpr int kShortestShowMs = 1500;
} // namespace

Playback::Playback(QObject* parent) : QObject(parent) {
    ticker_.setInterval(kTickMs);
    connect(&ticker_, &QTimer::timeout, this, &Playback::tick);
}

Playback::~Playback() = default;

double Playback::position() const {
    return graph_ ? graph_->currentPosition().valueOr(0) : 0;
}

void Playback::beginOpen(std::shared_ptr<FilterGraph> graph) {
    releaseGraph();
    graph_ = std::move(graph);
    movieOpen_ = false;
    muted_ = false;
    frameRate_ = 0;
    expectedDuration_ = 0;
    skippedTo_ = 0;
    skips_ = 0;
    shownFor_.invalidate();
    setTitleTag({});
    stallWatch_.reset();
    setPlayState(PlayStopped);
    if (graph_)
        watch(graph_.get());
}

void Playback::watch(FilterGraph* graph) {
    connect(graph, &FilterGraph::errorOccurred, this, [this](quint64 id, const QString&) {
        if (!current(id))
            return;
        if (graph_->failure().fault == MediaFault::SoundOutput &&
            isSignalConnected(QMetaMethod::fromSignal(&Playback::soundOutputLost)))
            Q_EMIT soundOutputLost(graph_->failedAt());
        else
            fail(failureText(currentFile_, graph_->failure()));
    });
    connect(graph, &FilterGraph::prerolled, this, &Playback::onPrerolled);
    connect(graph, &FilterGraph::endOfStream, this, &Playback::onEnded);
    connect(graph, &FilterGraph::streamsAnnounced, this, [this](quint64 id) {
        if (current(id))
            Q_EMIT streamsChanged();
    });
    connect(graph, &FilterGraph::textRead, this, [this](quint64 id, const TextCue& cue) {
        if (current(id))
            Q_EMIT textRead(cue);
    });
}

void Playback::opened(bool loop) {
    movieOpen_ = true;
    loopMovie_ = loop;
    Q_EMIT movieOpened(currentFile_);
}

void Playback::setTitleTag(const QString& title) {
    if (std::exchange(titleTag_, title) != title)
        Q_EMIT titleTagChanged(title);
}

void Playback::setExpectedDuration(double seconds) {
    expectedDuration_ = seconds;
    Q_EMIT durationChanged(seconds);
}

void Playback::setPlayState(PlayStates state) {
    if (state == PlayRunning)
        ticker_.start();
    else
        ticker_.stop();
    stallWatch_.reset();
    if (std::exchange(playState_, state) == state)
        return;
    Q_EMIT stateChanged(state);
    // Where it paused or stopped is shown at once, not a tick late.
    if (state == PlayPaused && graph_)
        Q_EMIT positionChanged(position());
}

void Playback::fail(const QString& reason) {
    if (graph_)
        graph_->stop();
    movieOpen_ = false;
    setPlayState(PlayStopped);
    Q_EMIT failed(reason);
}

void Playback::releaseGraph() {
    if (graph_)
        disconnect(graph_.get(), nullptr, this, nullptr);
    graph_.reset();
}

void Playback::seek(double seconds) {
    if (!graph_)
        return;
    graph_->setCurrentPosition(seconds);
    stallWatch_.reset();
    Q_EMIT seeked(seconds);
    Q_EMIT positionChanged(seconds);
}

void Playback::onPrerolled(quint64 graphId) {
    if (!current(graphId))
        return; // an old graph's
    if (const MediaResult<double> length = graph_->duration())
        setExpectedDuration(length.value());
    shownFor_.start();
    Q_EMIT firstFrame();
    Q_EMIT positionChanged(position());
}

void Playback::onEnded(quint64 graphId) {
    if (!current(graphId))
        return;
    const double at = position();
    Q_EMIT positionChanged(at);
    // An end straight after a jump means the jump found nothing to play:
    // the data ran out there too (a file cut short), and that is no end.
    const bool jumpFoundNothing = skips_ > 0 && sinceSkip_.elapsed() < kLandingMs;
    if (!loopMovie_ && (jumpFoundNothing || endsEarly(at, expectedDuration_))) {
        if (skipDamage(at))
            return;
        fail(failureText(currentFile_, {MediaFault::Stalled, {}, {}, {}}));
        return;
    }
    const qint64 shown = shownFor_.isValid() ? shownFor_.elapsed() : kShortestShowMs;
    if (!loopMovie_ && at < kMomentSeconds && shown < kShortestShowMs) {
        QTimer::singleShot(kShortestShowMs - shown, this, [this, graphId] {
            if (current(graphId) && playState_ == PlayRunning)
                Q_EMIT ended();
        });
        return;
    }
    Q_EMIT ended();
}

bool Playback::skipDamage(double at) {
    if (skips_ >= kMaxSkips || playState_ != PlayRunning)
        return false;
    const double step = kFirstSkipSeconds * (1 << skips_);
    const double target = std::max(at, skippedTo_) + step;
    if (!endsEarly(target, expectedDuration_))
        return false;
    ++skips_;
    skippedTo_ = target;
    sinceSkip_.start();
    graph_->skipTo(target);
    stallWatch_.reset();
    Q_EMIT seeked(target);
    Q_EMIT positionChanged(target);
    return true;
}

// A movie said to play whose time stands still has stopped delivering:
// near its end it has ended, anywhere else the file failed it.
void Playback::tick() {
    if (!graph_)
        return;
    // A position the graph cannot tell (damaged data) is not shown as a
    // jump to 0; it counts as standing still.
    const MediaResult<double> now = graph_->currentPosition();
    if (now)
        Q_EMIT positionChanged(now.value());
    const double at = now.valueOr(stallWatch_.lastPosition());
    if (!stallWatch_.tick(at, graph_->isPrerolled() && playState_ == PlayRunning))
        return;
    stallWatch_.reset();
    const double length = graph_->duration().valueOr(expectedDuration_);
    if (length > 0 && at >= length - 1.0)
        onEnded(graph_->id());
    else if (!skipDamage(at))
        fail(failureText(currentFile_, {MediaFault::Stalled, {}, {}, {}}));
}
