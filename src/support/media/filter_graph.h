#pragma once
// The media framework interface: a filter graph with its filters, pins,
// media types and registered filters. Units are those the player works in:
// seconds, hundredths of a decibel (0 full, -10000 silent) and pixels.
// Implemented on GStreamer (graph = pipeline, filter = element, pin = pad);
// no GStreamer type appears here, so windows never see the framework.
#include "support/media/media_error.h"
#include "support/media/media_status.h"

#include <QList>
#include <QObject>
#include <QSize>
#include <QString>
#include <memory>

typedef struct _GstElement GstElement;
typedef struct _GstStreamCollection GstStreamCollection;
typedef struct _GstMessage GstMessage;
class FrameSink;
class VideoWindow;

enum class PinDirection { Input = 0, Output = 1 };

// What the framework negotiated on a connection.
class MediaTypeInfo {
  public:
    explicit MediaTypeInfo(QString type) : type_(std::move(type)) {}
    // The major type as the framework names it ("video/x-raw", "audio/mpeg", ...).
    const QString& type() const { return type_; }

  private:
    QString type_;
};

class FilterInfo;

// A pin of a filter. Output pins of demultiplexers exist as soon as the
// demultiplexer is connected to its source, before any data has flowed;
// connections made to them take effect when the stream starts.
class PinInfo {
  public:
    PinInfo() = default;
    bool isNull() const { return !element_; }

    QString name() const;
    PinDirection direction() const;
    MediaResult<PinInfo> connectedTo() const;
    MediaResult<MediaTypeInfo> connectionMediaType() const;
    FilterInfo filterInfo() const;
    MediaStatus connect(const PinInfo& other) const;
    // Builds the rest of the graph downstream of this pin, preferring
    // renderers already in the graph that are not connected yet.
    MediaStatus render() const;

    bool operator==(const PinInfo& other) const;

    // Framework side; not for windows.
    PinInfo(std::shared_ptr<GstElement> element, QByteArray padName);
    GstElement* element() const { return element_.get(); }
    const QByteArray& padName() const { return padName_; }

  private:
    std::shared_ptr<GstElement> element_;
    QByteArray padName_;
};

// One property of a filter, as its property page shows it.
struct FilterProperty {
    QString name;
    QString typeName;
    QString value;
    QString description;
    bool writable = false;
};

class FilterInfo {
  public:
    FilterInfo() = default;
    bool isNull() const { return !element_; }

    QString name() const;
    QString vendorInfo() const;
    QList<PinInfo> pins() const;
    // A file source: the filter that reads a movie from disk.
    bool isFileSource() const;

    QList<FilterProperty> properties() const;
    MediaStatus setProperty(const QString& name, const QString& value) const;

    bool operator==(const FilterInfo& other) const { return element_ == other.element_; }

    // Framework side; not for windows.
    explicit FilterInfo(std::shared_ptr<GstElement> element) : element_(std::move(element)) {}
    GstElement* element() const { return element_.get(); }
    const std::shared_ptr<GstElement>& handle() const { return element_; }

  private:
    std::shared_ptr<GstElement> element_;
};

class FilterGraph;

// A filter the graph can add by name.
class RegFilterInfo {
  public:
    enum class Kind { Element, AviSplitter, VideoRenderer, AudioOutput, NullAudio, Dedynamic };

    RegFilterInfo(QString name, Kind kind, QString factory, QString device = {})
        : name_(std::move(name)), kind_(kind), factory_(std::move(factory)),
          device_(std::move(device)) {}

    const QString& name() const { return name_; }
    Kind kind() const { return kind_; }
    // An output that plays sound: the entries of the audio device box.
    bool isAudioOutput() const { return kind_ == Kind::AudioOutput || kind_ == Kind::NullAudio; }
    // Adds the filter to `graph` and returns it.
    MediaResult<FilterInfo> filter(FilterGraph& graph) const;
    // An audio output that can play now: its device is there and its sound
    // server answers (the default output: one that is not silent).
    bool reachable() const;

    const QString& factory() const { return factory_; }
    const QString& device() const { return device_; }

  private:
    QString name_;
    Kind kind_;
    QString factory_;
    QString device_; // GStreamer device name, for device entries
};

// The sound servers' news, told on the UI thread: a device was added or
// removed. The next regFilterCollection() lists the devices as they are.
class AudioDeviceNews : public QObject {
    Q_OBJECT
  public:
    static AudioDeviceNews& instance();
    // From any thread.
    void post();

  Q_SIGNALS:
    void changed();

  private:
    AudioDeviceNews() = default;
};

enum class GraphState { Stopped = 0, Paused = 1, Running = 2 };

// One stream of a file as the graph's decoder announces it. Subtitles are
// Text, or Pictures when the file draws them (DVD, Blu-ray, DVB).
enum class StreamKind { Other, Video, Audio, Text, Pictures };
struct MediaStream {
    StreamKind kind = StreamKind::Other;
    QString language; // as the file names it ("en", "fre"), empty when it does not
    QString title;
    bool operator==(const MediaStream&) const = default;
};

// A line of a subtitle track, seconds on the movie's clock.
struct TextCue {
    double start = 0;
    double end = 0;
    QString text;
};

class FilterGraph : public QObject {
    Q_OBJECT
  public:
    FilterGraph();
    ~FilterGraph() override;
    FilterGraph(const FilterGraph&) = delete;
    FilterGraph& operator=(const FilterGraph&) = delete;

    // Every graph gets its own id; events name the graph they came from.
    quint64 id() const { return id_; }

    // --- building
    MediaStatus renderFile(const QString& path);
    MediaResult<FilterInfo> addSourceFilter(const QString& path);
    // Newest first.
    QList<FilterInfo> filterCollection() const;
    MediaStatus removeFilter(const FilterInfo& filter);
    static QList<RegFilterInfo> regFilterCollection();
    // Loads the decoders' plugins and asks the sound servers for their
    // devices on another thread, once per process, so that the first graph
    // finds them ready. Returns at once.
    static void prepareInBackground();
    // Asks the sound servers for their devices anew: a server that restarted
    // does not tell the old watch about its devices.
    static void watchDevicesAgain();

    // --- control
    MediaStatus run();
    MediaStatus pause();
    MediaStatus stop();
    GraphState state() const { return target_; }
    // The graph has shown its first frame (or had nothing to wait for).
    bool isPrerolled() const { return prerolled_; }

    // --- position (seconds)
    MediaResult<double> duration() const;
    MediaResult<double> currentPosition() const;
    MediaStatus setCurrentPosition(double seconds);
    // Jumps to the first key frame at or after `seconds`: past damaged data,
    // where decoding from the key frame before would meet the damage again.
    MediaStatus skipTo(double seconds);
    // 0.5, 1.0 or 2.0; the pitch is kept.
    MediaStatus setRate(double rate);
    double rate() const { return rate_; }

    // --- audio (hundredths of a decibel)
    MediaStatus setVolume(int hundredthsDb);
    int volume() const { return volume_; }

    // --- video (pixels), known once the first frame has been negotiated
    MediaResult<QSize> videoSize() const;
    MediaResult<QSize> sourceSize() const;
    // The renderer's window; null while the graph has no video renderer.
    VideoWindow* videoWindow() const;
    FrameSink* frameSink() const;

    // --- streams of a whole file decoded by the graph (every container but
    // an AVI file through its splitter), in file order; empty until the
    // decoder has read the file's headers.
    const QList<MediaStream>& streams() const { return streams_; }
    // The audio stream that plays, counted from 0 among the audio streams.
    int audioStream() const { return audioStream_; }
    // Chosen before the file is read, the decoder starts with it (with the
    // first when the file has no such stream); later it switches within
    // the running graph.
    MediaStatus selectAudioStream(int index);
    // The subtitle track whose text the graph tells (textRead), counted
    // from 0 among the text tracks; -1 for none. A new graph tells the
    // first.
    int textStream() const { return textStream_; }
    void selectTextStream(int index);

    // Why the graph stopped with an error: the first failure since it was
    // last started. Empty while nothing failed.
    const MediaError& failure() const { return failure_; }
    // Where the movie was when it failed (seconds).
    double failedAt() const { return failedAt_; }

    // Seconds a graph may take to show its first frame before it is
    // reported as failed.
    static constexpr int kPrerollTimeoutMs = 8000;

    // Framework side.
    GstElement* pipeline() const { return pipeline_; }
    void applyVolumeTo(GstElement* audioOutput) const;
    void handleBusMessage(void* message); // a GstMessage, on the UI thread
    void followServerVolume(GstElement* sink) const;
    void takeServerVolume(double linear); // on the UI thread

  Q_SIGNALS:
    void stateChanged(quint64 graphId, GraphState state);
    void prerolled(quint64 graphId);
    void endOfStream(quint64 graphId);
    void errorOccurred(quint64 graphId, const QString& message);
    // The sound server's volume of the stream was changed by someone else
    // (the desktop's sound applet); the graph's volume is that level now.
    void volumeChangedOnServer(int hundredthsDb);
    // The decoder has announced the file's streams.
    void streamsAnnounced(quint64 graphId);
    // A line of the chosen subtitle track, read ahead of its time.
    void textRead(quint64 graphId, const TextCue& cue);

  private:
    MediaStatus changeState(GraphState target);
    void fail(MediaError error, const QString& message);
    void onPrerollTimeout();
    void takeStreams(GstElement* decoder, GstStreamCollection* collection);
    void sendSelection();
    void takeText(GstMessage* message);
    void applyPendingSeek();
    MediaStatus seek(double seconds, double rate, bool toKeyFrameAfter = false);

    quint64 id_;
    GstElement* pipeline_ = nullptr;
    GraphState target_ = GraphState::Stopped;
    bool prerolled_ = false;
    double rate_ = 1.0;
    int volume_ = 0;
    double pendingSeek_ = -1; // seconds, -1 when none
    MediaError failure_;
    double failedAt_ = 0;
    QList<MediaStream> streams_;
    int audioStream_ = 0;
    int textStream_ = 0;            // the track whose text is told, -1 for none
    int decodedText_ = 0;           // the track the decoder reads
    GstElement* decoder_ = nullptr; // the one that announced the streams
    GstStreamCollection* collection_ = nullptr;
    class QTimer* prerollTimer_ = nullptr;
};
