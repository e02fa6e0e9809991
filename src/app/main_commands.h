#pragma once
// The one runner of the player's commands: the keys, the pop-up menus, the
// skin's buttons, the desktop's media-player interface and the command line
// all name a command here. A row per command says what it does, when it
// can be given and whether its menu item is checked.
#include "player/player_commands.h"

#include <QObject>
#include <functional>
#include <vector>

class frmMain;

class MainCommands : public QObject, public PlayerCommands {
    Q_OBJECT
  public:
    explicit MainCommands(frmMain& window);
    void run(Command command, int argument = 0) override;
    bool available(Command command, int argument = 0) const override;
    bool checked(Command command, int argument = 0) const override;

  Q_SIGNALS:
    // After each command: what it changed (the volume, shuffle, repeat...)
    // is told onwards from here, not polled.
    void ran(Command command);

  private:
    struct Row {
        Command command;
        std::function<void(int argument)> run;
        std::function<bool(int argument)> available; // unset: always
        std::function<bool(int argument)> checked;   // unset: never
    };
    const Row* row(Command command) const;
    void addPlayback();
    void addWindows();
    void showVideoRendererPage();

    frmMain& main_;
    std::vector<Row> rows_;
};
