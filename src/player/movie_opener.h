#pragma once
// Opening a movie: a new graph built through the inspector's operations
// with the user's audio output and audio stream, then the frame rate, the
// chapters, the audio-stream menu and the duration.
#include "inspector/graph_inspector.h"
#include "player/chapter_list.h"
#include "player/playback.h"
#include "support/media/media_error.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class MediaDetector;
class Transport;

// What opening asks of the windows and of the parts built elsewhere.
class OpenerHost {
  public:
    virtual ~OpenerHost() = default;
    // The audio output chosen by the user (a registered filter's name).
    virtual QString audioDeviceName() const = 0;
    virtual bool useDedynamic() const = 0;
    // Frames per second from the player's own reader of the file's
    // headers; -1 when it cannot tell.
    virtual int probeFrameRate(const QString& file) = 0;
    virtual void setTitle(const QString& title) = 0;
    // Captions of the five audio-stream menu items and whether the menu is on.
    virtual void setAudioStreamItems(const QStringList& captions, bool enabled) = 0;
    // Windowed: the video window above the main window; full screen: the
    // full-screen layout.
    virtual void placeVideo() = 0;
    virtual bool fullScreen() const = 0;
    virtual void showCurtain() = 0;
    virtual void beforeGraphBuilt() = 0; // writes the decoder settings
    virtual void unloadSubtitles() = 0;
    // The subtitle file in use, if any, goes with the new movie.
    virtual void loadSubtitles() = 0;
    // The detector has told the movie's frame rate.
    virtual void frameRateKnown() {}
    // `file` cannot be played; the player is stopped and ready for another.
    virtual void openFailed(const QString& file, const MediaError& error) = 0;
};

class MovieOpener : public QObject {
    Q_OBJECT
  public:
    MovieOpener(Playback& playback, GraphInspector& inspector, ChapterList& chapters,
                Transport& transport, OpenerHost& host)
        : playback_(playback), inspector_(inspector), chapters_(chapters), transport_(transport),
          host_(host) {
        connect(&playback_, &Playback::streamsChanged, this, &MovieOpener::showStreamItems);
    }

    // Where chapter side files are looked for: the process's current folder.
    QString chapterFolder;
    // The title a playlist gives the next movie; without one the scrolling
    // title shows the file's name.
    QString movieName;

    // Opens and plays a file. False when the file could not be opened.
    bool OpenaMovie(const QString& movieFileName, bool loop);
    // The AVI path: the splitter's video and the audio stream "Stream 01".
    bool OpenaMovie2(const QString& movieFileName, bool loop);
    // The movie with the audio stream named `audioPin` ("Stream 02"): the
    // AVI path for an AVI file; any other container plays through its
    // decoder with that audio track, switched in place when it is the
    // movie playing.
    bool OpenBivx(const QString& movieFileName, const QString& audioPin, bool loop);
    // Another audio track of the movie playing, inside its graph. False
    // when the movie plays through the AVI splitter, which is rebuilt.
    bool switchAudioStream(const QString& audioPin);
    // Stops and releases the current graph.
    void CleanUp();
    // Dropped files: opens the first that exists, queues the others that
    // exist. Returns how many existed.
    int openDropped(const QStringList& names, bool loop, SelectableList& queue);

    // The file the last open operation took.
    const QString& movieFileName() const { return fileName_; }
    // The audio stream playing: the splitter's pin name, "Stream 01" when
    // the file's first audio stream plays; other containers number their
    // audio tracks alike.
    QString audioStream() const;
    // The stream count the detector gave for the last open, 0 when unknown.
    int streamCount() const { return streams_; }

  private:
    bool buildAviGraph(const QString& audioPin);
    // Tells the host when `file` cannot hold a movie at all.
    MediaError buildFault(MediaFault fileFault) const;
    bool fileUsable(const QString& file);
    void newGraph();
    bool alreadyInGraph(const QString& file) const;
    void addAudioOutput();
    bool open(const QString& movieFileName, bool loop, int audioTrack);
    bool genericPath(bool loop, int audioTrack);
    bool aviPath(const QString& audioPin, bool loop);
    void finishOpen(bool loop);
    QString movieTitle() const;
    // True when the file holds more audio streams than the first.
    bool applyDetection(const MediaDetector& detector, const QString& file);
    void beginOpen(const QString& file);
    void detectWhenReady(quint64 thisOpen, const QString& file);
    void detect(quint64 thisOpen, const QString& file);
    void showStreamItems();
    QStringList trackCaptions() const;

    Playback& playback_;
    GraphInspector& inspector_;
    ChapterList& chapters_;
    Transport& transport_;
    OpenerHost& host_;
    QString fileName_;
    QString audioStream_ = QStringLiteral("Stream 01");
    bool throughDecoder_ = false; // the open took the generic path
    int streams_ = 0;
    double detectedDuration_ = 0;
    quint64 openCount_ = 0; // tells a late detection which open it belongs to
};

// The audio-stream item for audio track `number` (from 1) of a container:
// "Stream 02 - English (Commentary)", the language and title where known.
QString audioTrackCaption(int number, const MediaStream& stream);
// The subtitle-track item for subtitle track `number` (from 1), alike:
// "Subtitles 01 - French"; subtitles drawn as pictures, which the player
// does not show, say so.
QString subtitleTrackCaption(int number, const MediaStream& stream);
// The track a pin name asks for, from 1 ("Stream 02" is 2); 0 for none.
int audioTrackNumber(const QString& audioPin);

// Whether a name says AVI: it ends in "AVI", in any case.
bool isAviName(const QString& name);
bool isAsfName(const QString& name);
// Whether the file holds AVI headers, whatever its name.
bool isAviFile(const QString& path);
