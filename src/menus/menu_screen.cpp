#include "menus/menu_screen.h"

#include "menus/hot_spots.h"
#include "menus/scenix_menu.h"
#include "video/renderer_window.h"
#include "video/screen_forms.h"
#include "video/video_state.h"

#include <QApplication>
#include <QCursor>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>

namespace {
// The pointer is followed this often while a menu shows.
constexpr int kPollMs = 50;
} // namespace

MenuScreen::MenuScreen(ScenixMenu& menu, const VideoState& video, QWidget& videoWindow,
                       PointerLabel& label, Hooks hooks)
    : menu_(menu), video_(video), window_(videoWindow), label_(label), hooks_(std::move(hooks)) {
    ImgMenu = new QLabel(&window_);
    ImgMenu->setObjectName(QStringLiteral("ImgMenu"));
    ImgMenu->setScaledContents(true);
    ImgMenu->hide();
    ButtonSel = new QFrame(&window_);
    ButtonSel->setObjectName(QStringLiteral("ButtonSel"));
    ButtonSel->setStyleSheet(QStringLiteral("QFrame { border: 2px solid #f0c040; }"));
    ButtonSel->setAttribute(Qt::WA_TransparentForMouseEvents);
    ButtonSel->hide();
    poll_ = new QTimer(this);
    poll_->setInterval(kPollMs);
    connect(poll_, &QTimer::timeout, this, &MenuScreen::poll);
    qApp->installEventFilter(this);
}

MenuScreen::~MenuScreen() {
    qApp->removeEventFilter(this);
}

bool MenuScreen::showStill(const QString& picture) {
    if (picture.isEmpty()) {
        const bool was = stillShown();
        ImgMenu->clear();
        ImgMenu->hide();
        if (was)
            Q_EMIT stillChanged();
        return true;
    }
    const QPixmap pixmap(picture);
    if (pixmap.isNull())
        return false;
    ImgMenu->setPixmap(pixmap);
    if (!video_.FullScreenOn) {
        window_.resize(pixmap.size());
        if (hooks_.placeWindow)
            hooks_.placeWindow();
    }
    window_.show();
    layoutStill();
    ImgMenu->show();
    ImgMenu->raise();
    update();
    Q_EMIT stillChanged();
    return true;
}

bool MenuScreen::stillShown() const {
    return ImgMenu->isVisible() && !ImgMenu->pixmap().isNull();
}

// Windowed, the picture fills the window it sized; in full screen it spans
// the screen's width and keeps its shape, from the top.
void MenuScreen::layoutStill() {
    const QSize picture = ImgMenu->pixmap().size();
    if (picture.isEmpty())
        return;
    if (video_.FullScreenOn)
        ImgMenu->setGeometry(0, 0, window_.width(),
                             window_.width() * picture.height() / picture.width());
    else
        ImgMenu->setGeometry(QRect(QPoint(0, 0), picture));
}

std::pair<QRect, QSize> MenuScreen::background() const {
    if (stillShown())
        return {ImgMenu->geometry(), ImgMenu->pixmap().size()};
    for (const VideoSurface* surface : window_.findChildren<VideoSurface*>()) {
        if (!surface->isVisible())
            continue;
        return {surface->pictureRect().translated(surface->pos()), surface->pictureSize()};
    }
    // No picture (a background that cannot be shown): the hot spots stand
    // on the window's own pixels, so they still answer.
    if (window_.isVisible())
        return {window_.rect(), window_.size()};
    return {};
}

std::optional<QPointF> MenuScreen::picturePoint(QPoint windowPoint) const {
    const auto [shown, size] = background();
    if (shown.isEmpty() || size.isEmpty())
        return std::nullopt;
    return QPointF((windowPoint.x() - shown.x()) * double(size.width()) / shown.width(),
                   (windowPoint.y() - shown.y()) * double(size.height()) / shown.height());
}

std::optional<QPointF> MenuScreen::windowPoint(QPointF picturePoint) const {
    const auto [shown, size] = background();
    if (shown.isEmpty() || size.isEmpty())
        return std::nullopt;
    return QPointF(shown.x() + picturePoint.x() * shown.width() / size.width(),
                   shown.y() + picturePoint.y() * shown.height() / size.height());
}

void MenuScreen::update() {
    if (!menu_.active()) {
        poll_->stop();
        ButtonSel->hide();
        showLabel(false);
        return;
    }
    poll_->start();
    const std::optional<HotSpot> spot = menu_.highlighted() >= 0
                                            ? hotSpotOf(menu_.Button.value(menu_.highlighted()))
                                            : std::nullopt;
    const std::optional<QPointF> topLeft =
        spot ? windowPoint(spot->rect().topLeft()) : std::nullopt;
    const std::optional<QPointF> bottomRight =
        spot ? windowPoint(spot->rect().bottomRight()) : std::nullopt;
    if (!topLeft || !bottomRight) {
        ButtonSel->hide();
    } else {
        ButtonSel->setGeometry(QRectF(*topLeft, *bottomRight).toRect());
        ButtonSel->show();
        ButtonSel->raise();
    }
    showLabel(menu_.MenuHover() && window_.underMouse());
}

void MenuScreen::showLabel(bool shown) {
    if (shown == labelShown_)
        return;
    labelShown_ = shown;
    label_.setHover(shown, hooks_.keyColour ? hooks_.keyColour() : QColor(Qt::black));
}

void MenuScreen::poll() {
    if (!menu_.active() || !window_.isVisible())
        return;
    const QPoint at = window_.mapFromGlobal(QCursor::pos());
    if (!window_.rect().contains(at))
        return;
    if (const std::optional<QPointF> point = picturePoint(at))
        menu_.MouseMoveEvent(*point);
    update(); // the background may have moved (a new frame size, full screen)
}

bool MenuScreen::onVideoWindow(QObject* watched) const {
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget && widget->window() == &window_;
}

bool MenuScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Resize && stillShown())
        layoutStill();
    if (!menu_.active() || !onVideoWindow(watched))
        return false;
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        // The click's own place decides, not the last poll's.
        const std::optional<QPointF> point =
            picturePoint(window_.mapFromGlobal(mouse->globalPosition().toPoint()));
        if (point)
            menu_.MouseMoveEvent(*point);
        if (!menu_.MenuHover())
            return false;
        menu_.DoAction();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Left:
            menu_.moveSelection(-1, 0);
            return true;
        case Qt::Key_Right:
            menu_.moveSelection(1, 0);
            return true;
        case Qt::Key_Up:
            menu_.moveSelection(0, -1);
            return true;
        case Qt::Key_Down:
            menu_.moveSelection(0, 1);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            menu_.DoAction();
            return true;
        default:
            return false;
        }
    }
    return false;
}
