#pragma once
#include <QString>

// The file a command-line name means. "movie.avi /cli -fullscreen" leaves a
// space after the name; file names here may end in spaces, so the name is
// used as given when such a file exists, and without its trailing spaces
// otherwise.
QString existingFileName(const QString& name);
