#pragma once
// A loaded interactive menu and what its hot spots do: the lists of the menu
// file (hot spot i is entry i of each), the hot spot under the pointer, the
// first action (a transition movie, or none) and the second ("Play", "Goto",
// "Language", "GotoChapter", "Sub"), carried out at once or when the
// transition movie ends. Names in a menu resolve against its folder.
#include <QPointF>
#include <QString>
#include <QStringList>

// What a menu asks of the player.
class MenuHost {
  public:
    virtual ~MenuHost() = default;
    virtual void stopMovie() = 0;
    virtual bool openMovie(const QString& file, bool loop) = 0;
    virtual bool openBivx(const QString& file, const QString& audioPin, bool loop) = 0;
    virtual void jump(const QString& timeText) = 0;
    virtual void addChapter(const QString& timeText) = 0;
    // The still background, or none for an empty name; false when the
    // picture cannot be read.
    virtual bool showStill(const QString& picture) = 0;
    virtual void showOsd(const QString& text) = 0;
    // The subtitle file the movies opened from now on take.
    virtual void setSubtitleFile(const QString& file) = 0;
    virtual void setTitle(const QString& title) = 0;
    virtual void warn(const QString& text) = 0;
    // Hot spots came or went, or the selection moved.
    virtual void menuChanged() = 0;
};

class ScenixMenu {
  public:
    explicit ScenixMenu(MenuHost& host);

    QStringList Project; // every line of every menu loaded
    QStringList Button, List1stA, List1stP, List2ndA, List2ndP;
    QString MenuFileName, MovieName;

    // Menu mode: while there are hot spots.
    bool active() const { return !Button.isEmpty(); }
    // Loads a menu file and shows its background; false (and a message)
    // when it cannot be read, the menu shown before then stays.
    bool LoadMenu(const QString& path);
    // Leaves menu mode; a transition under way is forgotten with it.
    void CleanVMU();

    // The hot spot under the pointer or chosen by the keys, -1 for none.
    short SelectedHotSpot() const { return SelectedHotSpot_; }
    bool MenuHover() const { return MenuHover_; }
    // A transition movie plays; its hot spot's second action waits for its end.
    bool TransitionPending() const { return TransitionPending_; }
    const QString& PendingAction() const { return PendingAction_; }
    const QString& PendingParam() const { return PendingParam_; }

    // The pointer at `point`, in the background's pixels.
    void MouseMoveEvent(QPointF point);
    // Where the highlight stands (-1 before any hit test).
    int highlighted() const { return highlight_; }
    // The click: the selected hot spot's actions.
    void DoAction();
    // The keyboard: the nearest hot spot in a direction.
    void moveSelection(int dx, int dy);
    // A movie ended: the second action of the transition it was, if any.
    // False when no transition was pending.
    bool runPendingTransition();

  private:
    void secondAction(const QString& action, const QString& param, Qt::CaseSensitivity cs);
    void showBackground();
    void select(int hotSpot, bool hover);
    QString resolve(QString name) const;

    MenuHost& host_;
    short SelectedHotSpot_ = -1;
    bool MenuHover_ = false;
    bool TransitionPending_ = false;
    QString PendingAction_;
    QString PendingParam_;
    QString folder_;
    int highlight_ = -1;
};
