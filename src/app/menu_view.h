#pragma once
// Interactive menus on the player: what a menu asks of the player (opening
// movies, chapters, subtitles, the title, messages), its screen on the video
// window, and finding a disc's entry menu.
#include "menus/menu_screen.h"
#include "menus/scenix_menu.h"

#include <memory>

class frmMain;

class MenuView : public MenuHost {
  public:
    explicit MenuView(frmMain& window);
    ~MenuView() override;

    ScenixMenu& menu() { return menu_; }
    MenuScreen& screen() { return *screen_; }
    // The disc's "SCENIX_OBJ/main.vmu" on the drive chosen in the
    // configuration dialog, else a menu file the user picks.
    void LoadMenuDlg();
    // The player opens something else: the menu and its picture go.
    void leave();

    // MenuHost
    void stopMovie() override;
    bool openMovie(const QString& file, bool loop) override;
    bool openBivx(const QString& file, const QString& audioPin, bool loop) override;
    void jump(const QString& timeText) override;
    void addChapter(const QString& timeText) override;
    bool showStill(const QString& picture) override;
    void showOsd(const QString& text) override;
    void setSubtitleFile(const QString& file) override;
    void setTitle(const QString& title) override;
    void warn(const QString& text) override;
    void menuChanged() override;

  private:
    frmMain& main_;
    ScenixMenu menu_;
    std::unique_ptr<MenuScreen> screen_;
};

// Where a drive's entry menu would be: "SCENIX_OBJ/main.vmu" below `drive`,
// in either letter case (discs mounted on Linux often show lower case);
// empty when there is none.
QString discMenuFile(const QString& drive);
