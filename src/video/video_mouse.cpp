#include "video/video_mouse.h"

#include "video/video_state.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

VideoMouse::VideoMouse(const VideoState& state, QWidget& videoWindow,
                       std::function<void(QPoint)> popUpMenu,
                       std::function<bool()> subtitlesDragged)
    : state_(state), window_(videoWindow), popUpMenu_(std::move(popUpMenu)),
      subtitlesDragged_(std::move(subtitlesDragged)) {
    qApp->installEventFilter(this);
}

VideoMouse::~VideoMouse() {
    qApp->removeEventFilter(this);
}

bool VideoMouse::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &window_)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton) {
        // A click that only brings the window forward opens nothing.
        if (state_.VideoFocused && popUpMenu_)
            popUpMenu_(mouse->globalPosition().toPoint());
        return true;
    }
    if (mouse->button() == Qt::LeftButton && !(subtitlesDragged_ && subtitlesDragged_()) &&
        !state_.FullScreenOn && window_.windowHandle()) {
        window_.windowHandle()->startSystemMove();
        return true;
    }
    return false;
}
