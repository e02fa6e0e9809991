#include "subtitles/subtitle_file.h"

#include "player/time_text.h"
#include "subtitles/subtitle_codec.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringTokenizer>
#include <algorithm>
#include <cmath>

namespace {

// A film's subtitles are some hundred kilobytes; a file this big is
// something else, and reading it would hold the player up.
constexpr qint64 kMaxFileBytes = 8 << 20;
constexpr double kFallbackFrameRate = 25;
constexpr int kClockLimit = 100 * 3600; // "hh" has two digits below this

// "hh:mm:ss" as the player writes it; negative seconds show as 0.
QString timeText(int seconds) {
    if (seconds < 0)
        seconds = 0;
    if (seconds >= kClockLimit)
        return formatTime(seconds);
    const int h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
    const char16_t text[8] = {char16_t(u'0' + h / 10), char16_t(u'0' + h % 10), u':',
                              char16_t(u'0' + m / 10), char16_t(u'0' + m % 10), u':',
                              char16_t(u'0' + s / 10), char16_t(u'0' + s % 10)};
    return QString(reinterpret_cast<const QChar*>(text), 8);
}

// What writing `seconds` as a time text and reading it back gives.
int throughText(int seconds) {
    if (seconds < 0)
        return 0;
    return seconds < kClockLimit ? seconds : int(HtoSec(formatTime(seconds)));
}

// To the nearest whole number, halves to even.
int whole(double value) {
    return int(std::nearbyint(std::clamp(value, -1e9, 1e9)));
}

int digitsAt(QStringView text, qsizetype at) {
    const QChar a = text[at], b = text[at + 1];
    if (a < u'0' || a > u'9' || b < u'0' || b > u'9')
        return -1;
    return (a.unicode() - u'0') * 10 + (b.unicode() - u'0');
}

// "hh:mm:ss" at `text`, or nothing when a field is not two digits.
std::optional<int> clockSeconds(QStringView text) {
    if (text.size() < 8)
        return std::nullopt;
    const int h = digitsAt(text, 0), m = digitsAt(text, 3), s = digitsAt(text, 6);
    if (h < 0 || m < 0 || s < 0)
        return std::nullopt;
    return h * 3600 + m * 60 + s;
}

std::optional<qint64> wholeNumber(QStringView text) {
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    return ok && value >= 0 ? std::optional(value) : std::nullopt;
}

// A time-coded entry: the start goes to the even neighbour of
// start + offset - 0.5, the end is end + offset.
void addTimed(SubtitleTable& table, int start, int end, int offset,
              const std::array<QString, 3>& lines) {
    const QString begin = timeText(whole(start + offset - 0.5));
    const QString finish = timeText(end + offset);
    table.add(begin, finish, throughText(end + offset) - throughText(whole(start + offset - 0.5)),
              lines);
}

bool parseTimeCodedLine(QStringView line, int offset, SubtitleTable& table) {
    const qsizetype a = line.indexOf(u'}');
    if (line.size() < 20 || a < 8)
        return false;
    const std::optional<int> start = clockSeconds(line.mid(a - 8, 8));
    const std::optional<int> end = clockSeconds(line.mid(11, 8));
    if (!start || !end)
        return false;
    addTimed(table, *start, *end, offset, splitSubtitleText(line.mid(20)));
    return true;
}

// An entry's lines without MicroDVD control codes such as {y:i} or
// {c:$0000ff}.
std::array<QString, 3> frameCodedLines(QStringView text) {
    if (!text.contains(u'{'))
        return splitSubtitleText(text);
    static const QRegularExpression codes(QStringLiteral("\\{[a-zA-Z]:[^}]*\\}"));
    return splitSubtitleText(text.toString().remove(codes));
}

struct Frames {
    qint64 start, end;
    QStringView text;
};

std::optional<Frames> frameFields(QStringView line) {
    const qsizetype a = line.indexOf(u'}');
    const qsizetype b = a < 0 ? -1 : line.indexOf(u'}', a + 1);
    if (!line.startsWith(u'{') || a < 2 || b < a + 3 || line[a + 1] != u'{')
        return std::nullopt;
    const std::optional<qint64> start = wholeNumber(line.mid(1, a - 1));
    const std::optional<qint64> end = wholeNumber(line.mid(a + 2, b - a - 2));
    if (!start || !end)
        return std::nullopt;
    return Frames{*start, *end, line.mid(b + 1)};
}

void addFramed(SubtitleTable& table, const Frames& f, double rate, int offset) {
    // Whole seconds of the frame number, then the offset.
    const auto seconds = [rate](qint64 frames) {
        return throughText(int(std::min<double>(std::trunc(frames / rate), 1e9)));
    };
    const int startWritten = whole(seconds(f.start) + offset - 0.5);
    const int start = throughText(startWritten);
    const int endWritten = seconds(f.end) + offset;
    int end = throughText(endWritten);
    if (end < start) // an end before its start shows for five seconds
        end = start + 5;
    table.add(timeText(startWritten), timeText(endWritten), end - start, frameCodedLines(f.text));
}

// A first entry {1}{1}23.976 gives the file's frame rate.
std::optional<double> frameRateEntry(const Frames& f) {
    if (f.start > 1 || f.end != f.start)
        return std::nullopt;
    bool ok = false;
    const double rate = f.text.trimmed().toDouble(&ok);
    return ok && rate > 0 && rate <= 1000 ? std::optional(rate) : std::nullopt;
}

void parseFrameCoded(const QString& text, double rate, int offset, SubtitleParse& out) {
    bool first = true;
    for (QStringView line : QStringTokenizer(text, u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        if (line.size() > kMaxSubtitleLine) {
            ++out.longLines;
            continue;
        }
        const std::optional<Frames> f = frameFields(line);
        if (!f) {
            ++out.skipped;
            continue;
        }
        if (std::exchange(first, false))
            if (const std::optional<double> own = frameRateEntry(*f)) {
                out.fileFrameRate = *own;
                continue;
            }
        addFramed(out.table, *f, out.fileFrameRate > 0 ? out.fileFrameRate : rate, offset);
    }
}

// "hh:mm:ss,mmm" (or with "."), hours of any length; milliseconds dropped.
// A leading "-" (a time before the movie's start, as some tools write after
// shifting) stays negative: "-00" must not read as hour 0 of a positive time.
std::optional<int> subRipSeconds(QStringView text) {
    text = text.trimmed();
    const bool negative = text.startsWith(u'-');
    if (negative)
        text = text.mid(1);
    const qsizetype comma = std::max(text.lastIndexOf(u','), text.lastIndexOf(u'.'));
    if (comma > 0)
        text = text.left(comma);
    const qsizetype colon = text.indexOf(u':');
    if (colon < 1 || text.size() - colon != 6 || text[colon + 3] != u':')
        return std::nullopt;
    const QStringView hourText = text.left(colon);
    if (!std::all_of(hourText.begin(), hourText.end(),
                     [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    const std::optional<qint64> hours = wholeNumber(hourText);
    const int minutes = digitsAt(text, colon + 1), seconds = digitsAt(text, colon + 4);
    if (!hours || *hours > 9999 || minutes < 0 || seconds < 0)
        return std::nullopt;
    const int total = int(*hours * 3600 + minutes * 60 + seconds);
    return negative ? -total : total;
}

QString withoutTags(QString text) {
    static const QRegularExpression tags(QStringLiteral("<[^>]*>|\\{\\\\[^}]*\\}"));
    if (text.contains(u'<') || text.contains(u'{'))
        text.remove(tags);
    return text;
}

// A SubRip block's lines: the first two as they are, the rest on the third.
std::array<QString, 3> subRipLines(const QStringList& lines) {
    const QString blank = QStringLiteral(" ");
    std::array<QString, 3> out{lines.value(0, blank), lines.value(1, blank), blank};
    if (lines.size() > 2)
        out[2] = lines.mid(2).join(u' ');
    return out;
}

void parseSubRip(const QString& text, int offset, SubtitleParse& out) {
    std::optional<std::pair<int, int>> times;
    QStringList lines;
    qsizetype blockSize = 0;
    bool broken = false;
    auto finish = [&] {
        if (times)
            addTimed(out.table, times->first, times->second, offset, subRipLines(lines));
        else if (broken)
            ++out.skipped;
        times.reset();
        lines.clear();
        blockSize = 0;
        broken = false;
    };
    for (QStringView line : QStringTokenizer(text, u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty()) {
            finish();
            continue;
        }
        // A block's lines end up on one line of the screen: they share the
        // bound.
        if (line.size() > kMaxSubtitleLine ||
            (times && (blockSize += line.size() + 1) > kMaxSubtitleLine)) {
            ++out.longLines;
            continue;
        }
        if (const qsizetype arrow = line.indexOf(u"-->"); arrow >= 0 && !times) {
            const auto start = subRipSeconds(line.left(arrow));
            // Position hints may follow the end time.
            QStringView endText = line.mid(arrow + 3).trimmed();
            endText =
                endText.left(endText.indexOf(u' ') < 0 ? endText.size() : endText.indexOf(u' '));
            const auto end = subRipSeconds(endText);
            if (start && end)
                times = std::pair(*start, *end);
            else
                broken = true;
            continue;
        }
        if (times)
            lines.append(withoutTags(line.toString()));
    }
    finish();
}

// Text a movie's track gives as markup ("<i>", "&amp;"), as plain text.
QString plainText(const QString& markup) {
    QString text = withoutTags(markup);
    if (!text.contains(u'&'))
        return text;
    static const std::pair<const char16_t*, char16_t> entities[] = {
        {u"&lt;", u'<'}, {u"&gt;", u'>'}, {u"&quot;", u'"'}, {u"&apos;", u'\''}, {u"&amp;", u'&'}};
    for (const auto& [entity, character] : entities)
        text.replace(QString::fromUtf16(entity), QString(QChar(character)));
    return text;
}

} // namespace

void addTrackLine(SubtitleTable& table, double start, double end, const QString& text, int offset) {
    QStringList lines = plainText(text).split(u'\n', Qt::SkipEmptyParts);
    if (lines.isEmpty())
        return;
    const auto seconds = [](double at) { return int(std::clamp(std::trunc(at), 0.0, 1e9)); };
    addTimed(table, seconds(start), seconds(end), offset, subRipLines(lines));
}

SubtitleFormat subtitleFormatFor(const QString& fileName) {
    const QString ext = fileName.right(3).toUpper();
    if (ext == QLatin1String("VST"))
        return SubtitleFormat::TimeCoded;
    if (ext == QLatin1String("TXT") || ext == QLatin1String("SUB"))
        return SubtitleFormat::FrameCoded;
    if (ext == QLatin1String("SRT"))
        return SubtitleFormat::SubRip;
    return SubtitleFormat::Unknown;
}

SubtitleParse parseSubtitles(const QString& text, SubtitleFormat format, double frameRate,
                             int offset) {
    SubtitleParse out;
    switch (format) {
    case SubtitleFormat::TimeCoded:
        for (QStringView line : QStringTokenizer(text, u'\n')) {
            if (line.endsWith(u'\r'))
                line.chop(1);
            if (line.size() > kMaxSubtitleLine)
                ++out.longLines;
            else if (!line.trimmed().isEmpty() && !parseTimeCodedLine(line, offset, out.table))
                ++out.skipped;
        }
        break;
    case SubtitleFormat::FrameCoded:
        parseFrameCoded(text, frameRate > 0 ? frameRate : kFallbackFrameRate, offset, out);
        break;
    case SubtitleFormat::SubRip:
        parseSubRip(text, offset, out);
        break;
    case SubtitleFormat::Unknown:
        break;
    }
    return out;
}

SubtitleRead readSubtitleFile(const QString& path, int characterSetNumber, double frameRate,
                              int offset) {
    const QString name = QFileInfo(path).fileName();
    const SubtitleFormat format = subtitleFormatFor(path);
    if (format == SubtitleFormat::Unknown)
        return {std::nullopt, QStringLiteral("%1 is not a subtitle file: subtitles end in "
                                             ".vst, .txt, .sub or .srt.")
                                  .arg(name)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt,
                QStringLiteral("%1 cannot be read: %2").arg(name, file.errorString())};
    if (file.size() > kMaxFileBytes)
        return {std::nullopt, QStringLiteral("%1 is far too big to be subtitles.").arg(name)};
    const QString text = decodeSubtitleBytes(file.readAll(), characterSetNumber);
    SubtitleParse parse = parseSubtitles(text, format, frameRate, offset);
    const QString tooLong =
        parse.longLines == 0
            ? QString()
            : QStringLiteral("%1 line(s) of %2 are too long to be subtitles: skipped.")
                  .arg(parse.longLines)
                  .arg(name);
    if (parse.table.isEmpty())
        return {std::nullopt,
                (QStringLiteral("%1 holds no subtitle the player can read. ").arg(name) + tooLong)
                    .trimmed()};
    return {std::move(parse), tooLong};
}
