#pragma once
// The player's pop-up menus: the player menu (right button over the video
// or the bar), the options menu (the skin's configuration button) and the
// opener menu (its open button), drawn by the menu engine. Each item names
// a command; items whose command needs something absent are disabled, and
// the check marks and the aspect and audio-stream captions are read again
// each time a menu opens.
#include "menus/cool_menu.h"
#include "player/player_commands.h"

#include <QHash>
#include <QMenu>
#include <QStyle>
#include <functional>

class Graph : public QObject {
    Q_OBJECT
  public:
    struct Captions {
        std::function<QStringList()> aspectPresets;  // nine
        std::function<QStringList()> audioStreams;   // five, "None" for none
        std::function<QStringList()> audioOutputs;   // as the device box lists them
        std::function<QStringList()> subtitleTracks; // the movie's own
    };
    // The audio output items; outputs past them are chosen in the dialog.
    static constexpr int kOutputItems = 12;
    // The movie's subtitle tracks listed; a file with more is rare.
    static constexpr int kTrackItems = 8;
    Graph(PlayerCommands& commands, Captions captions, QObject* parent = nullptr);
    ~Graph() override;

    // Declared first: the engine and its pictures outlive the menus.
    MenuImageList images;
    WndCoolMenu cool;
    HelpCallBack help;

    QMenu MnuOption;
    QMenu mnu_Player;
    QMenu Mnu_opener;

    // An item by its name ("Mnu_Repeat", "Mnu_DAR3", "menu_Rate0", ...).
    QAction* item(const QString& name) const;
    // What an item runs.
    std::pair<Command, int> commandOf(const QAction* action) const;
    // Reads the check marks, the enabled states and the captions again.
    void refresh();
    // A menu shown beside a control, or at a point.
    static void popUpBeside(QMenu& menu, const QWidget& control);

  private:
    QAction* add(QMenu& menu, const char* name, const QString& caption,
                 Command command = Command::None, int argument = 0);
    void buildOptions();
    void buildPlayer();
    void buildOpener();
    void buildPictures();
    void loadPictures();

    PlayerCommands& commands_;
    Captions captions_;
    QHash<const QAction*, std::pair<Command, int>> commandOf_;
    QList<QStyle::StandardPixmap> pictureKinds_; // beside `images`, by index
};
