#pragma once
// Small procedures the whole player uses: the file test and the screen saver.
#include <QString>

// True when `path` can be opened for reading (and is closed again).
bool FileExists(const QString& path);

// Lets the desktop's screen saver run (true) or holds it off (false), through
// the desktop's screen-saver service on the session bus, without waiting for
// its answer. Returns false when there is no session bus.
bool SetScreenSaverActive(bool active);
