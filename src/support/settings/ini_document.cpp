#include "support/settings/ini_document.h"

#include <QStringList>

namespace {

bool isHexDigit(QChar c) {
    const char16_t u = c.toLower().unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f');
}

// One backslash escape starting after the backslash at text[i]; appends
// the character it stands for and returns the index after it.
qsizetype unescapeOne(QStringView text, qsizetype i, QString& out) {
    const QChar c = text[i];
    static constexpr std::pair<char16_t, char16_t> kSimple[] = {
        {u'a', u'\a'}, {u'b', u'\b'}, {u'f', u'\f'},  {u'n', u'\n'},  {u'r', u'\r'}, {u't', u'\t'},
        {u'v', u'\v'}, {u'"', u'"'},  {u'\'', u'\''}, {u'\\', u'\\'}, {u'?', u'?'},
    };
    for (const auto& [name, character] : kSimple)
        if (c == name) {
            out += QChar(character);
            return i + 1;
        }
    if (c == u'x' || (c >= u'0' && c <= u'7')) {
        const bool hex = c == u'x';
        qsizetype end = hex ? i + 1 : i;
        uint code = 0;
        while (end < text.size() &&
               (hex ? isHexDigit(text[end]) : (text[end] >= u'0' && text[end] <= u'7'))) {
            code = code * (hex ? 16 : 8) + uint(QString(text[end]).toUInt(nullptr, 16));
            ++end;
        }
        out += QChar(char16_t(code & 0xffff));
        return end;
    }
    out += c;
    return i + 1;
}

} // namespace

// As QSettings reads a string: quotes group, a backslash escapes, an
// unquoted ';' ends the value, blanks at the ends go unless quoted, and a
// leading "@@" is a leading "@".
QString IniDocument::unescapedValue(QStringView text) {
    QString out;
    bool quoted = false;
    qsizetype lastKept = -1; // end of the text that blanks must not trim
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c == u'"') {
            quoted = !quoted;
            lastKept = out.size();
            ++i;
        } else if (c == u'\\' && i + 1 < text.size()) {
            i = unescapeOne(text, i + 1, out);
            lastKept = out.size();
        } else if (c == u';' && !quoted) {
            break;
        } else if (c.isSpace() && !quoted) {
            if (!out.isEmpty())
                out += c;
            ++i;
        } else {
            out += c;
            lastKept = out.size();
            ++i;
        }
    }
    out.truncate(std::max<qsizetype>(lastKept, 0));
    if (out.startsWith(QLatin1String("@@")))
        out.remove(0, 1);
    return out;
}

// As QSettings writes a string, so it reads it back unchanged.
QString IniDocument::escapedValue(const QString& value) {
    QString out;
    if (value.startsWith(u'@'))
        out += u'@';
    const bool quote = (!value.isEmpty() && (value.front().isSpace() || value.back().isSpace())) ||
                       value.contains(u',') || value.contains(u';') || value.contains(u'=');
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        switch (c.unicode()) {
        case u'\\':
            out += QLatin1String("\\\\");
            break;
        case u'"':
            out += QLatin1String("\\\"");
            break;
        case u'\n':
            out += QLatin1String("\\n");
            break;
        case u'\r':
            out += QLatin1String("\\r");
            break;
        case u'\t':
            out += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
                out += QStringLiteral("\\x%1").arg(c.unicode(), 0, 16);
                // A hex digit next would be read into the escape.
                if (i + 1 < value.size() && isHexDigit(value[i + 1]))
                    out += QLatin1String("\"\"");
            } else {
                out += c;
            }
        }
    }
    return quote ? u'"' + out + u'"' : out;
}

QString IniDocument::escapedKey(const QString& key) {
    QString out;
    for (const QChar c : key) {
        const char16_t u = c.unicode();
        if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') ||
            u == u'_' || u == u'-' || u == u'.')
            out += c;
        else if (u < 0x100)
            out += u'%' + QStringLiteral("%1").arg(uint(u), 2, 16, QLatin1Char('0')).toUpper();
        else
            out += QLatin1String("%U") +
                   QStringLiteral("%1").arg(uint(u), 4, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

QString IniDocument::unescapedKey(QStringView text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'%') {
            const bool wide = i + 1 < text.size() && text[i + 1] == u'U';
            const qsizetype digits = wide ? 4 : 2, start = i + (wide ? 2 : 1);
            bool ok = false;
            const uint code = text.mid(start, digits).toUInt(&ok, 16);
            if (ok && start + digits <= text.size()) {
                out += QChar(char16_t(code));
                i = start + digits - 1;
                continue;
            }
        }
        out += text[i];
    }
    return out.trimmed();
}

IniDocument IniDocument::parse(const QByteArray& text) {
    IniDocument document;
    QString section;
    QStringList lines = QString::fromUtf8(text).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString raw = lines[n];
        if (raw.endsWith(u'\r'))
            raw.chop(1);
        const QString trimmed = raw.trimmed();
        Line line{raw, section, {}, {}};
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
            section = unescapedKey(QStringView(trimmed).mid(1, trimmed.size() - 2));
            line.section = section;
        } else if (const qsizetype equals = raw.indexOf(u'=');
                   equals > 0 && !trimmed.startsWith(u';') && !trimmed.startsWith(u'#')) {
            QString value = raw.mid(equals + 1);
            // A backslash at the end carries the value on to the next line.
            while (value.endsWith(u'\\') && !value.endsWith(QLatin1String("\\\\")) &&
                   n + 1 < lines.size()) {
                value.chop(1);
                value += lines[++n];
                line.raw += u'\n' + lines[n];
            }
            line.key = unescapedKey(QStringView(raw).left(equals));
            line.value = unescapedValue(value);
        }
        document.lines_.append(line);
    }
    return document;
}

QByteArray IniDocument::serialize() const {
    QString text;
    for (const Line& line : lines_)
        text += (line.key.isEmpty() ? line.raw
                                    : escapedKey(line.key) + u'=' + escapedValue(line.value)) +
                u'\n';
    return text.toUtf8();
}

int IniDocument::findEntry(const QString& section, const QString& key) const {
    for (int i = 0; i < lines_.size(); ++i)
        if (!lines_[i].key.isEmpty() &&
            lines_[i].section.compare(section, Qt::CaseInsensitive) == 0 &&
            lines_[i].key.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

// Where a new entry of `section` goes: after its last entry, or a new
// section at the end of the file.
int IniDocument::sectionEnd(const QString& section) {
    int end = -1;
    for (int i = 0; i < lines_.size(); ++i)
        if (lines_[i].section.compare(section, Qt::CaseInsensitive) == 0 &&
            (!lines_[i].key.isEmpty() || lines_[i].raw.trimmed().startsWith(u'[')))
            end = i + 1;
    if (end >= 0)
        return end;
    if (!lines_.isEmpty() && !lines_.last().raw.trimmed().isEmpty())
        lines_.append(Line{QString(), lines_.last().section, {}, {}});
    lines_.append(Line{u'[' + escapedKey(section) + u']', section, {}, {}});
    return int(lines_.size());
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const {
    const int at = findEntry(section, key);
    return at < 0 ? std::nullopt : std::optional<QString>(lines_[at].value);
}

void IniDocument::setValues(const QString& section,
                            const QList<std::pair<QString, QString>>& values, bool together) {
    int insertAt = -1;
    for (const auto& [key, value] : values) {
        const int first = findEntry(section, key);
        QString spelling = first >= 0 ? lines_[first].key : key;
        int keep = together ? -1 : first;
        if (together && first >= 0 && insertAt < 0)
            insertAt = first;
        // Every other entry of the key goes.
        for (int i = int(lines_.size()) - 1; i >= 0; --i) {
            const Line& line = lines_[i];
            if (i == keep || line.key.isEmpty() ||
                line.section.compare(section, Qt::CaseInsensitive) != 0 ||
                line.key.compare(key, Qt::CaseInsensitive) != 0)
                continue;
            lines_.removeAt(i);
            if (keep > i)
                --keep;
            if (insertAt > i)
                --insertAt;
        }
        if (keep >= 0) {
            lines_[keep].value = value;
            continue;
        }
        if (insertAt < 0)
            insertAt = sectionEnd(section);
        lines_.insert(insertAt++, Line{QString(), section, spelling, value});
    }
}
