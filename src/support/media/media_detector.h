#pragma once
// Reads what a media file holds without playing it: the number of streams
// and the video frame rate. It demultiplexes and parses the file but
// decodes nothing, so reading beside a playing movie costs little memory.
#include "support/media/media_status.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

class QObject;
typedef struct _GstElement GstElement;

class MediaDetector {
  public:
    // Reads `path`; waits at most `timeoutMs`.
    MediaStatus setFilename(const QString& path, int timeoutMs = 5000);
    const QString& filename() const { return filename_; }

    // Audio, video and subtitle streams of the file.
    MediaResult<int> outputStreams() const;
    // Frames per second of the first video stream.
    MediaResult<double> frameRate() const;
    // Seconds; 0 when the file does not say.
    double duration() const { return duration_; }
    // Where the file's own chapters start, in seconds, in order; empty for
    // a file without chapters.
    const QList<double>& chapters() const { return chapters_; }
    // The title the file gives the whole movie; empty when it gives none.
    const QString& title() const { return title_; }

    // Reads `path` on a worker thread and hands the finished detector to
    // `done` on `context`'s thread; nothing is called once `context` is gone.
    static void detectInBackground(const QString& path, QObject* context,
                                   std::function<void(const MediaDetector&)> done);

    // Waits until every reading under way has ended (each gives up within
    // its time limit): the exit leaves no reading thread behind.
    static void waitForReadings();

  private:
    // Takes what the prerolled parser found: its outputs' caps and the
    // pipeline's duration.
    void takeStreams(GstElement* pipeline, GstElement* parser);

    QString filename_;
    bool read_ = false;
    int streams_ = 0;
    double frameRate_ = 0;
    double duration_ = 0;
    QList<double> chapters_;
    QString title_;
};
