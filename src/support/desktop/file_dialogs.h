#pragma once
// What the player's file dialogs and folder trees start from, and which
// files the Open dialog offers.
#include <QString>
#include <QStringList>

// The first of `candidates` that is an existing folder given by its full
// path (empty and relative ones are passed over), else `fallback`.
QString startFolder(const QStringList& candidates, const QString& fallback);

// Where Open starts: the folder of `lastFile` (the file itself may be
// gone), else `videos`, else `home`.
QString openStartFolder(const QString& lastFile, const QString& videos, const QString& home);
// The same with the user's own videos folder and home.
QString openStartFolder(const QString& lastFile);

// The extensions of every type the player opens, lower case without the
// dot: the same list as the desktop entry's media types.
QStringList mediaFileExtensions();
// Open's filter: those types first, then every file.
QString mediaFileFilter();
