// The main window's skinned controls: building them, the skin loader, the
// sound controls and the audio-stream menu.
#include "app/frm_main.h"

#include "app/program_data.h"
#include "config/frm_config.h"
#include "config/preferences.h"
#include "player/time_text.h"
#include "skin/skin_check.h"
#include "skin/skin_files.h"
#include "skin/skin_image.h"
#include "skin/text_scroller.h"
#include "support/controls/progress_bar.h"
#include "support/controls/twips.h"
#include "video/pic_video_window.h"
#include "video/video_display.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <tuple>

namespace {
// A skin file's picture; null when the folder has no such file.
QImage skinPicture(const QString& folder, const char16_t* name) {
    const QString file = findSkinFile(folder, QString::fromUtf16(name));
    return file.isEmpty() ? QImage() : QImage(file);
}

QLabel* skinLabel(QWidget* parent, const char* name, const QString& text, QRect design) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(design);
    return label;
}
} // namespace

SkinImage* frmMain::addButton(const char* name, const char* pressedBitmap, const QString& toolTip,
                              const QString& fallback, QRect design) {
    auto* button =
        new SkinImage(QString::fromLatin1(name), QString::fromLatin1(pressedBitmap), this);
    button->skinFolder = [this] { return skinFolder(); };
    button->setToolTip(toolTip);
    button->setFallbackText(fallback);
    button->setGeometry(design);
    return button;
}

// Every control starts where a plain bar would have it, in case the skin
// leaves it out.
void frmMain::buildControls() {
    vbwScroller1 = skinLabel(this, "vbwScroller1", QStringLiteral("File Mode"), {10, 6, 330, 16});
    vbwScroller1->hide();
    vbwScroller2 = new TextScroller(this);
    vbwScroller2->setGeometry(vbwScroller1->geometry());
    vbwScroller2->hide(); // the skin loader shows it
    tempslbl = skinLabel(this, "tempslbl", formatTime(0), {10, 44, 60, 16});
    tempec = skinLabel(this, "tempec", formatTime(0), {75, 44, 60, 16});
    vsize = skinLabel(this, "vsize", QString(), {290, 44, 150, 16});

    PBar1 = new cpvProgressBar(this);
    PBar1->setObjectName(QStringLiteral("PBar1"));
    PBar1->setGeometry(10, 28, 433, 10);
    PBar1->setMax(1);
    PBar1->setCaptionFormat(-1); // no caption: the time labels tell the position
    connect(PBar1, &cpvProgressBar::Click, this, [this] {
        tmrKey->stop(); // the display must not move the bar meanwhile
        transport.PBar1_Click();
        tmrKey->start();
    });
    connect(PBar1, &cpvProgressBar::ValueChanged, this,
            [this] { tempslbl->setText(formatTime(PBar1->Value())); });

    constexpr int row = 66;
    prev = addButton("prev", "bprev.bmp", QStringLiteral("Previous"), QStringLiteral("|<"),
                     {10, row, 32, 30});
    play = addButton("play", "bplay.bmp", QStringLiteral("Play"), QStringLiteral("Play"),
                     {44, row, 40, 30});
    pause = addButton("pause", "bpause.bmp", QStringLiteral("Pause"), QStringLiteral("||"),
                      {86, row, 32, 30});
    stopbt = addButton("stopbt", "bstop.bmp", QStringLiteral("Stop"), QStringLiteral("Stop"),
                       {120, row, 36, 30});
    nextbt = addButton("nextbt", "bnext.bmp", QStringLiteral("Next"), QStringLiteral(">|"),
                       {158, row, 32, 30});
    ouvrir = addButton("ouvrir", "beject.bmp", QStringLiteral("Open a single file"),
                       QStringLiteral("Open"), {198, row, 40, 30});
    playlbt = addButton("playlbt", "bpl.bmp", QStringLiteral("Playlist"), QStringLiteral("List"),
                        {240, row, 34, 30});
    enablefs = addButton("enablefs", "bfs.bmp", QStringLiteral("Fullscreen mode"),
                         QStringLiteral("Full"), {276, row, 34, 30});
    conf = addButton("conf", "boption.bmp", QStringLiteral("Configuration"),
                     QStringLiteral("Setup"), {312, row, 40, 30});
    PanScanPad = addButton("PanScanPad", "bpad.bmp", QStringLiteral("PanScan Pad"),
                           QStringLiteral("Pad"), {354, row, 26, 30});
    Image7 = addButton("Image7", "bmin.bmp", QString(), QStringLiteral("_"), {405, 4, 16, 14});
    Image6 = addButton("Image6", "bclose.bmp", QString(), QStringLiteral("x"), {425, 4, 16, 14});
    Image1 = addButton("Image1", "bq.bmp", QString(), QStringLiteral("q"), {385, 4, 16, 14});
    // The pan-and-scan pad's arrows: click areas the skin draws.
    pgh = addButton("pgh", "", QString(), QString(), {0, 0, 0, 0});
    Ph = addButton("Ph", "", QString(), QString(), {0, 0, 0, 0});
    Pg = addButton("Pg", "", QString(), QString(), {0, 0, 0, 0});
    Pd = addButton("Pd", "", QString(), QString(), {0, 0, 0, 0});
    pbd = addButton("pbd", "", QString(), QString(), {0, 0, 0, 0});
    Pb = addButton("Pb", "", QString(), QString(), {0, 0, 0, 0});
    Opsub = addButton("Opsub", "", QStringLiteral("Open AVi with Sub"), QString(), {0, 0, 0, 0});
    Opsub->hide();

    connect(play, &SkinImage::clicked, this, [this] { transport.play_Click(); });
    connect(pause, &SkinImage::clicked, this, [this] { transport.pause_Click(); });
    connect(stopbt, &SkinImage::clicked, this, [this] { transport.stopbt_Click(); });
    connect(nextbt, &SkinImage::clicked, this, [this] { transport.nextbt_Click(); });
    connect(prev, &SkinImage::clicked, this, [this] { transport.prev_Click(); });
    // Shift alone on Next or Previous moves by chapter as the button goes down.
    connect(nextbt, &SkinImage::pressed, this, [this](Qt::KeyboardModifiers modifiers) {
        if (modifiers == Qt::ShiftModifier)
            transport.ChapNext();
    });
    connect(prev, &SkinImage::pressed, this, [this](Qt::KeyboardModifiers modifiers) {
        if (modifiers == Qt::ShiftModifier)
            transport.ChapPrev();
    });
    connect(ouvrir, &SkinImage::clicked, this, [this] { cmdSource_Click(); });
    connect(conf, &SkinImage::clicked, this, [this] { showConfiguration(); });
    connect(Image6, &SkinImage::clicked, this, [this] { ExitMe(); });
    connect(Image1, &SkinImage::clicked, this, [this] { ExitMe(); });
    connect(Image7, &SkinImage::clicked, this, [this] { Image7_Click(); });
    connect(enablefs, &SkinImage::clicked, this, [this] { FullScrMode(); });
    connect(PanScanPad, &SkinImage::clicked, this, [this] { PanScanPad_Click(); });
    // The pad's arrows: width first, then height, in steps of 32 pixels.
    const std::tuple<SkinImage*, int, int> pad[] = {{Pd, 32, 0},  {Pg, -32, 0},  {Pb, 0, 32},
                                                    {Ph, 0, -32}, {pbd, 32, 32}, {pgh, -32, -32}};
    for (const auto& [arrow, width, height] : pad)
        connect(arrow, &SkinImage::clicked, this,
                [this, width, height] { video_->panScan(width, height); });
    // The playlist window and subtitles are not there yet: their controls
    // show, but cannot be used.
    for (SkinImage* waiting : {playlbt, Opsub})
        waiting->setEnabled(false);
}

// The bar's two widths: the wide one shows the pad. A skin of another width
// keeps its own.
void frmMain::PanScanPad_Click() {
    const int narrow = twipsToPixels(kMainWidthTwips), wide = twipsToPixels(kWideWidthTwips);
    if (width() == wide || width() == narrow)
        setFixedWidth(width() == wide ? narrow : wide);
}

void frmMain::buildSoundControls() {
    Image9 = addButton("Image9", "bplus.bmp", QString(), QStringLiteral("+"), {380, 66, 20, 14});
    Image8 = addButton("Image8", "bminus.bmp", QString(), QStringLiteral("-"), {380, 82, 20, 14});
    VolSlider =
        addButton("VolSlider", "", QStringLiteral("Mute Sound"), QString(), {404, 66, 40, 14});
    SoundType = addButton("SoundType", "", QString(), QString(), {404, 82, 40, 14});
    // The level bar is not part of any skin: it only keeps the level's height.
    Shape2 = new QWidget(this);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->hide();
    connect(Image9, &SkinImage::clicked, this, [this] { VolumeUp(); });
    connect(Image8, &SkinImage::clicked, this, [this] { VolumeDown(); });
    connect(VolSlider, &SkinImage::clicked, this, [this] { MuteSound(); });

    volume.hooks.applyToGraph = [this](int level) {
        if (state.BasicAudio)
            state.BasicAudio->setVolume(level);
    };
    volume.hooks.showMeterSlot = [this](int slot) { showStorePicture(VolSlider, slot); };
    volume.hooks.levelChanged = [this](int level) {
        levelBarTwips_ = levelBarHeightTwips(level);
        Shape2->resize(Shape2->width(), twipsToPixels(levelBarTwips_));
    };
}

// Which controls each element of the skin description moves.
void frmMain::placeElements() {
    using E = SkinElement;
    const std::pair<SkinElement, std::vector<QWidget*>> elements[] = {
        {E::VolumeUp, {Image9}},
        {E::VolumeDown, {Image8}},
        {E::SecondClose, {Image1}},
        {E::VolumeMeter, {VolSlider}},
        {E::ScrollName, {vbwScroller1, vbwScroller2}},
        {E::SoundType, {SoundType}},
        {E::TotalTime, {tempec}},
        {E::ElapsedTime, {tempslbl}},
        {E::Previous, {prev}},
        {E::Play, {play}},
        {E::Pause, {pause}},
        {E::Stop, {stopbt}},
        {E::Next, {nextbt}},
        {E::FullScreen, {enablefs}},
        {E::Playlist, {playlbt}},
        {E::Open, {ouvrir}},
        {E::Config, {conf}},
        {E::OpenPad, {PanScanPad}},
        {E::ClosePlayer, {Image6}},
        {E::MinPlayer, {Image7}},
        {E::PadLeftUp, {pgh}},
        {E::PadUp, {Ph}},
        {E::PadLeft, {Pg}},
        {E::PadRight, {Pd}},
        {E::PadDownRight, {pbd}},
        {E::PadDown, {Pb}},
        {E::SizeLabel, {vsize}},
        {E::ProgressBar, {PBar1}},
    };
    static_assert(std::size(elements) == kSkinElementCount);
    for (const auto& [element, controls] : elements)
        setElementControls(element, controls);
}

// A control takes a copy of a store picture; an empty slot leaves it as it is.
void frmMain::showStorePicture(SkinImage* control, int slot) {
    const QImage picture = pictures.picture(slot);
    if (!picture.isNull())
        control->setPicture(picture);
}

QString frmMain::skinFolder() const {
    return config_ ? config_->skinFolder() : QString();
}

QWidget* frmMain::control(const QString& name) const {
    return findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
}

void frmMain::setLabelColour(const QColor& colour) {
    for (QLabel* label : {tempec, tempslbl, vsize, vbwScroller1}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
    vbwScroller2->setForeground(colour);
}

void frmMain::applySkinColours(const SkinDescription& skin) {
    if (const std::optional<QColor> font = skin.fontColor())
        setLabelColour(*font);
    setOutline(skinPicture(skinFolder(), kSkinBaseBitmapName));
    if (const std::optional<QColor> strip = skin.scrollNameColor())
        vbwScroller2->setBackground(*strip);
}

// A skin that cannot make a usable window is refused, with the reason, and
// the player's own skin stands in; the plain bar stays when even that one
// fails. Otherwise whatever the folder lacks keeps what the previous skin
// gave.
void frmMain::SkinLoad() {
    const QString folder = skinFolder();
    const QString problem = skinProblem(readSkinCandidate(folder, elementRects()),
                                        QApplication::primaryScreen()->availableGeometry().size());
    if (problem.isEmpty()) {
        applySkin(folder);
        return;
    }
    warn(QStringLiteral("The skin \"%1\" cannot be used: %2. The player's own skin is used "
                        "instead.")
             .arg(QFileInfo(folder).fileName(), problem));
    const QString own = skinDefault(programDataFolder());
    if (config_ && QFileInfo(own) != QFileInfo(folder))
        config_->setSkinFolder(own); // loads it, as a choice in the dialog does
}

void frmMain::applySkin(const QString& folder) {
    // During start-up the window is not up yet: it is shown once, when the
    // start-up shows it, rather than mapped and unmapped here on the way.
    const bool shown = isVisible();
    QCoreApplication::processEvents();
    hide();
    clearOutline();
    QCoreApplication::processEvents();

    loadSkinPictures(pictures, folder);
    const int oldWidth = width();
    setBackground(skinPicture(folder, kSkinBaseBitmapName));
    move(x() + (oldWidth - width()) / 2, y()); // a wider skin stays centred
    const QDir dir(folder);
    const QString back = dir.filePath(QString::fromUtf16(kSkinProgressBackName));
    const QString bar = dir.filePath(QString::fromUtf16(kSkinProgressBarName));
    settings_.write(QStringLiteral("PbarBack"), back);
    settings_.write(QStringLiteral("PbarBar"), bar);

    const SkinDescription skin = readSkinDescription(folder);
    if (config_) {
        if (skin.name)
            config_->setSkinName(*skin.name);
        if (skin.author)
            config_->setSkinAuthor(*skin.author);
        if (skin.comment)
            config_->setSkinComment(*skin.comment);
    }
    applyGeometry(skin);
    applySkinColours(skin);
    const bool skinned = !background().isNull();
    for (SkinImage* image : findChildren<SkinImage*>(Qt::FindDirectChildrenOnly))
        image->setFallbackVisible(!skinned);

    volume.stepDownThenUp();
    VolSlider->show();
    vbwScroller2->setVisible(!config_ || config_->scrollTitle());
    if (config_)
        config_->Spkup();
    PBar1->setPictureFiles(settings_.read(QStringLiteral("PbarBack")),
                           settings_.read(QStringLiteral("PbarBar")));
    PBar1->Refresh();
    if (shown)
        show();
}

void frmMain::setTitle(const QString& title) {
    vbwScroller1->setText(title);
    vbwScroller2->setText(title); // the label's change handler
}

QString frmMain::scrollTitle() const {
    return vbwScroller2->text();
}

void frmMain::Image7_Click() {
    showMinimized(); // the video window follows (changeEvent)
}

void frmMain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange)
        video_->followBar(isMinimized());
    SkinWindow::changeEvent(event);
}

void frmMain::Mnu_As_Click(int item) {
    if (item < 0 || item >= audioStreamItems_.size() || state.CurrentFile.isEmpty())
        return;
    const QString shown = tempslbl->text();
    transport.stopbt_Click();
    opener.OpenBivx(state.CurrentFile, audioStreamItems_[item], state.LoopMovie);
    Jump(shown);
}

void frmMain::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QMenu* streams = menu.addMenu(QStringLiteral("Audio Streams"));
    streams->setEnabled(audioStreamsEnabled_);
    for (int i = 0; i < audioStreamItems_.size(); ++i) {
        QAction* action = streams->addAction(audioStreamItems_[i]);
        action->setEnabled(audioStreamItems_[i] != QLatin1String("None"));
        connect(action, &QAction::triggered, this, [this, i] { Mnu_As_Click(i); });
    }
    menu.exec(event->globalPos());
}
