#pragma once
// The commands of the keys and the pop-up menus, carried out on the main
// window's public procedures.
#include "app/player_commands.h"

class frmMain;

class MainCommands : public PlayerCommands {
  public:
    explicit MainCommands(frmMain& window) : main_(window) {}
    void run(Command command, int argument = 0) override;
    bool available(Command command, int argument = 0) const override;
    bool checked(Command command) const override;

  private:
    void runPlayback(Command command, int argument);
    void runWindows(Command command, int argument);
    void showVideoRendererPage();

    frmMain& main_;
};
