#include "registry_import.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace {

constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

// Windows-1252 where it differs from Latin-1; the five holes stay C1 controls.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeFile(const QByteArray& bytes) {
    if (bytes.startsWith("\xff\xfe"))
        return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.mid(2));
    if (bytes.startsWith("\xfe\xff"))
        return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes.mid(2));
    if (bytes.startsWith("\xef\xbb\xbf"))
        return decode8Bit(bytes.mid(3));
    // UTF-16LE that lost its byte order mark: ASCII text with every other byte 0.
    if (bytes.size() >= 4 && bytes[0] != 0 && bytes[1] == 0 && bytes[2] != 0 && bytes[3] == 0)
        return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes);
    return decode8Bit(bytes);
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch != u'\n' && ch != u'\r')
            continue;
        lines.append(text.mid(start, i - start));
        if (ch == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

bool isBlank(QChar ch) {
    return ch == u' ' || ch == u'\t';
}

qsizetype skipBlanks(QStringView s, qsizetype pos) {
    while (pos < s.size() && isBlank(s[pos]))
        ++pos;
    return pos;
}

// True when only blanks and perhaps a ";" comment are left from `pos`.
bool onlyCommentLeft(QStringView s, qsizetype pos) {
    pos = skipBlanks(s, pos);
    return pos == s.size() || s[pos] == u';';
}

int hexDigit(QChar ch) {
    const char16_t c = ch.unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// A quoted text from just after its opening quote; `end` is set past the
// closing quote. Escapes: \\ and \" as the registry editor writes them, \n
// and \r as Wine writes them; any other escaped character stands for itself.
bool parseQuoted(QStringView s, qsizetype pos, QString* out, qsizetype* end) {
    out->clear();
    while (pos < s.size()) {
        const QChar ch = s[pos];
        if (ch == u'"') {
            *end = pos + 1;
            return true;
        }
        if (ch == u'\\') {
            if (pos + 1 >= s.size())
                return false;
            const QChar next = s[pos + 1];
            if (next == u'0')
                return false; // would cut the string short
            out->append(next == u'n' ? QChar(u'\n') : next == u'r' ? QChar(u'\r') : next);
            pos += 2;
            continue;
        }
        out->append(ch);
        ++pos;
    }
    return false;
}

enum class HexPiece { Done, Continued, Bad, TooLarge };

// One line's share of comma-separated hex bytes, appended to `data`.
HexPiece parseHexPiece(QStringView s, QByteArray* data) {
    qsizetype pos = 0;
    for (;;) {
        pos = skipBlanks(s, pos);
        if (pos == s.size() || s[pos] == u';')
            return HexPiece::Done;
        if (s[pos] == u'\\')
            return onlyCommentLeft(s, pos + 1) ? HexPiece::Continued : HexPiece::Bad;
        int digits = 0;
        int byte = 0;
        while (pos < s.size() && hexDigit(s[pos]) >= 0) {
            if (++digits > 2)
                return HexPiece::Bad;
            byte = byte * 16 + hexDigit(s[pos++]);
        }
        if (digits == 0)
            return HexPiece::Bad;
        if (data->size() >= reg::kMaxValueDataBytes)
            return HexPiece::TooLarge;
        data->append(char(byte));
        pos = skipBlanks(s, pos);
        if (pos == s.size() || s[pos] == u';')
            return HexPiece::Done;
        if (s[pos] == u'\\')
            return onlyCommentLeft(s, pos + 1) ? HexPiece::Continued : HexPiece::Bad;
        if (s[pos] != u',')
            return HexPiece::Bad;
        ++pos;
    }
}

class Parser {
  public:
    explicit Parser(const QStringList& lines) : lines_(lines) {}

    RegistryFileContents run() {
        // The header is the first line that is not blank.
        while (next_ < lines_.size() && lines_[next_].trimmed().isEmpty())
            ++next_;
        if (next_ < lines_.size()) {
            const QString header = lines_[next_].trimmed();
            if (header == QLatin1String("REGEDIT4"))
                out_.header = RegistryFileContents::Regedit4;
            else if (header == QLatin1String("Windows Registry Editor Version 5.00"))
                out_.header = RegistryFileContents::Version5;
            if (out_.header != RegistryFileContents::NoHeader)
                ++next_;
        }
        while (next_ < lines_.size()) {
            first_ = next_++;
            const QStringView line = QStringView(lines_[first_]);
            const qsizetype pos = skipBlanks(line, 0);
            if (pos == line.size() || line[pos] == u';')
                continue;
            if (line[pos] == u'[')
                keyLine(line.sliced(pos));
            else if (line[pos] == u'"' || line[pos] == u'@')
                valueLine(line.sliced(pos));
            else
                skip(QStringLiteral("not a key or value line"));
        }
        return std::move(out_);
    }

  private:
    void skip(const QString& reason) {
        out_.skipped.append({first_ + 1, lines_[first_].left(200), reason});
    }

    void keyLine(QStringView s) {
        haveKey_ = false; // until this line names a key we can use
        const qsizetype close = s.lastIndexOf(u']');
        if (s.size() < 2 || isBlank(s[1]) || close < 0) {
            skip(QStringLiteral("malformed key line"));
            return;
        }
        QStringView inner = s.sliced(1, close - 1);
        const bool deletion = inner.startsWith(u'-');
        if (deletion)
            inner = inner.sliced(1);
        const qsizetype slash = inner.indexOf(u'\\');
        const quint32 root = reg::rootFromName(slash < 0 ? inner : inner.first(slash));
        if (root == 0) {
            skip(QStringLiteral("unknown root key"));
            return;
        }
        const QString path = slash < 0 ? QString() : inner.sliced(slash + 1).toString();
        RegistryChange change;
        change.root = root;
        change.keyPath = path;
        change.sourceLine = first_ + 1;
        if (deletion) {
            if (path.split(u'\\', Qt::SkipEmptyParts).isEmpty()) {
                skip(QStringLiteral("a root key cannot be deleted"));
                return;
            }
            change.kind = RegistryChange::DeleteKey; // values below it go nowhere
        } else {
            change.kind = RegistryChange::CreateKey;
            haveKey_ = true;
            root_ = root;
            keyPath_ = path;
        }
        out_.changes.append(change);
    }

    void valueLine(QStringView s) {
        RegistryChange change;
        change.kind = RegistryChange::SetValue;
        change.sourceLine = first_ + 1;
        qsizetype pos = 1;
        if (s[0] == u'"' && !parseQuoted(s, 1, &change.valueName, &pos)) {
            skip(QStringLiteral("malformed quoted value name"));
            return;
        }
        pos = skipBlanks(s, pos);
        if (pos == s.size() || s[pos] != u'=') {
            skip(QStringLiteral("no '=' after the value name"));
            return;
        }
        const QStringView data = s.sliced(skipBlanks(s, pos + 1));
        if (!valueData(data, &change))
            return;
        if (!haveKey_) {
            skip(QStringLiteral("value outside any key"));
            return;
        }
        change.root = root_;
        change.keyPath = keyPath_;
        out_.changes.append(change);
    }

    // Fills in the kind, type and data, or reports the line and returns false.
    bool valueData(QStringView s, RegistryChange* change) {
        if (s.startsWith(u'-')) {
            if (!onlyCommentLeft(s, 1)) {
                skip(QStringLiteral("text after '-'"));
                return false;
            }
            change->kind = RegistryChange::DeleteValue;
            return true;
        }
        if (s.startsWith(u'"')) {
            QString text;
            qsizetype end = 0;
            if (!parseQuoted(s, 1, &text, &end)) {
                skip(QStringLiteral("malformed quoted string"));
                return false;
            }
            if (!onlyCommentLeft(s, end)) {
                skip(QStringLiteral("text after the closing quote"));
                return false;
            }
            change->type = reg::REG_SZ;
            change->data = reg::stringData(text);
            return true;
        }
        if (s.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive))
            return dwordData(s.sliced(6), change);
        if (s.startsWith(QLatin1String("hex:"), Qt::CaseInsensitive)) {
            change->type = reg::REG_BINARY;
            return hexData(s.sliced(4), change);
        }
        if (s.startsWith(QLatin1String("hex("), Qt::CaseInsensitive)) {
            // The type number is hexadecimal: hex(7) is REG_MULTI_SZ, hex(b)
            // REG_QWORD.
            qsizetype pos = 4;
            quint32 type = 0;
            while (pos < s.size() && pos < 12 && hexDigit(s[pos]) >= 0)
                type = type * 16 + quint32(hexDigit(s[pos++]));
            if (pos > 4 && s.sliced(pos).startsWith(QLatin1String("):"))) {
                change->type = type;
                return hexData(s.sliced(pos + 2), change);
            }
        }
        skip(QStringLiteral("unknown data type"));
        return false;
    }

    bool dwordData(QStringView s, RegistryChange* change) {
        const qsizetype start = skipBlanks(s, 0);
        qsizetype end = start;
        while (end < s.size() && hexDigit(s[end]) >= 0)
            ++end;
        if (end == start || end - start > 8 || !onlyCommentLeft(s, end)) {
            skip(QStringLiteral("a dword needs one to eight hex digits"));
            return false;
        }
        const quint32 number = s.sliced(start, end - start).toUInt(nullptr, 16);
        change->type = reg::REG_DWORD;
        change->data = QByteArray(4, '\0');
        for (int i = 0; i < 4; ++i)
            change->data[i] = char((number >> (8 * i)) & 0xff);
        return true;
    }

    // Hex bytes, going on over the following lines while a line ends in a
    // backslash; blank and comment lines in between are passed over. A bad
    // value takes its continuation lines with it, so they are not read as
    // lines of their own.
    bool hexData(QStringView s, RegistryChange* change) {
        QByteArray data;
        HexPiece piece = parseHexPiece(s, &data);
        while (piece == HexPiece::Continued) {
            while (next_ < lines_.size() && onlyCommentLeft(lines_[next_], 0))
                ++next_;
            if (next_ == lines_.size()) {
                piece = HexPiece::Done; // the file ended: keep what came
                break;
            }
            const QStringView line = QStringView(lines_[next_]);
            const qsizetype pos = skipBlanks(line, 0);
            if (hexDigit(line[pos]) < 0) {
                piece = HexPiece::Bad; // this line is read on its own
                break;
            }
            ++next_;
            piece = parseHexPiece(line.sliced(pos), &data);
        }
        if (piece != HexPiece::Done) {
            skipContinuation();
            skip(piece == HexPiece::TooLarge ? QStringLiteral("value data too large")
                                             : QStringLiteral("malformed hex data"));
            return false;
        }
        // Strings in hex are UTF-16LE, except in REGEDIT4 files, where they are
        // 8-bit text.
        const bool text = change->type == reg::REG_SZ || change->type == reg::REG_EXPAND_SZ ||
                          change->type == reg::REG_MULTI_SZ;
        if (text && out_.header == RegistryFileContents::Regedit4) {
            data = reg::stringData(decode8Bit(data));
            data.chop(2); // stringData's terminator; the bytes keep their own
        }
        change->data = data;
        return true;
    }

    // Passes over the rest of a bad hex value: lines that go on after a
    // trailing backslash.
    void skipContinuation() {
        auto continues = [](QStringView line) {
            const QStringView t = line.trimmed();
            return t.endsWith(u'\\');
        };
        if (!continues(lines_[next_ - 1]))
            return;
        while (next_ < lines_.size()) {
            const QStringView line = QStringView(lines_[next_]);
            const qsizetype pos = skipBlanks(line, 0);
            if (pos < line.size() && line[pos] != u';' && hexDigit(line[pos]) < 0)
                return;
            ++next_;
            if (pos < line.size() && line[pos] != u';' && !continues(line))
                return;
        }
    }

    const QStringList& lines_;
    RegistryFileContents out_;
    int next_ = 0;
    int first_ = 0;
    bool haveKey_ = false;
    quint32 root_ = 0;
    QString keyPath_;
};

} // namespace

QString decode8Bit(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    text.clear();
    text.reserve(bytes.size());
    for (char c : bytes) {
        const uchar b = uchar(c);
        text.append(QChar(b >= 0x80 && b < 0xa0 ? kCp1252High[b - 0x80] : char16_t(b)));
    }
    return text;
}

RegistryFileContents parseRegistryFile(const QByteArray& bytes) {
    const QStringList lines = splitLines(decodeFile(bytes));
    return Parser(lines).run();
}

RegistryImportResult importRegistryText(const QByteArray& bytes, RegistryStore& store) {
    RegistryImportResult result;
    const QStringList lines = splitLines(decodeFile(bytes));
    const RegistryFileContents contents = Parser(lines).run();
    if (contents.header == RegistryFileContents::NoHeader) {
        // As the registry editor does: a file without its header is not read at
        // all.
        result.error = QStringLiteral("This is not a registry file: it does not begin with "
                                      "\"REGEDIT4\" or \"Windows Registry Editor Version 5.00\".");
        return result;
    }
    result.skipped = contents.skipped;
    const RegistryStore::ApplyResult applied = store.apply(contents.changes);
    if (applied.status != reg::ERROR_SUCCESS) {
        result.error = store.problem().isEmpty()
                           ? QStringLiteral("The registry could not be changed (error %1).")
                                 .arg(applied.status)
                           : store.problem();
        return result;
    }
    for (const auto& [index, status] : applied.refused) {
        const int line = contents.changes[index].sourceLine;
        const QString reason = status == reg::ERROR_FILE_NOT_FOUND
                                   ? QStringLiteral("its key could not be created")
                                   : QStringLiteral("a name, depth or size beyond the "
                                                    "registry's limits");
        result.skipped.append({line, lines.value(line - 1).left(200), reason});
    }
    std::stable_sort(result.skipped.begin(), result.skipped.end(),
                     [](const auto& a, const auto& b) { return a.line < b.line; });
    result.valuesSet = applied.valuesSet;
    result.ok = true;
    return result;
}

RegistryImportResult importRegistryFile(const QString& filePath, RegistryStore& store) {
    QFile file(filePath);
    RegistryImportResult result;
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("The registry file %1 cannot be read (%2).")
                           .arg(QDir::toNativeSeparators(filePath), file.errorString());
        return result;
    }
    if (file.size() > kMaxFileBytes) {
        result.error = QStringLiteral("The registry file %1 is too large to be imported.")
                           .arg(QDir::toNativeSeparators(filePath));
        return result;
    }
    return importRegistryText(file.readAll(), store);
}
