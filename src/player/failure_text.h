#pragma once
// What the player tells the user when a movie cannot be opened or stops
// playing: plain words, naming the file, never the framework's message alone.
#include "support/media/media_error.h"

QString failureText(const QString& path, const MediaError& error);
