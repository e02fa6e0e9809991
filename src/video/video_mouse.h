#pragma once
// The mouse over the video window, taken from the events of its widgets
// (the renderer's surface covers the window): the right button pops up the
// player menu while the window has the focus, the left button drags the
// window while it is windowed and the subtitles are not being dragged.
// Clicks on a menu's hot spots are the menu screen's, which sees them first.
#include <QObject>
#include <QPoint>
#include <functional>
#include <optional>

struct VideoState;
class QMouseEvent;
class QWidget;

class VideoMouse : public QObject {
  public:
    VideoMouse(const VideoState& state, QWidget& videoWindow, std::function<void(QPoint)> popUpMenu,
               std::function<bool()> subtitlesDragged);
    ~VideoMouse() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool followDrag(const QMouseEvent& mouse);

    const VideoState& state_;
    QWidget& window_;
    std::function<void(QPoint)> popUpMenu_;
    std::function<bool()> subtitlesDragged_;
    std::optional<QPoint> dragOffset_; // the fallback drag, when one is under way
};
