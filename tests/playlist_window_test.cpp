// The playlist window with real movies, again under a window manager (the queue: playlists.sh).
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
#include <QFile>
#include <QFileSystemModel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QUrl>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

class PlaylistWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        QFile::remove(SettingsStore::defaultFilePath());
        folder = dir.filePath("films");
        QDir().mkpath(folder);
        ASSERT_TRUE(QFile::copy(mediaPath("movie.mp4"), folder + "/c.mp4"));
        ASSERT_TRUE(QFile::copy(mediaPath("movie.divx"), folder + "/a.divx"));
        ASSERT_TRUE(QFile::copy(mediaPath("movie.mpg"), folder + "/b.mpg"));
        // Hidden files are left out.
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

TEST_F(PlaylistWindow, AFoldersFilesBecomeTheQueueOnOk) {
    auto* files = control<QTreeView>("ListViewCtl");
    QAbstractItemModel* model = files->model();
    ASSERT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->index(2, 0).data().toString(), "c.mp4");
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

    ASSERT_TRUE(waitForMovie("a.divx"));
    window->transport.nextbt_Click();
    ASSERT_TRUE(waitForMovie("b.mpg"));
    EXPECT_EQ(edit->currentRow(), 1) << "the edit list follows";
    EXPECT_EQ(SettingsStore().read("PlayListPath"), QDir::cleanPath(folder));
}

TEST_F(PlaylistWindow, CancelDropsAndCloseLeaveTheQueueAlone) {
    window->List1.setItems({"/queued.avi"});
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

    window->ShowPlayLst();
    list->close();
    window->ShowPlayLst();
    EXPECT_EQ(window->playlist().window(), list);
    EXPECT_EQ(control<QListWidget>("file2")->count(), 3);

    // A drive that cannot be read falls back to home.
    auto* drives = control<QComboBox>("Drive2");
    drives->addItem(dir.filePath("gone"));
    drives->setCurrentIndex(drives->count() - 1);
    list->Drive2_Change();
    EXPECT_EQ(list->folder(), QDir::homePath());
    auto* tree = control<QTreeView>("Dir2");
    auto* folders = qobject_cast<QFileSystemModel*>(tree->model());
    EXPECT_EQ(folders->filePath(tree->rootIndex()), QDir::homePath());
    control<QPushButton>("Command3")->click();
    EXPECT_EQ(edit->count(), 0);
}
