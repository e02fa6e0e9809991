// The volume: steps and their limits, the meter's pictures, mute, what is
// saved, and the level reaching a playing graph.
#include "app/frm_main.h"
#include "graph_fixture.h"
#include "player/volume_control.h"
#include "skin/volume_meter.h"
#include "support/controls/twips.h"
#include "test_support.h"

#include <QFile>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct Volume {
    Volume() : control(muted, store) {
        control.hooks.showMeterSlot = [this](int slot) { meter = slot; };
        control.hooks.applyToGraph = [this](int level) { graphLevel = level; };
    }
    bool muted = false;
    SettingsStore store;
    VolumeControl control;
    int meter = 0;
    int graphLevel = 1;
};

} // namespace

// Steps down from full level and steps up from silence fall on two grids.
TEST(VolumeMeter, EachGridHasItsPicturesAndAnyOtherLevelTheNearest) {
    EXPECT_EQ(volumeMeterSlotAfterDown(-454), 22);
    EXPECT_EQ(volumeMeterSlotAfterDown(-2270), 18);
    EXPECT_EQ(volumeMeterSlotAfterDown(-9988), 1);
    EXPECT_EQ(volumeMeterSlotAfterDown(-10000), 1);
    // Off the grid, or beyond its ends: no picture.
    for (int level : {0, -12, -455, -9546, -10442, 454})
        EXPECT_EQ(volumeMeterSlotAfterDown(level), std::nullopt) << level;

    EXPECT_EQ(volumeMeterSlotAfterUp(-9546), 1);
    EXPECT_EQ(volumeMeterSlotAfterUp(-9092), 2);
    EXPECT_EQ(volumeMeterSlotAfterUp(-8184), 4);
    EXPECT_EQ(volumeMeterSlotAfterUp(-8172), 5);
    // The fifth step up has a picture of its own, or the meter stands still.
    EXPECT_EQ(volumeMeterSlotAfterUp(-7730), 6);
    EXPECT_EQ(volumeMeterSlotAfterUp(-7638), 6);
    EXPECT_EQ(volumeMeterSlotAfterUp(-7276), 7);
    EXPECT_EQ(volumeMeterSlotAfterUp(-466), 22);
    EXPECT_EQ(volumeMeterSlotAfterUp(0), 22);
    EXPECT_EQ(volumeMeterSlotAfterUp(-908), 21) << "the grid below full level wins";
    EXPECT_EQ(volumeMeterSlotAfterUp(-12), std::nullopt);
    EXPECT_EQ(volumeMeterSlotAfterUp(-5000), std::nullopt);

    EXPECT_EQ(nearestVolumeMeterSlot(-12), 22);
    EXPECT_EQ(nearestVolumeMeterSlot(-5000), 12);
    EXPECT_EQ(nearestVolumeMeterSlot(-9900), 1);
    EXPECT_EQ(nearestVolumeMeterSlot(-10000), 1);
}

TEST(VolumeControl, StepsAreRefusedAtBothEndsAndTheMeterFollows) {
    Volume v;
    EXPECT_FALSE(v.control.VolumeUp()) << "already full";
    EXPECT_EQ(v.control.level(), 0);
    EXPECT_EQ(v.meter, 22);
    EXPECT_TRUE(v.control.VolumeDown());
    EXPECT_EQ(v.control.level(), -454);
    EXPECT_EQ(v.meter, 22);
    v.control.VolumeDown();
    EXPECT_EQ(v.meter, 21);
    EXPECT_EQ(v.graphLevel, -908);

    ASSERT_TRUE(v.control.setLevel(-9988));
    EXPECT_FALSE(v.control.VolumeDown());
    EXPECT_EQ(v.control.level(), -9988);
    ASSERT_TRUE(v.control.setLevel(-12));
    EXPECT_FALSE(v.control.VolumeUp());
    EXPECT_EQ(v.control.level(), -12);

    ASSERT_TRUE(v.control.setLevel(-10000));
    v.control.VolumeUp();
    EXPECT_EQ(v.meter, 1);
    v.control.VolumeUp();
    EXPECT_EQ(v.control.level(), -9092);
    EXPECT_EQ(v.meter, 2);
    EXPECT_FALSE(v.control.setLevel(1));
    EXPECT_FALSE(v.control.setLevel(-10001));
}

TEST(VolumeControl, StartUpRedrawAndTheSkinLoadersStepsKeepTheLevel) {
    Volume v;
    ASSERT_TRUE(v.control.restore("0"));
    v.control.redraw();
    EXPECT_EQ(v.control.level(), 0) << "full level must stay full";
    EXPECT_EQ(v.meter, 22);
    EXPECT_EQ(v.graphLevel, 0);
    v.control.stepDownThenUp();
    EXPECT_EQ(v.control.level(), 0);
    ASSERT_TRUE(v.control.restore("-2270"));
    v.control.redraw();
    EXPECT_EQ(v.control.level(), -2270);
    EXPECT_EQ(v.meter, 18);
    for (const char* bad : {"loud", "", "-20000", "5"})
        EXPECT_FALSE(v.control.restore(bad)) << bad;
    EXPECT_EQ(v.control.level(), -2270);
    // From silence the skin loader's steps end one step above it.
    v.control.setLevel(-10000);
    v.control.stepDownThenUp();
    EXPECT_EQ(v.control.level(), -9546);
    EXPECT_EQ(v.meter, 1);
}

TEST(VolumeControl, MuteRestoresTheLevelAndNeverLosesTheOneFromBeforeMuting) {
    Volume v;
    v.control.MuteSound(); // at full level
    EXPECT_TRUE(v.muted);
    EXPECT_EQ(v.control.level(), -10000);
    EXPECT_EQ(v.meter, 1);
    EXPECT_EQ(v.graphLevel, -10000);
    EXPECT_EQ(v.store.read("Volume"), "0");
    v.control.MuteSound();
    EXPECT_FALSE(v.muted);
    EXPECT_EQ(v.control.level(), 0);
    EXPECT_EQ(v.graphLevel, 0);

    v.control.setLevel(-2270);
    v.control.MuteSound();
    EXPECT_EQ(v.control.levelToSave(), -2270);
    // An open clears the flag but leaves the sound off: still the old level.
    v.muted = false;
    EXPECT_EQ(v.control.levelToSave(), -2270);
    // The meter's click then restores it, and the silence is never saved.
    v.control.MuteSound();
    EXPECT_FALSE(v.muted);
    EXPECT_EQ(v.control.level(), -2270);
    EXPECT_EQ(v.graphLevel, -2270);
    EXPECT_EQ(v.store.read("Volume"), "-2270");
    v.control.MuteSound();
    v.muted = false;
    // Once the user picks a level, that level is kept.
    v.control.VolumeUp();
    EXPECT_EQ(v.control.levelToSave(), -9546);
}

TEST(VolumeControl, TheLevelReachesThePlayingGraph) {
    QFile::remove(SettingsStore::defaultFilePath());
    frmMain window(testsupport::mediaPath("one-audio.avi"));
    window.Form_Load();
    ASSERT_TRUE(window.playback.MediaControl());
    ASSERT_TRUE(
        testsupport::waitUntil([&] { return window.playback.PlayState() == PlayRunning; }, 5000));
    const FilterInfo output = findFilter(*window.playback.MediaControl(), "Default Audio Output");
    EXPECT_DOUBLE_EQ(outputVolume(output), 1.0);
    window.volume.VolumeDown();
    window.volume.VolumeDown();
    EXPECT_NEAR(outputVolume(output), std::pow(10.0, -908 / 2000.0), 1e-6);
    // The level bar is a tenth of the level, in twips.
    EXPECT_EQ(window.levelBarHeight(), 90);
    EXPECT_EQ(window.control("Shape2")->height(), twipsToPixels(90));
    window.volume.MuteSound();
    EXPECT_EQ(outputVolume(output), 0.0);
    window.volume.MuteSound();
    EXPECT_NEAR(outputVolume(output), std::pow(10.0, -908 / 2000.0), 1e-6);
    window.ExitMe();
}
