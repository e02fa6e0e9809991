// The volume: steps, the meter's pictures, mute, what is saved (the graph's level: MainWindow).
#include "player/volume_control.h"
#include "skin/volume_meter.h"

#include <gtest/gtest.h>

namespace {

struct Volume {
    Volume() : control(muted, store) {
        control.hooks.showMeterSlot = [this](int slot) { meter = slot; };
        control.hooks.applyToGraph = [this](int level) { graphLevel = level; };
    }
    // What the user sees and hears, and the level kept for later.
    std::string state() const {
        return QStringLiteral("%1 %2, meter %3, graph %4, saved %5")
            .arg(muted ? "muted" : "sound")
            .arg(control.level())
            .arg(meter)
            .arg(graphLevel)
            .arg(store.read("Volume"))
            .toStdString();
    }
    bool muted = false;
    SettingsStore store;
    VolumeControl control;
    int meter = 0;
    int graphLevel = 1;
};

} // namespace

// Steps down from full level and up from silence fall on two grids of pictures 1..22; off
// its grid a step shows none, and the nearest picture stands for any other level.
TEST(VolumeMeter, EachGridHasItsPicturesAndAnyOtherLevelTheNearest) {
    const std::optional<int> none;
    // clang-format off
    const struct { int level; std::optional<int> down, up; int nearest; } rows[] = {
        {0, none, 22, 22},       {-12, none, none, 22},  {-454, 22, 22, 22},     {-455, none, none, 22},
        {-466, none, 22, 22},    {-908, 21, 21, 21},     {-2270, 18, 18, 18},    {-5000, none, none, 12},
        {-7276, none, 7, 7},     {-7638, none, 6, 6},    {-7730, none, 6, 6},    {-8172, 5, 5, 5},
        {-8184, none, 4, 5},     {-9092, none, 2, 3},    {-9546, none, 1, 2},    {-9900, none, none, 1},
        {-9988, 1, 1, 1},        {-10000, 1, 1, 1},      {-10442, none, none, 1}, {454, none, none, 22},
    };
    // clang-format on
    for (const auto& row : rows) {
        EXPECT_EQ(volumeMeterSlotAfterDown(row.level), row.down) << row.level;
        EXPECT_EQ(volumeMeterSlotAfterUp(row.level), row.up) << row.level;
        EXPECT_EQ(nearestVolumeMeterSlot(row.level), row.nearest) << row.level;
    }
}

// Steps of 454 between silence (-10000) and full level (0); none passes either end.
TEST(VolumeControl, StepsAreRefusedAtBothEndsAndTheMeterFollows) {
    const std::optional<int> any;
    // clang-format off
    const struct { int from; bool up, taken; int to; std::optional<int> meter; } rows[] = {
        {0, true, false, 0, 22},        {0, false, true, -454, 22},       {-454, false, true, -908, 21},
        {-9988, false, false, -9988, any}, {-12, true, false, -12, any},
        {-10000, true, true, -9546, 1}, {-9546, true, true, -9092, 2},
    };
    // clang-format on
    for (const auto& row : rows) {
        Volume v;
        ASSERT_TRUE(v.control.setLevel(row.from));
        EXPECT_EQ(row.up ? v.control.VolumeUp() : v.control.VolumeDown(), row.taken) << row.from;
        EXPECT_EQ(v.control.level(), row.to) << row.from;
        EXPECT_EQ(row.meter.value_or(v.meter), v.meter) << row.from;
        EXPECT_EQ(row.taken ? row.to : v.graphLevel, v.graphLevel) << row.from;
    }
    Volume v;
    EXPECT_FALSE(v.control.setLevel(1));
    EXPECT_FALSE(v.control.setLevel(-10001));
}

TEST(VolumeControl, StartUpRedrawAndTheSkinLoadersStepsKeepTheLevel) {
    Volume v;
    ASSERT_TRUE(v.control.restore("0"));
    v.control.redraw();
    EXPECT_EQ(v.state(), "sound 0, meter 22, graph 0, saved ") << "full level must stay full";
    v.control.stepDownThenUp();
    EXPECT_EQ(v.control.level(), 0);
    ASSERT_TRUE(v.control.restore("-2270"));
    v.control.redraw();
    for (const char* bad : {"loud", "", "-20000", "5"})
        EXPECT_FALSE(v.control.restore(bad)) << bad;
    EXPECT_EQ(v.control.level(), -2270);
    // From silence the skin loader's steps end one step above it.
    v.control.setLevel(-10000);
    v.control.stepDownThenUp();
    EXPECT_EQ(v.state(), "sound -9546, meter 1, graph -9546, saved ");
}

TEST(VolumeControl, MuteRestoresTheLevelAndNeverLosesTheOneFromBeforeMuting) {
    Volume v;
    v.control.MuteSound(); // at full level
    EXPECT_EQ(v.state(), "muted -10000, meter 1, graph -10000, saved 0");
    v.control.MuteSound();
    EXPECT_EQ(v.state(), "sound 0, meter 22, graph 0, saved 0");

    v.control.setLevel(-2270);
    v.control.MuteSound();
    EXPECT_EQ(v.control.levelToSave(), -2270);
    // An open clears the flag but leaves the sound off: still the old level.
    v.muted = false;
    EXPECT_EQ(v.control.levelToSave(), -2270);
    // The meter's click then restores it, and the silence is never saved.
    v.control.MuteSound();
    EXPECT_EQ(v.state(), "sound -2270, meter 18, graph -2270, saved -2270");
    v.control.MuteSound();
    v.muted = false;
    // Once the user picks a level, that level is kept.
    v.control.VolumeUp();
    EXPECT_EQ(v.control.levelToSave(), -9546);
}
