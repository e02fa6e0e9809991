#pragma once
// The test program's writer mode ("--write-loop KIND PATH"): saves two
// versions of a file in turn until it is killed.
#include <QString>

int runWriteLoop(const QString& kind, const QString& path);
// "--write-values PATH TAG": a hundred registry values named after TAG.
int runWriteValues(const QString& path, const QString& tag);
