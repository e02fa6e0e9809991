#pragma once
// Reads what a media file holds without playing it: the number of streams
// and the video frame rate.
#include "support/media_status.h"

#include <QString>

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

  private:
    QString filename_;
    bool read_ = false;
    int streams_ = 0;
    double frameRate_ = 0;
    double duration_ = 0;
};
