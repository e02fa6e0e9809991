#include "app/bar_actions.h"

#include "app/frm_main.h"
#include "app/main_commands.h"
#include "player/time_text.h"
#include "skin/main_bar.h"
#include "skin/skin_image.h"
#include "support/controls/progress_bar.h"
#include "support/controls/twips.h"
#include "video/video_display.h"

#include <QLabel>
#include <QTimer>
#include <tuple>
#include <utility>

BarActions::BarActions(frmMain& window, MainBar& bar)
    : QObject(&window), window_(window), bar_(bar) {
    wireTransport();
    wireSound();
}

// The buttons give the same commands as the keys and the menus.
void BarActions::wireTransport() {
    frmMain& w = window_;
    connect(bar_.PBar1, &cpvProgressBar::Click, this, [&w] { w.transport.PBar1_Click(); });
    connect(bar_.PBar1, &cpvProgressBar::ValueChanged, this,
            [this] { bar_.tempslbl->setText(formatTime(bar_.PBar1->Value())); });
    const std::pair<SkinImage*, Command> buttons[] = {
        {bar_.play, Command::PlayMovie},      {bar_.pause, Command::PauseMovie},
        {bar_.stopbt, Command::StopMovie},    {bar_.nextbt, Command::NextMovie},
        {bar_.prev, Command::Previous},       {bar_.Image6, Command::Exit},
        {bar_.Image1, Command::Exit},         {bar_.enablefs, Command::FullScreen},
        {bar_.Opsub, Command::OpenSubDlg},    {bar_.playlbt, Command::ShowPlayLst},
        {bar_.Image9, Command::VolumeUp},     {bar_.Image8, Command::VolumeDown},
        {bar_.VolSlider, Command::MuteSound},
    };
    for (const auto& [button, command] : buttons)
        connect(button, &SkinImage::clicked, this, [&w, c = command] { w.commands().run(c); });
    // Shift alone on Next or Previous moves by chapter as the button goes down.
    connect(bar_.nextbt, &SkinImage::pressed, this, [&w](Qt::KeyboardModifiers modifiers) {
        if (modifiers == Qt::ShiftModifier)
            w.commands().run(Command::ChapterNext);
    });
    connect(bar_.prev, &SkinImage::pressed, this, [&w](Qt::KeyboardModifiers modifiers) {
        if (modifiers == Qt::ShiftModifier)
            w.commands().run(Command::ChapterPrevious);
    });
    connect(bar_.Image7, &SkinImage::clicked, this, [&w] { w.Image7_Click(); });
    connect(bar_.PanScanPad, &SkinImage::clicked, this, [&w] { w.PanScanPad_Click(); });
    // The pad's arrows: width first, then height, in steps of 32 pixels.
    const std::tuple<SkinImage*, int, int> pad[] = {{bar_.Pd, 32, 0},   {bar_.Pg, -32, 0},
                                                    {bar_.Pb, 0, 32},   {bar_.Ph, 0, -32},
                                                    {bar_.pbd, 32, 32}, {bar_.pgh, -32, -32}};
    for (const auto& [arrow, width, height] : pad)
        connect(arrow, &SkinImage::clicked, this,
                [&w, dx = width, dy = height] { w.video().panScan(dx, dy); });
}

void BarActions::wireSound() {
    VolumeControl& volume = window_.volume;
    const Playback& playback = window_.playback;
    volume.hooks.applyToGraph = [&playback](int level) {
        if (playback.BasicAudio())
            playback.BasicAudio()->setVolume(level);
    };
    volume.hooks.showMeterSlot = [this](int slot) {
        MainBar::showPicture(bar_.VolSlider, window_.pictures.picture(slot));
    };
    volume.hooks.levelChanged = [this](int level) {
        levelBarTwips_ = levelBarHeightTwips(level);
        bar_.Shape2->resize(bar_.Shape2->width(), twipsToPixels(levelBarTwips_));
    };
}
