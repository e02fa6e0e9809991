// Subtitles in the player with a real movie, offscreen (the drag and the picture: full_screen.sh).
#include "app/frm_main.h"
#include "app/graph_menus.h"
#include "config/frm_config.h"
#include "subtitles/subtitle_display.h"
#include "subtitles/subtitle_finder.h"
#include "test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSlider>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

const QString kRussian = QStringLiteral("Привет");

class SubtitleDisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Windows-1251 bytes, shown from the start for ten seconds.
        writeFile(dir.filePath("russian.srt"), "1\n00:00:00,000 --> 00:00:10,000\n" +
                                                   QStringEncoder("windows-1251").encode(kRussian) +
                                                   "\nsecond line\n");
    }

    // The texts of the message boxes on show.
    static QStringList messagesShown() {
        QStringList texts;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
                texts.append(box->text());
        return texts;
    }

    QTemporaryDir dir;
};

void mouse(QWidget* w, QEvent::Type type, QPoint global) {
    const QPointF local = w->mapFromGlobal(QPointF(global));
    QMouseEvent event(type, local, QPointF(global), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

} // namespace

TEST_F(SubtitleDisplayTest, TheCommandLineFileShowsInTheChosenCharacterSet) {
    auto window = freshPlayer(mediaPath("demo.avi") + " /cli -sub " + dir.filePath("russian.srt"));
    frmSub* sub = window->subtitles().window();
    ASSERT_TRUE(waitUntil([&] { return sub->isVisible(); }, 5000));
    EXPECT_EQ(sub->lines().Sub2, "second line");
    EXPECT_NE(sub->lines().Sub1, kRussian) << "read as Western European";
    EXPECT_TRUE(window->subtitles().showChecked());

    auto* charset = window->config()->findChild<QComboBox*>("Combo3");
    ASSERT_TRUE(charset->isEnabled());
    charset->setCurrentIndex(charset->findText("Russian"));
    Q_EMIT charset->activated(charset->currentIndex());
    ASSERT_TRUE(waitUntil([&] { return sub->lines().Sub1 == kRussian; }, 2500));

    // A new delay takes effect on Ok: 0 + 5 - 0.5 goes to the even 4.
    window->config()->findChild<QSlider*>("SubBegin")->setValue(5);
    window->config()->Command1_Click();
    EXPECT_EQ(window->subtitles().table().ListBegin()[0], "00:00:04");

    window->subtitles().Mnu_ShowSub_Click();
    EXPECT_FALSE(sub->isVisible());
    window->subtitles().Mnu_ShowSub_Click();
    EXPECT_TRUE(sub->isVisible());
    EXPECT_EQ(sub->lines().Sub1, kRussian);

    // Another movie keeps the file; UnloadSub drops it.
    window->OpenaMovie(mediaPath("one-audio.avi"), false);
    EXPECT_EQ(window->subtitles().SubFileName(), dir.filePath("russian.srt"));
    EXPECT_EQ(window->subtitles().table().count(), 1);
    window->UnloadSub();
    EXPECT_FALSE(sub->isVisible());
    EXPECT_EQ(window->subtitles().table().count(), 0);
    window->ExitMe();
}

// Files that give nothing are reported and the shown ones stay; the line follows seeks both
// ways and a drag, and goes at the stop.
TEST_F(SubtitleDisplayTest, FilesThatGiveNothingAreToldTheLineFollowsSeeksAndGoesAtTheStop) {
    const QString two =
        writeFile(dir.filePath("two.srt"), "1\n00:00:00,000 --> 00:00:02,000\nearly\n\n"
                                           "2\n00:00:05,000 --> 00:00:10,000\nlate\n");
    auto window = freshPlayer();
    window->OpenSubDlg();
    EXPECT_EQ(messagesShown(), QStringList{"You must open a file first"});
    window->OpenaMovie(mediaPath("demo.avi"), false);
    ASSERT_TRUE(window->OpenSub(two, 0, 0));
    EXPECT_FALSE(window->OpenSub(writeFile(dir.filePath("empty.vst"), {}), 0, 0));
    EXPECT_EQ(messagesShown().filter("empty.vst holds no subtitle").size(), 1);
    EXPECT_EQ(window->subtitles().table().count(), 2);
    EXPECT_EQ(window->subtitles().SubFileName(), two);
    frmSub* sub = window->subtitles().window();
    ASSERT_TRUE(waitUntil([&] { return sub->lines().Sub1 == "early"; }, 5000));
    const QPoint grip = sub->mapToGlobal(sub->rect().center());
    mouse(sub, QEvent::MouseButtonPress, grip);
    EXPECT_EQ(sub->lines().Sub1, "Drag me everywhere !");
    window->Jump("00:00:06");
    mouse(sub, QEvent::MouseButtonRelease, grip);
    EXPECT_EQ(sub->lines().Sub1, "late");
    window->Jump("00:00:00");
    EXPECT_TRUE(waitUntil([&] { return sub->lines().Sub1 == "early"; }, 1500))
        << "backwards too: " << sub->lines().Sub1.toStdString();
    window->StopMovie();
    EXPECT_EQ(sub->lines(), SubtitleLines::blank());
    window->ExitMe();
}

TEST(SubtitleFinder, TakesTheFirstKnownFileBesideThenInTheSubtitleFolders) {
    // Files made in a fresh folder, and the one found (empty for none).
    const QList<std::pair<QStringList, QString>> cases{
        {{"movie.srt", "Subs/movie.vst"}, "movie.srt"},
        {{"movie.srt", "movie.vst", "movie.txt"}, "movie.vst"},
        {{"movie.SRT"}, "movie.SRT"},
        {{"subtitles/movie.sub", "movie.idx", "other.srt"}, "subtitles/movie.sub"},
        {{"subs/movie.srt"}, "subs/movie.srt"},
        {{"movie.mkv.srt", "Movie.srt", "moviesrt", "Other/movie.srt"}, ""},
        {{"movie.srt/"}, ""}, // a folder of that name
    };
    for (const auto& [files, expected] : cases) {
        QTemporaryDir dir;
        for (const QString& name : files) {
            QDir().mkpath(QFileInfo(dir.filePath(name)).path()); // "x/" is the folder x
            if (!name.endsWith('/'))
                writeFile(dir.filePath(name), {});
        }
        const QString found = findSubtitlesFor(dir.filePath("movie.mkv"));
        EXPECT_EQ(found, expected.isEmpty() ? QString() : dir.filePath(expected))
            << files.join(' ').toStdString();
    }
}

// A file beside the movie shows with it alone; "-sub" wins; the setting stops it, and the movie's
// own tracks show.
TEST_F(SubtitleDisplayTest, AFileBesideTheMovieLoadsByItselfUnlessTurnedOffThenItsOwnTracksShow) {
    const QString movie = dir.filePath("movie.mkv");
    ASSERT_TRUE(QFile::copy(mediaPath("tracks.mkv"), movie));
    const QString beside =
        writeFile(dir.filePath("movie.srt"), "1\n00:00:02,000 --> 00:00:10,000\nfound beside\n");

    auto window = freshPlayer(movie);
    frmSub* sub = window->subtitles().window();
    EXPECT_EQ(window->subtitles().SubFileName(), beside);
    bool ownTrackShown = false; // the file wins over the movie's own track
    ASSERT_TRUE(waitUntil(
        [&] {
            ownTrackShown |= sub->lines().Sub1.startsWith("English");
            return sub->lines().Sub1 == "found beside";
        },
        8000));
    EXPECT_FALSE(ownTrackShown);
    window->OpenaMovie(mediaPath("one-audio.avi"), false);
    EXPECT_EQ(window->subtitles().table().count(), 0) << "not the next movie's";
    window->ExitMe();

    window = freshPlayer(movie + " /cli -sub " + dir.filePath("russian.srt"));
    ASSERT_TRUE(
        waitUntil([&] { return sub = window->subtitles().window(), sub->isVisible(); }, 10000));
    EXPECT_EQ(window->subtitles().SubFileName(), dir.filePath("russian.srt"));
    EXPECT_EQ(sub->lines().Sub2, "second line");

    window->config()->findChild<QCheckBox*>("ChkFindSubs")->setChecked(false);
    window->config()->Command1_Click();
    window->ExitMe();
    window = std::make_unique<frmMain>(movie); // with the setting just saved
    window->Form_Load();
    sub = window->subtitles().window();
    ASSERT_TRUE(waitUntil([&] { return sub->lines().Sub1 == "English line one"; }, 8000))
        << "not found: the movie's own track shows";
    EXPECT_TRUE(window->subtitles().SubFileName().isEmpty());

    // The movie's own text tracks, the first by itself; the menu switches them, or shows none.
    EXPECT_TRUE(sub->isVisible());
    Graph& menu = window->graph();
    Q_EMIT menu.item("Mnu_SubTracks")->menu()->aboutToShow();
    EXPECT_EQ(menu.item("Mnu_St1")->text(), "Subtitles 01 - English (Dialogue)");
    EXPECT_EQ(menu.item("Mnu_St2")->text(), "Subtitles 02 - French (Dialogue)");
    EXPECT_FALSE(menu.item("Mnu_St3")->isVisible());
    EXPECT_TRUE(menu.item("Mnu_St1")->isChecked());

    menu.item("Mnu_St2")->trigger();
    ASSERT_TRUE(waitUntil([&] { return sub->lines().Sub1 == "French line two"; }, 8000))
        << sub->lines().Sub1.toStdString();
    Q_EMIT menu.item("Mnu_SubTracks")->menu()->aboutToShow();
    EXPECT_TRUE(menu.item("Mnu_St2")->isChecked());
    EXPECT_FALSE(menu.item("Mnu_St1")->isChecked());

    menu.item("Mnu_St0")->trigger();
    window->Jump("00:00:00");
    bool shown = false;
    for (int i = 0; i < 25; ++i, pumpEvents(100))
        shown |= sub->isVisible() && sub->lines().Sub1 != " ";
    EXPECT_FALSE(shown);
    Q_EMIT menu.item("Mnu_SubTracks")->menu()->aboutToShow();
    EXPECT_TRUE(menu.item("Mnu_St0")->isChecked());
    window->ExitMe();
}
