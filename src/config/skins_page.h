#pragma once
// The configuration dialog's "Skins" page: the skin folders (the program's
// and the user's) as a tree a skin is chosen in (the window takes it at
// once) and what the skin's description says of itself.
#include <QStringList>
#include <QWidget>

class QLabel;
class QStandardItem;
class QStandardItemModel;
class QTreeView;
class frmConfig;

// Where skins are looked for: the program's "Skins" folder, then the
// user's ($XDG_DATA_HOME/vantorplay/Skins), those that exist.
QStringList skinRootFolders(const QString& programFolder);

class SkinsPage : public QWidget {
    Q_OBJECT
  public:
    explicit SkinsPage(frmConfig& dialog);

    QTreeView* Dir1;
    QLabel *SkinName, *SkinDesc, *SkinCom;

    QString folder() const { return path_; }
    // Takes `folder` and runs the tree's change: a folder with a skin
    // description dresses the window.
    void setFolder(const QString& folder);
    void Dir1_Change();
    // Reads the skin folders into the tree; done each time the dialog is
    // shown (a skin added meanwhile appears), never at start-up.
    void attachFolderModel();

    // The folder a row of the tree stands for.
    static constexpr int kPathRole = Qt::UserRole + 1;

  private:
    void showFolderInTree();

    frmConfig& dialog_;
    QStandardItemModel* model_ = nullptr;
    QString path_;
};
