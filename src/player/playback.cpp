#include "player/playback.h"

#include "player/failure_text.h"

namespace {
// The position display's pace; also the stall watch's tick.
constexpr int kTickMs = 1000;
// Data that runs out this far before the length given at the opening is
// no end but a file cut short.
bool endsEarly(double at, double length) {
    return length > 0 && at < length * 0.9 && length - at > 2.0;
}
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
    setTitleTag({});
    stallWatch_.reset();
    setPlayState(PlayStopped);
    if (graph_)
        watch(graph_.get());
}

void Playback::watch(FilterGraph* graph) {
    connect(graph, &FilterGraph::errorOccurred, this, [this](quint64 id, const QString&) {
        if (current(id))
            fail(failureText(currentFile_, graph_->failure()));
    });
    connect(graph, &FilterGraph::prerolled, this, &Playback::onPrerolled);
    connect(graph, &FilterGraph::endOfStream, this, &Playback::onEnded);
    connect(graph, &FilterGraph::streamsAnnounced, this, [this](quint64 id) {
        if (current(id))
            Q_EMIT streamsChanged();
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
    Q_EMIT firstFrame();
    Q_EMIT positionChanged(position());
}

void Playback::onEnded(quint64 graphId) {
    if (!current(graphId))
        return;
    const double at = position();
    Q_EMIT positionChanged(at);
    if (!loopMovie_ && endsEarly(at, expectedDuration_)) {
        fail(failureText(currentFile_, {MediaFault::Stalled, {}, {}}));
        return;
    }
    Q_EMIT ended();
}

// A movie said to play whose time stands still has stopped delivering:
// near its end it has ended, anywhere else the file failed it.
void Playback::tick() {
    const double at = position();
    Q_EMIT positionChanged(at);
    if (!graph_ || !stallWatch_.tick(at, graph_->isPrerolled() && playState_ == PlayRunning))
        return;
    stallWatch_.reset();
    const double length = graph_->duration().valueOr(expectedDuration_);
    if (length > 0 && at >= length - 1.0)
        onEnded(graph_->id());
    else
        fail(failureText(currentFile_, {MediaFault::Stalled, {}, {}}));
}
