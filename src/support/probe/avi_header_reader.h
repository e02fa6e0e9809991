#pragma once
// Reads the headers at the start of an AVI file: the main header ('avih'),
// the first video stream's header ('strh') and the OpenDML frame count
// ('dmlh'). Only the header list is read, never the movie data, and every
// size in the file is checked against its container before it is used.
#include "support/media/media_status.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

class QIODevice;

// One stream's header ('strh') and format ('strf') chunks as the file holds
// them; either is empty when the stream has none.
struct AviStreamHeaders {
    QByteArray header;
    QByteArray format;
};

struct AviHeaders {
    // Main header. Frames here count only the first RIFF of an OpenDML file.
    quint32 microSecondsPerFrame = 0;
    quint32 mainTotalFrames = 0;
    quint32 streams = 0;
    quint32 width = 0;
    quint32 height = 0;

    // First video stream: rate / scale frames per second, length in frames.
    bool hasVideoStream = false;
    quint32 videoScale = 0;
    quint32 videoRate = 0;
    quint32 videoLength = 0;

    // OpenDML extended header's frame count, 0 when the file has none.
    quint32 extendedTotalFrames = 0;

    // Every stream, in file order.
    QList<AviStreamHeaders> streamList;

    // Frames of the whole movie: the OpenDML count, else the video stream's
    // length, else the main header's count.
    quint32 frameCount() const;
    // Length of the movie from its frames and the video stream's rate, or the
    // main header's frame duration without one; none when neither is usable.
    std::optional<double> durationSeconds() const;
};

class AviHeaderReader {
  public:
    // Reads a regular file; anything else (missing, a folder, a pipe) fails
    // without being opened, so the reader never blocks.
    static MediaResult<AviHeaders> read(const QString& path);
    // Reads from an open random-access device positioned anywhere.
    static MediaResult<AviHeaders> read(QIODevice& device);

    // The header list is a few kilobytes; a larger one is taken as damage.
    static constexpr qint64 kMaxHeaderListBytes = 4 * 1024 * 1024;
};
