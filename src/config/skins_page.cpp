#include "config/skins_page.h"

#include "config/dialog_widgets.h"
#include "config/frm_config.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTreeView>
#include <QVBoxLayout>

using namespace dialog;

namespace {

// Skins may be grouped in folders; a few levels are plenty and keep a
// link that loops back from reading forever.
constexpr int kMaxDepth = 3;

QStandardItem* folderItem(const QString& path, const QString& text) {
    auto* item = new QStandardItem(text);
    item->setEditable(false);
    item->setData(path, SkinsPage::kPathRole);
    return item;
}

void addSubfolders(QStandardItem* parent, const QString& path, int depth) {
    if (depth >= kMaxDepth)
        return;
    const QDir dir(path);
    for (const QString& name :
         dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        QStandardItem* child = folderItem(dir.filePath(name), name);
        parent->appendRow(child);
        addSubfolders(child, dir.filePath(name), depth + 1);
    }
}

QStandardItem* findFolder(QStandardItem* parent, const QString& path) {
    for (int row = 0; row < parent->rowCount(); ++row) {
        QStandardItem* child = parent->child(row);
        if (child->data(SkinsPage::kPathRole).toString() == path)
            return child;
        if (QStandardItem* found = findFolder(child, path))
            return found;
    }
    return nullptr;
}

} // namespace

QStringList skinRootFolders(const QString& programFolder) {
    const QStringList candidates{
        QDir(programFolder).filePath(QStringLiteral("Skins")),
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
            QStringLiteral("/vantorplay/Skins")};
    QStringList roots;
    for (const QString& folder : candidates)
        if (QFileInfo(folder).isDir() && !roots.contains(QDir::cleanPath(folder)))
            roots.append(QDir::cleanPath(folder));
    return roots;
}

SkinsPage::SkinsPage(frmConfig& dialog) : dialog_(dialog) {
    setObjectName(QStringLiteral("PageSkins"));
    Dir1 = named(new QTreeView(this), "Dir1");
    Dir1->header()->hide();
    SkinName = named(new QLabel(this), "SkinName");
    SkinDesc = named(new QLabel(this), "SkinDesc");
    SkinCom = named(new QLabel(this), "SkinCom");
    // Texts from skin files may be long: they wrap or are cut at the
    // dialog's edge, and never widen it.
    SkinCom->setWordWrap(true);
    for (QLabel* label : {SkinName, SkinDesc, SkinCom})
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Dir1, 1);
    layout->addWidget(SkinName);
    layout->addWidget(SkinDesc);
    layout->addWidget(SkinCom);
    layout->addWidget(
        new QLabel(QStringLiteral("A skin chosen here dresses the player at once."), this));
    connect(Dir1, &QTreeView::clicked, this,
            [this](const QModelIndex& index) { setFolder(index.data(kPathRole).toString()); });
}

void SkinsPage::attachFolderModel() {
    if (!model_) {
        model_ = new QStandardItemModel(this);
        Dir1->setModel(model_);
    }
    model_->clear();
    for (const QString& root : skinRootFolders(dialog_.programFolder)) {
        QStandardItem* item = folderItem(root, QDir::toNativeSeparators(root));
        model_->appendRow(item);
        addSubfolders(item, root, 0);
    }
    Dir1->expandToDepth(0);
    showFolderInTree();
}

void SkinsPage::showFolderInTree() {
    if (!model_)
        return;
    if (QStandardItem* item = findFolder(model_->invisibleRootItem(), QDir::cleanPath(path_))) {
        Dir1->setCurrentIndex(item->index());
        Dir1->scrollTo(item->index());
    }
}

void SkinsPage::setFolder(const QString& folder) {
    path_ = folder;
    showFolderInTree();
    Dir1_Change();
}

void SkinsPage::Dir1_Change() {
    if (frmConfig::skinDescriptionFile(path_).isEmpty() || !dialog_.hooks.skinLoad)
        return;
    dialog_.hooks.skinLoad();
    // The bar comes back mapped anew, on top: the open dialog, its Ok and
    // Cancel, stays above it.
    if (dialog_.isVisible())
        dialog_.raise();
}
