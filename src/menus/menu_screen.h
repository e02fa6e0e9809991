#pragma once
// A menu on the video window: the still background (`ImgMenu`), the
// highlight over the hot spot (`ButtonSel`), the pointer label, and the
// pointer and keys turned into the menu's hit test and actions. The pointer
// is followed every 50 ms while a menu is shown, over a still picture or a
// movie, windowed or in full screen; clicks and keys come as they happen.
#include <QObject>
#include <QPointF>
#include <QSize>
#include <functional>
#include <optional>

class PointerLabel;
class QFrame;
class QLabel;
class QTimer;
class QWidget;
class ScenixMenu;
struct VideoState;

class MenuScreen : public QObject {
    Q_OBJECT
  public:
    struct Hooks {
        std::function<QColor()> keyColour;
        std::function<void()> placeWindow; // the windowed layout above the bar
    };
    MenuScreen(ScenixMenu& menu, const VideoState& video, QWidget& videoWindow, PointerLabel& label,
               Hooks hooks);
    ~MenuScreen() override;

    // Shows a picture as the background (false when it cannot be read), or
    // none for an empty name.
    bool showStill(const QString& picture);
    bool stillShown() const;
    // The menu changed: the highlight, the label and the pointer watch follow.
    void update();
    // A point of the video window in the background's pixels (the window's
    // own where no picture is shown); empty for an empty window.
    std::optional<QPointF> picturePoint(QPoint windowPoint) const;
    // And back: where a point of the background is on the video window.
    std::optional<QPointF> windowPoint(QPointF picturePoint) const;

    QLabel* ImgMenu = nullptr;
    QFrame* ButtonSel = nullptr;

  Q_SIGNALS:
    // A still picture came or went as the menu's background.
    void stillChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void poll();
    void layoutStill();
    void showLabel(bool shown);
    bool onVideoWindow(QObject* watched) const;
    // Where the background stands in the video window and its own size.
    std::pair<QRect, QSize> background() const;

    ScenixMenu& menu_;
    const VideoState& video_;
    QWidget& window_;
    PointerLabel& label_;
    Hooks hooks_;
    QTimer* poll_ = nullptr;
    bool labelShown_ = false;
};
