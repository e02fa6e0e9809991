// The skin's description file and the window outline its picture gives.
#include "skin/skin_description.h"
#include "skin/window_outline.h"
#include "test_support.h"

#include <QLocale>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using testsupport::writeFile;

namespace {

constexpr QRgb kMagenta = 0xffff00ff;

// A 20x10 picture with a two-pixel magenta border around grey.
QImage framedPicture(QImage::Format format = QImage::Format_RGB32) {
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(kMagenta);
    QPainter(&image).fillRect(2, 2, 16, 6, QColor(0xff808080));
    return image.convertToFormat(format);
}

QImage filled(int width, QRgb colour) {
    QImage image(width, 4, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

using Edges = QList<std::optional<double>>;

// An element's top, left, height and width in twips; empty where no line gave one.
Edges edges(const SkinDescription& d, SkinElement e) {
    const TwipsGeometry& g = d.element(e);
    return {g.topTwips, g.leftTwips, g.heightTwips, g.widthTwips};
}

} // namespace

// Each edge a distinct number: a key wired to the wrong element or field shows.
TEST(SkinDescription, EveryGeometryKeyReachesItsOwnElementAndEdge) {
    // In the order of SkinElement.
    const char* const names[] = {
        "Vol+",         "Vol-",        "Qbutton",   "VolMeter", "ScrollName", "SoundType",
        "TotalTime",    "ElapsedTime", "Previous",  "Play",     "Pause",      "Stop",
        "Next",         "Fscreen",     "Playlst",   "Open",     "Config",     "OpenPad",
        "ClosePlayer",  "MinPlayer",   "PadLeftUp", "PadUp",    "PadLeft",    "PadRight",
        "PadDownRight", "PadDown",     "SizeLabel", "Pbar"};
    ASSERT_EQ(std::size(names), std::size_t(kSkinElementCount));
    QString text;
    for (int e = 0; e < kSkinElementCount; ++e) {
        int n = e * 10;
        for (const char* edge : {"top", "left", "Height", "Width"})
            text += QStringLiteral("%1.%2=%3\n").arg(names[e], edge).arg(++n);
    }
    const SkinDescription d = parseSkinDescription(text);
    for (int e = 0; e < kSkinElementCount; ++e)
        EXPECT_EQ(edges(d, SkinElement(e)),
                  Edges({e * 10 + 1., e * 10 + 2., e * 10 + 3., e * 10 + 4.}))
            << names[e];
}

TEST(SkinDescription, KeysMatchInAsciiCaseOnlyTheLaterLineWinsColoursAreJudgedAtTheEnd) {
    const SkinDescription d = parseSkinDescription(
        u"name=One\r\nAuthor= Ann Lee\r\nPLAY.TOP=1\nvol+.LEFT=7\nfontcolorg=9\nName=Two\n"
        u"Play.top=2\n"
        u"\u017Ftop.top=5\n" // U+017F (long s) folds to "s" in Unicode
        u"Pause.top = 300\n" // blanks before "=" make no key
        u" Pause.left=5\nPause.Width=40\n");
    EXPECT_EQ(d.name, "Two");
    EXPECT_EQ(d.author, " Ann Lee"); // blanks after "=" belong to the value
    EXPECT_EQ(d.fontColorGreen, "9");
    EXPECT_EQ(edges(d, SkinElement::Play), Edges({2, {}, {}, {}}));
    EXPECT_EQ(edges(d, SkinElement::VolumeUp), Edges({{}, 7, {}, {}}));
    EXPECT_EQ(edges(d, SkinElement::Stop), Edges(4));
    EXPECT_EQ(edges(d, SkinElement::Pause), Edges({{}, {}, {}, 40}));

    // Lines that are no key set nothing; an empty value is a value.
    EXPECT_EQ(parseSkinDescription(u"[Skin]\n\nColour=red\nName\nPlay.top\n"), SkinDescription{});
    EXPECT_EQ(parseSkinDescription(u"Name=").name, QString(""));

    // Colours are judged once the file is read.
    const std::pair<const char16_t*, std::optional<int>> components[] = {
        {u"  ", 0}, {u" 128", 128}, {u"300", 255}, {u"12.6", 13}, {u"-1", {}}, {u"red", {}}};
    for (const auto& [text, component] : components)
        EXPECT_EQ(skinColorComponent(text), component) << QString::fromUtf16(text).toStdString();

    const SkinDescription scroll = parseSkinDescription(u"ScrollNameR=10\nScrollNameG=20\n"
                                                        u"ScrollNameB=30\nFontColorR=255\n");
    EXPECT_EQ(scroll.scrollNameColor(), QColor(10, 20, 30));
    EXPECT_EQ(scroll.fontColor(), QColor(255, 0, 0)) << "missing components count as zero";

    // A bad value replaces a good one and spoils only its own colour.
    const SkinDescription bad =
        parseSkinDescription(u"FontColorG=10\nFontColorG=green\nScrollNameB=9\n");
    EXPECT_EQ(bad.fontColorGreen, "green");
    EXPECT_FALSE(bad.fontColor().has_value());
    EXPECT_EQ(bad.scrollNameColor(), QColor(0, 0, 9));
}

TEST(SkinDescription, GeometryIsFractionalTwipsBadNumbersAreIgnoredLongValuesCut) {
    const SkinDescription d =
        parseSkinDescription(u"Vol+.left=1050.5\nVol+.top=   12.25\nPbar.Width=-0\n"
                             u"Stop.top=-30\n" // an edge may lie off the window
                             u"Play.top=300\nPlay.top=abc\nPlay.top=\nPlay.top=12px\n"
                             u"Play.top=inf\nPlay.top=nan\nPlay.top=1e300\n"
                             u"Play.Height=10\nPlay.Height=-5\nPlay.Width=-1\n");
    EXPECT_EQ(edges(d, SkinElement::VolumeUp), Edges({12.25, 1050.5, {}, {}}));
    EXPECT_EQ(edges(d, SkinElement::ProgressBar), Edges({{}, {}, {}, 0}));
    EXPECT_EQ(edges(d, SkinElement::Stop), Edges({-30, {}, {}, {}}));
    EXPECT_EQ(edges(d, SkinElement::Play), Edges({300, {}, 10, {}}));

    // The decimal comma of the user's locale, after ".".
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(skinTwipsValue(u"1050,5", false), 1050.5);
    EXPECT_EQ(skinTwipsValue(u"1050.5", false), 1050.5);
    QLocale::setDefault(QLocale::c());
    EXPECT_FALSE(skinTwipsValue(u"1050,5", false).has_value());
    QLocale::setDefault(saved);

    // Long values are cut to 255 characters, never splitting a surrogate pair.
    const QString value(300, u'x');
    const SkinDescription cut = parseSkinDescription(QString("Comment=" + value + "\nName=ok"));
    EXPECT_EQ(cut.comment, value.left(255));
    EXPECT_EQ(cut.name, "ok");
    // A long number is cut too, and what remains is read.
    const SkinDescription n =
        parseSkinDescription(QString("Play.top=" + QString(254, u' ') + "7" + "999"));
    EXPECT_EQ(n.element(SkinElement::Play).topTwips, 7.0);
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // two UTF-16 units
    const SkinDescription e =
        parseSkinDescription(QString("Name=" + QString(254, u'a') + emoji + "tail"));
    EXPECT_EQ(e.name, QString(254, u'a'));
}

TEST(SkinDescription, ReadsTheFolderFileInUtf8OrLatin1AndAppliesNothingWithoutOne) {
    QTemporaryDir dir;
    writeFile(dir.filePath("VSkin.ini"), "\xEF\xBB\xBFName=Caf\xC3\xA9\r\nPlay."
                                         "top=300\rStop.left=15\nFontColorB=7");
    const SkinDescription d = readSkinDescription(dir.path());
    EXPECT_EQ(d.name, QString::fromUtf8("Caf\xC3\xA9"));
    EXPECT_EQ(d.element(SkinElement::Play).topTwips, 300.0);
    EXPECT_EQ(d.element(SkinElement::Stop).leftTwips, 15.0);
    EXPECT_EQ(d.fontColor(), QColor(0, 0, 7));

    QTemporaryDir latin1;
    writeFile(latin1.filePath("vskin.INI"), "Author=Jos\xE9\n");
    EXPECT_EQ(readSkinDescription(latin1.path()).author, QString::fromUtf8("Jos\xC3\xA9"));

    QTemporaryDir empty;
    for (const QString& folder : {empty.path(), empty.filePath("absent"), QString()})
        EXPECT_EQ(readSkinDescription(folder), SkinDescription{}) << folder.toStdString();

    // A huge file is read only as far as the limit.
    QByteArray bytes = "Name=Big\n" + QByteArray(2 << 20, 'z') + "\nAuthor=Late\n";
    writeFile(dir.filePath("VSkin.ini"), bytes);
    const SkinDescription big = readSkinDescription(dir.path());
    EXPECT_EQ(big.name, "Big");
    EXPECT_FALSE(big.author.has_value());
}

TEST(WindowOutline, IsThePictureLessItsPureMagentaPixels) {
    const QRegion inner(2, 2, 16, 6);
    QImage holed = framedPicture();
    holed.setPixel(10, 5, kMagenta);  // a hole inside
    holed.setPixel(0, 9, 0xff000000); // a lone corner pixel
    QImage alpha = framedPicture(QImage::Format_ARGB32);
    alpha.setPixel(0, 0, 0x00ff00ff); // transparent magenta is still the key
    alpha.setPixel(5, 5, 0x00808080); // transparent grey is still the window
    QImage nearly(3, 1, QImage::Format_RGB32);
    nearly.setPixel(0, 0, 0xfffe00ff);
    nearly.setPixel(1, 0, kMagenta);
    nearly.setPixel(2, 0, 0xffff01ff);

    const struct {
        const char* what;
        QImage picture;
        QRegion outline;
    } cases[] = {
        {"a magenta border", framedPicture(), inner},
        {"a palette picture", framedPicture(QImage::Format_Indexed8), inner},
        {"a picture with alpha", alpha, inner},
        {"a hole and a stray pixel", holed,
         inner.subtracted(QRegion(10, 5, 1, 1)).united(QRegion(0, 9, 1, 1))},
        {"nearly magenta", nearly, QRegion(0, 0, 1, 1).united(QRegion(2, 0, 1, 1))},
        {"all magenta", filled(4, kMagenta), QRegion()},
        {"no magenta", filled(4, 0xffffffff), QRegion(0, 0, 4, 4)},
        {"no picture", QImage(), QRegion()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(windowOutlineRegion(c.picture), c.outline) << c.what;
}
