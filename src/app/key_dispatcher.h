#pragma once
// Runs the key table in the main, video and subtitle windows: a key the
// table names runs its command (text boxes keep their keys), and a key
// that came to the main or the subtitle window gives the keyboard back to
// the video window.
#include "player/player_commands.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

class KeyDispatcher : public QObject {
  public:
    struct Windows {
        QWidget* main = nullptr;
        QWidget* video = nullptr;
        std::function<QWidget*()> subtitles; // made and unmade with the file
    };
    KeyDispatcher(PlayerCommands& commands, Windows windows, QObject* parent = nullptr);
    ~KeyDispatcher() override;

    // A key press in `window`: true when the table ran a command.
    bool dispatch(QWidget* window, int key, Qt::KeyboardModifiers modifiers);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    PlayerCommands& commands_;
    Windows windows_;
};
