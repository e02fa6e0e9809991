#pragma once
// Subtitles that come with a movie without being named: a file of the
// movie's base name with a subtitle extension, beside it or in a subtitle
// folder next to it, the way people keep them.
#include <QString>

// The first of "BASE.vst", ".sub", ".txt", ".srt" (extensions in any
// letter case) in the movie's folder, then in its "Subs", "subs" and
// "subtitles" folders; empty when there is none.
QString findSubtitlesFor(const QString& movieFileName);
