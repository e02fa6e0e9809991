#include "config/frm_config.h"

#include "app/player_state.h"
#include "config/config_procedures.h"
#include "config/display_modes.h"
#include "config/frm_credits.h"
#include "config/speaker_modes.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QFontDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QScreen>
#include <QSlider>
#include <QStorageInfo>
#include <QTreeView>
#include <QWindow>

namespace {

// Boxes hold their number as text, as the user typed it; "" counts as 0.
int boxNumber(const QLineEdit* box) {
    return box->text().trimmed().toInt();
}

std::optional<SubtitleFontChoice> askForFont(QWidget* parent, const SubtitleFontChoice& current) {
    QFont initial(current.name);
    if (const double size = current.size.toDouble(); size > 0)
        initial.setPointSizeF(size);
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent, QStringLiteral("Font"));
    if (!ok)
        return std::nullopt;
    // The font dialog has no colour of its own; a cancelled colour keeps the old one.
    QColor colour = QColorDialog::getColor(current.colour, parent, QStringLiteral("Colour"));
    if (!colour.isValid())
        colour = current.colour;
    return SubtitleFontChoice{font.family(), QString::number(font.pointSizeF()), colour};
}

} // namespace

frmConfig::frmConfig(ConfigHooks h, PlayerState* state, QWidget* parent, const QString& storePath)
    : QDialog(parent), hooks(std::move(h)), programFolder(QCoreApplication::applicationDirPath()),
      firstStartMarker(QDir(userDataFolder()).filePath(QLatin1String(kFirstStartMarker))),
      settings_(storePath), state_(state), loaded_(Preferences::defaults(programFolder)),
      fontColour_(Qt::white) {
    setObjectName(QStringLiteral("frmConfig"));
    setWindowTitle(QStringLiteral("Configuration"));
    setModal(false);
    buildWindow();
    wireControls();
}

frmConfig::~frmConfig() = default;

// ---------------------------------------------------------------------------
// Loading, Ok and Cancel

void frmConfig::Form_Load() {
    Combo3->clear();
    for (const ChoiceItem& item : kCharacterSets)
        Combo3->addItem(QString::fromLatin1(item.text), item.number);
    Combo1->clear();
    for (const ChoiceItem& item : kSpeakerModes)
        Combo1->addItem(QString::fromLatin1(item.text), item.number);
    fillDrives();

    loaded_ = Preferences::load(settings_, programFolder);
    applyPreferences(loaded_);

    applySubtitleFontToLines();
    if (hooks.setScrollingTitleVisible)
        hooks.setScrollingTitleVisible(CheckScroll->isChecked());
    if (CheckScreenS->isChecked())
        (hooks.setScreenSaverActive ? hooks.setScreenSaverActive : SetScreenSaverActive)(false);

    ListRegisteredFilters();
    fillAudioDevices();
    // A device plugged in or out moves the others in the list: the stored
    // name, when that device is present, wins over the stored index.
    const int named = loaded_.device.isEmpty() ? -1 : Combo2->findText(loaded_.device);
    setComboIndex(Combo2, named >= 0 ? named : loaded_.deviceIdx);

    AnalyseReg();
    ReadDAR();
}

// Sets every control from `p` in the load order; the handlers a user's click
// would run are run here too, once each.
void frmConfig::applyPreferences(const Preferences& p) {
    Check1->setChecked(p.useSub);
    CheckScreenS->setChecked(p.screenSaverDisabled);
    CheckScroll->setChecked(p.scrollTitle);
    MyFontName->setText(p.fontName);
    MyFontSize->setText(p.fontSize);
    fontColour_ = colourFromNumber(p.fontColour);
    MyFontColor->setStyleSheet(QStringLiteral("background-color: %1;").arg(fontColour_.name()));
    ColorR->setText(QString::number(p.keyRed));
    ColorG->setText(QString::number(p.keyGreen));
    ColorB->setText(QString::number(p.keyBlue));
    ChkAutoRGB->setChecked(p.autoOverlay);
    ChkAutoRGB_Click();
    SubYpos->setText(p.subYPos);
    setSkinFolder(p.skin);
    setComboIndex(Combo1, p.audioSys);
    Combo1_Click();
    setComboIndex(Drive1, p.scenixDrive);
    setComboIndex(Combo3, p.charset);
    Combo3_Click();
    CheckRes->setChecked(p.changeRes);
    CheckRes_Click();
    setComboIndex(cmbres, p.changeResXY);
    setComboIndex(cmbcols, p.changeResCols);
    setComboIndex(cmbHz, p.changeResHz);
    UseDedynamic->setChecked(p.dedynamic);
}

void frmConfig::setComboIndex(QComboBox* box, int index) {
    // A stored index the list does not have chooses nothing.
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

void frmConfig::showDialog() {
    attachFolderModel();
    // Whole on the screen it opens on, Ok and Cancel included.
    const QRect screen =
        (windowHandle() && windowHandle()->screen() ? windowHandle()->screen()
                                                    : QGuiApplication::primaryScreen())
            ->availableGeometry();
    resize(
        sizeHint().boundedTo(screen.size()).expandedTo(minimumSizeHint().boundedTo(screen.size())));
    move(std::clamp(x(), screen.left(), std::max(screen.left(), screen.right() - width())),
         std::clamp(y(), screen.top(), std::max(screen.top(), screen.bottom() - height())));
    show();
    raise();
    AnalyseReg();
}

void frmConfig::Command1_Click() {
    const QString description = skinDescriptionFile(skinPath_);
    if (description.isEmpty() || !FileExists(description)) {
        showCritical(QStringLiteral("You must choose a skin. ;)"));
        return;
    }
    hide();
    loaded_ = preferences();
    loaded_.saveDialogKeys(settings_);
    Spkup();

    // Saving the presets must not re-lay out the picture.
    if (state_)
        state_->ConfigApplying = true;
    WriteReg();
    SaveDAR();
    if (state_)
        state_->ConfigApplying = false;

    applySubtitleFontToLines();
    if (hooks.setScrollingTitleVisible)
        hooks.setScrollingTitleVisible(CheckScroll->isChecked());
    // Clearing the box gives the screen saver back at once, not at exit.
    (hooks.setScreenSaverActive ? hooks.setScreenSaverActive
                                : SetScreenSaverActive)(!CheckScreenS->isChecked());

    if (movieOpen() && RegChanged) {
        ListRegisteredFilters();
        if (hooks.refreshRegisteredFilters)
            hooks.refreshRegisteredFilters();
        if (hooks.reopenMovie)
            hooks.reopenMovie();
    }
    RegChanged = false;
    QFile::remove(firstStartMarker);
}

void frmConfig::Command3_Click() {
    hide();
}

QColor frmConfig::keyColour() const {
    return QColor(clampColourComponent(boxNumber(ColorR)), clampColourComponent(boxNumber(ColorG)),
                  clampColourComponent(boxNumber(ColorB)));
}
void frmConfig::setKeyColour(const QColor& colour) {
    ColorR->setText(QString::number(colour.red()));
    ColorG->setText(QString::number(colour.green()));
    ColorB->setText(QString::number(colour.blue()));
}
bool frmConfig::autoOverlay() const {
    return ChkAutoRGB->isChecked();
}
QString frmConfig::subtitleYPosText() const {
    return SubYpos->text();
}
void frmConfig::setSubtitleYPosText(const QString& text) {
    SubYpos->setText(text);
}
QString frmConfig::skinFolder() const {
    return skinPath_;
}
int frmConfig::speakerMode() const {
    return Combo1->currentIndex();
}
QString frmConfig::speakerModeName() const {
    return Combo1->currentText();
}
int frmConfig::deviceIndex() const {
    return Combo2->currentIndex();
}
QString frmConfig::deviceName() const {
    return Combo2->currentText();
}
bool frmConfig::useDedynamic() const {
    return UseDedynamic->isChecked();
}
int frmConfig::scenixDriveIndex() const {
    return Drive1->currentIndex();
}
QString frmConfig::scenixDrive() const {
    return Drive1->currentData().toString();
}
int frmConfig::characterSetIndex() const {
    return Combo3->currentIndex();
}
int frmConfig::characterSetNumber() const {
    return Combo3->currentIndex() >= 0 ? Combo3->currentData().toInt() : 0;
}
bool frmConfig::changeResolution() const {
    return CheckRes->isChecked();
}
int frmConfig::resolutionWidth() const {
    return cmbres->currentIndex() >= 0 ? cmbres->currentData().toInt() : -1;
}
int frmConfig::resolutionHeight() const {
    return ::heightForWidth(resolutionWidth()).value_or(-1);
}
int frmConfig::colourBits() const {
    return cmbcols->currentIndex() >= 0 ? cmbcols->currentData().toInt() : -1;
}
int frmConfig::refreshHz() const {
    return cmbHz->currentIndex() >= 0 ? cmbHz->currentData().toInt() : -1;
}
int frmConfig::subtitleDelaySeconds() const {
    return SubBegin->value();
}
int frmConfig::subtitleExtraSeconds() const {
    return SubDisp->value();
}

// ---------------------------------------------------------------------------
// Aspect-ratio presets

void frmConfig::ReadDAR() {
    darPresets_.read(QFileInfo::exists(darFile) ? darFile : darDefaultsFile);
    if (hooks.setAspectMenuCaptions)
        hooks.setAspectMenuCaptions(darPresets_.menuCaptions());
}

// The selection is what the layout reads: saving must not move it.
void frmConfig::SaveDAR() {
    if (!darFile.isEmpty()) {
        QDir().mkpath(QFileInfo(darFile).absolutePath());
        if (!darPresets_.save(darFile))
            showCritical(QStringLiteral("The aspect ratios cannot be saved in %1.").arg(darFile));
    }
    if (hooks.setAspectMenuCaptions)
        hooks.setAspectMenuCaptions(darPresets_.menuCaptions());
}

void frmConfig::Command8_Click() {
    QString problem;
    switch (darPresets_.add(Dartxt->text().trimmed(), &problem)) {
    case DarPresets::Added::Full:
        if (hooks.information)
            hooks.information(QStringLiteral("Limited to 10 DAR"));
        else
            QMessageBox::information(this, windowTitle(), QStringLiteral("Limited to 10 DAR"));
        break;
    case DarPresets::Added::Malformed:
        showCritical(QStringLiteral("\"%1\" is no aspect ratio. %2").arg(Dartxt->text(), problem));
        break;
    case DarPresets::Added::Yes:
        Dartxt->clear();
        break;
    case DarPresets::Added::Empty:
        break;
    }
}

void frmConfig::Command9_Click() {
    darPresets_.removeSelected();
}

void frmConfig::Command10_Click() {
    darPresets_.original();
    if (hooks.applyDAR)
        hooks.applyDAR();
}

// ---------------------------------------------------------------------------
// Procedures other windows call

void frmConfig::Spkup() {
    const int row = Combo1->currentIndex();
    if (row < 0 || row >= int(kSpeakerModes.size()))
        return;
    if (hooks.setSpeakerPicture)
        hooks.setSpeakerPicture(kSpeakerModes[std::size_t(row)].number);
}

void frmConfig::ListRegisteredFilters() {
    regFilters_ =
        hooks.registeredFilters ? hooks.registeredFilters() : FilterGraph::regFilterCollection();
    QStringList names;
    names.reserve(regFilters_.size());
    for (const RegFilterInfo& filter : regFilters_)
        names.append(filter.name());
    listRegFilters.setItems(names);
    if (listRegFilters.count() > 0)
        listRegFilters.setListIndex(0);
}

void frmConfig::alwaysontop(bool onTop) {
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    // Changing a window's flags hides it.
    if (visible)
        show();
}

void frmConfig::fillAudioDevices() {
    // Each audio output once, in the order the framework registers them.
    Combo2->clear();
    for (const RegFilterInfo& filter : regFilters_) {
        if (filter.isAudioOutput())
            Combo2->addItem(filter.name());
    }
}

void frmConfig::fillDrives() {
    // The home folder stands first, then every mounted volume, removable
    // media included; each entry's data is its folder ending in "/".
    Drive1->clear();
    auto add = [this](const QString& path, const QString& label) {
        QString folder = QDir::cleanPath(path);
        if (!folder.endsWith(u'/'))
            folder += u'/';
        if (Drive1->findData(folder) >= 0)
            return;
        Drive1->addItem(label.isEmpty() ? folder : QStringLiteral("%1 [%2]").arg(folder, label),
                        folder);
    };
    add(QDir::homePath(), {});
    const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo& volume : volumes) {
        if (volume.isValid() && volume.isReady())
            add(volume.rootPath(),
                volume.displayName() == volume.rootPath() ? QString() : volume.displayName());
    }
}

// ---------------------------------------------------------------------------
// Control handlers

void frmConfig::ChkAutoRGB_Click() {
    const bool manual = !ChkAutoRGB->isChecked();
    for (QLineEdit* box : {ColorR, ColorG, ColorB})
        box->setEnabled(manual);
}

void frmConfig::CheckRes_Click() {
    const bool on = CheckRes->isChecked();
    for (QComboBox* box : {cmbres, cmbcols, cmbHz})
        box->setEnabled(on);
    pushDisplayModes();
}

void frmConfig::colourBoxChanged(QLineEdit* box) {
    if (boxNumber(box) > 255)
        box->setText(QStringLiteral("255"));
}

void frmConfig::Combo1_Click() {
    const int row = Combo1->currentIndex();
    if (row < 0)
        return;
    if (hooks.speakerModeChosen)
        hooks.speakerModeChosen(row);
    else
        chooseSpeakerMode(row, programFolder, userDataFolder(),
                          registry ? *registry : RegistryStore::user());
}

void frmConfig::Combo3_Click() {
    if (Combo3->currentIndex() >= 0 && hooks.applyCharacterSet)
        hooks.applyCharacterSet(characterSetNumber());
}

void frmConfig::Command4_Click() {
    const SubtitleFontChoice current{MyFontName->text(), MyFontSize->text(), fontColour_};
    const std::optional<SubtitleFontChoice> chosen =
        hooks.chooseFont ? hooks.chooseFont(current) : askForFont(this, current);
    if (!chosen)
        return;
    MyFontName->setText(chosen->name);
    MyFontSize->setText(chosen->size);
    fontColour_ = chosen->colour.isValid() ? chosen->colour : fontColour_;
    MyFontColor->setStyleSheet(QStringLiteral("background-color: %1;").arg(fontColour_.name()));
    Combo3_Click();
}

void frmConfig::Command5_Click() {
    if (!movieOpen()) {
        showCritical(QStringLiteral("Please open a file first."));
        return;
    }
    if (hooks.startOverlayDetection)
        hooks.startOverlayDetection();
}

void frmConfig::Command11_Click() {
    if (hooks.minimizeMainWindow)
        hooks.minimizeMainWindow();
    if (!credits_)
        credits_ = new frmCredits(this);
    credits_->show();
    credits_->raise();
}

void frmConfig::showSkinFolderInTree() {
    if (!dirModel_)
        return;
    const QModelIndex index = dirModel_->index(skinPath_);
    if (index.isValid()) {
        Dir1->setCurrentIndex(index);
        Dir1->scrollTo(index);
    }
}

void frmConfig::setSkinFolder(const QString& folder) {
    skinPath_ = folder;
    showSkinFolderInTree();
    Dir1_Change();
}

void frmConfig::Dir1_Change() {
    if (!skinDescriptionFile(skinPath_).isEmpty() && hooks.skinLoad)
        hooks.skinLoad();
}

void frmConfig::Image3_Click() {
    Check1->setChecked(!Check1->isChecked());
}

void frmConfig::setSkinName(const QString& value) {
    SkinName->setText(QStringLiteral("Name: ") + value);
}
void frmConfig::setSkinAuthor(const QString& value) {
    SkinDesc->setText(QStringLiteral("Author: ") + value);
}
void frmConfig::setSkinComment(const QString& value) {
    SkinCom->setText(QStringLiteral("Comment: ") + value);
}

QString frmConfig::skinDescriptionFile(const QString& folder) {
    // Skins come from systems whose file names ignore letter case.
    if (folder.isEmpty())
        return {};
    const QDir dir(folder);
    const QStringList any = dir.entryList(QDir::Files | QDir::Readable);
    for (const QString& name : any) {
        if (name.compare(QLatin1String("vskin.ini"), Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    }
    return {};
}

// ---------------------------------------------------------------------------

void frmConfig::applySubtitleFontToLines() {
    if (hooks.applySubtitleFont)
        hooks.applySubtitleFont(subtitleFont(), fontColour_);
}

void frmConfig::showCritical(const QString& text) {
    if (hooks.critical)
        hooks.critical(text);
    else
        QMessageBox::critical(this, windowTitle(), text);
}

void frmConfig::bindDisplayModes(DisplayModeSwitch& modes) {
    displayModes_ = &modes;
    pushDisplayModes();
}

void frmConfig::pushDisplayModes() {
    if (!displayModes_)
        return;
    displayModes_->CheckRes = CheckRes->isChecked() ? 1 : 0;
    displayModes_->cmbres.setListIndex(cmbres->currentIndex());
    displayModes_->cmbcols.setListIndex(cmbcols->currentIndex());
    displayModes_->cmbHz.setListIndex(cmbHz->currentIndex());
}

bool frmConfig::movieOpen() const {
    return state_ && state_->MovieOpen;
}
