// The playlist window on the player with real movies: a folder's files
// added to the edit list, Ok making it the queue, the movies playing in
// turn to the end, Next and Previous, Cancel, drops, and the stored places.
// Also run under Xvfb with a window manager; with VANTOR_SCREENSHOTS set
// it leaves a picture of the window there.
#include "app/frm_main.h"
#include "app/playlist_view.h"
#include "playlist/frm_play_list.h"
#include "playlist/play_queue.h"
#include "support/settings/settings_store.h"
#include "test_support.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileSystemModel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QUrl>
#include <gtest/gtest.h>

using testsupport::mediaPath;
using testsupport::waitUntil;

namespace {

class PlaylistWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        QFile::remove(SettingsStore::defaultFilePath());
        // Listed in the patterns' order: divx, mpg, mp4.
        folder = dir.filePath("films");
        QDir().mkpath(folder);
        ASSERT_TRUE(QFile::copy(mediaPath("movie.mp4"), folder + "/c.mp4"));
        ASSERT_TRUE(QFile::copy(mediaPath("movie.divx"), folder + "/a.divx"));
        ASSERT_TRUE(QFile::copy(mediaPath("movie.mpg"), folder + "/b.mpg"));
        // Hidden files are left out of the list and of a dropped folder.
        ASSERT_TRUE(QFile::copy(mediaPath("movie.mpg"), folder + "/._b.mpg"));
        SettingsStore().write("PlayListPath", folder);
        window = std::make_unique<frmMain>(QString());
        window->Form_Load();
        window->ShowPlayLst();
        list = window->playlist().window();
    }
    void TearDown() override { window->ExitMe(); }

    template <typename T> T* control(const char* name) {
        return list->findChild<T*>(QLatin1String(name));
    }
    QString playing() const { return QFileInfo(window->playback.CurrentFile()).fileName(); }
    bool waitForMovie(const QString& name) {
        return waitUntil([&] { return playing() == name && window->playback.PlayState() == 2; },
                         8000);
    }

    QTemporaryDir dir;
    QString folder;
    std::unique_ptr<frmMain> window;
    FrmPlayList* list = nullptr;
};

} // namespace

TEST_F(PlaylistWindow, QueuedMoviesPlayInTurnAndNextAndPreviousMoveThroughThem) {
    auto* files = control<QTreeView>("ListViewCtl");
    QAbstractItemModel* model = files->model();
    ASSERT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->index(0, 0).data().toString(), "a.divx");
    EXPECT_EQ(model->index(2, 0).data().toString(), "c.mp4");
    EXPECT_FALSE(model->index(0, 0).data(Qt::DecorationRole).isNull());
    files->selectAll();
    control<QPushButton>("Command1")->click();
    auto* edit = control<QListWidget>("file2");
    if (const QByteArray shots = qgetenv("VANTOR_SCREENSHOTS"); !shots.isEmpty())
        list->grab().save(QDir(QString::fromLocal8Bit(shots)).filePath("playlist-window.png"));
    ASSERT_EQ(edit->count(), 3);
    EXPECT_EQ(edit->item(0)->text(), folder + "/a.divx");
    control<QPushButton>("Command4")->click(); // Ok
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(window->List1.count(), 3);

    // Each to its end, then a stop on the last.
    ASSERT_TRUE(waitForMovie("a.divx"));
    ASSERT_TRUE(waitForMovie("b.mpg"));
    ASSERT_TRUE(waitForMovie("c.mp4"));
    EXPECT_EQ(edit->currentRow(), 2) << "the edit list follows";
    ASSERT_TRUE(waitUntil([&] { return window->playback.PlayState() == 0; }, 8000));
    EXPECT_EQ(playing(), "c.mp4");

    window->transport.nextbt_Click(); // the last: nothing
    QApplication::processEvents();
    EXPECT_EQ(window->playback.PlayState(), 0);
    window->transport.prev_Click();
    ASSERT_TRUE(waitForMovie("b.mpg"));
    window->transport.prev_Click();
    ASSERT_TRUE(waitForMovie("a.divx"));
    window->transport.nextbt_Click();
    ASSERT_TRUE(waitForMovie("b.mpg"));
    EXPECT_EQ(SettingsStore().read("PlayListPath"), QDir::cleanPath(folder));
}

TEST_F(PlaylistWindow, CancelDropsAndCloseLeaveTheQueueAlone) {
    window->List1.setItems({"/queued.avi"});
    // A dropped folder adds its media files in name order, a file itself.
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(folder), QUrl::fromLocalFile(mediaPath("movie.asf")),
                  QUrl::fromLocalFile(dir.filePath("missing.avi"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list, &drop);
    auto* edit = control<QListWidget>("file2");
    ASSERT_EQ(edit->count(), 4);
    EXPECT_EQ(edit->item(1)->text(), folder + "/b.mpg");
    EXPECT_EQ(edit->item(3)->text(), mediaPath("movie.asf"));

    // Remove takes the selected entry and selects the first; Clear empties.
    edit->setCurrentRow(2);
    control<QPushButton>("Command2")->click();
    EXPECT_EQ(edit->count(), 3);
    EXPECT_EQ(edit->currentRow(), 0);
    control<QCheckBox>("Check1")->click();
    EXPECT_TRUE(window->queue().shuffleChecked());

    control<QPushButton>("Command5")->click(); // Cancel
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(window->List1.items(), QStringList{"/queued.avi"});
    EXPECT_FALSE(window->playback.MovieOpen());
    EXPECT_EQ(SettingsStore().read("PlayListPath"), QDir::cleanPath(folder));

    // The title bar's close hides the window and keeps the edit list.
    window->ShowPlayLst();
    list->close();
    EXPECT_FALSE(list->isVisible());
    window->ShowPlayLst();
    EXPECT_EQ(window->playlist().window(), list);
    EXPECT_EQ(control<QListWidget>("file2")->count(), 3);

    // A drive that cannot be read falls back to home, which the tree shows
    // rather than the whole file system.
    auto* drives = control<QComboBox>("Drive2");
    drives->addItem(dir.filePath("gone"));
    drives->setCurrentIndex(drives->count() - 1);
    list->Drive2_Change();
    EXPECT_EQ(list->folder(), QDir::homePath());
    auto* tree = control<QTreeView>("Dir2");
    auto* folders = qobject_cast<QFileSystemModel*>(tree->model());
    ASSERT_NE(folders, nullptr);
    EXPECT_EQ(folders->filePath(tree->rootIndex()), QDir::homePath());
    control<QPushButton>("Command3")->click();
    EXPECT_EQ(edit->count(), 0);
}

TEST_F(PlaylistWindow, APlaylistFileDroppedOnThePlayerBecomesTheQueue) {
    const QString m3u = dir.filePath("list.m3u");
    QFile file(m3u);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#EXTM3U\nfilms/b.mpg\nfilms/gone.avi\nfilms/c.mp4\n");
    file.close();
    window->openFiles({m3u});
    ASSERT_TRUE(waitForMovie("b.mpg"));
    EXPECT_EQ(window->List1.count(), 3);
    EXPECT_EQ(control<QListWidget>("file2")->count(), 3);
    QElapsedTimer clock;
    clock.start();
    window->transport.nextbt_Click();
    ASSERT_TRUE(waitForMovie("c.mp4")) << "the missing entry is skipped";
    EXPECT_LT(clock.elapsed(), 1500) << "at once: there is nothing to wait for";
}
