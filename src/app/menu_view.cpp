#include "app/menu_view.h"

#include "app/frm_main.h"
#include "config/frm_config.h"
#include "subtitles/subtitle_display.h"
#include "video/pic_video_window.h"
#include "video/video_display.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

QString discMenuFile(const QString& drive) {
    if (drive.isEmpty())
        return {};
    const QDir root(drive);
    for (const char* name : {"SCENIX_OBJ/main.vmu", "scenix_obj/main.vmu", "SCENIX_OBJ/MAIN.VMU"}) {
        const QString path = root.filePath(QLatin1String(name));
        if (QFileInfo(path).isFile() && QFileInfo(path).isReadable())
            return path;
    }
    return {};
}

MenuView::MenuView(frmMain& window) : main_(window), menu_(*this) {
    MenuScreen::Hooks hooks;
    hooks.keyColour = [this] {
        return main_.config() ? main_.config()->keyColour() : QColor(Qt::black);
    };
    hooks.placeWindow = [this] { main_.video().place(); };
    screen_ = std::make_unique<MenuScreen>(menu_, window.video().state(), *window.videoWindowForm(),
                                           *window.video().pointerLabel(), hooks);
}

MenuView::~MenuView() = default;

void MenuView::LoadMenuDlg() {
    QString file = discMenuFile(main_.config() ? main_.config()->scenixDrive() : QString());
    if (file.isEmpty()) {
        file = QFileDialog::getOpenFileName(&main_, QStringLiteral("Open"), QString(),
                                            QStringLiteral("Vantor Menu (*.vmu)"));
        if (file.isEmpty())
            return;
        QCoreApplication::processEvents();
        main_.UnloadSub();
    }
    menu_.LoadMenu(file);
}

// A transition under way is forgotten too: the movie that ends next is
// not the transition's.
void MenuView::leave() {
    screen_->showStill(QString());
    menu_.CleanVMU();
}

void MenuView::stopMovie() {
    main_.StopMovie();
}

// A movie takes the place of a still background.
bool MenuView::openMovie(const QString& file, bool loop) {
    screen_->showStill(QString());
    return main_.OpenaMovie(file, loop);
}

bool MenuView::openBivx(const QString& file, const QString& audioPin, bool loop) {
    screen_->showStill(QString());
    return main_.opener.OpenBivx(file, audioPin, loop);
}

void MenuView::jump(const QString& timeText) {
    main_.Jump(timeText);
}

void MenuView::addChapter(const QString& timeText) {
    main_.chapters.ListChap.addItem(timeText);
}

bool MenuView::showStill(const QString& picture) {
    return screen_->showStill(picture);
}

void MenuView::showOsd(const QString& text) {
    main_.video().showOsd(text, main_.videoWindowForm()->pos());
}

void MenuView::setSubtitleFile(const QString& file) {
    main_.subtitles().setSubFileName(file);
}

void MenuView::setTitle(const QString& title) {
    main_.setTitle(title);
}

void MenuView::warn(const QString& text) {
    main_.warn(text);
}

void MenuView::menuChanged() {
    screen_->update();
}
