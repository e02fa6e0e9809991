#pragma once
// "VantorPlaylist": where the play queue is built. A drive and a folder
// show their media files; chosen files go to the edit list, which playlist
// files fill and keep, and Ok makes it the queue. The window is hidden, not
// destroyed, so the edit list stays between visits.
#include "playlist/folder_listing.h"

#include <QPixmap>
#include <QWidget>
#include <functional>
#include <memory>

class PlayQueue;
class SettingsStore;
class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeView;
class FolderListModel;

class FrmPlayList : public QWidget {
    Q_OBJECT
  public:
    struct Hooks {
        std::function<QString()> chooseListToLoad; // default: the open-file dialog
        std::function<QString()> chooseListToSave; // default: the save-file dialog
        std::function<void(const QString&)> warn;  // default: a message box
    };

    FrmPlayList(PlayQueue& queue, SettingsStore& settings, Hooks hooks = {});
    ~FrmPlayList() override;

    // Shows the window; the first time, it takes the queue's entry and the
    // folder last used (home when there is none).
    void ShowPlayLst();
    void Form_Load();
    void Drive2_Change();
    void Dir2_Change();
    QString folder() const { return folder_; }
    void setFolder(const QString& folder);

    void Command1_Click(); // add the selected files
    void Command2_Click(); // remove
    void Command3_Click(); // clear
    void Command4_Click(); // Ok
    void Command5_Click(); // Cancel
    void Command6_Click(); // load a playlist
    void Command7_Click(); // save a playlist
    void Check1_Click();
    // Adds files, and the media files of folders, to the edit list.
    void addPaths(const QStringList& paths);

    int RememberedIndex = -1;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void build();
    void wire();
    void fillDrives();
    QString placeOf(const QString& folder) const;
    void rememberPlaces();
    void appendToEditList(const QStringList& paths);
    void warn(const QString& text);

    PlayQueue& queue_;
    SettingsStore& settings_;
    Hooks hooks_;
    bool loaded_ = false;
    QString folder_;
    QFileSystemModel* dirModel_ = nullptr;
    FolderListModel* files_ = nullptr;

    // Controls; each widget's object name is its name here (the tests find
    // them by it).
    QComboBox* Drive2 = nullptr;
    QTreeView* Dir2 = nullptr;
    QTreeView* ListViewCtl = nullptr;
    QListWidget* file2 = nullptr;
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr;
    QPushButton *Command4 = nullptr, *Command5 = nullptr, *Command6 = nullptr;
    QPushButton* Command7 = nullptr;
    QCheckBox* Check1 = nullptr;
};

// The type pictures of the file list, 16 or 32 pixels square.
QPixmap mediaIconPicture(MediaIcon icon, int size);
