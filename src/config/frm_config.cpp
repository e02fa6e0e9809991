#include "config/frm_config.h"

#include "config/audio_page.h"
#include "config/config_procedures.h"
#include "config/decoder_pages.h"
#include "config/dialog_widgets.h"
#include "config/display_modes.h"
#include "config/general_page.h"
#include "config/scenova_page.h"
#include "config/skins_page.h"
#include "config/speaker_modes.h"
#include "config/subtitles_page.h"
#include "player/playback.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QScreen>
#include <QSlider>
#include <QWindow>

frmConfig::frmConfig(ConfigHooks h, const Playback* playback, QWidget* parent,
                     const QString& storePath)
    : QDialog(parent), hooks(std::move(h)), programFolder(QCoreApplication::applicationDirPath()),
      firstStartMarker(QDir(userDataFolder()).filePath(QLatin1String(kFirstStartMarker))),
      settings_(storePath), playback_(playback), loaded_(Preferences::defaults(programFolder)) {
    setObjectName(QStringLiteral("frmConfig"));
    setWindowTitle(QStringLiteral("Configuration"));
    settings_.setProblemHandler([this](const QString& text) { showWarning(text); });
    setModal(false);
    buildWindow();
}

frmConfig::~frmConfig() = default;

// ---------------------------------------------------------------------------
// Loading, Ok and Cancel

void frmConfig::Form_Load() {
    subtitles_->fillCharacterSets();
    audio_->fillSpeakerModes();
    scenova_->fillDrives();

    loaded_ = Preferences::load(settings_, programFolder);
    applyPreferences(loaded_);

    subtitles_->applyFont();
    if (hooks.setTitleScrolling)
        hooks.setTitleScrolling(scrollTitle());
    if (screenSaverDisabled())
        (hooks.setScreenSaverActive ? hooks.setScreenSaverActive : SetScreenSaverActive)(false);

    ListRegisteredFilters();
    audio_->fillAudioDevices(regFilters_);
    // A device plugged in or out moves the others in the list: the stored
    // id, else the stored name, when that device is present, wins over the
    // stored index; a device chosen by id and unplugged is chosen again
    // when it comes back.
    const int byId = audio_->Combo2->findData(loaded_.deviceId);
    const int named = loaded_.device.isEmpty() ? -1 : audio_->Combo2->findText(loaded_.device);
    if (!loaded_.deviceId.isEmpty() && byId < 0)
        audio_->Combo2->setCurrentIndex(-1);
    else
        dialog::setIndex(audio_->Combo2,
                         byId >= 0 ? byId : (named >= 0 ? named : loaded_.deviceIdx));
    audio_->wantedDevice = loaded_.deviceId.isEmpty() ? audio_->chosenDeviceId() : loaded_.deviceId;

    AnalyseReg();
    general_->ReadDAR();
}

// Sets every control from `p` in the load order; the handlers a user's click
// would run are run here too, once each.
void frmConfig::applyPreferences(const Preferences& p) {
    Check1->setChecked(p.useSub);
    general_->CheckScreenS->setChecked(p.screenSaverDisabled);
    general_->CheckScroll->setChecked(p.scrollTitle);
    subtitles_->MyFontName->setText(p.fontName);
    subtitles_->MyFontSize->setText(p.fontSize);
    subtitles_->setFontColour(colourFromNumber(p.fontColour));
    subtitles_->ColorR->setText(QString::number(p.keyRed));
    subtitles_->ColorG->setText(QString::number(p.keyGreen));
    subtitles_->ColorB->setText(QString::number(p.keyBlue));
    subtitles_->ChkAutoRGB->setChecked(p.autoOverlay);
    subtitles_->ChkAutoRGB_Click();
    subtitles_->SubYpos->setText(p.subYPos);
    subtitles_->ChkFindSubs->setChecked(p.findSubtitles);
    setSkinFolder(p.skin);
    dialog::setIndex(audio_->Combo1, p.audioSys);
    audio_->Combo1_Click();
    dialog::setIndex(scenova_->Drive1, p.scenixDrive);
    dialog::setIndex(subtitles_->Combo3, p.charset);
    subtitles_->Combo3_Click();
    general_->CheckRes->setChecked(p.changeRes);
    general_->CheckRes_Click();
    dialog::setIndex(general_->cmbres, p.changeResXY);
    dialog::setIndex(general_->cmbcols, p.changeResCols);
    dialog::setIndex(general_->cmbHz, p.changeResHz);
    general_->showCurrentModeWhereUnchosen();
    audio_->UseDedynamic->setChecked(p.dedynamic);
}

void frmConfig::showDialog() {
    skins_->attachFolderModel();
    // The first time centred on the bar, later where the user left it;
    // whole on the screen either way, Ok and Cancel included.
    const bool first = !testAttribute(Qt::WA_Moved) && parentWidget();
    QScreen* on = first ? QGuiApplication::screenAt(parentWidget()->frameGeometry().center())
                  : windowHandle() ? windowHandle()->screen()
                                   : nullptr;
    const QRect screen = (on ? on : QGuiApplication::primaryScreen())->availableGeometry();
    resize(
        sizeHint().boundedTo(screen.size()).expandedTo(minimumSizeHint().boundedTo(screen.size())));
    QRect at(pos(), frameGeometry().size());
    if (first)
        at.moveCenter(parentWidget()->frameGeometry().center());
    moveOnto(screen, at.topLeft());
    // A switch may have been refused in full screen since the last showing.
    general_->showDisplayModesState();
    show();
    moveOnto(screen, pos()); // the frame, once shown, may be larger
    raise();
    AnalyseReg();
}

// The frame's top-left at `at`, or as near as keeps the frame on `screen`.
void frmConfig::moveOnto(const QRect& screen, QPoint at) {
    const QSize frame = frameGeometry().size();
    move(std::clamp(at.x(), screen.left(),
                    std::max(screen.left(), screen.right() + 1 - frame.width())),
         std::clamp(at.y(), screen.top(),
                    std::max(screen.top(), screen.bottom() + 1 - frame.height())));
}

void frmConfig::Command1_Click() {
    const QString description = skinDescriptionFile(skinFolder());
    if (description.isEmpty() || !FileExists(description)) {
        showCritical(QStringLiteral("You must choose a skin. ;)"));
        return;
    }
    hide();
    loaded_ = preferences();
    loaded_.saveDialogKeys(settings_);
    Spkup();

    // Saving the presets must not re-lay out the picture.
    ConfigApplying = true;
    WriteReg();
    general_->SaveDAR();
    ConfigApplying = false;

    subtitles_->applyFont();
    if (hooks.setTitleScrolling)
        hooks.setTitleScrolling(scrollTitle());
    // Clearing the box gives the screen saver back at once, not at exit.
    (hooks.setScreenSaverActive ? hooks.setScreenSaverActive
                                : SetScreenSaverActive)(!screenSaverDisabled());

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

// ---------------------------------------------------------------------------
// What the controls hold

bool frmConfig::subtitlesOn() const {
    return Check1->isChecked();
}
bool frmConfig::screenSaverDisabled() const {
    return general_->CheckScreenS->isChecked();
}
bool frmConfig::scrollTitle() const {
    return general_->CheckScroll->isChecked();
}
QString frmConfig::subtitleFontName() const {
    return subtitles_->MyFontName->text();
}
QString frmConfig::subtitleFontSizeText() const {
    return subtitles_->MyFontSize->text();
}
int frmConfig::subtitleFontSize() const {
    return qRound(subtitleFontSizeText().trimmed().toDouble());
}
QColor frmConfig::subtitleFontColour() const {
    return subtitles_->fontColour();
}
QFont frmConfig::subtitleFont() const {
    return subtitles_->font();
}
QColor frmConfig::keyColour() const {
    return subtitles_->keyColour();
}
void frmConfig::setKeyColour(const QColor& colour) {
    subtitles_->setKeyColour(colour);
}
bool frmConfig::autoOverlay() const {
    return subtitles_->ChkAutoRGB->isChecked();
}
bool frmConfig::findSubtitles() const {
    return subtitles_->ChkFindSubs->isChecked();
}
QString frmConfig::subtitleYPosText() const {
    return subtitles_->SubYpos->text();
}
void frmConfig::setSubtitleYPosText(const QString& text) {
    subtitles_->SubYpos->setText(text);
}
QString frmConfig::skinFolder() const {
    return skins_->folder();
}
void frmConfig::setSkinFolder(const QString& folder) {
    skins_->setFolder(folder);
}
int frmConfig::speakerMode() const {
    return audio_->Combo1->currentIndex();
}
QString frmConfig::speakerModeName() const {
    return audio_->Combo1->currentText();
}
int frmConfig::deviceIndex() const {
    return audio_->Combo2->currentIndex();
}
QString frmConfig::deviceName() const {
    return audio_->Combo2->currentText();
}
QString frmConfig::deviceId() const {
    return audio_->chosenDeviceId();
}
bool frmConfig::outputListed(const QString& id) const {
    return audio_->Combo2->findData(id) >= 0;
}
QStringList frmConfig::audioOutputNames() const {
    QStringList names;
    for (int i = 0; i < audio_->Combo2->count(); ++i)
        names << audio_->Combo2->itemText(i);
    return names;
}
bool frmConfig::chooseAudioOutput(int row) {
    if (row < 0 || row >= audio_->Combo2->count())
        return false;
    audio_->Combo2->setCurrentIndex(row);
    audio_->wantedDevice = audio_->chosenDeviceId();
    loaded_.device = deviceName();
    loaded_.deviceIdx = row;
    loaded_.deviceId = audio_->wantedDevice;
    loaded_.saveDialogKeys(settings_);
    return true;
}
bool frmConfig::useDedynamic() const {
    return audio_->UseDedynamic->isChecked();
}
int frmConfig::scenixDriveIndex() const {
    return scenova_->Drive1->currentIndex();
}
QString frmConfig::scenixDrive() const {
    return scenova_->Drive1->currentData().toString();
}
int frmConfig::characterSetIndex() const {
    return subtitles_->Combo3->currentIndex();
}
int frmConfig::characterSetNumber() const {
    return subtitles_->characterSetNumber();
}
bool frmConfig::changeResolution() const {
    return general_->CheckRes->isChecked();
}
int frmConfig::resolutionWidth() const {
    return general_->resolutionWidth();
}
int frmConfig::resolutionHeight() const {
    return general_->resolutionHeight();
}
int frmConfig::colourBits() const {
    return general_->colourBits();
}
int frmConfig::refreshHz() const {
    return general_->refreshHz();
}
int frmConfig::subtitleDelaySeconds() const {
    return subtitles_->SubBegin->value();
}
int frmConfig::subtitleExtraSeconds() const {
    return subtitles_->SubDisp->value();
}

Preferences frmConfig::preferences() const {
    Preferences p = loaded_;
    p.useSub = subtitlesOn();
    p.device = deviceName();
    // An unplugged choice shows no row but stays the choice.
    p.deviceId = deviceIndex() >= 0 ? audio_->chosenDeviceId() : audio_->wantedDevice;
    p.screenSaverDisabled = screenSaverDisabled();
    p.scrollTitle = scrollTitle();
    p.fontName = subtitleFontName();
    p.fontSize = subtitleFontSizeText();
    p.fontColour = numberFromColour(subtitleFontColour());
    const QColor key = keyColour();
    p.keyRed = key.red();
    p.keyGreen = key.green();
    p.keyBlue = key.blue();
    p.autoOverlay = autoOverlay();
    p.findSubtitles = findSubtitles();
    p.subYPos = subtitleYPosText();
    p.skin = skinFolder();
    p.audioSys = speakerMode();
    p.scenixDrive = scenixDriveIndex();
    p.charset = characterSetIndex();
    p.deviceIdx = deviceIndex();
    p.changeRes = changeResolution();
    p.changeResXY = general_->cmbres->currentIndex();
    p.changeResCols = general_->cmbcols->currentIndex();
    p.changeResHz = general_->cmbHz->currentIndex();
    p.dedynamic = useDedynamic();
    return p;
}

// ---------------------------------------------------------------------------
// The pages' work, as other windows ask for it

void frmConfig::AnalyseReg() {
    decoders_->AnalyseReg();
}
void frmConfig::WriteReg() {
    decoders_->WriteReg();
}
int frmConfig::decoderSliderValue(const QString& control, int index) const {
    const QSlider* slider = decoders_->sliderNamed(control, index);
    return slider ? slider->value() : 0;
}
bool frmConfig::setDecoderSliderValue(const QString& control, int index, int value) {
    QSlider* slider = decoders_->sliderNamed(control, index);
    if (slider)
        slider->setValue(value);
    return slider;
}
void frmConfig::setRegistryAccess(bool authorised) {
    decoders_->setRegistryAccess(authorised);
}
void frmConfig::Command8_Click() {
    general_->Command8_Click();
}
void frmConfig::Command9_Click() {
    general_->Command9_Click();
}
void frmConfig::Command10_Click() {
    general_->Command10_Click();
}
void frmConfig::bindDisplayModes(DisplayModeSwitch& modes) {
    general_->bindDisplayModes(modes);
}
void frmConfig::Spkup() {
    audio_->Spkup();
}
void frmConfig::setSkinName(const QString& value) {
    skins_->SkinName->setText(QStringLiteral("Name: ") + value);
}
void frmConfig::setSkinAuthor(const QString& value) {
    skins_->SkinDesc->setText(QStringLiteral("Author: ") + value);
}
void frmConfig::setSkinComment(const QString& value) {
    skins_->SkinCom->setText(QStringLiteral("Comment: ") + value);
}

// ---------------------------------------------------------------------------

void frmConfig::refreshAudioDevices() {
    ListRegisteredFilters();
    audio_->fillAudioDevices(regFilters_);
    audio_->chooseDevice(audio_->wantedDevice);
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

void frmConfig::showWarning(const QString& text) {
    if (hooks.warn)
        hooks.warn(text);
    else
        showCritical(text);
}

void frmConfig::showCritical(const QString& text) {
    if (hooks.critical)
        hooks.critical(text);
    else
        QMessageBox::critical(this, windowTitle(), text);
}

bool frmConfig::movieOpen() const {
    return playback_ && playback_->MovieOpen();
}
