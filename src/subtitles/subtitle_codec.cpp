#include "subtitles/subtitle_codec.h"

#include <QStringDecoder>

const char* codePageForCharacterSet(int characterSetNumber) {
    switch (characterSetNumber) {
    case 238:
        return "windows-1250"; // Eastern Europe
    case 204:
        return "windows-1251"; // Russian
    case 161:
        return "windows-1253"; // Greek
    case 162:
        return "windows-1254"; // Turkish
    case 177:
        return "windows-1255"; // Hebrew
    case 178:
        return "windows-1256"; // Arabic
    case 186:
        return "windows-1257"; // Baltic
    case 128:
        return "Shift_JIS"; // Japanese
    case 134:
        return "GBK"; // Simplified Chinese
    case 129:
        return "windows-949"; // Korean
    case 136:
        return "Big5"; // Traditional Chinese
    default:
        return "windows-1252"; // Western European
    }
}

namespace {

// Whether `bytes` hold UTF-8 with at least one character beyond ASCII:
// checked before anything is decoded, since most files in a code page fail
// at their first accented letter.
bool isUnicodeText(const QByteArray& bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto* end = p + bytes.size();
    bool beyondAscii = false;
    while (p < end) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        beyondAscii = true;
        const int extra = (*p & 0xE0) == 0xC0   ? 1
                          : (*p & 0xF0) == 0xE0 ? 2
                          : (*p & 0xF8) == 0xF0 ? 3
                                                : -1;
        if (extra < 0 || (extra == 1 && *p < 0xC2) || end - p <= extra)
            return false;
        for (int i = 1; i <= extra; ++i)
            if ((p[i] & 0xC0) != 0x80)
                return false;
        p += extra + 1;
    }
    return beyondAscii;
}

} // namespace

QString decodeSubtitleBytes(const QByteArray& bytes, int characterSetNumber) {
    // A byte-order mark names the encoding whatever the choice.
    if (const auto marked = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*marked);
        return decoder.decode(bytes);
    }
    if (isUnicodeText(bytes))
        return QString::fromUtf8(bytes);
    QStringDecoder decoder(codePageForCharacterSet(characterSetNumber));
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Latin1);
    return decoder.decode(bytes);
}
