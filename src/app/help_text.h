#pragma once
// What "vantorplay --help" prints: the command line and the keys, the
// latter read from the key table.
#include <QString>

QString helpText();
// The keys, a line each, as the help and the README list them.
QString keyTableText();
