// Menu files without windows: the parser, the hit test, and what hot spots ask.
#include "menus/hot_spots.h"
#include "menus/menu_file.h"
#include "menus/scenix_menu.h"
#include "test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct RecordingHost : MenuHost {
    void stopMovie() override { calls.append("stop"); }
    bool openMovie(const QString& file, bool loop) override {
        calls.append(
            QStringLiteral("open %1%2").arg(QFileInfo(file).fileName(), loop ? " loop" : ""));
        opened.append(file);
        return openable;
    }
    bool openBivx(const QString& file, const QString& pin, bool) override {
        calls.append(QStringLiteral("bivx %1 %2").arg(QFileInfo(file).fileName(), pin));
        return true;
    }
    void jump(const QString& time) override { calls.append("jump " + time); }
    void addChapter(const QString& time) override { chapters.append(time); }
    bool showStill(const QString& picture) override {
        still = picture;
        return true;
    }
    void showOsd(const QString& text) override { calls.append("osd " + text); }
    void setSubtitleFile(const QString& file) override { subtitles = file; }
    void setTitle(const QString& text) override { title = text; }
    void warn(const QString& text) override { warnings.append(text); }
    void menuChanged() override {}

    QStringList calls, opened, chapters, warnings;
    QString still, title, subtitles;
    bool openable = true;
};

class ScenixMenuTest : public ::testing::Test {
  protected:
    QString menuFile(const QString& name, const QByteArray& text) {
        return testsupport::writeFile(dir.filePath(name), text);
    }
    // The pointer inside hot spot `i`, then a click.
    void click(int i) {
        const std::optional<HotSpot> spot = hotSpotOf(menu.Button.value(i));
        ASSERT_TRUE(spot);
        menu.MouseMoveEvent(spot->rect().center());
        menu.DoAction();
    }
    // A click on hot spot `i` that asks nothing of the player and leaves the menu up.
    void clickDoesNothing(int i) {
        host.calls.clear();
        click(i);
        EXPECT_EQ(host.calls.join(", ").toStdString(), "");
        EXPECT_TRUE(menu.active());
    }

    QTemporaryDir dir;
    RecordingHost host;
    ScenixMenu menu{host};
};

const QByteArray kDemo =
    "Caption=Demo disc\r\nfile:menu.avi\r\n\r\n"
    "Button=010,010,100,050\r\n1stAction=Transition\r\n1stParam=fade.avi\r\n"
    "2ndAction=Play\r\n2ndParam=film.avi\r\n"
    "Button=010,060,100,100\r\n1stAction=None\r\n1stParam=\r\n"
    "2ndAction=GotoChapter\r\n2ndParam=00:12:30:film.avi\r\n"
    "Button=120,010,200,050\r\n1stAction=None\r\n1stParam=\r\n"
    "2ndAction=Language\r\n2ndParam=Stream 02:film.avi\r\n"
    "Button=120,060,200,100\r\n1stAction=None\r\n1stParam=\r\n"
    "2ndAction=Sub\r\n2ndParam=subs\\film.srt\r\n"
    "Butt=010,110,200,150\r\n1stA=None\r\n1stP=\r\n2ndA=play\r\n2ndP=x.avi\r\n";

} // namespace

TEST(MenuFile, RecordsAreReadAtTheirFixedPlacesAndDamagedFilesNeverFail) {
    const MenuFile menu = parseMenuText(QString::fromLatin1(kDemo));
    EXPECT_EQ(menu.Project.size(), 27) << "every line but the empty one";
    EXPECT_EQ(menu.Button, (QStringList{"010,010,100,050", "010,060,100,100", "120,010,200,050",
                                        "120,060,200,100", "010,110,200,150"}));
    // The values of full keys are followed by ScenixMenuTest's clicks;
    // a value place past the line's end gives an empty value.
    EXPECT_EQ(menu.List1stA.last(), "");
    EXPECT_EQ(menu.List2ndA.last(), "");

    // Damaged: only buttons; a 10 MB line; binary bytes; LF alone.
    QByteArray text = "Button=001,001,050,050\nButton=oops\n";
    text += "2ndParam=" + QByteArray(10 << 20, 'x') + "\n";
    text += QByteArray("\x00\xff\xfe\x01Button=", 9) + "060,060,090,090\n";
    const MenuFile damaged = parseMenuText(QString::fromLatin1(text));
    EXPECT_EQ(damaged.skippedLines, 1);
    EXPECT_TRUE(damaged.List2ndP.isEmpty());
    EXPECT_EQ(damaged.Button.size(), 2) << "a line starting with binary bytes is no button";
    EXPECT_FALSE(hotSpotOf("Button=oops"));

    QTemporaryDir dir;
    EXPECT_TRUE(readMenuFile(dir.filePath("none.vmu")).problem.startsWith("The menu none.vmu"));
}

// A miss keeps the last highlight; keys go to the nearest neighbour, straight before aside.
TEST(HotSpots, BordersAreOutsideTheFirstListedWinsAndKeysFindNeighbours) {
    const QStringList buttons{"010,010,100,050", "050,020,150,060", "010,060,100,100"};
    // On a border (outside), in one, in the overlap (the first listed), a miss.
    const std::tuple<QPoint, int, int> hits[] = {{{10, 30}, -1, 2},
                                                 {{100, 30}, 1, 1},
                                                 {{11, 11}, 0, 0},
                                                 {{60, 30}, 0, 0},
                                                 {{300, 300}, -1, 2}};
    for (const auto& [at, index, highlight] : hits) {
        const HitResult hit = hitTest(buttons, at);
        EXPECT_EQ(std::pair(hit.index, hit.highlight), std::pair(index, highlight))
            << at.x() << "," << at.y();
    }
    EXPECT_EQ(hitTest({}, {1, 1}).highlight, -1);
    const std::array<int, 4> moves[] = {
        {-1, 0, 1, 0}, {0, 0, 1, 2}, {0, 1, 0, 1}, {2, 0, 1, -1}, {2, 0, -1, 0}};
    for (const auto& [from, dx, dy, to] : moves)
        EXPECT_EQ(neighbour(buttons, from, dx, dy), to) << from << " by " << dx << "," << dy;
    // Along the last row of a column and the first row of a grid, not to a nearer spot aside.
    const QStringList column{"050,093,275,141", "050,143,312,191", "050,193,356,241",
                             "050,243,316,291", "410,243,530,291"};
    const QStringList row{"050,010,150,050", "300,010,400,050", "250,060,350,100"};
    EXPECT_EQ(QList<int>({neighbour(column, 3, 1, 0), neighbour(column, 4, -1, 0),
                          neighbour(column, 3, 0, -1), neighbour(row, 1, -1, 0),
                          neighbour(row, 2, 0, -1)}),
              QList<int>({4, 3, 2, 0, 1}));
}

TEST_F(ScenixMenuTest, ClicksCarryOutEachActionAndTransitionsPlayFirst) {
    QDir().mkpath(dir.filePath("disc"));
    ASSERT_TRUE(menu.LoadMenu(menuFile("disc/main.vmu", kDemo)));
    const QString disc = dir.filePath("disc");
    EXPECT_EQ(host.calls, (QStringList{"stop", "open menu.avi loop"}));
    EXPECT_EQ(host.opened.last(), disc + "/menu.avi");
    EXPECT_EQ(host.title, "Demo disc");
    // Only the chapter form adds a chapter, not "Stream 02:film.avi".
    EXPECT_EQ(host.chapters, QStringList{"00:12:30"});
    // A background movie that cannot play keeps its failure in the title.
    host.openable = false;
    host.title.clear();
    ASSERT_TRUE(menu.LoadMenu(menuFile("disc/main.vmu", kDemo)));
    EXPECT_TRUE(host.title.isEmpty()) << "the caption would hide why";
    host.openable = true;

    host.calls.clear();
    click(1); // chapter
    EXPECT_EQ(host.calls, (QStringList{"open film.avi", "jump 00:12:30"}));
    EXPECT_FALSE(menu.active()) << "the movie ends the menu";

    // The language hot spot: MenuScreenTest, on the demo disc.
    menu.LoadMenu(dir.filePath("disc/main.vmu"));
    click(3); // subtitles, with a Windows separator
    EXPECT_EQ(host.subtitles, disc + "/subs/film.srt");
    EXPECT_EQ(host.calls.last(), "osd Subtitles loaded...");
    EXPECT_TRUE(menu.active());

    clickDoesNothing(4); // short keys leave its actions empty

    // On a click the action word is taken only as menus write it.
    ASSERT_TRUE(
        menu.LoadMenu(menuFile("disc/lower.vmu", "file:menu.avi\r\nButton=010,010,100,050\r\n"
                                                 "1stAction=None\r\n1stParam=\r\n"
                                                 "2ndAction=play\r\n2ndParam=film.avi\r\n")));
    clickDoesNothing(0);

    // Transitions play first and their end carries out the rest.
    ASSERT_TRUE(menu.LoadMenu(menuFile("main.vmu", kDemo)));
    host.calls.clear();
    click(0);
    EXPECT_TRUE(menu.TransitionPending());
    EXPECT_EQ(host.calls, QStringList{"open fade.avi"});
    EXPECT_EQ(menu.PendingAction(), "Play");
    EXPECT_TRUE(menu.active()) << "until the transition ends";
    EXPECT_TRUE(menu.runPendingTransition());
    EXPECT_EQ(host.calls.last(), "open film.avi");
    EXPECT_FALSE(menu.active());
    EXPECT_FALSE(menu.runPendingTransition()) << "once";
    // After "Play" the same place selects nothing.
    menu.MouseMoveEvent({50, 30});
    EXPECT_EQ(menu.SelectedHotSpot(), -1);

    // At a transition's end the action word's case does not matter.
    ASSERT_TRUE(menu.LoadMenu(menuFile(
        "late.vmu", "Button=000,000,100,100\r\n1stAction=Transition\r\n1stParam=fade.avi\r\n"
                    "2ndAction=play\r\n2ndParam=late.avi\r\n")));
    click(0);
    EXPECT_TRUE(menu.runPendingTransition());
    EXPECT_EQ(host.calls.last(), "open late.avi");

    // Leaving the menu while the transition plays forgets its action.
    ASSERT_TRUE(menu.LoadMenu(menuFile("main.vmu", kDemo)));
    click(0);
    host.calls.clear();
    menu.CleanVMU();
    EXPECT_FALSE(menu.runPendingTransition());
    EXPECT_TRUE(host.calls.isEmpty());
}

TEST_F(ScenixMenuTest, SecondMenusReplaceHotSpotsAndKeepTheProject) {
    const QString first = menuFile("main.vmu", kDemo);
    const QString second =
        menuFile("second.vmu", "File=still.bmp\r\nButton=000,000,640,360\r\n1stAction=None\r\n"
                               "1stParam=\r\n2ndAction=Goto\r\n2ndParam=main.vmu\r\n"
                               "2ndParam=00:00:05:x.avi\r\n");
    testsupport::writeFile(dir.filePath("still.bmp"), "BM");
    ASSERT_TRUE(menu.LoadMenu(first));
    const int projectLines = menu.Project.size();
    ASSERT_TRUE(menu.LoadMenu(second));
    EXPECT_EQ(menu.Button.size(), 1);
    EXPECT_EQ(menu.Project.size(), projectLines + 7);
    EXPECT_EQ(host.still, dir.filePath("still.bmp"));
    EXPECT_EQ(host.chapters, (QStringList{"00:12:30", "00:00:05"}));

    // Goto leads back; a menu that cannot be read keeps the one shown.
    click(0);
    EXPECT_EQ(menu.Button.size(), 5);
    EXPECT_FALSE(menu.LoadMenu(dir.filePath("gone.vmu")));
    EXPECT_EQ(menu.Button.size(), 5);
    EXPECT_EQ(host.warnings.size(), 1);

    // Hot spots without actions (lists of different lengths) do nothing.
    ASSERT_TRUE(menu.LoadMenu(menuFile("bare.vmu", "Button=000,000,100,100\r\n")));
    clickDoesNothing(0);
    EXPECT_TRUE(menu.MenuHover());
}
