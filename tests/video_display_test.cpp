// The video display with a real movie, offscreen and under a window manager (see full_screen.sh).
#include "app/frm_main.h"
#include "app/main_commands.h"
#include "config/display_modes.h"
#include "config/frm_config.h"
#include "config/xrandr_backend.h"
#include "subtitles/subtitle_display.h"
#include "support/media/video_window.h"
#include "support/settings/settings_store.h"
#include "test_support.h"
#include "video/aspect_ratio.h"
#include "video/pic_video_window.h"
#include "video/video_display.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QMouseEvent>
#include <QScreen>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

class VideoDisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = freshPlayer();
        window->OpenaMovie(mediaPath("demo.avi"), false); // 640x360
        ASSERT_TRUE(waitUntil([&] { return video()->isVisible(); }, 5000));
    }
    void TearDown() override { window->ExitMe(); }

    PicVideoWindow* video() const { return window->videoWindowForm(); }
    VideoWindow* renderer() const { return window->playback.MediaControl()->videoWindow(); }
    QRect picture() const {
        VideoWindow* r = renderer();
        return QRect(r->left(), r->top(), r->width(), r->height());
    }
    QSize screen() const { return QApplication::primaryScreen()->geometry().size(); }

    std::unique_ptr<frmMain> window;
};

} // namespace

// A first frame arriving as full screen is left lays out windowed; a moved window stays moved.
TEST_F(VideoDisplayTest, LeavingFullScreenAndPlayingAgainKeepTheWindowAsTheUserHasIt) {
    window->FullScrMode();
    ASSERT_TRUE(window->video().state().FullScreenOn);
    QMetaObject::invokeMethod(
        &window->video(), [this] { window->video().firstFrame(); }, Qt::QueuedConnection);
    window->FullScrMode();
    EXPECT_FALSE(window->video().state().FullScreenOn);
    // A window manager's late answer to the entry may come first.
    EXPECT_TRUE(waitUntil([&] { return !video()->isFullScreen(); }, 3000));

    pumpEvents(700); // the window manager's frame comes back
    EXPECT_EQ(video()->size(), QSize(640, 360));
    EXPECT_EQ(picture(), QRect(0, 0, 640, 360));
    const QPoint from = video()->pos();
    const bool ownDrag = QGuiApplication::platformName() == "offscreen";
    const QPoint grip = video()->mapToGlobal(QPoint(20, 20));
    auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(video()->mapFromGlobal(at)), QPointF(at), Qt::LeftButton,
                          held, Qt::NoModifier);
        QApplication::sendEvent(video(), &event);
    };
    if (ownDrag) {
        send(QEvent::MouseButtonPress, grip, Qt::LeftButton);
        send(QEvent::MouseMove, grip + QPoint(30, -20), Qt::LeftButton);
        send(QEvent::MouseButtonRelease, grip + QPoint(30, -20), Qt::NoButton);
    } else {
        video()->move(from + QPoint(30, -20));
    }
    pumpEvents(100);
    const QPoint moved = video()->pos();
    EXPECT_TRUE(!ownDrag || moved == from + QPoint(30, -20)) << "offscreen, the drag moves it";
    window->StopMovie();
    window->transport.play_Click();
    pumpEvents(500);
    EXPECT_EQ(video()->pos(), moved);
}

TEST_F(VideoDisplayTest, ALargeMovieGetsAWindowThatFitsAndSoundAloneNoFullScreen) {
    ASSERT_TRUE(window->OpenaMovie(mediaPath("big.avi"), false));
    ASSERT_TRUE(waitUntil([&] { return video()->isVisible() && video()->width() != 640; }, 5000));
    const QRect free = QApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(free.contains(video()->frameGeometry()))
        << video()->frameGeometry().width() << "x" << video()->frameGeometry().height();
    EXPECT_LT(video()->frameGeometry().bottom(), window->frameGeometry().top()) << "above the bar";
    EXPECT_NEAR(double(video()->width()) / video()->height(), 16.0 / 9.0, 0.02);

    // Sound alone has nothing to show full screen: no display-mode switch.
    DisplayModeSwitch& modes = *window->displayModes();
    modes.CheckRes = 1;
    for (SelectableList* list : {&modes.cmbres, &modes.cmbcols, &modes.cmbHz})
        list->setListIndex(0);
    ASSERT_TRUE(window->OpenaMovie(mediaPath("tone.wav"), false));
    ASSERT_TRUE(waitUntil([&] { return window->playback.position() > 0.2; }, 5000));
    window->commands().run(Command::FullScreen);
    EXPECT_FALSE(window->video().state().FullScreenOn);
    EXPECT_FALSE(modes.ModeChanged);
}

// The square takes each preset's shape (no ratio: the movie's own); each pad step is 32 pixels.
TEST_F(VideoDisplayTest, PresetsAndThePadReshapeThePictureOnScreen) {
    ASSERT_TRUE(window->OpenaMovie(mediaPath("square.avi"), false)); // 640x360
    ASSERT_TRUE(waitUntil(
        [&] { return video()->isVisible() && renderer() && renderer()->isVisible(); }, 5000));
    window->config()->DAR.setItems({"4/3", "abc/0", "16/9", "2.35/1"});
    const auto square = [&] {
        pumpEvents(150);
        return whiteBox(windowPixels(*video()));
    };
    const struct {
        int item; // 0 for Original
        double shape;
    } presets[] = {{1, 0.75}, {2, 1.0}, {3, 1.0}, {4, 2.35 / (16.0 / 9)}, {0, 1.0}};
    for (const auto& row : presets) {
        if (row.item)
            window->Mnu_DAR_Click(row.item);
        else
            window->Mnu_DAROr_Click();
        ASSERT_TRUE(window->video().state().FullScreenOn);
        const QRect box = square();
        EXPECT_NEAR(double(box.width()) / box.height() / row.shape, 1.0, 0.02) << row.item;
    }

    window->Mnu_DAR_Click(3);
    window->PanScanPad_Click();
    const double scale = video()->devicePixelRatio();
    const struct {
        const char* control;
        int width, height; // renderer pixels
    } steps[] = {{"Pd", 32, 0},  {"Pg", -32, 0},  {"Pb", 0, 32},
                 {"Ph", 0, -32}, {"pbd", 32, 32}, {"pgh", -32, -32}};
    for (const auto& step : steps) {
        const QRect before = square(), placed = picture();
        click(window->control(step.control));
        // Grown or shrunk about its centre.
        EXPECT_EQ(picture(), placed.adjusted(-step.width / 2, -step.height / 2, step.width / 2,
                                             step.height / 2))
            << step.control;
        const QRect after = square();
        // The square is 180 of the movie's 640x360 pixels.
        EXPECT_NEAR(after.width() - before.width(), 180.0 * step.width / 640 * scale, 1.5)
            << step.control;
        EXPECT_NEAR(after.height() - before.height(), 180.0 * step.height / 360 * scale, 1.5)
            << step.control;
        // Cropped where the renderer reaches off the screen, not squeezed.
        const QRectF place(QPointF(picture().topLeft()) * scale, QSizeF(picture().size()) * scale);
        const double x = place.width() / 640, y = place.height() / 360;
        EXPECT_NEAR(after.left(), place.x() + 230 * x, 2) << step.control;
        EXPECT_NEAR(after.top(), place.y() + 90 * y, 2) << step.control;
    }
}

// Full screen at a wide preset leaves bars: the subtitles stay over the picture, even set low.
TEST_F(VideoDisplayTest, SubtitlesStandOverThePictureNotTheBars) {
    frmSub& sub = *window->subtitles().window();
    sub.yPos = [] { return QStringLiteral("95"); };
    window->config()->DAR.setItems({"2.35/1", "4/3"});
    for (const int item : {1, 2}) {
        window->Mnu_DAR_Click(item);
        sub.setLines({QStringLiteral("A line low over the picture"), {}, {}});
        pumpEvents(100);
        ASSERT_TRUE(sub.isVisible());
        const QRect onScreen = picture().translated(video()->mapToGlobal(QPoint(0, 0)));
        EXPECT_TRUE(onScreen.contains(sub.geometry()))
            << item << ": subtitles at " << sub.geometry().y() << "+" << sub.geometry().height()
            << ", picture " << onScreen.y() << "+" << onScreen.height();
        EXPECT_NEAR(sub.geometry().center().x(), onScreen.center().x(), 1);
    }
}

// The still pointer hides in full screen only, and shows on movement; an open in full screen
// shows the curtain, then the picture or nothing.
TEST_F(VideoDisplayTest, ThePointerHidesInFullScreenAndAnOpenThereShowsTheCurtainThenThePicture) {
    QCursor::setPos(100, 100);
    const auto hiddenAfter = [&](int seconds) {
        for (int second = 0; second < seconds; ++second)
            window->video().pointerTick(1000);
        return video()->cursor().shape() == Qt::BlankCursor;
    };
    EXPECT_FALSE(hiddenAfter(5)) << "only in full screen";
    window->FullScrMode();
    EXPECT_FALSE(hiddenAfter(3));
    EXPECT_TRUE(hiddenAfter(1)) << "four seconds still";
    QCursor::setPos(100, 140); // up and down is movement too
    EXPECT_FALSE(hiddenAfter(1));

    struct Watch : QObject {
        int shown = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            shown += e->type() == QEvent::Show;
            return false;
        }
    } curtain;
    window->video().curtain()->installEventFilter(&curtain);
    window->OpenaMovie(mediaPath("one-audio.avi"), false); // 320x240
    EXPECT_EQ(curtain.shown, 1);
    EXPECT_FALSE(window->video().curtain()->isVisible()) << "playing lifts it";
    ASSERT_TRUE(waitUntil([&] { return renderer() && renderer()->isVisible(); }, 5000));
    EXPECT_TRUE(window->video().state().FullScreenOn);
    EXPECT_EQ(video()->geometry(), QRect(QPoint(0, 0), screen()));
    EXPECT_EQ(picture(), *fullScreenPicture(screen(), {320, 240}));

    // A file that cannot play lifts the curtain and leaves full screen.
    window->OpenaMovie(mediaPath("not-media.avi"), false);
    pumpEvents(300);
    EXPECT_FALSE(window->video().curtain()->isVisible());
    EXPECT_FALSE(window->video().state().FullScreenOn);
    EXPECT_FALSE(window->playback.MovieOpen());
    EXPECT_FALSE(video()->isVisible());
}

// Only on a server with several modes (display_modes.sh).
TEST(FullScreenDisplayMode, SwitchesOnEntryAndRestoresOnLeaving) {
    if (qEnvironmentVariableIsEmpty("VANTOR_TEST_EXPECT_SWITCHES"))
        GTEST_SKIP() << "no X server with several modes";
    QFile::remove(SettingsStore::defaultFilePath());
    SettingsStore store;
    store.write("ChangeRes", "1");
    store.write("ChangeResXY", "2");   // 1024x768
    store.write("ChangeResCols", "4"); // 24 bits
    store.write("ChangeResHz", "0");   // 60 Hz
    XRandRBackend display;
    ASSERT_TRUE(display.isAvailable());
    const DisplayMode before = *display.currentMode();
    frmMain window(mediaPath("demo.avi"));
    window.Form_Load();
    ASSERT_TRUE(window.playback.MovieOpen());
    window.FullScrMode();
    const DisplayMode now = *display.currentMode();
    EXPECT_EQ(QStringLiteral("%1x%2@%3").arg(now.width).arg(now.height).arg(now.refreshHz),
              "1024x768@60");
    EXPECT_TRUE(window.displayModes()->ModeChanged);
    window.FullScrMode();
    EXPECT_EQ(display.currentMode()->id, before.id);
    EXPECT_FALSE(window.displayModes()->ModeChanged);
    window.ExitMe();
}
