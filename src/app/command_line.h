#pragma once
// The start-up command line. The player is handed one string; "/cli" and the
// options after it are found by a case-insensitive search for them as words
// (a space or the line's start before, a space or its end after), with no
// other tokenizing and no quote handling, so a line is used exactly as a
// shortcut or script built it and a path such as "~/Clips/a.avi" stays whole.
#include <QString>
#include <QStringList>

struct CommandLineRequest {
    QString movie;            // file to open; empty = open nothing
    bool hasCli = false;      // "/cli" was present
    bool hasStream = false;   // "-stream" was present
    QString audioPin;         // "Stream 0" + digit, when hasStream
    bool hasSubtitle = false; // "-sub" was present
    QString subtitleFile;     // rest of the line after "-sub "
    bool fullScreen = false;
};

// Without "/cli" the whole line, untouched, is the movie. With it, the movie is
// the text before "/cli" and the options after it apply:
//   -stream N    open with the audio pin "Stream 0N" (N is the one character
//                after "-stream" and a separator)
//   -sub FILE    load FILE, which runs to the end of the line, as subtitles
//   -fullscreen  start in full screen
CommandLineRequest parseCommandLine(const QString& line);

// The single string parseCommandLine() expects: `args` are the arguments after
// the program name (argv[1..], i.e. QCoreApplication::arguments().mid(1)),
// joined by single spaces.
QString joinArguments(const QStringList& args);

// What the program was asked on its command line. Launchers and file
// managers hand several files as separate arguments: they queue. Any other
// command line is the one string above, exactly as scripts built it.
struct Invocation {
    enum Kind { Play, Help, Version, Unknown } kind = Play;
    QString line;      // the one-string form, when `files` is empty
    QStringList files; // several files, the first plays and the others queue
    QString problem;   // for Unknown
};
Invocation readInvocation(const QStringList& args, bool (*isFile)(const QString&));
