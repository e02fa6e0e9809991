#include "app/bar_actions.h"

#include "app/frm_main.h"
#include "player/time_text.h"
#include "skin/main_bar.h"
#include "skin/skin_image.h"
#include "support/controls/progress_bar.h"
#include "support/controls/twips.h"
#include "video/video_display.h"

#include <QLabel>
#include <QTimer>
#include <tuple>

BarActions::BarActions(frmMain& window, MainBar& bar, QTimer& positionTimer)
    : QObject(&window), window_(window), bar_(bar), positionTimer_(positionTimer) {
    wireTransport();
    wireSound();
}

void BarActions::wireTransport() {
    Transport& transport = window_.transport;
    connect(bar_.PBar1, &cpvProgressBar::Click, this, [this, &transport] {
        positionTimer_.stop(); // the display must not move the bar meanwhile
        transport.PBar1_Click();
        positionTimer_.start();
    });
    connect(bar_.PBar1, &cpvProgressBar::ValueChanged, this,
            [this] { bar_.tempslbl->setText(formatTime(bar_.PBar1->Value())); });
    connect(bar_.play, &SkinImage::clicked, this, [&transport] { transport.play_Click(); });
    connect(bar_.pause, &SkinImage::clicked, this, [&transport] { transport.pause_Click(); });
    connect(bar_.stopbt, &SkinImage::clicked, this, [&transport] { transport.stopbt_Click(); });
    connect(bar_.nextbt, &SkinImage::clicked, this, [&transport] { transport.nextbt_Click(); });
    connect(bar_.prev, &SkinImage::clicked, this, [&transport] { transport.prev_Click(); });
    // Shift alone on Next or Previous moves by chapter as the button goes down.
    connect(bar_.nextbt, &SkinImage::pressed, this, [&transport](Qt::KeyboardModifiers modifiers) {
        if (modifiers == Qt::ShiftModifier)
            transport.ChapNext();
    });
    connect(bar_.prev, &SkinImage::pressed, this, [&transport](Qt::KeyboardModifiers modifiers) {
        if (modifiers == Qt::ShiftModifier)
            transport.ChapPrev();
    });
    frmMain& w = window_;
    // The open and configuration buttons pop up their menus (the main window's).
    connect(bar_.Image6, &SkinImage::clicked, this, [&w] { w.ExitMe(); });
    connect(bar_.Image1, &SkinImage::clicked, this, [&w] { w.ExitMe(); });
    connect(bar_.Image7, &SkinImage::clicked, this, [&w] { w.Image7_Click(); });
    connect(bar_.enablefs, &SkinImage::clicked, this, [&w] { w.FullScrMode(); });
    connect(bar_.PanScanPad, &SkinImage::clicked, this, [&w] { w.PanScanPad_Click(); });
    // The pad's arrows: width first, then height, in steps of 32 pixels.
    const std::tuple<SkinImage*, int, int> pad[] = {{bar_.Pd, 32, 0},   {bar_.Pg, -32, 0},
                                                    {bar_.Pb, 0, 32},   {bar_.Ph, 0, -32},
                                                    {bar_.pbd, 32, 32}, {bar_.pgh, -32, -32}};
    for (const auto& [arrow, width, height] : pad)
        connect(arrow, &SkinImage::clicked, this,
                [&w, dx = width, dy = height] { w.video().panScan(dx, dy); });
    connect(bar_.Opsub, &SkinImage::clicked, this, [&w] { w.OpenSubDlg(); });
    connect(bar_.playlbt, &SkinImage::clicked, this, [&w] { w.ShowPlayLst(); });
}

void BarActions::wireSound() {
    VolumeControl& volume = window_.volume;
    connect(bar_.Image9, &SkinImage::clicked, this, [&volume] { volume.VolumeUp(); });
    connect(bar_.Image8, &SkinImage::clicked, this, [&volume] { volume.VolumeDown(); });
    connect(bar_.VolSlider, &SkinImage::clicked, this, [&volume] { volume.MuteSound(); });

    PlayerState& state = window_.state;
    volume.hooks.applyToGraph = [&state](int level) {
        if (state.BasicAudio)
            state.BasicAudio->setVolume(level);
    };
    volume.hooks.showMeterSlot = [this](int slot) {
        MainBar::showPicture(bar_.VolSlider, window_.pictures.picture(slot));
    };
    volume.hooks.levelChanged = [this](int level) {
        levelBarTwips_ = levelBarHeightTwips(level);
        bar_.Shape2->resize(bar_.Shape2->width(), twipsToPixels(levelBarTwips_));
    };
}
