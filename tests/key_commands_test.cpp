// The keys and the pop-up menus name commands: every row of the key table
// reaches its command from each of the three windows, text boxes keep their
// keys, and the menu tree holds every item with its caption and command,
// disabled when the command cannot act, with its check marks. On the
// player itself: which button and which click pops up which menu.
#include "app/frm_main.h"
#include "app/graph_menus.h"
#include "app/help_text.h"
#include "app/key_dispatcher.h"
#include "app/key_table.h"
#include "skin/skin_image.h"
#include "support/settings/settings_store.h"
#include "test_support.h"
#include "video/pic_video_window.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>

namespace {

struct Recorder : PlayerCommands {
    void run(Command command, int argument) override { ran.append({command, argument}); }
    bool available(Command command, int) const override { return !unavailable.contains(command); }
    bool checked(Command command) const override { return on.contains(command); }
    QList<std::pair<Command, int>> ran;
    QSet<Command> unavailable, on;
};

bool press(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    // Letters carry their text, as typed keys do.
    const QString text =
        key >= Qt::Key_A && key <= Qt::Key_Z ? QString(QChar(key).toLower()) : QString();
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&widget, &event);
    return event.isAccepted();
}

class KeyDispatcherTest : public ::testing::Test {
  protected:
    KeyDispatcherTest() : keys(commands, {&main, &video, [this] { return &subtitles; }}) {}
    Recorder commands;
    QWidget main, video, subtitles, elsewhere;
    KeyDispatcher keys;
};

} // namespace

TEST_F(KeyDispatcherTest, EveryRowReachesItsCommandFromEachWindow) {
    for (QWidget* window : {&main, &video, &subtitles}) {
        for (const KeyBinding& row : keyTable()) {
            commands.ran.clear();
            Qt::KeyboardModifiers modifiers;
            if (row.alt)
                modifiers |= Qt::AltModifier;
            if (row.keypad)
                modifiers |= Qt::KeypadModifier;
            press(*window, row.key, modifiers);
            ASSERT_EQ(commands.ran.size(), 1) << row.keyName;
            EXPECT_EQ(commands.ran[0].first, row.command) << row.keyName;
        }
    }
    // Escape tells the command where it came from: the main window only
    // leaves full screen, the others also let go of the video's focus.
    commands.ran.clear();
    press(main, Qt::Key_Escape);
    press(video, Qt::Key_Escape);
    press(subtitles, Qt::Key_Escape);
    EXPECT_EQ(commands.ran, (QList<std::pair<Command, int>>{{Command::LeaveFullScreen, 0},
                                                            {Command::LeaveFullScreen, 1},
                                                            {Command::LeaveFullScreen, 1}}));
}

TEST_F(KeyDispatcherTest, ModifiersKeypadTextBoxesAndOtherWindows) {
    const Qt::KeyboardModifiers any[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier,
                                         Qt::ShiftModifier | Qt::ControlModifier};
    for (const Qt::KeyboardModifiers modifiers : any)
        EXPECT_EQ(commandForKey(Qt::Key_V, modifiers), Command::StopMovie);
    EXPECT_EQ(commandForKey(Qt::Key_Return, Qt::NoModifier), Command::None);
    EXPECT_EQ(commandForKey(Qt::Key_Return, Qt::AltModifier), Command::FullScreen);
    EXPECT_EQ(commandForKey(Qt::Key_Plus, Qt::NoModifier), Command::None) << "keypad only";
    EXPECT_EQ(commandForKey(Qt::Key_Q, Qt::NoModifier), Command::None);
    EXPECT_EQ(commandForKey(Qt::Key_A, Qt::NoModifier), Command::None);

    // A key the table does not name goes on to the window.
    EXPECT_FALSE(press(video, Qt::Key_Q));
    // Text boxes keep their letters; other windows are not the player's.
    auto* edit = new QLineEdit(&main);
    press(*edit, Qt::Key_V);
    press(elsewhere, Qt::Key_V);
    EXPECT_TRUE(commands.ran.isEmpty());
    press(main, Qt::Key_V);
    EXPECT_EQ(commands.ran.size(), 1);
}

namespace {

struct MenuItem {
    const char* name;
    const char* caption;
    Command command;
    int argument = 0;
};

} // namespace

TEST(GraphMenus, EveryItemHasItsCaptionAndCommand) {
    Recorder commands;
    Graph graph(commands, {[] {
                               return QStringList{"16/9", "4/3"};
                           },
                           [] {
                               return QStringList{"Stream 01", "Stream 02", "None", "None", "None"};
                           }});
    using C = Command;
    const MenuItem items[] = {
        {"Mnu_PowerOptions", "Options", C::ShowOptions},
        {"Mnu_Filterprop", "Filters Properties", C::FilterProperties},
        {"Mnu_VidRender", "Video Renderer", C::VideoRendererProperties},
        {"Mnu_ShowMe", "Show Player", C::ShowMe},
        {"Mnu_Options", "Options", C::ShowOptions},
        {"Mnu_Filterprop1", "Filters Properties", C::FilterProperties},
        {"Mnu_Opfile", "File...", C::OpenMovie},
        {"Mnu_OpSub", "Subtitles...", C::OpenSubDlg},
        {"Mnu_OpScenix", "Scenova", C::LoadMenuDlg},
        {"Mnu_Previous", "Previous File", C::Previous},
        {"mnu_Play", "Play", C::PlayMovie},
        {"Mnu_Pause", "Pause", C::PauseMovie},
        {"Mnu_Stop", "Stop", C::StopMovie},
        {"Mnu_Next", "Next File", C::NextMovie},
        {"Mnu_Jump", "Jump to...", C::ShowJump},
        {"Mnu_Repeat", "Repeat", C::RepMode},
        {"Mnu_Shuffle", "Shuffle", C::ShuffMode},
        {"Mnu_Fullscr", "Full Screen", C::FullScreen},
        {"Mnu_DAROr", "Original", C::AspectOriginal},
        {"Mnu_DAR1", "16/9", C::AspectPreset, 1},
        {"Mnu_DAR2", "4/3", C::AspectPreset, 2},
        {"Mnu_DAR9", "9 - Empty", C::AspectPreset, 9},
        {"menu_Rate0", "Half (50%)", C::Rate, 0},
        {"menu_Rate1", "Normal (100%)", C::Rate, 1},
        {"menu_Rate2", "Double (200%)", C::Rate, 2},
        {"Mnu_As1", "Stream 01", C::AudioStream, 1},
        {"Mnu_As2", "Stream 02", C::AudioStream, 2},
        {"Mnu_As5", "None", C::AudioStream, 5},
        {"Mnu_ShowSub", "Show Subtitles", C::ShowSubtitles},
        {"Mnu_Exit", "Exit", C::Exit},
        {"Mnu_Openfile", "File...", C::OpenMovie},
        {"Mnu_OpenSub", "Subtitles...", C::OpenSubDlg},
        {"Mnu_Scenova", "Scenova", C::LoadMenuDlg},
    };
    // Submenus are converted as they are about to open.
    for (const char* sub : {"Mnu_Open", "Mnu_Aspect", "Mnu_rate", "Mnu_AudioStreams"})
        Q_EMIT graph.item(sub)->menu()->aboutToShow();
    for (const MenuItem& item : items) {
        QAction* action = graph.item(item.name);
        ASSERT_NE(action, nullptr) << item.name;
        EXPECT_EQ(action->text(), item.caption) << item.name;
        commands.ran.clear();
        action->trigger();
        EXPECT_EQ(commands.ran, (QList<std::pair<Command, int>>{{item.command, item.argument}}))
            << item.name;
    }
    const std::pair<const char*, const char*> titles[] = {
        {"mnuline1", "Options"},  {"miho2", "Filters"}, {"oooo", "Player Options"},
        {"oo", "Player Control"}, {"ooo", "Renderer"},  {"bb", "Exit"},
        {"ooooo", " Open"}};
    for (const auto& [name, title] : titles) {
        QAction* separator = graph.item(name);
        ASSERT_NE(separator, nullptr) << name;
        EXPECT_TRUE(separator->isSeparator()) << name;
        EXPECT_EQ(separator->text(), title);
    }
    for (const char* sub : {"Mnu_Open", "Mnu_Aspect", "Mnu_rate", "Mnu_AudioStreams"})
        EXPECT_NE(graph.item(sub)->menu(), nullptr) << sub;
    EXPECT_EQ(graph.mnu_Player.actions().size(), 22);
    EXPECT_EQ(graph.MnuOption.actions().size(), 5);
    EXPECT_EQ(graph.Mnu_opener.actions().size(), 4);
}

TEST(GraphMenus, ChecksAndEnabledStatesAreReadWhenAMenuOpens) {
    Recorder commands;
    Graph graph(commands, {});
    commands.unavailable = {Command::PlayMovie, Command::ShowSubtitles, Command::AudioStream};
    commands.on = {Command::ShuffMode};
    Q_EMIT graph.mnu_Player.aboutToShow();
    EXPECT_FALSE(graph.item("mnu_Play")->isEnabled());
    EXPECT_FALSE(graph.item("Mnu_ShowSub")->isEnabled());
    EXPECT_FALSE(graph.item("Mnu_As1")->isEnabled());
    EXPECT_TRUE(graph.item("Mnu_Stop")->isEnabled());
    EXPECT_TRUE(graph.item("Mnu_Shuffle")->isChecked());
    EXPECT_FALSE(graph.item("Mnu_Repeat")->isChecked());
    EXPECT_EQ(graph.item("Mnu_DAR4")->text(), "4 - Empty");

    commands.unavailable.clear();
    commands.on = {Command::RepMode, Command::ShowSubtitles};
    Q_EMIT graph.mnu_Player.aboutToShow();
    EXPECT_TRUE(graph.item("mnu_Play")->isEnabled());
    EXPECT_FALSE(graph.item("Mnu_Shuffle")->isChecked());
    EXPECT_TRUE(graph.item("Mnu_Repeat")->isChecked());
    EXPECT_TRUE(graph.item("Mnu_ShowSub")->isChecked());
    // Pictures by caption; the check items have none, so they show marks.
    EXPECT_GE(graph.cool.record(graph.item("mnu_Play"))->iButton, 0);
    EXPECT_EQ(graph.cool.record(graph.item("Mnu_Repeat"))->iButton, -1);
}

namespace {

class PlayerMenusTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QFile::remove(SettingsStore::defaultFilePath());
        window = std::make_unique<frmMain>(QString());
        window->Form_Load();
        window->show();
    }
    void TearDown() override { window->ExitMe(); }
    void click(QWidget& widget, Qt::MouseButton button) {
        const QPointF at(widget.width() / 2.0, widget.height() / 2.0);
        QMouseEvent down(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), button, button,
                         Qt::NoModifier);
        QApplication::sendEvent(&widget, &down);
        QMouseEvent up(QEvent::MouseButtonRelease, at, widget.mapToGlobal(at), button, Qt::NoButton,
                       Qt::NoModifier);
        QApplication::sendEvent(&widget, &up);
    }
    std::unique_ptr<frmMain> window;
};

} // namespace

TEST_F(PlayerMenusTest, ButtonsAndTheVideoWindowPopUpTheirMenus) {
    Graph& graph = window->graph();
    auto* conf = window->findChild<SkinImage*>("conf");
    click(*conf, Qt::LeftButton);
    ASSERT_TRUE(testsupport::waitUntil([&] { return graph.MnuOption.isVisible(); }, 2000));
    EXPECT_EQ(graph.MnuOption.pos().x(), conf->mapToGlobal(QPoint(conf->width(), 0)).x())
        << "beside the button";
    graph.MnuOption.hide();
    click(*window->findChild<SkinImage*>("ouvrir"), Qt::LeftButton);
    ASSERT_TRUE(testsupport::waitUntil([&] { return graph.Mnu_opener.isVisible(); }, 2000));
    graph.Mnu_opener.hide();

    // Nothing plays: the items that need a movie are disabled.
    Q_EMIT graph.mnu_Player.aboutToShow();
    EXPECT_FALSE(graph.item("mnu_Play")->isEnabled());
    EXPECT_FALSE(graph.item("Mnu_ShowSub")->isEnabled());
    EXPECT_TRUE(graph.item("Mnu_Opfile")->isEnabled());

    ASSERT_TRUE(window->OpenaMovie(testsupport::mediaPath("two-audio.avi"), false));
    QWidget& video = *window->videoWindowForm();
    ASSERT_TRUE(testsupport::waitUntil([&] { return video.isVisible(); }, 5000));
    window->state.VideoFocused = false;
    click(video, Qt::RightButton);
    EXPECT_FALSE(graph.mnu_Player.isVisible()) << "a click that only focuses opens nothing";
    window->state.VideoFocused = true;
    click(video, Qt::RightButton);
    ASSERT_TRUE(testsupport::waitUntil([&] { return graph.mnu_Player.isVisible(); }, 2000));
    EXPECT_TRUE(graph.item("mnu_Play")->isEnabled());
    ASSERT_TRUE(testsupport::waitUntil(
        [&] { return window->audioStreamItems().value(1) == "Stream 02"; }, 5000));
    Q_EMIT graph.mnu_Player.aboutToShow();
    EXPECT_TRUE(graph.item("Mnu_As2")->isEnabled());
    EXPECT_FALSE(graph.item("Mnu_As3")->isEnabled());

    // The entry under the pointer explains itself in the title, until the
    // menu closes.
    const QString title = window->scrollTitle();
    graph.mnu_Player.setActiveAction(graph.item("Mnu_Jump"));
    EXPECT_EQ(window->scrollTitle(), "Goes to a time of the movie");
    graph.mnu_Player.hide();
    EXPECT_EQ(window->scrollTitle(), title);
}

// The README's key list is the table's, as the help prints it.
TEST(HelpText, TheReadmeListsTheKeyTable) {
    QFile readme(QStringLiteral(VANTOR_SOURCE_DIR "/README.md"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    const qsizetype from = text.indexOf("<!-- keys -->\n```\n");
    const qsizetype to = text.indexOf("```\n<!-- /keys -->");
    ASSERT_TRUE(from >= 0 && to > from);
    EXPECT_EQ(text.mid(from + 18, to - from - 18), keyTableText())
        << "copy the key lines of \"vantorplay --help\" into the README";
}

TEST(HelpText, ThePlayerListsEveryKeyOfTheTable) {
    QProcess player;
    player.start(VANTOR_PLAYER, {"--help"});
    ASSERT_TRUE(player.waitForFinished(10000));
    EXPECT_EQ(player.exitCode(), 0);
    const QString out = QString::fromLocal8Bit(player.readAllStandardOutput());
    EXPECT_TRUE(out.startsWith("Usage: vantorplay"));
    for (const KeyBinding& row : keyTable())
        EXPECT_TRUE(out.contains(QString(row.keyName).leftJustified(20) + ' ' + row.description))
            << row.keyName;
}
