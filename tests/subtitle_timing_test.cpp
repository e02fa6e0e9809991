// The subtitle timer's ticks and the subtitle window's place over the video.
#include "subtitles/subtitle_file.h"
#include "subtitles/subtitle_placement.h"
#include "subtitles/subtitle_timing.h"

#include <gtest/gtest.h>

namespace {

SubtitleTable table(const char* vst) {
    return parseSubtitles(QString::fromUtf8(vst), SubtitleFormat::TimeCoded, 25, 0).table;
}

// Ticks at `first`, first + 1, ... and what shows after each.
QStringList run(const SubtitleTable& t, QList<qint64> seconds, int extra = 0) {
    int ticks = 0, max = 0;
    SubtitleClock clock(ticks, max);
    SubtitleLines lines = SubtitleLines::blank();
    QStringList shown;
    for (qint64 s : seconds) {
        clock.tick(t, s, extra, lines);
        shown.append(lines.Sub1.trimmed().isEmpty() ? "-" : lines.Sub1);
    }
    return shown;
}

} // namespace

TEST(SubtitleClock, AnEntryShowsForItsDurationAndGoesTheTickAfter) {
    // Starts at 10 (even), duration 4.
    const SubtitleTable t = table("{00:00:10}{00:00:14}A\n");
    EXPECT_EQ(run(t, {9, 10, 11, 12, 13, 14, 15, 16}),
              (QStringList{"-", "A", "A", "A", "A", "A", "-", "-"}));
    // The extra seconds lengthen it; less than nothing still shows it once.
    EXPECT_EQ(run(t, {10, 11, 12, 13, 14, 15, 16}, 2), QStringList(7, "A"));
    EXPECT_EQ(run(table("{00:00:10}{00:00:10}A\n"), {10, 11, 12}, -2),
              (QStringList{"A", "-", "-"}));
}

TEST(SubtitleClock, TheFirstOfEqualStartsShowsAndANewStartReplacesAtOnce) {
    const SubtitleTable t = table("{00:00:10}{00:00:20}First\n"
                                  "{00:00:10}{00:00:20}Second\n"
                                  "{00:00:12}{00:00:14}Next\n");
    EXPECT_EQ(run(t, {10, 11, 12, 13, 14, 15, 16}),
              (QStringList{"First", "First", "Next", "Next", "Next", "-", "-"}))
        << "the count starts again with the new entry";
}

TEST(SubtitleClock, ASecondTheTimerSkippedStillShowsAndAPauseHoldsTheEntry) {
    const SubtitleTable t = table("{00:00:06}{00:00:08}Six\n");
    EXPECT_EQ(run(t, {5, 7, 8}), (QStringList{"-", "Six", "Six"}));
    // Paused on its start second, the entry stays however long.
    EXPECT_EQ(run(t, {6, 6, 6, 6, 6, 6, 6}).count("Six"), 7);
    // A jump far ahead looks at its own second only.
    EXPECT_EQ(run(t, {0, 7}), (QStringList{"-", "-"}));
}

TEST(SubtitlePlacement, TheCentreFollowsSubYposAndTheBottomStaysOnTheVideo) {
    // 4800 twips of video at 1000, a window of 1470: its top at 3625.
    const QRect video(0, 1000, 6000, 4800);
    EXPECT_EQ(subtitleGeometry(video, 490, subtitleCentre("70")), QRect(300, 3625, 5400, 1470));
    EXPECT_DOUBLE_EQ(subtitleCentre("72.5"), 0.725);
    EXPECT_DOUBLE_EQ(subtitleCentre("7"), 0.07) << "a percentage, as a drag writes it";
    EXPECT_DOUBLE_EQ(subtitleCentre("abc"), 0.0);
    EXPECT_DOUBLE_EQ(subtitleCentre("250"), 1.0);
    // Low down, the window stops with its bottom on the video's.
    EXPECT_EQ(subtitleGeometry(video, 490, 1.0).bottom(), video.bottom());

    // Left below the video, a drag ends on its bottom edge; its centre is stored.
    const QRect dropped = keptAboveVideoBottom(QRect(300, 6000, 5400, 1470), video);
    EXPECT_EQ(dropped.top(), 1000 + 4800 - 1470);
    EXPECT_EQ(subtitleYPosText(dropped, video), "84.6875");
    EXPECT_EQ(subtitleYPosText(QRect(0, 3745, 10, 10), QRect(0, 100, 10, 5040)), "72.4206");
}
