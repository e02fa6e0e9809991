// The main window's bar: its widths, the skin loader and the audio-stream
// menu.
#include "app/frm_main.h"

#include "app/graph_menus.h"

#include "app/program_data.h"
#include "config/frm_config.h"
#include "config/preferences.h"
#include "playlist/play_queue.h"
#include "skin/main_bar.h"
#include "skin/skin_description.h"
#include "skin/skin_image.h"
#include "skin/text_scroller.h"
#include "subtitles/subtitle_display.h"
#include "support/controls/progress_bar.h"
#include "support/controls/twips.h"
#include "video/pic_video_window.h"
#include "video/video_display.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>

// The bar's two widths: the wide one shows the pad. A skin of another width
// keeps its own.
void frmMain::PanScanPad_Click() {
    const int narrow = twipsToPixels(kMainWidthTwips), wide = twipsToPixels(kWideWidthTwips);
    if (width() == wide || width() == narrow)
        setFixedWidth(width() == wide ? narrow : wide);
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
        bar_.vbwScroller2->setScrolling(!config_ || config_->scrollTitle());
        bar_.vbwScroller2->show(); // messages show there, scrolling or not
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
    const QString file = playback.CurrentFile();
    if (item < 0 || item >= items.size() || file.isEmpty())
        return;
    if (opener.switchAudioStream(items[item]))
        return; // a track of the playing graph: no reopen
    const QString shown = bar_.tempslbl->text();
    transport.stopbt_Click();
    opener.OpenBivx(file, items[item], playback.LoopMovie());
    Jump(shown);
}

// The right button on the bar offers the player menu too.
void frmMain::contextMenuEvent(QContextMenuEvent* event) {
    graph_->mnu_Player.popup(event->globalPos());
}
