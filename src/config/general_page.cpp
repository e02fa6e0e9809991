#include "config/general_page.h"

#include "config/dialog_widgets.h"
#include "config/display_modes.h"
#include "config/frm_config.h"
#include "support/files/whole_file.h"
#include "support/models/list_binding.h"

#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QVBoxLayout>

using namespace dialog;

namespace {
constexpr int kHeightRole = Qt::UserRole + 1;

// Fills `box` keeping its chosen index; entries no mode of the display has
// stay (the settings keep indexes) but are greyed.
void fill(QComboBox* box, const QList<ListEntry>& entries) {
    const QSignalBlocker quiet(box);
    const int chosen = box->currentIndex();
    box->clear();
    for (const ListEntry& entry : entries) {
        box->addItem(entry.text, entry.itemData);
        box->setItemData(box->count() - 1, entry.height, kHeightRole);
        if (!entry.offered)
            qobject_cast<QStandardItemModel*>(box->model())
                ->item(box->count() - 1)
                ->setEnabled(false);
    }
    box->setCurrentIndex(chosen);
}

QComboBox* modeList(const char* name, const QList<ListEntry>& entries, QWidget* parent) {
    auto* box = named(new QComboBox(parent), name);
    fill(box, entries);
    box->setCurrentIndex(-1);
    return box;
}
} // namespace

GeneralPage::GeneralPage(frmConfig& dialog, SelectableList& presets)
    : dialog_(dialog), presets_(presets) {
    setObjectName(QStringLiteral("PageGeneral"));
    build();
    wire();
}

void GeneralPage::build() {
    auto* other = frame("Other", this);
    CheckRes = checkBox("CheckRes", "Change resolution when you switch to full screen", other);
    cmbres = modeList("cmbres", resolutionEntries(), other);
    cmbcols = modeList("cmbcols", colourEntries(), other);
    cmbHz = modeList("cmbHz", refreshEntries(), other);
    ResNote = named(new QLabel(QStringLiteral("This display does not let the player change its "
                                              "resolution; full screen uses the current one."),
                               other),
                    "ResNote");
    ResNote->setWordWrap(true);
    ResNote->hide();
    auto* otherLayout = new QFormLayout(other);
    otherLayout->addRow(CheckRes);
    otherLayout->addRow(ResNote);
    otherLayout->addRow(QStringLiteral("Resolution"), cmbres);
    otherLayout->addRow(QStringLiteral("Colours"), cmbcols);
    otherLayout->addRow(QStringLiteral("Refresh rate"), cmbHz);

    auto* aspect = frame("Custom Aspect Ratio (DAR)", this);
    DARView = named(new QListWidget(aspect), "DAR");
    Dartxt = named(new QLineEdit(aspect), "Dartxt");
    Command8 = button("Command8", "Add", aspect);
    Command9 = button("Command9", "Delete", aspect);
    Command10 = button("Command10", "Original", aspect);
    auto* aspectLayout = new QGridLayout(aspect);
    aspectLayout->addWidget(DARView, 0, 0, 4, 1);
    aspectLayout->addWidget(Dartxt, 0, 1);
    aspectLayout->addWidget(Command8, 1, 1);
    aspectLayout->addWidget(Command9, 2, 1);
    aspectLayout->addWidget(Command10, 3, 1);
    bindList(DARView, &presets_.list());

    Command2 = button("Command2", "Register", this);
    CheckScroll = checkBox("CheckScroll", "Scroll Movie title (More CPU)", this);
    CheckScreenS = checkBox("CheckScreenS", "Screen Saver disabled", this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(other);
    layout->addWidget(aspect);
    layout->addWidget(CheckScroll);
    layout->addWidget(CheckScreenS);
    layout->addWidget(Command2, 0, Qt::AlignLeft);
    layout->addStretch();
}

void GeneralPage::wire() {
    connect(CheckRes, &QCheckBox::clicked, this, &GeneralPage::CheckRes_Click);
    for (QComboBox* box : {cmbres, cmbcols, cmbHz})
        connect(box, &QComboBox::currentIndexChanged, this, &GeneralPage::pushDisplayModes);
    connect(Command2, &QPushButton::clicked, this, [this] {
        if (dialog_.hooks.registerFileTypes)
            dialog_.hooks.registerFileTypes();
    });
    connect(Command8, &QPushButton::clicked, this, &GeneralPage::Command8_Click);
    // Enter in the preset box adds the preset; it must not reach Ok.
    Dartxt->installEventFilter(this);
    connect(Command9, &QPushButton::clicked, this, &GeneralPage::Command9_Click);
    connect(Command10, &QPushButton::clicked, this, &GeneralPage::Command10_Click);
    connect(&presets_.list(), &SelectableList::clicked, this, [this] {
        if (dialog_.hooks.applyDAR)
            dialog_.hooks.applyDAR();
    });
}

bool GeneralPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Dartxt && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Command8_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void GeneralPage::CheckRes_Click() {
    const bool on = CheckRes->isChecked() && CheckRes->isEnabled();
    for (QComboBox* box : {cmbres, cmbcols, cmbHz})
        box->setEnabled(on);
    pushDisplayModes();
}

void GeneralPage::bindDisplayModes(DisplayModeSwitch& modes) {
    modes_ = &modes;
    fill(cmbres, modes.entries(modes.cmbres));
    fill(cmbcols, modes.entries(modes.cmbcols));
    fill(cmbHz, modes.entries(modes.cmbHz));
    showCurrentModeWhereUnchosen();
    showDisplayModesState();
}

void GeneralPage::showCurrentModeWhereUnchosen() {
    if (!modes_)
        return;
    const std::pair<QComboBox*, const SelectableList*> lists[] = {
        {cmbres, &modes_->cmbres}, {cmbcols, &modes_->cmbcols}, {cmbHz, &modes_->cmbHz}};
    for (const auto& [box, list] : lists) {
        if (box->currentIndex() < 0)
            box->setCurrentIndex(modes_->currentEntry(*list));
    }
}

void GeneralPage::showDisplayModesState() {
    const bool switchable = !modes_ || modes_->switchable();
    CheckRes->setEnabled(switchable);
    ResNote->setVisible(!switchable);
    CheckRes_Click();
}

void GeneralPage::pushDisplayModes() {
    if (!modes_)
        return;
    modes_->CheckRes = CheckRes->isChecked() ? 1 : 0;
    modes_->cmbres.setListIndex(cmbres->currentIndex());
    modes_->cmbcols.setListIndex(cmbcols->currentIndex());
    modes_->cmbHz.setListIndex(cmbHz->currentIndex());
}

int GeneralPage::resolutionWidth() const {
    return cmbres->currentIndex() >= 0 ? cmbres->currentData().toInt() : -1;
}
int GeneralPage::resolutionHeight() const {
    return cmbres->currentIndex() >= 0 ? cmbres->currentData(kHeightRole).toInt() : -1;
}
int GeneralPage::colourBits() const {
    return cmbcols->currentIndex() >= 0 ? cmbcols->currentData().toInt() : -1;
}
int GeneralPage::refreshHz() const {
    return cmbHz->currentIndex() >= 0 ? cmbHz->currentData().toInt() : -1;
}

void GeneralPage::ReadDAR() {
    const QString& own = dialog_.darFile;
    const QString file = QFileInfo::exists(own) ? own : dialog_.darDefaultsFile;
    if (const int skipped = presets_.read(file))
        dialog_.showCritical(QStringLiteral("%1 lines of %2 are no aspect ratio: skipped.")
                                 .arg(skipped)
                                 .arg(QFileInfo(file).fileName()));
    if (dialog_.hooks.setAspectMenuCaptions)
        dialog_.hooks.setAspectMenuCaptions(presets_.menuCaptions());
}

// The selection is what the layout reads: saving must not move it.
void GeneralPage::SaveDAR() {
    const QString& own = dialog_.darFile;
    QString why;
    if (!own.isEmpty() && !presets_.save(own, &why) && firstProblemWith(own))
        dialog_.showWarning(QStringLiteral("The aspect ratios could not be saved: %1. The file "
                                           "%2 keeps the ones it had.")
                                .arg(why, QDir::toNativeSeparators(own)));
    if (dialog_.hooks.setAspectMenuCaptions)
        dialog_.hooks.setAspectMenuCaptions(presets_.menuCaptions());
}

void GeneralPage::Command8_Click() {
    QString problem;
    switch (presets_.add(Dartxt->text().trimmed(), &problem)) {
    case DarPresets::Added::Full:
        if (dialog_.hooks.information)
            dialog_.hooks.information(QStringLiteral("Limited to 10 DAR"));
        else
            QMessageBox::information(&dialog_, dialog_.windowTitle(),
                                     QStringLiteral("Limited to 10 DAR"));
        break;
    case DarPresets::Added::Malformed:
        dialog_.showCritical(
            QStringLiteral("\"%1\" is no aspect ratio. %2").arg(Dartxt->text(), problem));
        break;
    case DarPresets::Added::Yes:
        Dartxt->clear();
        break;
    case DarPresets::Added::Empty:
        break;
    }
}

void GeneralPage::Command9_Click() {
    presets_.removeSelected();
}

void GeneralPage::Command10_Click() {
    presets_.original();
    if (dialog_.hooks.applyDAR)
        dialog_.hooks.applyDAR();
}
