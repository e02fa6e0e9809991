#pragma once
// The configuration dialog's "Skins" page: the folder tree a skin is chosen
// in (the window takes it at once) and what the skin's description says of
// itself.
#include <QWidget>

class QFileSystemModel;
class QLabel;
class QTreeView;
class frmConfig;

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
    // The folder tree reads the disk on a thread of its own; it is made
    // when the dialog is first shown, not at start-up.
    void attachFolderModel();

  private:
    void showFolderInTree();

    frmConfig& dialog_;
    QFileSystemModel* model_ = nullptr;
    QString path_;
};
