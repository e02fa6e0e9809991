#pragma once
// Playlist files. ".lst" is one full path a line, every line taken as it
// stands (empty ones too), written with CR LF. M3U (".m3u", ".m3u8") skips
// "#" lines and empty ones, reads "file:" addresses, keeps network ones
// (http, rtsp, ...) as they are and resolves every other entry, colons and
// all, against the list's own folder; ".m3u8" is UTF-8.
#include <QString>
#include <QStringList>
#include <optional>

enum class PlaylistFormat { Lst, M3u, M3u8 };

// A playlist file by its extension, in any letter case.
bool isPlaylistFile(const QString& path);
PlaylistFormat playlistFormatFor(const QString& path);

// A line longer than any path is no entry and is skipped.
inline constexpr int kMaxPlaylistLine = 4096;

// `longLines`, when given, counts the lines skipped for their length.
QStringList parseLstText(const QString& text, int* longLines = nullptr);
QStringList parseM3uText(const QString& text, const QString& folder, int* longLines = nullptr);

struct PlaylistRead {
    std::optional<QStringList> entries; // empty when the file could not be read
    QString problem;                    // why; with entries, what was left out
};
PlaylistRead readPlaylistFile(const QString& path);

// Writes `entries` in the form the extension names (".lst" for any other),
// into a new file put in place of the old one: a kill in the middle leaves
// the old or the new. Returns why it failed, empty when it did not.
QString writePlaylistFile(const QString& path, const QStringList& entries);
