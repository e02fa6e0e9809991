// Subtitle files into the table: the three forms, their rounding, broken lines, real code pages.
#include "subtitles/subtitle_codec.h"
#include "subtitles/subtitle_file.h"
#include "test_support.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>

namespace {

SubtitleParse parse(const char* text, SubtitleFormat format, int offset = 0,
                    double frameRate = 25) {
    return parseSubtitles(QString::fromUtf8(text), format, frameRate, offset);
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    return testsupport::writeFile(dir.filePath(name), bytes);
}

// The file at 25 frames a second, no delay, in `characterSet`.
SubtitleRead read(const QString& path, int characterSet = 0) {
    return readSubtitleFile(path, characterSet, 25, 0);
}

} // namespace

// A start goes to the even neighbour of start + delay - 0.5, an end is end + delay.
TEST(SubtitleFile, EntriesTakeTheirTimesFromTheLineTheRateAndTheDelay) {
    constexpr auto T = SubtitleFormat::TimeCoded, F = SubtitleFormat::FrameCoded,
                   S = SubtitleFormat::SubRip;
    const struct {
        SubtitleFormat format;
        const char* text;
        int delay;
        double rate;
        const char* shown; // begin end seconds Sub1|Sub2|Sub3
    } cases[] = {
        {T, "{00:01:05}{00:01:09}Hello|World", 0, 25, "00:01:04 00:01:09 5 Hello|World| "},
        {T, "{00:01:05}{00:01:09}Hello|World", 1, 25, "00:01:06 00:01:10 4 Hello|World| "},
        {T, "{00:01:05}{00:01:09}Hello|World", -1, 25, "00:01:04 00:01:08 4 Hello|World| "},
        {T, "{00:00:04}{00:00:06}x", 0, 25, "00:00:04 00:00:06 2 x| | "},
        {T, "{00:00:05}{00:00:06}x", -20, 25, "00:00:00 00:00:00 0 x| | "},
        {F, "{250}{1000}Hi\r\n", 0, 25, "00:00:10 00:00:40 30 Hi| | "},
        {F, "{299}{349}x", 0, 25, "00:00:10 00:00:13 3 x| | "}, // 11.96 s, 13.96 s
        {F, "{250}{500}x", 3, 25, "00:00:12 00:00:23 11 x| | "},
        {F, "{250}{500}x", 0, 0, "00:00:10 00:00:20 10 x| | "}, // 25 when unknown
        {F, "{300}{500}x", 0, 30, "00:00:10 00:00:16 6 x| | "},
        {F, "{500}{0}Hi", 0, 25, "00:00:20 00:00:00 5 Hi| | "}, // an end before: 5 s
        {F, "{10}{20}a|b|c|d", 0, 25, "00:00:00 00:00:00 0 a|b|c|d"},
        {F, "{1}{1}23.976\n{2398}{2500}{y:i}Late", 0, 25, "00:01:40 00:01:44 4 Late| | "},
        {S,
         "\xEF\xBB\xBF"
         "1\r\n00:00:03,900 --> 00:00:06,100\r\n<i>One</i>\r\nTwo\r\n",
         0, 25, "00:00:02 00:00:06 4 One|Two| "},
        {S, "1\n00:00:03,000 --> 00:00:05,000\nx\n", 2, 25, "00:00:04 00:00:07 3 x| | "},
        {S, "1\n00:00:10,000 --> 00:00:12,000 X1:10\n{\\an8}a\nb\nc\nd\n", 0, 25,
         "00:00:10 00:00:12 2 a|b|c d"},
        {S, "1\n00:00:30.000 --> 00:00:31.000\nplain\n", 0, 25, "00:00:30 00:00:31 1 plain| | "},
        {S, "1\n-00:00:05,000 --> 00:00:09,000\nx\n", 0, 25, "00:00:00 00:00:09 9 x| | "},
        {S, "1\n-01:00:00,000 --> 00:00:03,000\nx\n", 0, 25, "00:00:00 00:00:03 3 x| | "},
        {S, "1\n-00:00:09,000 --> -00:00:02,000\nx\n", 0, 25, "00:00:00 00:00:00 0 x| | "},
    };
    for (const auto& c : cases) {
        const SubtitleTable t = parse(c.text, c.format, c.delay, c.rate).table;
        ASSERT_EQ(t.count(), 1) << c.text;
        EXPECT_EQ(QStringList({t.ListBegin()[0], t.ListEnd()[0], t.ListDif()[0],
                               t.ListSub()[0] + '|' + t.ListSub2()[0] + '|' + t.ListSub3()[0]})
                      .join(' '),
                  c.shown)
            << c.text << " delay " << c.delay;
    }
    EXPECT_DOUBLE_EQ(parse("{1}{1}23.976\n{10}{20}x", F).fileFrameRate, 23.976);
}

TEST(SubtitleFile, BrokenLinesAreSkippedAndTheFormFollowsTheExtension) {
    const SubtitleParse vst = parse("{00:00:01}{00:00:02}good\n{00:0x:01}{00:00:02}bad\nshort\n\n",
                                    SubtitleFormat::TimeCoded);
    EXPECT_EQ(vst.table.count(), 1);
    EXPECT_EQ(vst.skipped, 2);
    const SubtitleParse sub =
        parse("{10}{20}good\n{x}{20}bad\n{10}20}bad\n10}{20}bad\n", SubtitleFormat::FrameCoded);
    EXPECT_EQ(sub.table.count(), 1);
    EXPECT_EQ(sub.skipped, 3);
    const SubtitleParse srt = parse("1\n00:00:01,000 --> 00:00:02,000\ngood\n\n"
                                    "2\nnonsense --> 00:00:20,000\nlost\n\n"
                                    "3\n--00:00:05,000 --> 00:00:09,000\nlost\n",
                                    SubtitleFormat::SubRip);
    EXPECT_EQ(srt.table.count(), 1);
    EXPECT_EQ(srt.skipped, 2);

    EXPECT_EQ(subtitleFormatFor("a.Vst"), SubtitleFormat::TimeCoded);
    EXPECT_EQ(subtitleFormatFor("a.txt"), SubtitleFormat::FrameCoded);
    EXPECT_EQ(subtitleFormatFor("a.SRT"), SubtitleFormat::SubRip);
    EXPECT_EQ(subtitleFormatFor("a.ass"), SubtitleFormat::Unknown);

    QTemporaryDir dir;
    for (const char* name : {"empty.srt", "nothing.sub"}) {
        const SubtitleRead none = read(writeFile(dir, name, name[0] == 'e' ? "" : "no entry\n"));
        EXPECT_FALSE(none.parse) << name;
        EXPECT_TRUE(none.problem.contains(name)) << qPrintable(none.problem);
    }
    EXPECT_FALSE(read(dir.filePath("missing.srt")).parse);
    EXPECT_FALSE(read(writeFile(dir, "movie.ass", "x")).parse);
}

// Lines of megabytes are skipped with a word (laid out they take minutes); huge files are refused.
TEST(SubtitleFile, HugeLinesAreSkippedAndHugeFilesRefusedWithAMessage) {
    const QByteArray huge(3 << 20, 'x');
    const QByteArray manyLines = QByteArray(3 << 19, 'y').replace("yy", "y\n");
    const struct {
        const char* name;
        QByteArray text;
        int longLines;
    } cases[] = {
        {"huge.vst", "{00:00:01}{00:00:02}good\n{00:00:03}{00:00:04}" + huge + "\n", 1},
        {"huge.sub", "{10}{20}good\n{30}{40}" + huge + "\n", 1},
        {"huge.srt",
         "1\n00:00:01,000 --> 00:00:02,000\ngood\n\n2\n00:00:03,000 --> 00:00:04,000\n" + huge +
             "\n\n",
         1},
        {"lines.srt", "1\n00:00:01,000 --> 00:00:02,000\ngood\n" + manyLines + "\n", -1},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SubtitleRead got = read(writeFile(dir, c.name, c.text));
        ASSERT_TRUE(got.parse);
        EXPECT_TRUE(c.longLines < 0 || got.parse->longLines == c.longLines);
        EXPECT_TRUE(got.problem.contains("too long to be subtitles")) << qPrintable(got.problem);
        EXPECT_TRUE(got.problem.contains(c.name)) << qPrintable(got.problem);
        const SubtitleTable& table = got.parse->table;
        ASSERT_GE(table.count(), 1);
        EXPECT_EQ(table.ListSub()[0], "good");
        for (int i = 0; i < table.count(); ++i)
            EXPECT_LE(table.ListSub()[i].size() + table.ListSub2()[i].size() +
                          table.ListSub3()[i].size(),
                      4096);
    }
    // Nothing but a huge line: no subtitle, and the reason.
    const SubtitleRead only = read(writeFile(dir, "only.sub", "{1}{2}" + huge));
    EXPECT_FALSE(only.parse);
    EXPECT_TRUE(only.problem.contains("too long")) << qPrintable(only.problem);

    const QString big = writeFile(dir, "big.srt", {});
    ASSERT_TRUE(QFile::resize(big, 50 << 20));
    const SubtitleRead refused = read(big);
    EXPECT_FALSE(refused.parse);
    EXPECT_TRUE(refused.problem.contains("far too big")) << qPrintable(refused.problem);
}

TEST(SubtitleFile, CodePagesFollowTheChosenCharacterSetAndUnicodeWins) {
    QTemporaryDir dir;
    const QString russian = QStringLiteral("Привет, мир");
    const struct {
        const char* codePage;
        int characterSet;
        QString text;
    } cases[] = {{"windows-1250", 238, QStringLiteral("Příliš žluťoučký kůň")},
                 {"Shift_JIS", 128, QStringLiteral("こんにちは世界")},
                 {"GBK", 134, QStringLiteral("你好世界")},
                 {"Big5", 136, QStringLiteral("你好世界")},
                 {"windows-949", 129, QStringLiteral("안녕하세요")},
                 {"windows-1253", 161, QStringLiteral("Γειά σου")}};
    for (const auto& c : cases) {
        const QString path =
            writeFile(dir, QStringLiteral("%1.vst").arg(c.characterSet),
                      "{00:00:02}{00:00:04}" + QStringEncoder(c.codePage).encode(c.text));
        const SubtitleRead got = read(path, c.characterSet);
        ASSERT_TRUE(got.parse) << c.codePage;
        EXPECT_EQ(got.parse->table.ListSub()[0], c.text) << c.codePage;
        // Read in another code page, the same bytes are another text.
        EXPECT_NE(read(path).parse->table.ListSub()[0], c.text) << c.codePage;
    }
    // UTF-8, with or without a byte-order mark, whatever the choice.
    for (const QByteArray& mark : {QByteArray(), QByteArray("\xEF\xBB\xBF")}) {
        const QString path =
            writeFile(dir, "utf8.vst", mark + "{00:00:02}{00:00:04}" + russian.toUtf8());
        EXPECT_EQ(read(path, 128).parse->table.ListSub()[0], russian);
    }
    // Plain ASCII reads the same in every code page.
    EXPECT_EQ(decodeSubtitleBytes("Hello", 204), "Hello");
}
