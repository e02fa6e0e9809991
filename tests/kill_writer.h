#pragma once
// "--write-loop KIND PATH": saves two versions of a file in turn until killed.
#include <QString>

int runWriteLoop(const QString& kind, const QString& path);
// "--write-values KIND PATH TAG": a hundred store values named after TAG, one write each.
int runWriteValues(const QString& kind, const QString& path, const QString& tag);
