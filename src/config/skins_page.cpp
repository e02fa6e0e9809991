#include "config/skins_page.h"

#include "config/dialog_widgets.h"
#include "config/frm_config.h"

#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QTreeView>
#include <QVBoxLayout>

using namespace dialog;

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
            [this](const QModelIndex& index) { setFolder(model_->filePath(index)); });
}

void SkinsPage::attachFolderModel() {
    if (model_)
        return;
    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    model_->setRootPath(QDir::rootPath());
    Dir1->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column)
        Dir1->hideColumn(column);
    showFolderInTree();
}

void SkinsPage::showFolderInTree() {
    if (!model_)
        return;
    const QModelIndex index = model_->index(path_);
    if (index.isValid()) {
        Dir1->setCurrentIndex(index);
        Dir1->scrollTo(index);
    }
}

void SkinsPage::setFolder(const QString& folder) {
    path_ = folder;
    showFolderInTree();
    Dir1_Change();
}

void SkinsPage::Dir1_Change() {
    if (!frmConfig::skinDescriptionFile(path_).isEmpty() && dialog_.hooks.skinLoad)
        dialog_.hooks.skinLoad();
}
