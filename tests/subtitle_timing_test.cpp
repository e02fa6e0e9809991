// The subtitle timer's ticks and the subtitle window's place over the video.
#include "subtitles/subtitle_file.h"
#include "subtitles/subtitle_placement.h"
#include "subtitles/subtitle_timing.h"

#include <gtest/gtest.h>

TEST(SubtitleClock, EntriesShowFromTheirStartForTheirDurationPlusTheExtraSeconds) {
    const QString a = "{00:00:10}{00:00:14}A", six = "{00:00:06}{00:00:08}Six";
    const struct {
        const char* what;
        QString vst;
        int jump; // a seek before the ticks, -1 for none
        QList<qint64> ticks;
        int extra;
        const char* shown; // Sub1 after the jump and each tick, "-" for none
    } cases[] = {
        {"4 s from 10", a, -1, {9, 10, 11, 12, 13, 14, 15, 16}, 0, "- A A A A A - -"},
        {"2 extra seconds", a, -1, {10, 11, 12, 13, 14, 15, 16, 17}, 2, "A A A A A A A -"},
        {"less than nothing shows once", "{00:00:10}{00:00:10}A", -1, {10, 11, 12}, -2, "A - -"},
        {"the first of equal starts; a new start replaces at once",
         "{00:00:10}{00:00:20}First\n{00:00:10}{00:00:20}Second\n{00:00:12}{00:00:14}Next",
         -1,
         {10, 11, 12, 13, 14, 15, 16},
         0,
         "First First Next Next Next - -"},
        {"a skipped second", six, -1, {5, 7, 8}, 0, "- Six Six"},
        {"three seconds caught up", six, -1, {4, 7}, 0, "- Six"},
        {"four are a jump", six, -1, {3, 7}, 0, "- -"},
        {"backwards onto a start", six, -1, {8, 6}, 0, "- Six"},
        {"paused on the start", six, -1, {6, 6, 6, 6, 6, 6}, 0, "Six Six Six Six Six Six"},
        {"a seek into it", a + "\n{00:00:20}{00:00:30}B", 12, {13, 14, 15}, 0, "A A A -"},
        {"a seek to its end", a, 14, {15}, 0, "- -"},
        {"a seek to its end with an extra second", a, 14, {15, 16}, 1, "A A -"},
        {"a seek before it", a, 9, {10}, 0, "- A"},
    };
    for (const auto& c : cases) {
        const SubtitleTable table = parseSubtitles(c.vst, SubtitleFormat::TimeCoded, 25, 0).table;
        int ticks = 0, max = 0;
        SubtitleClock clock(ticks, max);
        SubtitleLines lines = SubtitleLines::blank();
        QStringList shown;
        const auto note = [&] { shown << (lines.Sub1.trimmed().isEmpty() ? "-" : lines.Sub1); };
        if (c.jump >= 0) {
            clock.jumpTo(table, c.jump, c.extra, lines);
            note();
        }
        for (const qint64 second : c.ticks) {
            clock.tick(table, second, c.extra, lines);
            note();
        }
        EXPECT_EQ(shown.join(' '), c.shown) << c.what;
    }
}

TEST(SubtitlePlacement, TheCentreFollowsSubYposAndTheBottomStaysOnTheVideo) {
    // 4800 twips of video at 1000, a window of 1470: its top at 3625.
    const QRect video(0, 1000, 6000, 4800);
    EXPECT_EQ(subtitleGeometry(video, 490, subtitleCentre("70")), QRect(300, 3625, 5400, 1470));
    EXPECT_DOUBLE_EQ(subtitleCentre("72.5"), 0.725);
    EXPECT_DOUBLE_EQ(subtitleCentre("7"), 0.07) << "a percentage, as a drag writes it";
    EXPECT_DOUBLE_EQ(subtitleCentre("abc"), 0.0);
    EXPECT_DOUBLE_EQ(subtitleCentre("250"), 1.0);
    EXPECT_EQ(subtitleGeometry(video, 490, 1.0).bottom(), video.bottom());
    // Left below the video, a drag ends on its bottom edge; its centre is stored.
    const QRect dropped = keptAboveVideoBottom(QRect(300, 6000, 5400, 1470), video);
    EXPECT_EQ(dropped.top(), 1000 + 4800 - 1470);
    EXPECT_EQ(subtitleYPosText(dropped, video), "84.6875");
    EXPECT_EQ(subtitleYPosText(QRect(0, 3745, 10, 10), QRect(0, 100, 10, 5040)), "72.4206");
}
