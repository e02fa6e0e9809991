#pragma once
// The test program's writer mode ("--write-loop KIND PATH"): saves two
// versions of a file in turn until it is killed.
#include <QString>

int runWriteLoop(const QString& kind, const QString& path);
// "--write-values KIND PATH TAG": a hundred settings or registry values
// named after TAG, one write each.
int runWriteValues(const QString& kind, const QString& path, const QString& tag);
