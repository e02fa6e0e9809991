#include "subtitles/subtitle_codec.h"

#include <QStringDecoder>
#include <algorithm>
#include <optional>

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

bool isAscii(const QByteArray& bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
}

// Valid UTF-8 throughout, or nothing.
std::optional<QString> asUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace

QString decodeSubtitleBytes(const QByteArray& bytes, int characterSetNumber) {
    // A byte-order mark names the encoding whatever the choice.
    if (const auto marked = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*marked);
        return decoder.decode(bytes);
    }
    if (!isAscii(bytes))
        if (std::optional<QString> text = asUtf8(bytes))
            return *text;
    QStringDecoder decoder(codePageForCharacterSet(characterSetNumber));
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Latin1);
    return decoder.decode(bytes);
}
