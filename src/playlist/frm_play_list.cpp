#include "playlist/frm_play_list.h"

#include "playlist/play_queue.h"
#include "playlist/playlist_file.h"
#include "support/desktop/file_dialogs.h"
#include "support/models/list_binding.h"
#include "support/settings/settings_store.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>
#include <array>

// The file list's rows; filled in one change so a folder of thousands of
// files costs one reset of the view, not a row each.
class FolderListModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void setFiles(QList<ListedFile> files) {
        beginResetModel();
        files_ = std::move(files);
        endResetModel();
    }
    const ListedFile& file(int row) const { return files_.at(row); }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(files_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 4;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const ListedFile& f = files_.at(index.row());
        if (role == Qt::DecorationRole && index.column() == 0)
            return icon(f.icon);
        if (role != Qt::DisplayRole)
            return {};
        const std::array<const QString*, 4> cells{&f.name, &f.size, &f.date, &f.time};
        return *cells[std::size_t(index.column())];
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const std::array<const char*, 4> titles{"Fichier", "Taille", "Date", "Heure"};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        return QString::fromLatin1(titles[std::size_t(section)]);
    }

  private:
    // One picture per type, made once.
    static QPixmap icon(MediaIcon type) {
        static const std::array<QPixmap, 4> small{
            mediaIconPicture(MediaIcon::Avi, 16), mediaIconPicture(MediaIcon::Asf, 16),
            mediaIconPicture(MediaIcon::Mp4, 16), mediaIconPicture(MediaIcon::Mpg, 16)};
        return small[std::size_t(type)];
    }

    QList<ListedFile> files_;
};

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QString withSlash(QString folder) {
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

// Whether `folder` is `place` or lies inside it.
bool isWithin(const QString& folder, const QString& place) {
    return folder == place || folder.startsWith(withSlash(place));
}

} // namespace

QPixmap mediaIconPicture(MediaIcon icon, int size) {
    // A film frame in the type's colour with its name across it.
    struct Look {
        const char* name;
        QColor colour;
    };
    static const std::array<Look, 4> looks{
        Look{"AVI", QColor(40, 90, 170)}, Look{"ASF", QColor(170, 70, 40)},
        Look{"MP4", QColor(40, 140, 70)}, Look{"MPG", QColor(120, 60, 150)}};
    const Look& look = looks[std::size_t(icon)];
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(look.colour.darker(150));
    p.setBrush(look.colour);
    p.drawRoundedRect(QRectF(0.5, size * 0.15, size - 1.0, size * 0.7), size / 8.0, size / 8.0);
    // The sprocket holes along both edges.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    const double hole = std::max(1.0, size / 10.0);
    for (double x = hole; x < size - hole; x += hole * 2.5) {
        p.drawRect(QRectF(x, size * 0.18, hole, hole));
        p.drawRect(QRectF(x, size * 0.82 - hole, hole, hole));
    }
    QFont font = p.font();
    font.setPixelSize(std::max(5, size * 3 / 10));
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QLatin1String(look.name));
    return picture;
}

FrmPlayList::FrmPlayList(PlayQueue& queue, SettingsStore& settings, Hooks hooks)
    : queue_(queue), settings_(settings), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("FrmPlayList"));
    setWindowTitle(QStringLiteral("VantorPlaylist"));
    setWindowFlag(Qt::Window);
    setAcceptDrops(true);
    build();
    wire();
}

FrmPlayList::~FrmPlayList() = default;

void FrmPlayList::build() {
    auto* source = new QGroupBox(QStringLiteral("Input source:"), this);
    Drive2 = new QComboBox(source);
    Drive2->setObjectName(QStringLiteral("Drive2"));
    dirModel_ = new QFileSystemModel(this);
    dirModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    Dir2 = new QTreeView(source);
    Dir2->setObjectName(QStringLiteral("Dir2"));
    Dir2->setModel(dirModel_);
    for (int column = 1; column < dirModel_->columnCount(); ++column)
        Dir2->hideColumn(column);
    Dir2->setHeaderHidden(true);
    auto* sourceLayout = new QVBoxLayout(source);
    sourceLayout->addWidget(Drive2);
    sourceLayout->addWidget(Dir2);

    files_ = new FolderListModel(this);
    ListViewCtl = new QTreeView(this);
    ListViewCtl->setObjectName(QStringLiteral("ListViewCtl"));
    ListViewCtl->setModel(files_);
    ListViewCtl->setRootIsDecorated(false);
    ListViewCtl->setUniformRowHeights(true); // rows are measured once, not each
    ListViewCtl->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListViewCtl->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Fixed widths from the font, not measured from the rows: a folder of
    // thousands of files would be measured row by row.
    QHeaderView* header = ListViewCtl->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    const QFontMetrics metrics(ListViewCtl->font());
    header->resizeSection(1, metrics.horizontalAdvance(QStringLiteral(" 0000 Octets")) + 12);
    header->resizeSection(2, metrics.horizontalAdvance(QStringLiteral("00 September 0000")) + 12);
    header->resizeSection(3, metrics.horizontalAdvance(QStringLiteral("Heure")) + 24);

    auto* listBox = new QGroupBox(QStringLiteral("Playlist"), this);
    file2 = new QListWidget(listBox);
    file2->setObjectName(QStringLiteral("file2"));
    bindList(file2, &queue_.file2);
    (new QVBoxLayout(listBox))->addWidget(file2);

    Command1 = button(this, "Command1", QStringLiteral("&Add files"));
    Command2 = button(this, "Command2", QStringLiteral("&Remove"));
    Command3 = button(this, "Command3", QStringLiteral("C&lear"));
    Command6 = button(this, "Command6", QStringLiteral("L&oad Playlist..."));
    Command7 = button(this, "Command7", QStringLiteral("Save Playlist..."));
    Check1 = new QCheckBox(QStringLiteral("Shuffle"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Command4 = button(this, "Command4", QStringLiteral("&Ok"));
    Command5 = button(this, "Command5", QStringLiteral("&Cancel"));

    auto* top = new QHBoxLayout;
    top->addWidget(source, 2);
    top->addWidget(ListViewCtl, 3);
    auto* editButtons = new QVBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(Command1), static_cast<QWidget*>(Command2),
                       static_cast<QWidget*>(Command3), static_cast<QWidget*>(Command6),
                       static_cast<QWidget*>(Command7), static_cast<QWidget*>(Check1)})
        editButtons->addWidget(w);
    editButtons->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(listBox, 1);
    bottom->addLayout(editButtons);
    auto* confirm = new QHBoxLayout;
    confirm->addStretch();
    confirm->addWidget(Command4);
    confirm->addWidget(Command5);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 3);
    layout->addLayout(bottom, 2);
    layout->addLayout(confirm);
    resize(820, 540);
}

void FrmPlayList::wire() {
    connect(Drive2, &QComboBox::activated, this, [this] { Drive2_Change(); });
    connect(Dir2->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                if (index.isValid())
                    setFolder(dirModel_->filePath(index));
            });
    connect(ListViewCtl, &QAbstractItemView::doubleClicked, this, [this] { Command1_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
    connect(Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
    connect(Check1, &QCheckBox::clicked, this, [this] { Check1_Click(); });
}

void FrmPlayList::ShowPlayLst() {
    if (!loaded_)
        Form_Load();
    show();
    raise();
    activateWindow();
}

void FrmPlayList::Form_Load() {
    loaded_ = true;
    RememberedIndex = queue_.List1.listIndex();
    fillDrives();
    setFolder(
        startFolder({settings_.read(QStringLiteral("PlayListPath"), QString())}, QDir::homePath()));
}

// The places the tree can show: home first, then "/" and each volume.
void FrmPlayList::fillDrives() {
    const QSignalBlocker block(Drive2);
    Drive2->clear();
    QStringList roots{QStringLiteral("/")};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && !roots.contains(QDir::cleanPath(volume.rootPath())))
            roots.append(QDir::cleanPath(volume.rootPath()));
    roots.sort();
    roots.removeAll(QDir::homePath());
    roots.prepend(QDir::homePath());
    Drive2->addItems(roots);
}

void FrmPlayList::Drive2_Change() {
    const QString drive = Drive2->currentText();
    const QStorageInfo volume(drive);
    if (!volume.isValid() || !volume.isReady() || !QDir(drive).isReadable()) {
        warn(QStringLiteral("Drive not ready"));
        setFolder(QDir::homePath());
        return;
    }
    setFolder(drive);
}

// The deepest place of the drive list holding `folder`, "/" at worst.
QString FrmPlayList::placeOf(const QString& folder) const {
    QString place = QStringLiteral("/");
    for (int i = 0; i < Drive2->count(); ++i) {
        const QString candidate = QDir::cleanPath(Drive2->itemText(i));
        if (candidate.size() > place.size() && isWithin(folder, candidate))
            place = candidate;
    }
    return place;
}

void FrmPlayList::setFolder(const QString& folder) {
    folder_ = QDir::cleanPath(folder);
    // The tree shows the place the folder is in (home, or a drive), not the
    // whole file system.
    const QString place = placeOf(folder_);
    Drive2->setCurrentIndex(Drive2->findText(place));
    if (dirModel_->rootPath() != place) {
        dirModel_->setRootPath(place);
        Dir2->setRootIndex(dirModel_->index(place));
    }
    const QModelIndex index = dirModel_->index(folder_);
    if (index.isValid() && Dir2->currentIndex() != index) {
        const QSignalBlocker block(Dir2->selectionModel());
        Dir2->setCurrentIndex(index);
        Dir2->scrollTo(index);
    }
    Dir2_Change();
}

void FrmPlayList::Dir2_Change() {
    files_->setFiles(listMediaFiles(folder_));
}

void FrmPlayList::Command1_Click() {
    QModelIndexList rows = ListViewCtl->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    QStringList paths;
    for (const QModelIndex& row : rows)
        paths.append(withSlash(folder_) + files_->file(row.row()).name);
    appendToEditList(paths);
}

void FrmPlayList::Command2_Click() {
    SelectableList& list = queue_.file2;
    if (list.listIndex() < 0)
        return;
    list.removeItem(list.listIndex());
    list.setListIndex(0);
}

void FrmPlayList::Command3_Click() {
    queue_.file2.clear();
}

void FrmPlayList::Command4_Click() {
    queue_.rebuildFromEditList(RememberedIndex);
    rememberPlaces();
    hide();
}

void FrmPlayList::Command5_Click() {
    rememberPlaces();
    hide();
}

void FrmPlayList::Command6_Click() {
    const QString file = hooks_.chooseListToLoad
                             ? hooks_.chooseListToLoad()
                             : QFileDialog::getOpenFileName(
                                   this, QStringLiteral("Load Playlist"), folder_,
                                   QStringLiteral("PlayList (*.lst);;M3U playlist (*.m3u *.m3u8)"));
    if (file.isEmpty())
        return;
    if (queue_.LoadPlayList(file))
        queue_.file2.setListIndex(0);
}

void FrmPlayList::Command7_Click() {
    const QString file = hooks_.chooseListToSave
                             ? hooks_.chooseListToSave()
                             : QFileDialog::getSaveFileName(
                                   this, QStringLiteral("Save Playlist"), folder_,
                                   QStringLiteral("Playlist (*.lst);;M3U8 playlist (*.m3u8)"));
    if (!file.isEmpty())
        queue_.SavePlaylist(file);
}

void FrmPlayList::Check1_Click() {
    queue_.setShuffle(Check1->isChecked());
}

void FrmPlayList::addPaths(const QStringList& paths) {
    QStringList files;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isDir())
            files += mediaFilesIn(path);
        else if (info.isFile())
            files.append(info.absoluteFilePath());
    }
    appendToEditList(files);
}

void FrmPlayList::appendToEditList(const QStringList& paths) {
    if (paths.isEmpty())
        return;
    SelectableList& list = queue_.file2;
    const int selected = list.listIndex();
    list.setItems(list.items() + paths);
    list.setListIndex(selected);
}

void FrmPlayList::rememberPlaces() {
    settings_.write(QStringLiteral("PlayListDrv"), Drive2->currentText());
    settings_.write(QStringLiteral("PlayListPath"), folder_);
}

void FrmPlayList::warn(const QString& text) {
    if (hooks_.warn)
        hooks_.warn(text);
    else
        QMessageBox::warning(this, QStringLiteral("VantorPlaylist"), text);
}

void FrmPlayList::closeEvent(QCloseEvent* event) {
    // The title bar's close hides like Cancel: the edit list stays.
    Command5_Click();
    event->ignore();
}

void FrmPlayList::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void FrmPlayList::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    addPaths(paths);
    event->acceptProposedAction();
}
