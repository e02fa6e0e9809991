#include "skin/skin_description.h"

#include "skin/skin_files.h"

#include <QFile>
#include <QLocale>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Spelling of the elements in the file, in SkinElement order.
constexpr std::array<const char*, kSkinElementCount> kElementNames = {
    "Vol+",        "Vol-",     "Qbutton",  "VolMeter",     "ScrollName",  "SoundType", "TotalTime",
    "ElapsedTime", "Previous", "Play",     "Pause",        "Stop",        "Next",      "Fscreen",
    "Playlst",     "Open",     "Config",   "OpenPad",      "ClosePlayer", "MinPlayer", "PadLeftUp",
    "PadUp",       "PadLeft",  "PadRight", "PadDownRight", "PadDown",     "SizeLabel", "Pbar",
};

// Far beyond any screen (about 1.3 million pixels), and small enough that
// converting to pixels can never overflow an int.
constexpr double kMaxTwips = 2.0e7;

// Reading stops here: a description file is a few kilobytes, and a huge or
// endless file must not be taken into memory whole.
constexpr qint64 kMaxFileBytes = 1 << 20;

enum class Kind { Text, Color, Geometry };
enum class Edge { Top, Left, Height, Width };

struct KeyRule {
    QString key;
    Kind kind;
    std::optional<QString> SkinDescription::*text = nullptr;
    QString SkinDescription::*color = nullptr;
    int element = 0;
    Edge edge = Edge::Top;
};

std::vector<KeyRule> makeRules() {
    std::vector<KeyRule> rules;
    auto text = [&](const char* key, std::optional<QString> SkinDescription::*field) {
        rules.push_back({QString::fromLatin1(key), Kind::Text, field, nullptr, 0, Edge::Top});
    };
    auto color = [&](const char* key, QString SkinDescription::*field) {
        rules.push_back({QString::fromLatin1(key), Kind::Color, nullptr, field, 0, Edge::Top});
    };
    text("Name=", &SkinDescription::name);
    text("Author=", &SkinDescription::author);
    text("Comment=", &SkinDescription::comment);
    color("ScrollNameR=", &SkinDescription::scrollNameRed);
    color("ScrollNameG=", &SkinDescription::scrollNameGreen);
    color("ScrollNameB=", &SkinDescription::scrollNameBlue);
    static constexpr std::pair<const char*, Edge> kEdges[] = {{".top=", Edge::Top},
                                                              {".left=", Edge::Left},
                                                              {".Height=", Edge::Height},
                                                              {".Width=", Edge::Width}};
    for (int element = 0; element < kSkinElementCount; ++element) {
        for (const auto& [suffix, edge] : kEdges) {
            rules.push_back(
                {QString::fromLatin1(kElementNames[std::size_t(element)]) + QLatin1String(suffix),
                 Kind::Geometry, nullptr, nullptr, element, edge});
        }
    }
    color("FontColorR=", &SkinDescription::fontColorRed);
    color("FontColorG=", &SkinDescription::fontColorGreen);
    color("FontColorB=", &SkinDescription::fontColorBlue);
    return rules;
}

const std::vector<KeyRule>& rules() {
    static const std::vector<KeyRule> table = makeRules();
    return table;
}

// Letter case is ignored for ASCII only: Unicode folding would let "ſ" or
// the Kelvin sign stand for "s" and "k".
bool startsWithKey(QStringView line, const QString& key) {
    if (line.size() < key.size())
        return false;
    for (qsizetype i = 0; i < key.size(); ++i) {
        char16_t a = line[i].unicode();
        char16_t b = key[i].unicode();
        if (a >= u'A' && a <= u'Z')
            a = char16_t(a + (u'a' - u'A'));
        if (b >= u'A' && b <= u'Z')
            b = char16_t(b + (u'a' - u'A'));
        if (a != b)
            return false;
    }
    return true;
}

// Cuts to the longest kept value without splitting a surrogate pair.
QString cutValue(QStringView value) {
    if (value.size() <= kSkinValueMaxLength)
        return value.toString();
    qsizetype length = kSkinValueMaxLength;
    if (value[length - 1].isHighSurrogate())
        --length;
    return value.left(length).toString();
}

std::optional<double> parseNumber(QStringView text) {
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    // "." first: skin files travel between machines whatever their locale.
    double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<QColor> colorFrom(const QString& red, const QString& green, const QString& blue) {
    const auto r = skinColorComponent(red);
    const auto g = skinColorComponent(green);
    const auto b = skinColorComponent(blue);
    if (!r || !g || !b)
        return std::nullopt;
    return QColor(*r, *g, *b);
}

} // namespace

QString skinElementName(SkinElement element) {
    const auto index = std::size_t(element);
    return index < kElementNames.size() ? QString::fromLatin1(kElementNames[index]) : QString();
}

std::optional<int> skinColorComponent(QStringView text) {
    if (text.trimmed().isEmpty())
        return 0;
    const auto value = parseNumber(text);
    if (!value || *value < 0)
        return std::nullopt;
    return int(std::lround(std::min(*value, 255.0)));
}

std::optional<double> skinTwipsValue(QStringView text, bool isSize) {
    const auto value = parseNumber(text);
    if (!value || std::abs(*value) > kMaxTwips || (isSize && *value < 0))
        return std::nullopt;
    return value;
}

std::optional<QColor> SkinDescription::fontColor() const {
    return colorFrom(fontColorRed, fontColorGreen, fontColorBlue);
}

std::optional<QColor> SkinDescription::scrollNameColor() const {
    return colorFrom(scrollNameRed, scrollNameGreen, scrollNameBlue);
}

bool SkinDescriptionParser::parseLine(QStringView line) {
    for (const KeyRule& rule : rules()) {
        if (!startsWithKey(line, rule.key))
            continue;
        const QString value = cutValue(line.mid(rule.key.size()));
        switch (rule.kind) {
        case Kind::Text:
            description_.*rule.text = value;
            break;
        case Kind::Color:
            description_.*rule.color = value;
            break;
        case Kind::Geometry: {
            TwipsGeometry& g = description_.geometry[std::size_t(rule.element)];
            const bool isSize = rule.edge == Edge::Height || rule.edge == Edge::Width;
            const auto twips = skinTwipsValue(value, isSize);
            if (!twips)
                break; // a bad number leaves the edge as it was
            switch (rule.edge) {
            case Edge::Top:
                g.topTwips = twips;
                break;
            case Edge::Left:
                g.leftTwips = twips;
                break;
            case Edge::Height:
                g.heightTwips = twips;
                break;
            case Edge::Width:
                g.widthTwips = twips;
                break;
            }
            break;
        }
        }
        return true; // no key is a prefix of another, so the first match is the
                     // only one
    }
    return false;
}

void SkinDescriptionParser::parseText(QStringView text) {
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        parseLine(text.mid(start, end - start));
        if (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
}

QStringList skinDescriptionKeys() {
    QStringList keys;
    for (const KeyRule& rule : rules())
        keys.append(rule.key);
    return keys;
}

SkinDescription parseSkinDescription(QStringView text) {
    SkinDescriptionParser parser;
    parser.parseText(text);
    return parser.description();
}

SkinDescription readSkinDescription(const QString& skinFolder) {
    const QString path = findSkinFile(skinFolder, QString::fromUtf16(kSkinDescriptionFileName));
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes) {
        // Keep whole lines only, so a character cut in two cannot spoil the
        // decoding of the rest.
        bytes.truncate(kMaxFileBytes);
        const qsizetype lastBreak = std::max(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r'));
        bytes.truncate(lastBreak < 0 ? 0 : lastBreak);
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3); // a byte order mark would hide the first key
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return parseSkinDescription(text);
}
