#include "skin/skin_description.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

const TwipsGeometry& geometryOf(const SkinDescription& d, SkinElement e) {
    return d.element(e);
}

} // namespace

TEST(SkinDescription, VocabularyIsCompleteAndPrefixFree) {
    const QStringList keys = skinDescriptionKeys();
    ASSERT_EQ(keys.size(), 3 + 3 + kSkinElementCount * 4 + 3);
    for (const QString& a : keys) {
        EXPECT_TRUE(a.endsWith('='));
        for (const QString& b : keys) {
            if (&a != &b) {
                EXPECT_FALSE(b.startsWith(a, Qt::CaseInsensitive)) << qPrintable(a + " " + b);
            }
        }
    }
}

TEST(SkinDescription, EveryGeometryKeyReachesItsOwnElementAndEdge) {
    // Each edge of each element gets a distinct number, so a key wired to the
    // wrong field shows up as a wrong value somewhere.
    QString text;
    for (int e = 0; e < kSkinElementCount; ++e) {
        const QString name = skinElementName(SkinElement(e));
        text += QStringLiteral("%1.top=%2\n%1.left=%3\n%1.Height=%4\n%1.Width=%5\n")
                    .arg(name)
                    .arg(e * 10 + 1)
                    .arg(e * 10 + 2)
                    .arg(e * 10 + 3)
                    .arg(e * 10 + 4);
    }
    const SkinDescription d = parseSkinDescription(text);
    for (int e = 0; e < kSkinElementCount; ++e) {
        const TwipsGeometry& g = geometryOf(d, SkinElement(e));
        EXPECT_EQ(g.topTwips, e * 10 + 1) << e;
        EXPECT_EQ(g.leftTwips, e * 10 + 2) << e;
        EXPECT_EQ(g.heightTwips, e * 10 + 3) << e;
        EXPECT_EQ(g.widthTwips, e * 10 + 4) << e;
    }
    EXPECT_FALSE(d.name.has_value());
}

TEST(SkinDescription, TextAndColourKeys) {
    const SkinDescription d = parseSkinDescription(u"Name=Dark\r\n"
                                                   u"Author= Ann Lee\r\n"
                                                   u"Comment=Night, blue\r\n"
                                                   u"ScrollNameR=10\r\n"
                                                   u"ScrollNameG=20\r\n"
                                                   u"ScrollNameB=30\r\n"
                                                   u"FontColorR=40\r\n"
                                                   u"FontColorG=50\r\n"
                                                   u"FontColorB=60\r\n");
    EXPECT_EQ(d.name, "Dark");
    EXPECT_EQ(d.author, " Ann Lee"); // blanks after "=" belong to the value
    EXPECT_EQ(d.comment, "Night, blue");
    EXPECT_EQ(d.scrollNameRed, "10");
    EXPECT_EQ(d.fontColorBlue, "60");
    EXPECT_EQ(d.scrollNameColor(), QColor(10, 20, 30));
    EXPECT_EQ(d.fontColor(), QColor(40, 50, 60));
}

TEST(SkinDescription, KeysIgnoreLetterCase) {
    const SkinDescription d =
        parseSkinDescription(u"name=Dark\nPLAY.TOP=300\nvol+.LEFT=7\nfontcolorg=9\n");
    EXPECT_EQ(d.name, "Dark");
    EXPECT_EQ(d.element(SkinElement::Play).topTwips, 300.0);
    EXPECT_EQ(d.element(SkinElement::VolumeUp).leftTwips, 7.0);
    EXPECT_EQ(d.fontColorGreen, "9");
}

TEST(SkinDescription, OnlyAsciiLettersFoldCase) {
    // U+017F (long s) folds to "s" in Unicode, but is not an "s".
    const SkinDescription d = parseSkinDescription(u"\u017Ftop.top=5\n");
    EXPECT_FALSE(d.element(SkinElement::Stop).topTwips.has_value());
}

TEST(SkinDescription, BlanksBeforeTheEqualsSignAreNotAKey) {
    const SkinDescription d =
        parseSkinDescription(u"Play.top = 300\n Play.left=5\nPlay.Width=40\n");
    EXPECT_FALSE(d.element(SkinElement::Play).topTwips.has_value());
    EXPECT_FALSE(d.element(SkinElement::Play).leftTwips.has_value());
    EXPECT_EQ(d.element(SkinElement::Play).widthTwips, 40.0);
}

TEST(SkinDescription, GeometryIsFractionalTwipsWithLeadingBlanks) {
    const SkinDescription d =
        parseSkinDescription(u"Vol+.left=1050.5\nVol+.top=   12.25\nPbar.Width=-0\nStop.top=-30\n");
    EXPECT_EQ(d.element(SkinElement::VolumeUp).leftTwips, 1050.5);
    EXPECT_EQ(d.element(SkinElement::VolumeUp).topTwips, 12.25);
    EXPECT_EQ(d.element(SkinElement::ProgressBar).widthTwips, 0.0);
    EXPECT_EQ(d.element(SkinElement::Stop).topTwips,
              -30.0); // an edge may lie off the window
}

TEST(SkinDescription, ABadNumberHasNoEffect) {
    const SkinDescription d = parseSkinDescription(u"Play.top=300\n"
                                                   u"Play.top=abc\n"
                                                   u"Play.top=\n"
                                                   u"Play.top=12px\n"
                                                   u"Play.top=inf\n"
                                                   u"Play.top=nan\n"
                                                   u"Play.top=1e300\n"
                                                   u"Play.Height=10\n"
                                                   u"Play.Height=-5\n"
                                                   u"Play.Width=-1\n");
    EXPECT_EQ(d.element(SkinElement::Play).topTwips, 300.0);
    EXPECT_EQ(d.element(SkinElement::Play).heightTwips, 10.0);
    EXPECT_FALSE(d.element(SkinElement::Play).widthTwips.has_value());
}

TEST(SkinDescription, DecimalCommaOfTheUserLocale) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(skinTwipsValue(u"1050,5", false), 1050.5);
    EXPECT_EQ(skinTwipsValue(u"1050.5", false), 1050.5); // "." is read first
    QLocale::setDefault(QLocale::c());
    EXPECT_FALSE(skinTwipsValue(u"1050,5", false).has_value());
    QLocale::setDefault(saved);
}

TEST(SkinDescription, LaterLineWins) {
    const SkinDescription d = parseSkinDescription(u"Name=One\nPlay.top=1\nName=Two\nPlay.top=2\n");
    EXPECT_EQ(d.name, "Two");
    EXPECT_EQ(d.element(SkinElement::Play).topTwips, 2.0);
}

TEST(SkinDescription, UnknownBlankAndSectionLinesAreIgnored) {
    SkinDescriptionParser parser;
    EXPECT_FALSE(parser.parseLine(u"[Skin]"));
    EXPECT_FALSE(parser.parseLine(u""));
    EXPECT_FALSE(parser.parseLine(u"Colour=red"));
    EXPECT_FALSE(parser.parseLine(u"Name"));
    EXPECT_FALSE(parser.parseLine(u"Play.top"));
    EXPECT_TRUE(parser.parseLine(u"Name="));
    EXPECT_EQ(parser.description().name, QString(""));
    EXPECT_FALSE(parser.description().author.has_value());
}

TEST(SkinDescription, LongValuesAreCutTo255Characters) {
    const QString value(300, u'x');
    const SkinDescription d = parseSkinDescription(QString("Comment=" + value + "\nName=ok"));
    ASSERT_TRUE(d.comment.has_value());
    EXPECT_EQ(d.comment->size(), 255);
    EXPECT_EQ(*d.comment, value.left(255));
    EXPECT_EQ(d.name, "ok");
    // A long number is cut too, and what remains is read.
    const SkinDescription n =
        parseSkinDescription(QString("Play.top=" + QString(254, u' ') + "7" + "999"));
    EXPECT_EQ(n.element(SkinElement::Play).topTwips, 7.0);
}

TEST(SkinDescription, CutNeverSplitsASurrogatePair) {
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // two UTF-16 units
    const QString value = QString(254, u'a') + emoji + "tail";
    const SkinDescription d = parseSkinDescription(QString("Name=" + value));
    ASSERT_TRUE(d.name.has_value());
    EXPECT_EQ(*d.name, QString(254, u'a'));
}

TEST(SkinDescription, ColourComponents) {
    EXPECT_EQ(skinColorComponent(u""), 0);
    EXPECT_EQ(skinColorComponent(u"  "), 0);
    EXPECT_EQ(skinColorComponent(u" 128"), 128);
    EXPECT_EQ(skinColorComponent(u"300"), 255);
    EXPECT_EQ(skinColorComponent(u"12.6"), 13);
    EXPECT_FALSE(skinColorComponent(u"-1").has_value());
    EXPECT_FALSE(skinColorComponent(u"red").has_value());
}

TEST(SkinDescription, MissingComponentsCountAsZeroAndBadOnesSpoilOnlyTheirColour) {
    const SkinDescription red = parseSkinDescription(u"FontColorR=255\n");
    EXPECT_EQ(red.fontColor(), QColor(255, 0, 0));
    EXPECT_EQ(red.scrollNameColor(), QColor(0, 0, 0));

    const SkinDescription bad = parseSkinDescription(u"FontColorG=green\nScrollNameB=9\n");
    EXPECT_FALSE(bad.fontColor().has_value());
    EXPECT_EQ(bad.scrollNameColor(), QColor(0, 0, 9));
}

TEST(SkinDescription, ColourTextIsKeptUntilTheEnd) {
    // A bad value replaces a good one: the text is judged only once the file is
    // read.
    const SkinDescription d = parseSkinDescription(u"FontColorR=10\nFontColorR=oops\n");
    EXPECT_EQ(d.fontColorRed, "oops");
    EXPECT_FALSE(d.fontColor().has_value());
}

TEST(SkinDescription, ReadsTheFolderFile) {
    QTemporaryDir dir;
    writeFile(dir.filePath("VSkin.ini"), "\xEF\xBB\xBFName=Caf\xC3\xA9\r\nPlay."
                                         "top=300\rStop.left=15\nFontColorB=7");
    const SkinDescription d = readSkinDescription(dir.path());
    EXPECT_EQ(d.name, QString::fromUtf8("Caf\xC3\xA9"));
    EXPECT_EQ(d.element(SkinElement::Play).topTwips, 300.0);
    EXPECT_EQ(d.element(SkinElement::Stop).leftTwips, 15.0);
    EXPECT_EQ(d.fontColor(), QColor(0, 0, 7));
}

TEST(SkinDescription, Latin1FileAndNameInAnotherCase) {
    QTemporaryDir dir;
    writeFile(dir.filePath("vskin.INI"), "Author=Jos\xE9\n");
    const SkinDescription d = readSkinDescription(dir.path());
    EXPECT_EQ(d.author, QString::fromUtf8("Jos\xC3\xA9"));
}

TEST(SkinDescription, MissingFileAppliesNothing) {
    QTemporaryDir dir;
    EXPECT_EQ(readSkinDescription(dir.path()), SkinDescription{});
    EXPECT_EQ(readSkinDescription(dir.filePath("absent")), SkinDescription{});
    EXPECT_EQ(readSkinDescription(QString()), SkinDescription{});
}

TEST(SkinDescription, HugeFileIsReadOnlyAsFarAsTheLimit) {
    QTemporaryDir dir;
    QByteArray bytes = "Name=Big\n";
    bytes += QByteArray(2 << 20, 'z');
    bytes += "\nAuthor=Late\n";
    writeFile(dir.filePath("VSkin.ini"), bytes);
    const SkinDescription d = readSkinDescription(dir.path());
    EXPECT_EQ(d.name, "Big");
    EXPECT_FALSE(d.author.has_value());
}
