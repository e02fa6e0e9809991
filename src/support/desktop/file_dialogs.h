#pragma once
// What the player's file dialogs and folder trees start from.
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
