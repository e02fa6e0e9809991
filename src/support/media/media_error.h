#pragma once
// What went wrong with a movie, in the terms a user is told: not there, not
// a movie, damaged, or in a format without a decoder.
#include <QString>

enum class MediaFault {
    None,
    NotFound,
    Folder,
    Empty,
    Unreadable,
    NotMedia,    // no container or stream the framework knows
    Damaged,     // a known container whose data is wrong or cut short
    NoDecoder,   // `format` names what is missing
    MissingPart, // `format` names a GStreamer element that is not installed
    Stalled,     // playing, but no data comes
    SoundOutput, // the sound device or server failed, not the movie
    Other,
};

struct MediaError {
    MediaFault fault = MediaFault::None;
    QString format;  // the format without a decoder ("H.265 video")
    QString detail;  // the framework's own words, for diagnosis only
    QString package; // the Debian package that holds what is missing, if known

    explicit operator bool() const { return fault != MediaFault::None; }
};

// What keeps a path from holding a movie at all: missing, a folder, empty or
// unreadable; MediaFault::None when it is a readable file.
MediaFault fileFault(const QString& path);
