// Checks a skin folder the way the player will use it: every file there,
// every element placed, pictures the size of their elements, elements
// inside the window's outline and clear of each other.
#include "skingen.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <QRegularExpression>
#include <QTextStream>
#include <cmath>
#include <map>
#include <optional>

namespace {

bool isKey(QRgb pixel) {
    return (pixel & 0xFFFFFF) == kKeyColor;
}

class Report {
  public:
    explicit Report(QTextStream& out) : out_(out) {}
    void fault(const QString& text) {
        out_ << "  fault: " << text << '\n';
        ++faults_;
    }
    void warn(const QString& text) { out_ << "  warning: " << text << '\n'; }
    void note(const QString& text) { out_ << "  " << text << '\n'; }
    int faults() const { return faults_; }

  private:
    QTextStream& out_;
    int faults_ = 0;
};

// A file of the folder by name, letter case ignored as the player does.
QString findFile(const QDir& dir, const QString& name) {
    if (QFile::exists(dir.filePath(name)))
        return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return {};
}

// "Key=value" lines; keys are kept in lower case, a later line wins.
std::map<QString, QString> readDescription(const QString& path) {
    std::map<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return keys;
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const QString text = QString::fromUtf8(bytes);
    for (QString line : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || line.startsWith(QLatin1Char(';')))
            continue;
        keys[line.left(eq).toLower()] = line.mid(eq + 1);
    }
    return keys;
}

std::optional<double> number(const std::map<QString, QString>& keys, const QString& key) {
    const auto it = keys.find(key.toLower());
    if (it == keys.end())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(it->second.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Relative luminance and contrast ratio as used for legible text.
double luminance(const QColor& c) {
    auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor averageColor(const QImage& image, const QRect& r) {
    double red = 0, green = 0, blue = 0;
    int count = 0;
    const QRect clipped = r.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            red += qRed(pixel);
            green += qGreen(pixel);
            blue += qBlue(pixel);
            ++count;
        }
    }
    if (count == 0)
        return {};
    return QColor(int(std::lround(red / count)), int(std::lround(green / count)),
                  int(std::lround(blue / count)));
}

QString rectText(const QRect& r) {
    return QStringLiteral("%1x%2 at (%3,%4)").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
}

struct Picture {
    QString name;
    QImage image;
};

enum class Spelling { AnyCase, Exact };

std::optional<Picture> loadPicture(const QDir& dir, const QString& name, Report& report,
                                   Spelling spelling = Spelling::AnyCase) {
    const QString path = findFile(dir, name);
    if (path.isEmpty()) {
        report.fault(QStringLiteral("%1 is missing").arg(name));
        return std::nullopt;
    }
    if (spelling == Spelling::Exact && QFileInfo(path).fileName() != name) {
        report.fault(QStringLiteral("%1 must be spelled exactly so, not %2")
                         .arg(name, QFileInfo(path).fileName()));
        return std::nullopt;
    }
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.read(2) != "BM")
        report.warn(QStringLiteral("%1 is not a Windows bitmap; the player reads it by its content")
                        .arg(name));
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull()) {
        report.fault(QStringLiteral("%1 cannot be read: %2").arg(name, reader.errorString()));
        return std::nullopt;
    }
    return Picture{name, image.convertToFormat(QImage::Format_RGB32)};
}

} // namespace

int checkSkinFolder(const QString& folder, QTextStream& out) {
    const QDir dir(folder);
    out << dir.path() << '\n';
    Report report(out);

    // The description.
    const QString descriptionPath = findFile(dir, QString::fromLatin1(kDescriptionFile));
    if (descriptionPath.isEmpty()) {
        report.fault(QStringLiteral("VSkin.ini is missing"));
        return report.faults();
    }
    const auto keys = readDescription(descriptionPath);
    for (const char* key : {"Name", "Author", "Comment"}) {
        if (!keys.count(QString::fromLatin1(key).toLower()))
            report.warn(QStringLiteral("no %1= line").arg(QLatin1String(key)));
    }
    // A missing or empty component counts as 0 and one above 255 as 255;
    // one that is not a number leaves the colour unchanged.
    auto color = [&](const QString& prefix) -> std::optional<QColor> {
        int rgb[3] = {0, 0, 0};
        bool usable = true;
        for (int i = 0; i < 3; ++i) {
            const QString key = prefix + QLatin1Char("RGB"[i]);
            const auto text = keys.find(key.toLower());
            if (text == keys.end() || text->second.trimmed().isEmpty()) {
                report.warn(QStringLiteral("no value for %1=, taken as 0").arg(key));
                continue;
            }
            const auto value = number(keys, key);
            if (!value || *value < 0) {
                report.fault(
                    QStringLiteral("%1=%2 is not a colour component").arg(key, text->second));
                usable = false;
                continue;
            }
            if (*value > 255)
                report.warn(QStringLiteral("%1=%2 is taken as 255").arg(key, text->second));
            rgb[i] = int(std::lround(std::min(*value, 255.0)));
        }
        return usable ? std::optional<QColor>(QColor(rgb[0], rgb[1], rgb[2])) : std::nullopt;
    };
    const auto fontColor = color(QStringLiteral("FontColor"));
    const auto scrollColor = color(QStringLiteral("ScrollName"));

    std::array<std::optional<QRect>, kElementCount> rects;
    int geometryKeys = 0;
    for (int i = 0; i < kElementCount; ++i) {
        const QString name = elementName(Element(i));
        std::array<std::optional<int>, 4> px;
        const char* edges[] = {".top", ".left", ".Height", ".Width"};
        for (int k = 0; k < 4; ++k) {
            const QString key = name + QLatin1String(edges[k]);
            const auto twips = number(keys, key);
            if (!twips) {
                report.fault(QStringLiteral("%1= is missing or not a number").arg(key));
                continue;
            }
            ++geometryKeys;
            if (std::fmod(*twips, kTwipsPerPixel) != 0)
                report.warn(QStringLiteral("%1=%2 is not a whole number of pixels (15 twips each)")
                                .arg(key)
                                .arg(*twips));
            px[std::size_t(k)] = int(std::lround(*twips / kTwipsPerPixel));
        }
        if (px[0] && px[1] && px[2] && px[3])
            rects[std::size_t(i)] = QRect(*px[1], *px[0], *px[3], *px[2]);
    }

    // The pictures.
    auto base = loadPicture(dir, QString::fromLatin1(kBaseFile), report);
    if (base)
        report.note(QStringLiteral("base.bmp %1x%2, %3 of 112 geometry keys")
                        .arg(base->image.width())
                        .arg(base->image.height())
                        .arg(geometryKeys));

    auto sizeMustBe = [&](const std::optional<Picture>& picture, Element e) {
        const auto& r = rects[std::size_t(e)];
        if (!picture || !r)
            return;
        if (picture->image.size() != r->size())
            report.fault(QStringLiteral("%1 is %2x%3 but %4 is %5x%6")
                             .arg(picture->name)
                             .arg(picture->image.width())
                             .arg(picture->image.height())
                             .arg(elementName(e))
                             .arg(r->width())
                             .arg(r->height()));
    };

    for (int i = 0; i < kElementCount; ++i) {
        const QString name = pressedPictureName(Element(i));
        if (name.isEmpty())
            continue;
        const auto pressed = loadPicture(dir, name, report);
        sizeMustBe(pressed, Element(i));
        const auto& r = rects[std::size_t(i)];
        if (pressed && base && r && pressed->image.size() == r->size()) {
            const QImage released = base->image.copy(*r);
            if (released == pressed->image)
                report.warn(QStringLiteral("%1 looks the same as base.bmp there").arg(name));
            bool keyInside = false;
            for (int y = 0; y < r->height() && !keyInside; ++y)
                for (int x = 0; x < r->width(); ++x)
                    if (isKey(pressed->image.pixel(x, y)) && !isKey(released.pixel(x, y)))
                        keyInside = true;
            if (keyInside)
                report.warn(
                    QStringLiteral("%1 shows key-colour pixels inside the window").arg(name));
        }
    }
    for (int level = 1; level <= kVolumeLevels; ++level)
        sizeMustBe(loadPicture(dir, volumePictureName(level), report), Element::VolumeMeter);
    for (const QString& name : audioModePictureNames())
        sizeMustBe(loadPicture(dir, name, report), Element::SoundType);

    // The seek bar reads its two pictures by their exact names.
    const auto back =
        loadPicture(dir, QString::fromLatin1(kProgressBackFile), report, Spelling::Exact);
    const auto bar =
        loadPicture(dir, QString::fromLatin1(kProgressBarFile), report, Spelling::Exact);
    if (back && bar && back->image.size() != bar->image.size())
        report.fault(QStringLiteral("ProgressBar.bmp and ProgressBack.bmp differ in size"));
    auto& pbar = rects[std::size_t(Element::ProgressBar)];
    if (back && pbar && back->image.size() != pbar->size()) {
        report.warn(QStringLiteral("Pbar is %1x%2 in VSkin.ini; the player uses ProgressBack.bmp's "
                                   "%3x%4")
                        .arg(pbar->width())
                        .arg(pbar->height())
                        .arg(back->image.width())
                        .arg(back->image.height()));
        pbar->setSize(back->image.size());
    }

    // Placement against the outline and each other.
    if (base) {
        const QImage& image = base->image;
        for (int i = 0; i < kElementCount; ++i) {
            const auto& r = rects[std::size_t(i)];
            if (!r)
                continue;
            const QString name = elementName(Element(i));
            if (r->isEmpty()) {
                report.fault(QStringLiteral("%1 has no area").arg(name));
                continue;
            }
            if (!image.rect().contains(*r)) {
                report.fault(
                    QStringLiteral("%1 (%2) reaches outside base.bmp").arg(name, rectText(*r)));
                continue;
            }
            int cut = 0;
            for (int y = r->top(); y <= r->bottom(); ++y)
                for (int x = r->left(); x <= r->right(); ++x)
                    cut += isKey(image.pixel(x, y)) ? 1 : 0;
            if (cut > 0)
                report.fault(QStringLiteral("%1 (%2) covers %3 cut-out pixels")
                                 .arg(name, rectText(*r))
                                 .arg(cut));
        }

        // Pink fringe: near-key pixels next to the cut-out stay visible.
        int fringe = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (isKey(p) || qRed(p) < 160 || qBlue(p) < 160 || qGreen(p) > 96)
                    continue;
                bool nearKey = false;
                for (int dy = -1; dy <= 1 && !nearKey; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const QPoint q(x + dx, y + dy);
                        if (image.rect().contains(q) && isKey(image.pixel(q)))
                            nearKey = true;
                    }
                fringe += nearKey ? 1 : 0;
            }
        }
        if (fringe > 0)
            report.warn(QStringLiteral("%1 pinkish pixels along the outline; draw the outline "
                                       "without antialiasing")
                            .arg(fringe));

        // Labels are drawn by the player in the font colour with no
        // background of their own.
        for (Element e : {Element::ElapsedTime, Element::TotalTime, Element::SizeLabel}) {
            const auto& r = rects[std::size_t(e)];
            if (!r || !image.rect().contains(*r))
                continue;
            if (r->height() < 14)
                report.warn(QStringLiteral("%1 is %2 px tall; an 8 pt label needs about 14")
                                .arg(elementName(e))
                                .arg(r->height()));
            if (fontColor) {
                const double ratio = contrast(*fontColor, averageColor(image, *r));
                if (ratio < 3)
                    report.warn(QStringLiteral("%1: font colour has a contrast of only %2:1 "
                                               "against base.bmp there")
                                    .arg(elementName(e))
                                    .arg(ratio, 0, 'f', 1));
            }
        }
    }
    if (fontColor && scrollColor && contrast(*fontColor, *scrollColor) < 3)
        report.warn(QStringLiteral("the scrolling name's colours have a contrast below 3:1"));

    for (int i = 0; i < kElementCount; ++i) {
        for (int j = i + 1; j < kElementCount; ++j) {
            const auto& a = rects[std::size_t(i)];
            const auto& b = rects[std::size_t(j)];
            if (a && b && a->intersects(*b))
                report.fault(QStringLiteral("%1 (%2) overlaps %3 (%4)")
                                 .arg(elementName(Element(i)), rectText(*a),
                                      elementName(Element(j)), rectText(*b)));
        }
    }

    report.note(report.faults() == 0 ? QStringLiteral("ok")
                                     : QStringLiteral("%1 faults").arg(report.faults()));
    return report.faults();
}
