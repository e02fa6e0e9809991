// The main window's start-up and exit, the command line, and what it wires.
#include "app/frm_main.h"
#include "app/graph_menus.h"
#include "app/program_data.h"
#include "config/frm_config.h"
#include "graph_fixture.h"
#include "inspector/frm_filter_prop.h"
#include "skin/skin_image.h"
#include "skin/text_scroller.h"
#include "support/controls/progress_bar.h"
#include "support/registry/registry_store.h"
#include "video/pic_video_window.h"
#include "video/renderer_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <cmath>

using namespace testsupport;

namespace {
SettingsStore freshStore() {
    QFile::remove(SettingsStore::defaultFilePath());
    return SettingsStore();
}
// The top windows' X ids from the bottom up, as a window manager stacks them; empty without one.
QStringList stacking() {
    QProcess xprop;
    xprop.start("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"});
    xprop.waitForFinished(5000);
    const QString out = QString::fromLatin1(xprop.readAllStandardOutput());
    return out.contains('#') ? out.section('#', 1).remove(' ').trimmed().split(',') : QStringList();
}
QString xId(const QWidget& widget) {
    return "0x" + QString::number(widget.winId(), 16);
}
bool showsPicture(frmMain& window) {
    return waitUntil(
        [&] {
            QWidget* video = window.videoWindowForm();
            return video->isVisible() && qGray(video->grab().toImage().pixel(10, 10)) > 150;
        },
        5000);
}
} // namespace

// The inspector, a window of its own that Ctrl+I toggles, stands clear of the bar once framed.
TEST(MainWindow, TheInspectorAndTheDialogStandClearOfTheBarAndTheDialogStaysAboveIt) {
    auto window = freshPlayer();
    EXPECT_FALSE(window->inspectorShown());
    window->showInspector(true);
    EXPECT_TRUE(window->inspectorShown());
    QWidget* panel = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->windowTitle() == "Filter Graph Inspector")
            panel = top;
    ASSERT_NE(panel, nullptr) << "no inspector window";
    pumpEvents(700);
    EXPECT_FALSE(panel->frameGeometry().intersects(window->frameGeometry()));
    EXPECT_TRUE(
        QApplication::primaryScreen()->availableGeometry().contains(panel->frameGeometry()));
    QKeyEvent ctrlI(QEvent::KeyPress, Qt::Key_I, Qt::ControlModifier);
    QApplication::sendEvent(panel->findChild<QPlainTextEdit*>(), &ctrlI);
    EXPECT_FALSE(window->inspectorShown()) << "Ctrl+I inside the inspector closes it too";
    window->showInspector(true);
    window->inspector.NewGraph();
    window->inspector.cmdAddRegFilter_Click();
    const auto windowsShown = [] {
        return std::ranges::count_if(QApplication::topLevelWidgets(), &QWidget::isVisible);
    };
    const int before = windowsShown();
    panel->findChild<QPushButton*>("Command4")->click();
    EXPECT_EQ(windowsShown(), before + 1);

    // The dialog opens centred on the bar, and stays above it when a skin it chose maps the bar
    // anew.
    window->showConfiguration();
    const frmConfig& config = *window->config();
    const QRect framed = window->frameGeometry();
    EXPECT_NEAR(config.frameGeometry().center().x(), framed.center().x(), 2);
    EXPECT_TRUE(config.frameGeometry().contains(framed.center()));
    pumpEvents(500);
    window->config()->setSkinFolder(QDir(programDataFolder()).filePath("Skins/Daylight"));
    pumpEvents(1000);
    const QStringList order = stacking();
    if (!order.isEmpty()) {
        EXPECT_GE(order.indexOf(xId(*window)), 0) << order.join(' ').toStdString();
        EXPECT_GT(order.indexOf(xId(config)), order.indexOf(xId(*window)))
            << order.join(' ').toStdString();
    }
    window->ExitMe();
}

TEST(MainWindow, PlaysTheCommandLineMovieOnItsStreamAtItsLevelSwitchesStreamsAndStopsOnExit) {
    installRendererWindows();
    auto window = freshPlayer(mediaPath("two-audio.avi") + " /cli -stream 2");
    ASSERT_TRUE(window->playback.MediaControl());
    EXPECT_EQ(window->playback.CurrentFile(), mediaPath("two-audio.avi"))
        << "the space before /cli is not part of the file's name";
    const FilterInfo splitter = findFilter(*window->playback.MediaControl(), "AVI Splitter");
    EXPECT_FALSE(findPin(splitter, "Stream 01").connectedTo());
    EXPECT_TRUE(findPin(splitter, "Stream 02").connectedTo());

    // The picture above the bar: play_formats.sh.
    ASSERT_TRUE(waitUntil([&] { return window->positionText() >= QString("00:00:01"); }, 4000));
    const QRect below = window->frameGeometry(), above = window->videoWindowForm()->frameGeometry();
    EXPECT_EQ(above.y() + above.height() + 13, below.y()) << "200 twips above";
    EXPECT_EQ(window->durationText(), "00:00:04");
    EXPECT_EQ(window->videoSizeText(), "Video Size: 320x240");

    // The level reaches the playing graph, and silence is silent.
    const FilterInfo output = findFilter(*window->playback.MediaControl(), "Default Audio Output");
    window->volume.VolumeDown();
    window->volume.VolumeDown();
    EXPECT_NEAR(outputVolume(output), std::pow(10.0, -908 / 2000.0), 1e-6);
    window->volume.MuteSound();
    EXPECT_EQ(outputVolume(output), 0.0);

    // Opened afresh, a stream item reopens on that stream at the position shown.
    window->OpenaMovie(mediaPath("two-audio.avi"), false);
    ASSERT_TRUE(waitUntil([&] { return window->audioStreamItems().value(0) != "None"; }, 8000));
    EXPECT_EQ(window->audioStreamItems().mid(0, 3),
              QStringList({"Stream 01", "Stream 02", "None"}));
    ASSERT_TRUE(waitUntil([&] { return window->positionText() >= "00:00:02"; }, 5000));
    window->Mnu_As_Click(1);
    const FilterInfo reopened = findFilter(*window->playback.MediaControl(), "AVI Splitter");
    EXPECT_FALSE(findPin(reopened, "Stream 01").connectedTo());
    EXPECT_TRUE(findPin(reopened, "Stream 02").connectedTo());
    EXPECT_EQ(window->playback.PlayState(), PlayRunning);
    // Sooner than a play from the start would get there.
    EXPECT_TRUE(waitUntil(
        [&] { return window->playback.MediaControl()->currentPosition().valueOr(0) >= 2.0; },
        1200));
    window->Mnu_As_Click(7); // no such item
    EXPECT_EQ(window->playback.PlayState(), PlayRunning);
    window->ExitMe();
    EXPECT_FALSE(window->playback.MediaControl());
    EXPECT_EQ(window->playback.PlayState(), PlayStopped);
}

TEST(MainWindow, DamagedRegistryAndSettingsFilesAreReportedWithoutHoldingUpTheStart) {
    freshStore();
    QDir().mkpath(QFileInfo(RegistryStore::defaultFilePath()).path());
    writeFile(RegistryStore::defaultFilePath(),
              "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Kept]\n"
              "\"Value\"=dword:00000007\n\"Broken\"=hex:zz,\n");
    writeFile(SettingsStore::defaultFilePath(),
              "[Vantor]\nVolume=-300\n;" + QByteArray(5 << 20, 'x') + '\n');
    frmMain window("");
    window.Form_Load();
    EXPECT_TRUE(window.isVisible()) << "the start went on";
    QStringList told;
    for (const QMessageBox* shown : window.findChildren<QMessageBox*>())
        told << shown->text();
    const QString settingsFolder = QFileInfo(SettingsStore::defaultFilePath()).path();
    const QStringList aside = QDir(settingsFolder).entryList({"Vantor.ini.corrupt-*"});
    ASSERT_EQ(aside.size(), 1);
    QFile::remove(QDir(settingsFolder).filePath(aside[0]));
    EXPECT_EQ(told.filter(aside[0]).size(), 1) << told.join('\n').toStdString();
    EXPECT_EQ(told.size(), 2) << "each damaged file told once: " << told.join('\n').toStdString();
    QMessageBox* box = window.findChild<QMessageBox*>();
    ASSERT_NE(box, nullptr) << "no box told of the damaged files";
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(window.control("conf")->isEnabled());
    window.ExitMe();
}

// Graphs made after the open (the splitter path, a drop) report like any other.
TEST(MainWindow, EveryGraphShowsItsPictureAndReportsItsErrors) {
    installRendererWindows();
    auto window = freshPlayer(mediaPath("two-audio.divx"));
    ASSERT_TRUE(waitUntil(
        [&] {
            return window->playback.MediaControl() &&
                   !findFilter(*window->playback.MediaControl(), "AVI Splitter").isNull();
        },
        8000))
        << "opened again on the splitter path";
    EXPECT_TRUE(showsPicture(*window)) << "the reopened graph shows its picture";

    // A file that is gone among the dropped is named; the others play.
    Q_EMIT window->videoWindowForm()->filesDropped(
        {mediaPath("gone.avi"), mediaPath("one-audio.avi")});
    EXPECT_EQ(window->playback.CurrentFile(), mediaPath("one-audio.avi"));
    EXPECT_TRUE(showsPicture(*window)) << "a movie dropped on the video window";
    QStringList told;
    for (const QMessageBox* box : window->findChildren<QMessageBox*>())
        told << box->text();
    EXPECT_TRUE(told.contains("Not found: gone.avi")) << told.join('\n').toStdString();

    QTemporaryDir folder;
    Q_EMIT window->videoWindowForm()->filesDropped(
        {writeFile(folder.filePath("notes.mp4"), "Plain text under a movie's name.\n")});
    EXPECT_TRUE(waitUntil([&] { return window->playback.PlayState() == PlayStopped; }, 10000))
        << "the graph's failure reaches the window";
    window->ExitMe();
}

// With an empty queue Shift+Next moves by chapter from a fresh open.
TEST(MainWindow, ShiftNextStepsThroughTheChaptersTheSeekBarSeeksAndTheOverlayTitleWaits) {
    QTemporaryDir folder;
    writeFile(folder.filePath("demo.vcx"), "00:00:00\n00:00:03\n00:00:06\n00:00:09\n");
    auto window = freshPlayer();
    window->opener.chapterFolder = folder.path();
    window->OpenaMovie(mediaPath("demo.avi"), false);
    ASSERT_TRUE(waitUntil([&] { return window->positionText() == "00:00:01"; }, 5000));
    pumpEvents(300);
    for (const double chapter : {3.0, 6.0, 9.0}) {
        click(window->control("nextbt"), Qt::ShiftModifier);
        pumpEvents(300);
        const double at = window->playback.MediaPosition()->currentPosition().valueOr(-1);
        EXPECT_GE(at, chapter - 0.1);
        EXPECT_LT(at, chapter + 1.0) << "the next chapter, not the end of the movie";
        const QString shown = QStringLiteral("00:00:%1").arg(int(chapter), 2, 10, QLatin1Char('0'));
        EXPECT_TRUE(waitUntil([&] { return window->positionText() >= shown; }, 3000));
        pumpEvents(200);
    }
    EXPECT_EQ(window->playback.PlayState(), PlayRunning);

    // The seek bar: whole seconds, and a held bar seeks where it is let go.
    cpvProgressBar* bar = window->seekBar();
    ASSERT_TRUE(waitUntil([&] { return bar->Max() == 12; }, 5000)) << bar->Max();
    ASSERT_EQ(bar->setValue(3), ControlError::None);
    EXPECT_EQ(window->positionText(), "00:00:03") << "the bar's value shows as the time";

    const QPointF at(bar->width() * 0.75, bar->height() / 2.0);
    const auto mouse = [&](QEvent::Type type, Qt::MouseButtons held) {
        QMouseEvent event(type, at, bar->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(bar, &event);
    };
    mouse(QEvent::MouseButtonPress, Qt::LeftButton);
    const int held = bar->Value();
    EXPECT_GE(held, 8);
    pumpEvents(2200); // two position ticks
    EXPECT_EQ(bar->Value(), held) << "the ticks leave a held bar alone";
    mouse(QEvent::MouseButtonRelease, Qt::NoButton);
    pumpEvents(300);
    EXPECT_GE(window->playback.MediaPosition()->currentPosition().valueOr(0), held - 0.1);

    // "Detecting hardware overlay" for 5 s after a start, under each movie's own title.
    const QString detecting = "Detecting hardware overlay";
    window->OpenaMovie(mediaPath("demo.avi"), false);
    ASSERT_TRUE(waitUntil([&] { return window->scrollTitle() == detecting; }, 2000));
    window->showFilterProperties();
    auto* filters = window->findChild<frmFilterProp*>()->findChild<QListWidget*>();
    ASSERT_GT(filters->count(), 0);
    window->StopMovie();
    EXPECT_EQ(window->scrollTitle(), "demo.avi");
    EXPECT_EQ(filters->count(), 0) << "a stop empties the filter-properties list";

    window->OpenaMovie(mediaPath("demo.avi"), false);
    ASSERT_TRUE(waitUntil([&] { return window->scrollTitle() == detecting; }, 2000));
    window->OpenaMovie(mediaPath("movie.mp4"), false);
    pumpEvents(6500);
    EXPECT_EQ(window->scrollTitle(), "movie.mp4") << "not the first movie's title";

    window->OpenaMovie(mediaPath("demo.avi"), false);
    ASSERT_TRUE(waitUntil([&] { return window->scrollTitle() == detecting; }, 2000));
    window->setTitle("A message");
    window->StopMovie();
    EXPECT_EQ(window->scrollTitle(), "A message");
    window->ExitMe();
}

// Placed below the centre, the program folder recorded (the saved volume: exits.sh); the menus
// pop up beside their buttons; absurd stored values leave a dialog that fits the screen.
TEST(MainWindow, StartsBelowCentreOpeningNothingAndAbsurdStoredValuesLeaveADialogThatFits) {
    SettingsStore store = freshStore();
    store.write("FontSize", "1e308");
    store.write("FontName", QString(2 * 1024 * 1024, 'W'));
    store.write("SubYpos", "-4e9");
    store.write("Scroll", "0");
    frmMain window("");
    window.Form_Load();
    EXPECT_EQ(SettingsStore().read("Path"), QCoreApplication::applicationDirPath());
    const QRect whole = QApplication::primaryScreen()->geometry();
    EXPECT_NEAR(window.x(), whole.width() / 2 - window.width() / 2, 1);
    EXPECT_EQ(window.y(), int(whole.height() * 0.6));
    EXPECT_FALSE(window.playback.MediaControl()) << "an empty command line opens nothing";

    // The buttons pop up their menus; the help line stands in the title while one is open, and a
    // newer title stays.
    Graph& graph = window.graph();
    auto* conf = window.findChild<SkinImage*>("conf");
    click(conf);
    ASSERT_TRUE(waitUntil([&] { return graph.MnuOption.isVisible(); }, 2000));
    EXPECT_EQ(graph.MnuOption.pos().x(), conf->mapToGlobal(QPoint(conf->width(), 0)).x())
        << "beside the button";
    bool handled = false;
    Q_EMIT graph.help.help(QString(), "Shows the configuration", handled);
    EXPECT_EQ(window.scrollTitle(), "Shows the configuration");
    window.setTitle("film.avi");
    Q_EMIT graph.MnuOption.aboutToHide();
    EXPECT_EQ(window.scrollTitle(), "film.avi");
    graph.MnuOption.hide();
    click(window.findChild<SkinImage*>("ouvrir"));
    ASSERT_TRUE(waitUntil([&] { return graph.Mnu_opener.isVisible(); }, 2000));
    graph.Mnu_opener.hide();

    // Nothing plays: the items that need a movie are disabled.
    Q_EMIT graph.mnu_Player.aboutToShow();
    EXPECT_FALSE(graph.item("mnu_Play")->isEnabled());
    EXPECT_FALSE(graph.item("Mnu_ShowSub")->isEnabled());
    EXPECT_TRUE(graph.item("Mnu_Opfile")->isEnabled());

    // "Scroll Movie title" off stops the scrolling only: the strip, where messages show, stays.
    auto* title = window.findChild<TextScroller*>("vbwScroller2");
    const QString message = "The settings could not be saved: the disk is full, and more words";
    window.setTitle(message);
    EXPECT_TRUE(title->isVisible());
    EXPECT_FALSE(title->scrolling());

    frmConfig* config = window.config();
    EXPECT_EQ(config->subtitleFontName(), "Verdana");
    EXPECT_EQ(config->subtitleFontSizeText(), "14");
    EXPECT_EQ(config->subtitleYPosText(), "70");
    config->setSkinComment(QString(255, 'c'));
    config->setSkinName(QString(255, 'n'));
    window.showConfiguration();
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(config->frameGeometry()))
        << config->width() << "x" << config->height();
    for (const char* button : {"Command1", "Command3"}) {
        QWidget* control = config->findChild<QWidget*>(button);
        EXPECT_TRUE(screen.contains(QRect(control->mapToGlobal(QPoint(0, 0)), control->size())))
            << button;
    }
    SettingsStore().write("Scroll", "1");
    config->Form_Load();
    EXPECT_TRUE(title->scrolling());
    window.ExitMe();
}
