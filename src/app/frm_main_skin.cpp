// The main window's bar: what its controls do, the skin loader, the sound
// controls and the audio-stream menu.
#include "app/frm_main.h"

#include "app/program_data.h"
#include "config/frm_config.h"
#include "config/preferences.h"
#include "player/time_text.h"
#include "skin/main_bar.h"
#include "skin/skin_description.h"
#include "skin/skin_image.h"
#include "skin/text_scroller.h"
#include "support/controls/progress_bar.h"
#include "support/controls/twips.h"
#include "video/pic_video_window.h"
#include "video/video_display.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <tuple>

// What the bar's controls do.
void frmMain::wireBar() {
    connect(bar_.PBar1, &cpvProgressBar::Click, this, [this] {
        tmrKey->stop(); // the display must not move the bar meanwhile
        transport.PBar1_Click();
        tmrKey->start();
    });
    connect(bar_.PBar1, &cpvProgressBar::ValueChanged, this,
            [this] { bar_.tempslbl->setText(formatTime(bar_.PBar1->Value())); });
    connect(bar_.play, &SkinImage::clicked, this, [this] { transport.play_Click(); });
    connect(bar_.pause, &SkinImage::clicked, this, [this] { transport.pause_Click(); });
    connect(bar_.stopbt, &SkinImage::clicked, this, [this] { transport.stopbt_Click(); });
    connect(bar_.nextbt, &SkinImage::clicked, this, [this] { transport.nextbt_Click(); });
    connect(bar_.prev, &SkinImage::clicked, this, [this] { transport.prev_Click(); });
    // Shift alone on Next or Previous moves by chapter as the button goes down.
    connect(bar_.nextbt, &SkinImage::pressed, this, [this](Qt::KeyboardModifiers modifiers) {
        if (modifiers == Qt::ShiftModifier)
            transport.ChapNext();
    });
    connect(bar_.prev, &SkinImage::pressed, this, [this](Qt::KeyboardModifiers modifiers) {
        if (modifiers == Qt::ShiftModifier)
            transport.ChapPrev();
    });
    connect(bar_.ouvrir, &SkinImage::clicked, this, [this] { cmdSource_Click(); });
    connect(bar_.conf, &SkinImage::clicked, this, [this] { showConfiguration(); });
    connect(bar_.Image6, &SkinImage::clicked, this, [this] { ExitMe(); });
    connect(bar_.Image1, &SkinImage::clicked, this, [this] { ExitMe(); });
    connect(bar_.Image7, &SkinImage::clicked, this, [this] { Image7_Click(); });
    connect(bar_.enablefs, &SkinImage::clicked, this, [this] { FullScrMode(); });
    connect(bar_.PanScanPad, &SkinImage::clicked, this, [this] { PanScanPad_Click(); });
    // The pad's arrows: width first, then height, in steps of 32 pixels.
    const std::tuple<SkinImage*, int, int> pad[] = {{bar_.Pd, 32, 0},   {bar_.Pg, -32, 0},
                                                    {bar_.Pb, 0, 32},   {bar_.Ph, 0, -32},
                                                    {bar_.pbd, 32, 32}, {bar_.pgh, -32, -32}};
    for (const auto& [arrow, width, height] : pad)
        connect(arrow, &SkinImage::clicked, this,
                [this, width, height] { video_->panScan(width, height); });
    // The playlist window and subtitles are not there yet: their controls
    // show, but cannot be used.
    for (SkinImage* waiting : {bar_.playlbt, bar_.Opsub})
        waiting->setEnabled(false);
}

// The bar's two widths: the wide one shows the pad. A skin of another width
// keeps its own.
void frmMain::PanScanPad_Click() {
    const int narrow = twipsToPixels(kMainWidthTwips), wide = twipsToPixels(kWideWidthTwips);
    if (width() == wide || width() == narrow)
        setFixedWidth(width() == wide ? narrow : wide);
}

void frmMain::wireSoundControls() {
    connect(bar_.Image9, &SkinImage::clicked, this, [this] { VolumeUp(); });
    connect(bar_.Image8, &SkinImage::clicked, this, [this] { VolumeDown(); });
    connect(bar_.VolSlider, &SkinImage::clicked, this, [this] { MuteSound(); });

    volume.hooks.applyToGraph = [this](int level) {
        if (state.BasicAudio)
            state.BasicAudio->setVolume(level);
    };
    volume.hooks.showMeterSlot = [this](int slot) {
        MainBar::showPicture(bar_.VolSlider, pictures.picture(slot));
    };
    volume.hooks.levelChanged = [this](int level) {
        levelBarTwips_ = levelBarHeightTwips(level);
        bar_.Shape2->resize(bar_.Shape2->width(), twipsToPixels(levelBarTwips_));
    };
}

QString frmMain::skinFolder() const {
    return config_ ? config_->skinFolder() : QString();
}

QWidget* frmMain::control(const QString& name) const {
    return findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
}

void frmMain::SkinLoad() {
    skinLoader_.load(skinFolder(), skinDefault(programDataFolder()));
}

SkinLoader::Hooks frmMain::skinLoaderHooks() {
    SkinLoader::Hooks hooks;
    hooks.describe = [this](const SkinDescription& skin) {
        if (!config_)
            return;
        if (skin.name)
            config_->setSkinName(*skin.name);
        if (skin.author)
            config_->setSkinAuthor(*skin.author);
        if (skin.comment)
            config_->setSkinComment(*skin.comment);
    };
    hooks.afterLoad = [this] {
        volume.stepDownThenUp();
        bar_.VolSlider->show();
        bar_.vbwScroller2->setVisible(!config_ || config_->scrollTitle());
        if (config_)
            config_->Spkup();
    };
    hooks.warn = [this](const QString& message) { warn(message); };
    hooks.useInstead = [this](const QString& folder) {
        if (config_)
            config_->setSkinFolder(folder); // loads it, as a choice in the dialog does
    };
    return hooks;
}

void frmMain::setTitle(const QString& title) {
    bar_.setTitle(title);
}

QString frmMain::scrollTitle() const {
    return bar_.title();
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
    const QStringList items = openerView_.audioStreamItems();
    if (item < 0 || item >= items.size() || state.CurrentFile.isEmpty())
        return;
    const QString shown = bar_.tempslbl->text();
    transport.stopbt_Click();
    opener.OpenBivx(state.CurrentFile, items[item], state.LoopMovie);
    Jump(shown);
}

void frmMain::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QMenu* streams = menu.addMenu(QStringLiteral("Audio Streams"));
    streams->setEnabled(openerView_.audioStreamsEnabled());
    const QStringList items = openerView_.audioStreamItems();
    for (int i = 0; i < items.size(); ++i) {
        QAction* action = streams->addAction(items[i]);
        action->setEnabled(items[i] != QLatin1String("None"));
        connect(action, &QAction::triggered, this, [this, i] { Mnu_As_Click(i); });
    }
    menu.exec(event->globalPos());
}
