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
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &window_)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (type != QEvent::MouseButtonPress)
        return followDrag(*mouse);
    if (mouse->button() == Qt::RightButton) {
        // A click that only brings the window forward opens nothing.
        if (state_.VideoFocused && popUpMenu_)
            popUpMenu_(mouse->globalPosition().toPoint());
        return true;
    }
    if (mouse->button() == Qt::LeftButton && !(subtitlesDragged_ && subtitlesDragged_()) &&
        !state_.FullScreenOn) {
        // The window manager moves the window as if its title bar were
        // held; where it refuses, the window follows the pointer itself.
        if (!window_.windowHandle() || !window_.windowHandle()->startSystemMove())
            dragOffset_ = mouse->globalPosition().toPoint() - window_.pos();
        return true;
    }
    return false;
}

bool VideoMouse::followDrag(const QMouseEvent& mouse) {
    if (!dragOffset_)
        return false;
    if (mouse.type() == QEvent::MouseButtonRelease && mouse.button() == Qt::LeftButton)
        dragOffset_.reset();
    else if (mouse.buttons() & Qt::LeftButton)
        window_.move(mouse.globalPosition().toPoint() - *dragOffset_);
    return true;
}
