#pragma once
// Saving the player's own files (settings, registry, presets, playlists) so
// that a failed save changes nothing: the new text goes to a temporary file
// beside the old one and replaces it only once every byte of it is written.
// A full disk or a file the player may not write leaves the old file as it
// was, and the caller learns why in words a user understands.
#include <QByteArray>
#include <QString>

// Writes `bytes` as the whole content of `path`, making its folder when it
// is missing. Returns why it failed ("the disk is full"), empty when saved;
// `error` gets the errno value behind it (0 when there is none).
QString saveWholeFile(const QString& path, const QByteArray& bytes, int* error = nullptr);

// Why a file operation failed with `error` (an errno value), in plain words;
// `fallback` (Qt's text) when the error has no words of its own.
QString fileErrorWords(int error, const QString& fallback);

// Whether a problem with `path` is news this session: true only the first
// time for each file, so a file that keeps failing is reported once and not
// on every write.
bool firstProblemWith(const QString& path);

// A free name beside `path` to keep a damaged or unreadable file under:
// "<path>.corrupt-<date>-<time>", numbered when that is taken.
QString asidePathFor(const QString& path);
