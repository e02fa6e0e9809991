// The keys and the pop-up menus: each key and each item with the command it runs.
#include "app/graph_menus.h"
#include "app/help_text.h"
#include "app/key_dispatcher.h"
#include "app/main_commands.h"
#include "player/key_table.h"
#include "skin/text_scroller.h"
#include "test_support.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QSet>
#include <functional>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

struct Recorder : PlayerCommands {
    void run(Command command, int argument) override { ran.append({command, argument}); }
    bool available(Command command, int) const override { return !unavailable.contains(command); }
    bool checked(Command command, int argument = 0) const override {
        return on.contains({command, argument});
    }
    QList<std::pair<Command, int>> ran, on;
    QSet<Command> unavailable;
};

bool press(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    // Letters carry their text, as typed keys do.
    const QString text =
        key >= Qt::Key_A && key <= Qt::Key_Z ? QString(QChar(key).toLower()) : QString();
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&widget, &event);
    return event.isAccepted();
}

QString playerSays(const QString& option) {
    QProcess player;
    player.start(VANTOR_PLAYER, {option});
    EXPECT_TRUE(player.waitForFinished(10000));
    EXPECT_EQ(player.exitCode(), 0);
    return QString::fromLocal8Bit(player.readAllStandardOutput());
}

class KeyDispatcherTest : public ::testing::Test {
  protected:
    KeyDispatcherTest() : keys(commands, {&main, &video, [this] { return &subtitles; }}) {}
    Recorder commands;
    QWidget main, video, subtitles, elsewhere;
    KeyDispatcher keys;
};

} // namespace

// The keys as the README lists them, each with the command it runs.
TEST_F(KeyDispatcherTest, EveryKeyReachesItsCommandFromEachWindow) {
    using C = Command;
    const Qt::KeyboardModifiers alt = Qt::AltModifier, pad = Qt::KeypadModifier;
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        Command command;
    } keys[] = {
        // clang-format off
        {Qt::Key_Return, alt, C::FullScreen}, {Qt::Key_Enter, alt | pad, C::FullScreen},
        {Qt::Key_Space, {}, C::PlayPause}, {Qt::Key_PageUp, {}, C::ChapterNext},
        {Qt::Key_PageDown, {}, C::ChapterPrevious}, {Qt::Key_B, {}, C::NextMovie},
        {Qt::Key_C, {}, C::PauseMovie}, {Qt::Key_D, {}, C::LoadMenuDlg},
        {Qt::Key_F, {}, C::ShuffMode}, {Qt::Key_M, {}, C::MuteSound},
        {Qt::Key_O, {}, C::OpenMovie}, {Qt::Key_P, {}, C::ShowPlayLst},
        {Qt::Key_R, {}, C::RepMode}, {Qt::Key_S, {}, C::OpenSubDlg},
        {Qt::Key_V, {}, C::StopMovie}, {Qt::Key_W, {}, C::Previous},
        {Qt::Key_X, {}, C::PlayMovie}, {Qt::Key_Z, {}, C::FullScreen},
        {Qt::Key_Plus, pad, C::VolumeUp}, {Qt::Key_Minus, pad, C::VolumeDown},
        {Qt::Key_VolumeMute, {}, C::MuteSound}, {Qt::Key_VolumeDown, {}, C::VolumeDown},
        {Qt::Key_VolumeUp, {}, C::VolumeUp}, {Qt::Key_MediaTogglePlayPause, {}, C::PlayPause},
        {Qt::Key_MediaPlay, {}, C::PlayMovie}, {Qt::Key_MediaPause, {}, C::PauseMovie},
        {Qt::Key_MediaStop, {}, C::StopMovie}, {Qt::Key_MediaNext, {}, C::NextMovie},
        {Qt::Key_MediaPrevious, {}, C::Previous},
        // clang-format on
    };
    for (QWidget* window : {&main, &video, &subtitles}) {
        for (const auto& row : keys) {
            commands.ran.clear();
            press(*window, row.key, row.modifiers);
            ASSERT_EQ(commands.ran.size(), 1) << std::hex << row.key;
            EXPECT_EQ(commands.ran[0].first, row.command) << std::hex << row.key;
        }
    }
    // Escape from the video or subtitles also lets go of the video's focus.
    commands.ran.clear();
    for (QWidget* window : {&main, &video, &subtitles})
        press(*window, Qt::Key_Escape);
    EXPECT_EQ(commands.ran,
              (QList<std::pair<Command, int>>{
                  {C::LeaveFullScreen, 0}, {C::LeaveFullScreen, 1}, {C::LeaveFullScreen, 1}}));
    commands.ran.clear();

    // Modifiers, the keypad, text boxes and other windows.
    const Qt::KeyboardModifiers any[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier,
                                         Qt::ShiftModifier | Qt::ControlModifier};
    for (const Qt::KeyboardModifiers modifiers : any)
        EXPECT_EQ(commandForKey(Qt::Key_V, modifiers), Command::StopMovie);
    EXPECT_EQ(commandForKey(Qt::Key_Return, Qt::NoModifier), Command::None);
    EXPECT_EQ(commandForKey(Qt::Key_Plus, Qt::NoModifier), Command::None) << "keypad only";

    // A key the table does not name goes on to the window.
    EXPECT_FALSE(press(video, Qt::Key_Q));
    // Text boxes keep their letters; other windows are not the player's.
    auto* edit = new QLineEdit(&main);
    press(*edit, Qt::Key_V);
    press(elsewhere, Qt::Key_V);
    EXPECT_TRUE(commands.ran.isEmpty());
}

// The three menus item by item, with each command and check mark; some captions come when opened.
TEST(GraphMenus, EachItemRunsItsCommand) {
    Recorder commands;
    const auto captions = [](const QStringList& items) { return [items] { return items; }; };
    Graph graph(commands, {captions({"16/9", "4/3"}), captions({"Stream 01", "Stream 02", "None"}),
                           captions({"Null Audio Renderer", "Speakers (b)"}),
                           captions({"Subtitles 01 - French"})});
    using C = Command;
    commands.on = {{C::RepMode, 0},      {C::AspectPreset, 2}, {C::Rate, 1},
                   {C::AudioStream, 1},  {C::AudioOutput, 2},  {C::ShowSubtitles, 0},
                   {C::SubtitleTrack, 1}};
    for (const char* sub : {"Mnu_Open", "Mnu_Aspect", "Mnu_rate", "Mnu_AudioStreams",
                            "Mnu_AudioOutputs", "Mnu_SubTracks"})
        Q_EMIT graph.item(sub)->menu()->aboutToShow();
    struct Item {
        QString caption;
        Command command;
        int argument = 0;
        QString mark = {}; // "[x]" checked, "[ ]" a check item not checked
        bool operator==(const Item&) const = default;
    };
    QList<Item> seen;
    const std::function<void(QMenu&, const QString&)> walk = [&](QMenu& menu, const QString& path) {
        for (QAction* action : menu.actions()) {
            const QString caption = path + action->text().section('|', 0, 0);
            if (action->menu()) {
                seen.append({caption + " >", Command::None});
                walk(*action->menu(), QString());
            } else if (action->isSeparator()) {
                seen.append({"-" + caption, Command::None});
            } else if (action->isVisible()) {
                const QString mark = !action->isCheckable() ? ""
                                     : action->isChecked()  ? "[x]"
                                                            : "[ ]";
                commands.ran.clear();
                action->trigger();
                ASSERT_EQ(commands.ran.size(), 1) << caption.toStdString();
                seen.append({caption, commands.ran[0].first, commands.ran[0].second, mark});
            }
        }
    };
    for (QMenu* menu : {&graph.MnuOption, &graph.mnu_Player, &graph.Mnu_opener})
        walk(*menu, QString());
    const QList<Item> expected = {
        // clang-format off
        {"-Options", C::None}, {"Options", C::ShowOptions}, {"-Filters", C::None},
        {"Filters Properties", C::FilterProperties}, {"Video Renderer", C::VideoRendererProperties},
        // The player menu; a submenu's items follow its caption.
        {"Show Player", C::ShowMe}, {"-Player Options", C::None}, {"Options", C::ShowOptions},
        {"Filters Properties", C::FilterProperties}, {"-Player Control", C::None},
        {"Open >", C::None}, {"File...", C::OpenMovie}, {"Subtitles...", C::OpenSubDlg},
        {"Scenova", C::LoadMenuDlg}, {"Previous File", C::Previous}, {"Play", C::PlayMovie},
        {"Pause", C::PauseMovie}, {"Stop", C::StopMovie}, {"Next File", C::NextMovie},
        {"Jump to...", C::ShowJump}, {"Show Playlist...", C::ShowPlayLst},
        {"Repeat", C::RepMode, 0, "[x]"}, {"Shuffle", C::ShuffMode, 0, "[ ]"},
        {"-Renderer", C::None}, {"Full Screen", C::FullScreen}, {"Aspect Ratio >", C::None},
        {"Original", C::AspectOriginal, 0, "[ ]"}, {"16/9", C::AspectPreset, 1, "[ ]"},
        {"4/3", C::AspectPreset, 2, "[x]"}, {"3 - Empty", C::AspectPreset, 3, "[ ]"},
        {"4 - Empty", C::AspectPreset, 4, "[ ]"}, {"5 - Empty", C::AspectPreset, 5, "[ ]"},
        {"6 - Empty", C::AspectPreset, 6, "[ ]"}, {"7 - Empty", C::AspectPreset, 7, "[ ]"},
        {"8 - Empty", C::AspectPreset, 8, "[ ]"}, {"9 - Empty", C::AspectPreset, 9, "[ ]"},
        {"Rate >", C::None}, {"Half (50%)", C::Rate, 0, "[ ]"},
        {"Normal (100%)", C::Rate, 1, "[x]"}, {"Double (200%)", C::Rate, 2, "[ ]"},
        {"Audio Streams >", C::None},
        {"Stream 01", C::AudioStream, 1, "[x]"}, {"Stream 02", C::AudioStream, 2, "[ ]"},
        {"None", C::AudioStream, 3, "[ ]"}, {"None", C::AudioStream, 4, "[ ]"},
        {"None", C::AudioStream, 5, "[ ]"}, {"Audio Output >", C::None},
        {"Null Audio Renderer", C::AudioOutput, 1, "[ ]"},
        {"Speakers (b)", C::AudioOutput, 2, "[x]"}, {"Show Subtitles", C::ShowSubtitles, 0, "[x]"},
        {"Subtitle Tracks >", C::None}, {"No Subtitles", C::SubtitleTrack, 0, "[ ]"},
        {"Subtitles 01 - French", C::SubtitleTrack, 1, "[x]"}, {"-Exit", C::None},
        {"Exit", C::Exit},
        // The open button's menu.
        {"- Open", C::None}, {"File...", C::OpenMovie}, {"Subtitles...", C::OpenSubDlg},
        {"Scenova", C::LoadMenuDlg},
        // clang-format on
    };
    ASSERT_EQ(seen.size(), expected.size());
    for (qsizetype i = 0; i < seen.size(); ++i)
        EXPECT_TRUE(seen[i] == expected[i]) << expected[i].caption.toStdString();

    // Checks and enabled states are read again at each opening.
    commands.unavailable = {Command::PlayMovie, Command::AudioStream};
    commands.on = {{Command::ShuffMode, 0}};
    Q_EMIT graph.mnu_Player.aboutToShow();
    EXPECT_FALSE(graph.item("mnu_Play")->isEnabled());
    EXPECT_FALSE(graph.item("Mnu_As1")->isEnabled()) << "an argument's command";
    EXPECT_TRUE(graph.item("Mnu_Stop")->isEnabled());
    EXPECT_TRUE(graph.item("Mnu_Shuffle")->isChecked());
    commands.unavailable.clear();
    commands.on.clear();
    Q_EMIT graph.mnu_Player.aboutToShow();
    EXPECT_TRUE(graph.item("mnu_Play")->isEnabled());
    EXPECT_FALSE(graph.item("Mnu_Shuffle")->isChecked());
    // Pictures by caption; the check items have none, so they show marks.
    EXPECT_GE(graph.cool.record(graph.item("mnu_Play"))->iButton, 0);
    EXPECT_EQ(graph.cool.record(graph.item("Mnu_Repeat"))->iButton, -1);
}

TEST(HelpText, TheReadmeAndThePlayerListTheKeyTableAndOneVersion) {
    const QString text = QString::fromUtf8(readFile(VANTOR_SOURCE_DIR "/README.md"));
    const qsizetype from = text.indexOf("<!-- keys -->\n```\n") + 18;
    const qsizetype to = text.indexOf("```\n<!-- /keys -->");
    ASSERT_TRUE(from >= 18 && to > from);
    EXPECT_EQ(text.mid(from, to - from), keyTableText())
        << "copy the key lines of \"vantorplay --help\" into the README";
    const QString out = playerSays("--help");
    EXPECT_TRUE(out.startsWith("Usage: vantorplay"));
    EXPECT_TRUE(out.contains(text.mid(from, to - from))) << "every key";

    // One version: --version, the title strip and the README's package name.
    const QString said = playerSays("--version").trimmed();
    ASSERT_TRUE(said.startsWith("vantorplay ")) << qPrintable(said);
    const QString version = said.mid(11);
    EXPECT_EQ(TextScroller().text(), "Vantor Meridian " + version);
    EXPECT_TRUE(text.contains("vantorplay_" + version + "_amd64.deb"));
}
