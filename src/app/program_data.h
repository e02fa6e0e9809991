#pragma once
#include <QString>

// The player's read-only data (decoder presets, skins): "data" beside the
// program when installed or built, else the build tree's copy (for programs
// built elsewhere in the tree, such as the tests), else the source tree's.
QString programDataFolder();
