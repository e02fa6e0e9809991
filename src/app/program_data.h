#pragma once
#include <QString>

// The player's read-only data (decoder presets, skins, "DAR.ini" defaults).
// In the build tree "data" stands beside the program; installed, it is
// "share/vantorplay" beside "bin"; programs one folder down the build tree
// (the tests, the benchmarks) find the tree's "data" above them.
QString programDataFolder();
// The same lookup for a program in `programFolder`; empty when none exists.
QString programDataFolderFor(const QString& programFolder);
