#pragma once
#include <QString>

// The player's read-only data (decoder presets, skins): "data" beside the
// program when installed, the source tree's "data" in a build tree.
QString programDataFolder();
