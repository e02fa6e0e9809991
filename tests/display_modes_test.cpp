#include "config/display_modes.h"
#include "config/xrandr_backend.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

// A display with a fixed list of modes that remembers what it was asked.
class FakeDisplay : public DisplayBackend {
  public:
    QList<DisplayMode> offered;
    int current = 0;                                                   // an index into offered
    int switchResult = DisplayChanged, restoreResult = DisplayChanged; // what the calls report
    std::optional<int> saved;
    QList<quint64> switches;

    QList<DisplayMode> modes() override { return offered; }
    std::optional<DisplayMode> currentMode() override { return offered.value(current); }
    int switchTo(const DisplayMode& mode) override {
        switches << mode.id;
        if (switchResult != DisplayChanged)
            return switchResult;
        if (!saved)
            saved = current;
        for (int i = 0; i < offered.size(); ++i)
            if (offered[i].id == mode.id)
                current = i;
        return DisplayChanged;
    }
    int restore() override {
        if (restoreResult != DisplayChanged)
            return restoreResult;
        if (saved)
            current = *saved;
        saved.reset();
        return DisplayChanged;
    }
};

DisplayMode mode(quint64 id, int w, int h, int depth, int hz) {
    return DisplayMode{w, h, depth, depth == 24 ? 32 : depth, hz, id};
}

// The dialog's three lists set to these entries.
void choose(DisplayModeSwitch& s, int res, int cols, int hz) {
    s.cmbres.setListIndex(res);
    s.cmbcols.setListIndex(cols);
    s.cmbHz.setListIndex(hz);
}

TEST(DisplayModeLists, EntriesKeepTheirNumbersModesMatchAndTheDisplaysModesFillTheLists) {
    FakeDisplay display;
    DisplayModeSwitch s(display);
    EXPECT_FALSE(s.ItemData(s.cmbres)) << "nothing chosen";
    // The dialog's three lists as the user sees them, each entry's number.
    // clang-format off
    const struct { SelectableList& list; QList<std::pair<QString, int>> entries; } lists[] = {
        {s.cmbres, {{"640x480", 640}, {"800x600", 800}, {"1024x768", 1024}, {"1152x864", 1152},
                    {"1600x1200", 1600}}},
        {s.cmbcols, {{"4-bit, 16 colours", 4}, {"8-bit, 256 colours", 8}, {"15-bit, 32768 colours", 15},
                     {"16-bit, 65536 colours", 16}, {"24-bit, 16.7M colours", 24}, {"32-bit, 16.7M colours", 32}}},
        {s.cmbHz, {{"60 Hz", 60}, {"70 Hz", 70}, {"72 Hz", 72}, {"75 Hz", 75}, {"85 Hz", 85}, {"100 Hz", 100}}},
    };
    // clang-format on
    for (const auto& [list, entries] : lists) {
        ASSERT_EQ(list.count(), entries.size());
        for (int i = 0; i < list.count(); ++i) {
            list.setListIndex(i);
            EXPECT_EQ(std::pair(list.text(), s.ItemData(list).value_or(-1)), entries[i]);
        }
    }
    const int heights[] = {480, 600, 768, 864, 1200};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(s.entries(s.cmbres)[i].height, heights[i]) << i;
    // Depth is compared only where known; an unknown rate (Xvfb: 0) never matches.
    const DisplayMode deep{1024, 768, 24, 32, 60, 1};
    EXPECT_TRUE(modeMatches(deep, 1024, 768, 24, 60));
    EXPECT_TRUE(modeMatches(deep, 1024, 768, 32, 60));
    EXPECT_FALSE(modeMatches(deep, 1024, 768, 16, 60));
    EXPECT_FALSE(modeMatches(deep, 768, 1024, 32, 60));
    EXPECT_FALSE(modeMatches(deep, 1024, 768, 32, 75));

    const DisplayMode noDepth{1024, 768, 0, 0, 60, 2};
    EXPECT_TRUE(modeMatches(noDepth, 1024, 768, 4, 60));

    EXPECT_FALSE(modeMatches(DisplayMode{1280, 800, 24, 32, 0, 3}, 1280, 800, 24, 60));

    // A display's own modes: fixed entries keep their places (settings hold indexes), those no
    // mode has are marked, and the display's own sizes and rates follow.
    FakeDisplay own;
    own.offered = {mode(1, 1920, 1080, 24, 144), mode(2, 1920, 1080, 24, 60),
                   mode(3, 1280, 720, 24, 60),   mode(4, 1024, 768, 16, 75),
                   mode(5, 1920, 1200, 24, 60),  mode(6, 1280, 720, 24, 0)};
    own.current = 1;
    DisplayModeSwitch ownLists(own);
    const auto shown = [](const DisplayModeSwitch& owner, const SelectableList& list) {
        QStringList texts;
        for (const ListEntry& e : owner.entries(list))
            texts << (e.offered ? e.text : "(" + e.text + ")");
        return texts.join(' ');
    };
    EXPECT_EQ(shown(ownLists, ownLists.cmbres),
              "(640x480) (800x600) 1024x768 (1152x864) (1600x1200) 1920x1080 "
              "1280x720 1920x1200");
    EXPECT_EQ(shown(ownLists, ownLists.cmbcols),
              "(4-bit, 16 colours) (8-bit, 256 colours) (15-bit, 32768 colours) "
              "16-bit, 65536 colours 24-bit, 16.7M colours 32-bit, 16.7M colours");
    EXPECT_EQ(shown(ownLists, ownLists.cmbHz),
              "60 Hz (70 Hz) (72 Hz) 75 Hz (85 Hz) (100 Hz) 144 Hz");
    EXPECT_EQ(ownLists.cmbres.count(), 8);
    EXPECT_EQ(ownLists.currentEntry(ownLists.cmbres), 5);
    EXPECT_EQ(ownLists.currentEntry(ownLists.cmbcols), 4);
    EXPECT_EQ(ownLists.currentEntry(ownLists.cmbHz), 0);

    // An added size switches at its own height, an added rate at its rate.
    ownLists.CheckRes = 1;
    for (const auto& [res, hz, id] : {std::tuple{7, 0, 5u}, std::tuple{5, 6, 1u}}) {
        choose(ownLists, res, 4, hz);
        ownLists.enterFullScreen();
        EXPECT_EQ(own.offered[own.current].id, id) << res;
        ownLists.leaveFullScreen();
    }
    EXPECT_EQ(own.switches, (QList<quint64>{5, 1}));

    // The first display lists nothing (no RandR): the fixed entries, none marked, none current.
    EXPECT_EQ(shown(s, s.cmbHz), "60 Hz 70 Hz 72 Hz 75 Hz 85 Hz 100 Hz");
    EXPECT_EQ(s.currentEntry(s.cmbres), -1);
}

// Only what a real X server will not do: refuse. Each refusal in its own words
// (kept when nobody listens), a note once in full screen, a restore left pending.
TEST(DisplayModeSwitchTest, RefusalsAreToldAndLeaveTheDisplayOrARestorePending) {
    FakeDisplay display;
    display.offered = {mode(1, 1280, 1024, 24, 60), mode(2, 1024, 768, 24, 60),
                       mode(3, 1152, 864, 24, 75),  mode(4, 1152, 864, 24, 60),
                       mode(5, 1152, 864, 16, 60),  mode(6, 1152, 864, 24, 60),
                       mode(7, 640, 480, 8, 60)};
    bool playing = true;
    QStringList events, messages;
    const auto hooks = [&]() -> DisplayModeSwitch::Hooks {
        const auto pause = [&] {
            events << "pause";
            return playing;
        };
        return {pause, [&] { events << "play"; }, [&](auto& m) { messages << m.text; }, {}};
    };
    const auto shown = [&] { return display.offered[display.current]; };
    const std::pair<int, QString> refusals[] = {
        {1, "The computer must be restarted in order for the graphics mode to work"},
        {-1, "The display driver failed the specified graphics mode"},
        {-2, "The graphics mode is not supported"},
        {-3, "Unable to write settings to the registry"},
        {-4, "An invalid set of flags was passed in"},
        {7, QString()}};
    for (const auto& [code, text] : refusals) {
        messages.clear();
        display.switchResult = code;
        DisplayModeSwitch s(display, hooks()), unheard(display);
        EXPECT_EQ(s.SetDisplayMode(1024, 768, 24, 60), code);
        EXPECT_EQ(messages, text.isEmpty() ? QStringList() : QStringList{text}) << code;
        choose(unheard, 2, 4, 0);
        unheard.ChangeReso();
        EXPECT_EQ(unheard.lastMessage() ? unheard.lastMessage()->text : QString(), text) << code;
        EXPECT_EQ(shown().id, 1u);
    }

    QStringList notes;
    DisplayModeSwitch::Hooks h = hooks();
    h.note = [&](const DisplayMessage& m) { notes << m.text; };
    messages.clear();
    display.switches.clear();
    display.switchResult = DisplayModeNotSupported;
    DisplayModeSwitch full(display, h);
    full.CheckRes = 1;
    choose(full, 2, 4, 0);
    for (int i = 0; i < 2; ++i) {
        full.enterFullScreen();
        full.leaveFullScreen();
    }
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(notes, QStringList{"The graphics mode is not supported"});
    EXPECT_EQ(display.switches.size(), 1);

    display.switchResult = DisplayChanged;
    display.restoreResult = DisplayDriverFailed;
    DisplayModeSwitch s(display, hooks());
    choose(s, 3, 5, 0);
    events.clear();
    s.ChangeReso();
    EXPECT_EQ(shown().id, 4u);
    EXPECT_EQ(events, (QStringList{"pause", "play"})) << "the movie waits out the switch";
    playing = false;
    s.RestoreScrRes();
    EXPECT_EQ(events, (QStringList{"pause", "play", "pause"})) << "a paused movie stays paused";
    EXPECT_EQ(messages, QStringList({"The display driver failed the specified graphics mode"}));
    EXPECT_TRUE(s.ModeChanged);
    display.restoreResult = DisplayChanged;
    s.RestoreScrRes();
    EXPECT_EQ(shown().id, 1u);
    EXPECT_FALSE(s.ModeChanged);
}

// Without an X server everything fails cleanly. With one (DISPLAY), an unoffered mode changes
// nothing; VANTOR_TEST_SCREEN names its starting size.
TEST(XRandRBackendTest, WithoutAnXServerAllFailsCleanlyOnOneAnUnofferedModeChangesNothing) {
    XRandRBackend none(QByteArrayLiteral(":4093"));
    EXPECT_FALSE(none.isAvailable());
    EXPECT_TRUE(none.modes().isEmpty());
    EXPECT_FALSE(none.currentMode());
    EXPECT_EQ(none.restore(), DisplayChanged);
    DisplayModeSwitch unswitched(none);
    unswitched.CheckRes = 1;
    choose(unswitched, 0, 4, 0);
    unswitched.enterFullScreen();
    unswitched.leaveFullScreen();
    EXPECT_FALSE(unswitched.lastMessage());

    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "no X server";
    XRandRBackend backend;
    ASSERT_TRUE(backend.isAvailable());
    ASSERT_FALSE(backend.modes().isEmpty());
    const std::optional<DisplayMode> before = backend.currentMode();
    ASSERT_TRUE(before);
    EXPECT_GT(before->depth, 0);
    // How the dialog lists the current size: DisplayModeLists.
    const QString expected = qEnvironmentVariable("VANTOR_TEST_SCREEN");
    if (!expected.isEmpty()) {
        EXPECT_EQ(QStringLiteral("%1x%2").arg(before->width).arg(before->height), expected);
    }

    // A size no server lists.
    DisplayModeSwitch s(backend);
    EXPECT_EQ(s.SetDisplayMode(1601, 1199, 24, 60), DisplayChanged);
    EXPECT_FALSE(s.lastMessage());
    EXPECT_EQ(backend.restore(), DisplayChanged); // nothing was switched
    EXPECT_EQ(backend.currentMode().value_or(DisplayMode{}).id, before->id);

    // Only when asked (VANTOR_TEST_XRANDR_SWITCH=1): on a desktop a switch blanks the screen. The
    // dialog's switches on a server with several modes: FullScreenDisplayMode.
    if (qEnvironmentVariableIntValue("VANTOR_TEST_XRANDR_SWITCH") != 1)
        return;
    EXPECT_EQ(backend.switchTo(*before), DisplayChanged);
    EXPECT_EQ(backend.restore(), DisplayChanged);
    EXPECT_EQ(backend.currentMode()->id, before->id);
}

} // namespace
