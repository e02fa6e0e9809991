#pragma once
// How a subtitle file's bytes become text: Unicode files (a byte-order mark,
// or valid UTF-8 that is not plain ASCII) are read as such; anything else in
// the code page of the character set the user chose.
#include <QByteArray>
#include <QString>

// The code page's name for a character-set number of the configuration
// dialog's list (0 Western European, 204 Russian, 128 Japanese, ...);
// Windows-1252 for a number it does not know.
const char* codePageForCharacterSet(int characterSetNumber);

QString decodeSubtitleBytes(const QByteArray& bytes, int characterSetNumber);
