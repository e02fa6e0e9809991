// The demo disc's menus on the player with real movies (also run under Xvfb).
#include "app/frm_main.h"
#include "app/menu_view.h"
#include "graph_fixture.h"
#include "menus/hot_spots.h"
#include "subtitles/subtitle_display.h"
#include "subtitles/subtitle_table.h"
#include "test_support.h"
#include "video/pic_video_window.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using testsupport::mediaPath;
using testsupport::waitUntil;

namespace {

class MenuScreenTest : public ::testing::Test {
  protected:
    void SetUp() override { window = testsupport::freshPlayer(mediaPath("main.vmu")); }
    void TearDown() override { window->ExitMe(); }

    MenuScreen& screen() { return window->menus().screen(); }
    ScenixMenu& menu() { return window->menus().menu(); }
    QWidget* video() { return window->videoWindowForm(); }
    QString playing() const { return QFileInfo(window->playback.CurrentFile()).fileName(); }
    bool waitForMovie(const QString& name) {
        return waitUntil(
            [&] {
                return playing() == name && window->playback.PlayState() == 2 &&
                       video()->isVisible() && screen().windowPoint({0, 0});
            },
            8000);
    }
    // A left click in the middle of hot spot `i`, where the window shows it.
    void click(int i) {
        const std::optional<HotSpot> spot = hotSpotOf(menu().Button.value(i));
        ASSERT_TRUE(spot);
        const std::optional<QPointF> at = screen().windowPoint(spot->rect().center());
        ASSERT_TRUE(at);
        QMouseEvent press(QEvent::MouseButtonPress, *at, video()->mapToGlobal(*at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(video(), &press);
    }
    void key(int code) {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
        QApplication::sendEvent(video(), &press);
    }
    void shoot(const QString& name) {
        if (const QByteArray dir = qgetenv("VANTOR_SCREENSHOTS"); !dir.isEmpty())
            video()->grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(name));
    }
    void backToTheMenu() {
        ASSERT_TRUE(window->LoadMenu(mediaPath("main.vmu")));
        ASSERT_TRUE(waitForMovie("menu.avi"));
    }

    std::unique_ptr<frmMain> window;
};

} // namespace

TEST_F(MenuScreenTest, EachHotSpotOfTheDemoDiscLeadsToItsActionAndTheKeysLeadBack) {
    ASSERT_TRUE(waitForMovie("menu.avi"));
    // Over a hot spot: framed, and the pointer labelled in green.
    video()->setAttribute(Qt::WA_UnderMouse);
    menu().MouseMoveEvent({100, 120});
    screen().update();
    EXPECT_TRUE(screen().ButtonSel->isVisible());
    QLabel* label = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == "FrmCursor")
            label = qobject_cast<QLabel*>(top);
    ASSERT_TRUE(label && label->isVisible());
    EXPECT_EQ(label->text(), "* Button");
    EXPECT_GT(testsupport::pixelsOf(label->grab().toImage(), qRgb(0, 255, 0)), 10)
        << "the label's text";
    menu().MouseMoveEvent({1, 1});
    screen().update();
    EXPECT_FALSE(label->isVisible()) << "off the hot spots";
    testsupport::pumpEvents(300);
    shoot("menu-main.png");

    click(2); // the second audio stream
    ASSERT_TRUE(waitForMovie("demo.avi"));
    const FilterInfo splitter = findFilter(*window->playback.MediaControl(), "AVI Splitter");
    EXPECT_FALSE(findPin(splitter, "Stream 01").connectedTo());
    EXPECT_TRUE(findPin(splitter, "Stream 02").connectedTo());

    backToTheMenu();
    click(3); // the subtitles, then play through the transition
    EXPECT_EQ(window->subtitles().SubFileName(), mediaPath("demo.srt"));
    EXPECT_EQ(window->osdText(), "Subtitles loaded...");
    click(0);
    ASSERT_TRUE(waitForMovie("transition.avi"));
    ASSERT_TRUE(waitForMovie("demo.avi"));
    EXPECT_FALSE(screen().ButtonSel->isVisible());
    EXPECT_GT(window->subtitles().table().count(), 0) << "the movie took the subtitles";

    // The second menu is a still picture, and the keys lead back.
    backToTheMenu();
    click(4); // "More..."
    ASSERT_TRUE(waitUntil([&] { return screen().stillShown(); }, 3000));
    EXPECT_EQ(video()->size(), QSize(640, 360)) << "the window takes the picture's size";
    EXPECT_EQ(screen().ImgMenu->geometry(), QRect(0, 0, 640, 360));
    EXPECT_EQ(window->scrollTitle(), "More of the demo");
    key(Qt::Key_Down); // from nothing: the first hot spot
    key(Qt::Key_Down); // then the one below it, "Back to the main menu"
    EXPECT_EQ(window->menus().menu().SelectedHotSpot(), 1);
    shoot("menu-second.png");
    key(Qt::Key_Return);
    ASSERT_TRUE(waitForMovie("menu.avi"));
    EXPECT_FALSE(screen().stillShown());

    // A menu whose picture is missing still answers, on the window's pixels.
    QTemporaryDir disc;
    ASSERT_TRUE(window->LoadMenu(testsupport::writeFile(
        disc.filePath("bare.vmu"), "File=gone.bmp\r\nButton=000,000,100,100\r\n1stAction=None\r\n"
                                   "1stParam=\r\n2ndAction=Play\r\n2ndParam=x.avi\r\n")));
    EXPECT_EQ(screen().picturePoint(QPoint(50, 30)), QPointF(50, 30));
    backToTheMenu();

    // Opening a movie of one's own leaves the menu.
    window->openFiles({mediaPath("movie.mp4")});
    ASSERT_TRUE(waitForMovie("movie.mp4"));
    EXPECT_FALSE(menu().active());
}
