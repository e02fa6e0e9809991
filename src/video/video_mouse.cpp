#include "video/video_mouse.h"

#include "app/player_state.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

VideoMouse::VideoMouse(PlayerState& state, QWidget& videoWindow,
                       std::function<void(QPoint)> popUpMenu)
    : state_(state), window_(videoWindow), popUpMenu_(std::move(popUpMenu)) {
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
    if (mouse->button() == Qt::LeftButton && !state_.SubDragging && !state_.FullScreenOn &&
        window_.windowHandle()) {
        window_.windowHandle()->startSystemMove();
        return true;
    }
    return false;
}
