#include "player/movie_opener.h"

#include "player/failure_text.h"
#include "player/transport.h"
#include "support/media/media_detector.h"
#include "support/media/missing_parts.h"
#include "support/probe/avi_header_reader.h"
#include "support/trace/first_frame_trace.h"

#include <QFileInfo>
#include <QLocale>
#include <cmath>
#include <memory>
#include <utility>

namespace {
constexpr double kMaxFrameRate = 1000;
} // namespace

bool isAviName(const QString& name) {
    return name.right(3).toUpper() == QLatin1String("AVI");
}

bool isAviFile(const QString& path) {
    return AviHeaderReader::read(path).ok();
}

namespace {
// "Stream 02 - English (Commentary)": the head, then the language and title.
QString trackCaption(QString caption, const MediaStream& stream) {
    QString language = stream.language;
    const QLocale::Language known = QLocale::codeToLanguage(language);
    if (known != QLocale::AnyLanguage && known != QLocale::C)
        language = QLocale::languageToString(known);
    QStringList words;
    if (!language.isEmpty())
        words << language;
    if (!stream.title.isEmpty())
        words << (language.isEmpty() ? stream.title : QLatin1Char('(') + stream.title + u')');
    if (!words.isEmpty())
        caption += QStringLiteral(" - ") + words.join(u' ');
    return caption;
}
} // namespace

QString audioTrackCaption(int number, const MediaStream& stream) {
    return trackCaption(QStringLiteral("Stream %1").arg(number, 2, 10, QLatin1Char('0')), stream);
}

QString subtitleTrackCaption(int number, const MediaStream& stream) {
    const QString caption =
        trackCaption(QStringLiteral("Subtitles %1").arg(number, 2, 10, QLatin1Char('0')), stream);
    return stream.kind == StreamKind::Pictures ? caption + QStringLiteral(" [pictures: not shown]")
                                               : caption;
}

int audioTrackNumber(const QString& audioPin) {
    const QStringView digits = QStringView(audioPin).mid(7, 2);
    bool ok = false;
    const int number = audioPin.startsWith(QLatin1String("Stream ")) ? digits.toInt(&ok) : 0;
    return ok ? number : 0;
}

bool isAsfName(const QString& name) {
    return name.right(3).toUpper() == QLatin1String("ASF");
}

void MovieOpener::CleanUp() {
    if (playback_.MediaControl())
        playback_.MediaControl()->stop();
    // The renderer's window goes with its graph.
    playback_.releaseGraph();
}

void MovieOpener::newGraph() {
    inspector_.NewGraph();
    transport_.cmdStop_Click();
}

bool MovieOpener::alreadyInGraph(const QString& file) const {
    return inspector_.listFilters.indexOf(file) >= 0;
}

void MovieOpener::addAudioOutput() {
    if (inspector_.listRegFilters.selectText(host_.audioDeviceName()))
        inspector_.cmdAddRegFilter_Click();
}

bool MovieOpener::applyDetection(const MediaDetector& detector, const QString& file) {
    streams_ = detector.outputStreams().valueOr(0);
    detectedDuration_ = detector.duration();
    // Headers may claim any rate; one no movie has is no rate at all.
    const MediaResult<double> rate = detector.frameRate();
    if (rate && rate.value() <= kMaxFrameRate)
        playback_.setFrameRate(int(std::nearbyint(rate.value()))); // halves go to even
    else
        playback_.setFrameRate(std::max(0, host_.probeFrameRate(file)));
    return streams_ > 2;
}

void MovieOpener::showStreamItems() {
    QStringList captions(5, QStringLiteral("None"));
    if (throughDecoder_) {
        const QStringList tracks = trackCaptions();
        for (int i = 0; i < std::min<int>(tracks.size(), 5); ++i)
            captions[i] = tracks[i];
    } else {
        for (int i = 1; i <= std::min(streams_ - 1, 5); ++i)
            captions[i - 1] = QStringLiteral("Stream 0") + QString::number(i);
    }
    host_.setAudioStreamItems(captions, captions[0] != QLatin1String("None"));
}

// The audio tracks the playing graph's decoder announced.
QStringList MovieOpener::trackCaptions() const {
    QStringList captions;
    const auto& graph = playback_.MediaControl();
    for (const MediaStream& stream : graph ? graph->streams() : QList<MediaStream>())
        if (stream.kind == StreamKind::Audio)
            captions << audioTrackCaption(int(captions.size()) + 1, stream);
    return captions;
}

QString MovieOpener::audioStream() const {
    const auto& graph = playback_.MediaControl();
    if (!throughDecoder_ || !graph)
        return audioStream_;
    return QStringLiteral("Stream %1").arg(graph->audioStream() + 1, 2, 10, QLatin1Char('0'));
}

bool MovieOpener::switchAudioStream(const QString& audioPin) {
    const auto& graph = playback_.MediaControl();
    if (!throughDecoder_ || !graph || !playback_.MovieOpen())
        return false;
    graph->selectAudioStream(audioTrackNumber(audioPin) - 1);
    return true;
}

QString MovieOpener::movieTitle() const {
    return movieName.isEmpty() ? QFileInfo(fileName_).fileName() : movieName;
}

void MovieOpener::finishOpen(bool loop) {
    const MediaResult<double> duration = playback_.MediaPosition()
                                             ? playback_.MediaPosition()->duration()
                                             : MediaStatus::failure({});
    // Before the graph has prerolled the detector's reading stands in; the
    // graph's own figure replaces it once it has.
    playback_.setExpectedDuration(duration.valueOr(detectedDuration_));
    playback_.opened(loop);
    transport_.play_Click();
    host_.placeVideo();
    // A sound output that could not be made leaves the movie silent: say
    // why, and what to install.
    if (const QString missing = missingparts::takeMissing(); !missing.isEmpty())
        host_.setTitle(failureText(
            fileName_,
            {MediaFault::MissingPart, missing, {}, missingparts::packageForElement(missing)}));
}

// What every open starts with: nothing of the last movie stays, not even
// for a file refused before its graph is built.
// The same file again (another audio stream, new decoder settings) keeps
// what was read of it.
void MovieOpener::beginOpen(const QString& file) {
    const bool sameFile = !file.isEmpty() && file == playback_.CurrentFile();
    const int frameRate = playback_.FrameRate();
    CleanUp();
    transport_.stopbt_Click();
    newGraph();
    missingparts::takeMissing(); // what an earlier graph missed is not this one's
    fileName_ = file;
    playback_.setCurrentFile(file);
    throughDecoder_ = false;
    if (sameFile) {
        playback_.setFrameRate(frameRate);
        return;
    }
    streams_ = 0;
    detectedDuration_ = 0;
    showStreamItems();
}

bool MovieOpener::OpenaMovie(const QString& movieFileName, bool loop) {
    return open(movieFileName, loop, 1);
}

bool MovieOpener::open(const QString& movieFileName, bool loop, int audioTrack) {
    firstframe::mark("open begins");
    fileName_.clear();
    if (host_.fullScreen())
        host_.showCurtain();
    transport_.stopbt_Click();
    host_.unloadSubtitles();
    chapters_.load(movieFileName, chapterFolder);
    beginOpen(movieFileName);
    if (fileName_.isEmpty())
        return false;
    if (!fileUsable(fileName_))
        return false;
    host_.beforeGraphBuilt();
    host_.setTitle(movieTitle());
    const quint64 thisOpen = ++openCount_;

    // The movie starts at once; the media detector reads the file once the
    // graph is ready, and the frame rate, the stream count and the stream
    // menu follow.
    bool opened = false;
    // The splitter path is for what really is an AVI file: an MP4 or MPEG
    // file named ".avi" is built like any other.
    if (isAviName(fileName_) && isAviFile(fileName_)) {
        opened = aviPath(QStringLiteral("Stream 01"), loop);
    } else {
        if (isAsfName(fileName_))
            playback_.MediaControl()->renderFile(fileName_);
        opened = genericPath(loop, audioTrack);
        if (!opened)
            host_.openFailed(fileName_, buildFault(MediaFault::NotMedia));
    }
    detectWhenReady(thisOpen, fileName_);
    return opened;
}

void MovieOpener::detectWhenReady(quint64 thisOpen, const QString& file) {
    FilterGraph* graph = playback_.MediaControl().get();
    if (!graph || playback_.PlayState() != PlayRunning) {
        detect(thisOpen, file);
        return;
    }
    // Reading the file competes with the graph for the processor: wait
    // until the first frame is out (or the graph has failed).
    auto once = std::make_shared<bool>(false);
    auto start = [this, thisOpen, file, once] {
        if (!std::exchange(*once, true))
            detect(thisOpen, file);
    };
    connect(graph, &FilterGraph::prerolled, this, start);
    connect(graph, &FilterGraph::errorOccurred, this, start);
}

void MovieOpener::detect(quint64 thisOpen, const QString& file) {
    MediaDetector::detectInBackground(file, this, [this, thisOpen, file](const MediaDetector& d) {
        if (thisOpen != openCount_ || file != playback_.CurrentFile())
            return; // another movie has been opened since
        const bool multiStream = applyDetection(d, file);
        chapters_.takeContainerChapters(d.chapters());
        playback_.setTitleTag(d.title());
        host_.frameRateKnown();
        showStreamItems();
        // Several audio streams in an AVI file with another name: the
        // splitter path plays just the first of them.
        if (multiStream && !isAviName(file) && isAviFile(file)) {
            transport_.stopbt_Click();
            OpenBivx(file, QStringLiteral("Stream 01"), playback_.LoopMovie());
        }
    });
}

bool MovieOpener::genericPath(bool loop, int audioTrack) {
    audioStream_ = QStringLiteral("Stream 01");
    if (alreadyInGraph(fileName_))
        return false;
    throughDecoder_ = !isAviFile(fileName_); // AVI goes to the plain decoder
    playback_.MediaControl()->selectAudioStream(audioTrack - 1);
    const bool asf = isAsfName(fileName_);
    // An ASF graph already has its source from the whole-file render.
    if (!playback_.MediaControl()->addSourceFilter(fileName_) && !asf)
        return false;
    inspector_.RefreshFilters();
    addAudioOutput();
    inspector_.listFilters.selectText(fileName_);
    if (!asf && !inspector_.SelectedPin.render())
        return false;
    inspector_.RefreshFilters();
    finishOpen(loop);
    host_.loadSubtitles();
    return true;
}

bool MovieOpener::OpenaMovie2(const QString& movieFileName, bool loop) {
    return OpenBivx(movieFileName, QStringLiteral("Stream 01"), loop);
}

// A graph that could not be built blames the file, unless a part of
// GStreamer it needed is not installed.
MediaError MovieOpener::buildFault(MediaFault fileFault) const {
    const QString missing = missingparts::takeMissing();
    if (missing.isEmpty())
        return {fileFault, {}, {}, {}};
    return {MediaFault::MissingPart, missing, {}, missingparts::packageForElement(missing)};
}

bool MovieOpener::fileUsable(const QString& file) {
    const MediaFault fault = fileFault(file);
    if (fault != MediaFault::None)
        host_.openFailed(file, {fault, {}, {}, {}});
    return fault == MediaFault::None;
}

bool MovieOpener::OpenBivx(const QString& movieFileName, const QString& audioPin, bool loop) {
    if (!isAviName(movieFileName) && !isAviFile(movieFileName)) {
        if (movieFileName == playback_.CurrentFile() && switchAudioStream(audioPin))
            return true;
        return open(movieFileName, loop, audioTrackNumber(audioPin));
    }
    beginOpen(movieFileName);
    if (fileName_.isEmpty() || !fileUsable(fileName_))
        return false;
    ++openCount_;
    return aviPath(audioPin, loop);
}

// The splitter path on the graph an open has just made.
bool MovieOpener::aviPath(const QString& audioPin, bool loop) {
    audioStream_ = audioPin;
    // Headers the splitter cannot use: a damaged AVI file, or none at all.
    if (!buildAviGraph(audioPin)) {
        host_.openFailed(fileName_, buildFault(isAviFile(fileName_) ? MediaFault::Damaged
                                                                    : MediaFault::NotMedia));
        return false;
    }
    finishOpen(loop);
    host_.loadSubtitles();
    return true;
}

bool MovieOpener::buildAviGraph(const QString& audioPin) {
    if (alreadyInGraph(fileName_))
        return false;
    host_.setTitle(movieTitle());
    if (!playback_.MediaControl()->addSourceFilter(fileName_))
        return false;
    inspector_.RefreshFilters();
    addAudioOutput();
    if (host_.useDedynamic() && inspector_.listRegFilters.selectText(QStringLiteral("Dedynamic")))
        inspector_.cmdAddRegFilter_Click();

    // From here the first failure ends the open, leaving the graph as far
    // as it got.
    if (!inspector_.listRegFilters.selectText(QStringLiteral("AVI Splitter")))
        return false;
    inspector_.cmdAddRegFilter_Click();
    auto connectSourceToSplitter = [this] {
        inspector_.listFilters.selectText(fileName_);
        inspector_.prepareSelectPin();
        if (inspector_.frmSelectPin.listFilters.selectText(QStringLiteral("AVI Splitter")))
            inspector_.frmSelectPin.accept();
        inspector_.RefreshPins();
        inspector_.RefreshFilters();
    };
    connectSourceToSplitter();
    const QString video = QStringLiteral("Stream 00");
    inspector_.listFilters.selectText(QStringLiteral("AVI Splitter"));
    inspector_.listPins.selectText(video);
    if (inspector_.SelectedPin.name() != video) {
        connectSourceToSplitter();
        inspector_.listFilters.selectText(QStringLiteral("AVI Splitter"));
        inspector_.listPins.selectText(video);
    }
    if (inspector_.SelectedPin.name() != video || !inspector_.SelectedPin.render())
        return false;
    inspector_.RefreshFilters();

    // Rendering added filters in front of the splitter in the list: go
    // back to it, so the audio pin is looked for among its pins.
    inspector_.listFilters.selectText(QStringLiteral("AVI Splitter"));
    if (inspector_.listPins.selectText(audioPin))
        inspector_.SelectedPin.render(); // no such stream: the movie plays silent
    inspector_.RefreshFilters();
    return true;
}

int MovieOpener::openDropped(const QStringList& names, bool loop, SelectableList& queue) {
    int existing = 0;
    for (const QString& name : names) {
        if (!QFileInfo(name).isFile()) // a folder is skipped like a missing file
            continue;
        if (existing++ == 0)
            OpenaMovie(name, loop);
        else
            queue.addItem(name);
    }
    return existing;
}
