#pragma once
// Subtitle files into the subtitle table. Three forms, by the file's
// extension in any letter case:
//   ".vst"          {hh:mm:ss}{hh:mm:ss}text, fixed width
//   ".txt", ".sub"  {start frame}{end frame}text (MicroDVD)
//   ".srt"          SubRip blocks: number, "hh:mm:ss,mmm --> hh:mm:ss,mmm", lines
// Every time becomes whole seconds shifted by the user's offset; a start
// passes through toInt(seconds - 0.5), so an odd start second shows one
// second early. "|" separates an entry's lines.
#include "subtitles/subtitle_table.h"

#include <QString>
#include <optional>

enum class SubtitleFormat { Unknown, TimeCoded, FrameCoded, SubRip };

SubtitleFormat subtitleFormatFor(const QString& fileName);

// A line longer than this is no subtitle and is skipped: laying out a line
// of megabytes would hold the player up for minutes.
inline constexpr int kMaxSubtitleLine = 4096;

struct SubtitleParse {
    SubtitleTable table;
    int skipped = 0;          // lines (or SubRip blocks) that held no entry
    int longLines = 0;        // lines over kMaxSubtitleLine, skipped too
    double fileFrameRate = 0; // a MicroDVD file's own rate, 0 when it gives none
};

// `frameRate` is the movie's, for frame-coded text without a rate of its own
// (25 when it is not known); `offset` is the delay in seconds.
SubtitleParse parseSubtitles(const QString& text, SubtitleFormat format, double frameRate,
                             int offset);

struct SubtitleRead {
    std::optional<SubtitleParse> parse; // empty when the file gave no entry
    QString problem; // why, in words for the user; with a parse, what was left out
};

// A line of a subtitle track inside the movie (`start` and `end` in
// seconds, SubRip's lines or markup such as "<i>" and "&amp;"), timed as
// a SubRip entry is.
void addTrackLine(SubtitleTable& table, double start, double end, const QString& text, int offset);

// Reads, decodes (see subtitle_codec.h) and parses the whole file; a file
// far bigger than any subtitles is refused unread.
SubtitleRead readSubtitleFile(const QString& path, int characterSetNumber, double frameRate,
                              int offset);
