#include "video/video_display.h"

#include "support/controls/twips.h"
#include "support/media/video_window.h"
#include "video/aspect_ratio.h"
#include "video/osd.h"
#include "video/pic_video_window.h"
#include "video/screen_forms.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <utility>

namespace {
// Between the video window and the bar below it, when a movie opens.
constexpr int kOpenGapTwips = 200;
// A pointer still this long in full screen is hidden.
constexpr int kPointerIdleMs = 4000;
// The renderer's style: clip children and siblings, no caption or border.
constexpr int kRendererStyle = 0x06000000;
} // namespace

VideoDisplay::VideoDisplay(const Playback& playback, QWidget& bar, Hooks hooks)
    : playback_(playback), bar_(bar), hooks_(std::move(hooks)),
      window_(std::make_unique<PicVideoWindow>()), osd_(std::make_unique<Osd>()),
      curtain_(std::make_unique<Curtain>()), pointerLabel_(std::make_unique<PointerLabel>()) {
    window_->installEventFilter(this);
}

VideoDisplay::~VideoDisplay() = default;

QWidget* VideoDisplay::curtain() const {
    return curtain_.get();
}

VideoWindow* VideoDisplay::renderer() const {
    return playback_.VideoWindow();
}

// Full screen is on the monitor that holds the video window.
QScreen* VideoDisplay::screen() const {
    QScreen* at = QGuiApplication::screenAt(window_->geometry().center());
    if (!at)
        at = QGuiApplication::screenAt(bar_.geometry().center());
    return at ? at : QGuiApplication::primaryScreen();
}

QSize VideoDisplay::nativeSize() const {
    return playback_.BasicVideo() ? playback_.BasicVideo()->videoSize().valueOr(QSize()) : QSize();
}

void VideoDisplay::attach() {
    VideoWindow* video = renderer();
    if (!video)
        return;
    video->setVisible(false);
    video->setWindowStyle(kRendererStyle);
    video->setTop(0);
    video->setLeft(0);
    video->setOwner(window_.get());
    firstFrame();
}

void VideoDisplay::firstFrame() {
    VideoWindow* video = renderer();
    if (!video || nativeSize().isEmpty())
        return; // shown once the first frame tells the size
    video->setVisible(true);
    const bool placing = std::exchange(placeOnFirstFrame_, false);
    if (state_.FullScreenOn) {
        window_->show();
        ApplyDAR();
        return;
    }
    sizeToNative();
    window_->show();
    if (placing)
        placeWindowed();
}

// The movie's own size, made smaller (same shape) when it would not fit
// on the screen above the bar; the user may still enlarge the window.
void VideoDisplay::sizeToNative() {
    const QSize native = nativeSize();
    if (native.isEmpty())
        return;
    const QRect free = screen()->availableGeometry();
    const QMargins frame = frameMargins();
    const int above = bar_.frameGeometry().top() - free.top() - twipsToPixels(kOpenGapTwips);
    const QSize room(free.width() - frame.left() - frame.right(),
                     above - frame.top() - frame.bottom());
    const QSize size = fittedSize(native, room);
    window_->resize(size);
    if (VideoWindow* video = renderer())
        video->setWindowPosition(0, 0, size.width(), size.height());
}

void VideoDisplay::detach() {
    VideoWindow* video = renderer();
    if (!video)
        return;
    video->setVisible(false);
    video->setOwner(nullptr);
    video->setTop(10000);
}

void VideoDisplay::place() {
    placeOnFirstFrame_ = true;
    if (state_.FullScreenOn) {
        ApplyDAR();
        return;
    }
    placeWindowed();
}

void VideoDisplay::placeWindowed() {
    // Window frames included: the video stands centred, a gap above the
    // bar, and on the screen even where the bar is near its edge.
    const QRect bar = bar_.frameGeometry();
    const QRect video = window_->frameGeometry();
    const QRect free = screen()->availableGeometry();
    const int x = bar.x() + bar.width() / 2 - video.width() / 2;
    window_->move(std::max(free.left(), std::min(x, free.right() + 1 - video.width())),
                  std::max(0, bar.y() - video.height() - twipsToPixels(kOpenGapTwips)));
}

void VideoDisplay::hide() {
    window_->hide();
}

QRect VideoDisplay::visiblePicture() const {
    const VideoWindow* video = renderer();
    if (!video || !video->isVisible())
        return window_->rect();
    return QRect(video->left(), video->top(), video->width(), video->height()) & window_->rect();
}

// The subtitles stand over the picture, wherever the layout put it.
void VideoDisplay::pictureMoved() {
    if (hooks_.subtitleGoUp)
        hooks_.subtitleGoUp();
}

void VideoDisplay::FullScrMode() {
    state_.VideoFocused = false;
    // Leaving always works, whatever became of the movie meanwhile.
    if (state_.FullScreenOn) {
        leaveFullScreen();
        return;
    }
    // A movie without a picture has nothing to show full screen, and the
    // display mode stays as it is.
    if (!playback_.MovieOpen() || !hasPicture())
        return;
    if (hooks_.enterDisplayMode)
        hooks_.enterDisplayMode();
    ApplyDAR();
    window_->activateWindow();
    window_->setFocus();
    // The window manager's full-screen state covers the panels.
}

bool VideoDisplay::hasPicture() const {
    const std::shared_ptr<FilterGraph>& graph = playback_.BasicVideo();
    if (!graph || !renderer())
        return false;
    // The size is known from the first frame on: a movie that has started
    // without one is sound alone.
    return !graph->isPrerolled() || !nativeSize().isEmpty();
}

void VideoDisplay::fullScreenAtPreset() {
    if (state_.FullScreenOn)
        ApplyDAR();
    else
        FullScrMode();
}

void VideoDisplay::leaveFullScreen() {
    // Windowed from here on: a first frame that arrives while the events
    // below run lays the picture out windowed.
    state_.FullScreenOn = false;
    Q_EMIT fullScreenChanged(false);
    if (hooks_.leaveDisplayMode)
        hooks_.leaveDisplayMode();
    state_.VideoFocused = false;
    setPointerHidden(false);
    window_->showNormal();
    sizeToNative();
    // Where it was before. The window manager gives the frame back later:
    // its size is the one the window had windowed.
    placeBack(windowedFrame_);
    // The window manager puts its frame back a moment later, and may move
    // the window with it: place the window again with the frame it then has.
    for (const int ms : {150, 500})
        QTimer::singleShot(ms, this, [this] {
            if (!state_.FullScreenOn && window_->isVisible())
                placeBack(frameMargins());
        });
    QCoreApplication::processEvents();
    if (hooks_.subtitleGoUp)
        hooks_.subtitleGoUp();
}

void VideoDisplay::ApplyDAR() {
    if (hooks_.configApplying && hooks_.configApplying())
        return;
    VideoWindow* video = renderer();
    if (!video)
        return;
    // The ratio: the chosen preset, or the picture's own size, which also
    // stands in for a preset that is not a ratio: full screen is entered
    // either way, so the state and the window always agree.
    const QString preset = hooks_.preset ? hooks_.preset() : QString();
    std::optional<RatioTerms> ratio;
    if (!preset.isEmpty())
        ratio = parseRatio(preset);
    if (const QSize native = nativeSize(); !ratio && !native.isEmpty())
        ratio = RatioTerms{double(native.width()), double(native.height())};
    QScreen* on = screen();
    if (!state_.FullScreenOn)
        rememberFrame();
    window_->setGeometry(on->geometry());
    if (window_->windowHandle())
        window_->windowHandle()->setScreen(on);
    window_->showFullScreen();
    if (!std::exchange(state_.FullScreenOn, true))
        Q_EMIT fullScreenChanged(true);
    if (!ratio)
        return; // the first frame lays the picture out
    const std::optional<QRect> picture = fullScreenPicture(on->geometry().size(), *ratio);
    if (!picture)
        return;
    video->setWindowPosition(picture->x(), picture->y(), picture->width(), picture->height());
    pictureMoved();
    state_.FsVideoTop = video->top();
    state_.FsVideoWidth = video->width();
    state_.FsVideoHeight = video->height();
    const QSize source = playback_.BasicVideo()->sourceSize().valueOr(QSize());
    state_.FsSourceWidth = source.width();
    state_.FsSourceHeight = source.height();
}

// The frame's bottom edge meets the bar's top; the window is centred on
// the bar.
void VideoDisplay::placeAboveBar(QMargins frame) {
    const QRect bar = bar_.frameGeometry();
    const QSize size = window_->size();
    const QPoint at(bar.x() + bar.width() / 2 - size.width() / 2,
                    std::max(frame.top(), bar.y() - frame.bottom() - size.height()));
    if (window_->geometry().topLeft() != at)
        window_->setGeometry(QRect(at, size));
}

// Back where the window stood before full screen. One that was hidden, or
// of another size (another movie opened in full screen), goes directly
// above the bar, centred on it.
void VideoDisplay::placeBack(QMargins frame) {
    if (windowedPlace_.size() != window_->size()) {
        placeAboveBar(frame);
        return;
    }
    if (window_->geometry() != windowedPlace_)
        window_->setGeometry(windowedPlace_);
}

// The window manager's frame around the video window.
QMargins VideoDisplay::frameMargins() const {
    const QRect frame = window_->frameGeometry(), inside = window_->geometry();
    return QMargins(inside.left() - frame.left(), inside.top() - frame.top(),
                    frame.right() - inside.right(), frame.bottom() - inside.bottom());
}

void VideoDisplay::rememberFrame() {
    windowedPlace_ = window_->isVisible() ? window_->geometry() : QRect();
    if (window_->isVisible() && !frameMargins().isNull())
        windowedFrame_ = frameMargins();
}

void VideoDisplay::CenterMovie() {
    VideoWindow* video = renderer();
    if (!video)
        return;
    const QRect centred = centredPicture(window_->size(), QSize(video->width(), video->height()));
    video->setTop(centred.top());
    video->setLeft(centred.left());
    pictureMoved();
}

void VideoDisplay::panScan(int widthStep, int heightStep) {
    VideoWindow* video = renderer();
    if (!video)
        return;
    // A size below nothing is refused, as the renderer would refuse it.
    if (widthStep && video->width() + widthStep >= 0)
        video->setWidth(video->width() + widthStep);
    if (heightStep && video->height() + heightStep >= 0)
        video->setHeight(video->height() + heightStep);
    CenterMovie();
}

void VideoDisplay::showCurtain() {
    curtain_->cover(screen());
}

void VideoDisplay::hideCurtain() {
    curtain_->lift();
}

void VideoDisplay::setOsdCaption(const QString& text) {
    osd_->setCaption(text, window_->pos(), hooks_.keyColour ? hooks_.keyColour() : Qt::black);
}

void VideoDisplay::showOsd(const QString& text, QPoint at) {
    osd_->showText(text, at, hooks_.keyColour ? hooks_.keyColour() : Qt::black);
}

QString VideoDisplay::osdText() const {
    return osd_->text();
}

void VideoDisplay::pointerTick(int intervalMs) {
    const QPoint pointer = QCursor::pos();
    if (pointer.x() != state_.LastPointerX || pointer.y() != state_.LastPointerY) {
        state_.CursorIdleMs = 0;
        setPointerHidden(false);
    } else {
        state_.CursorIdleMs += intervalMs;
    }
    state_.LastPointerX = pointer.x();
    state_.LastPointerY = pointer.y();
    if (state_.CursorIdleMs >= kPointerIdleMs) {
        state_.CursorIdleMs = 0;
        if (state_.FullScreenOn)
            setPointerHidden(true);
    }
}

void VideoDisplay::setPointerHidden(bool hidden) {
    if (VideoWindow* video = renderer())
        video->hideCursor(hidden);
    if (hidden)
        window_->setCursor(Qt::BlankCursor);
    else
        window_->unsetCursor();
}

void VideoDisplay::followBar(bool minimized) {
    if (minimized) {
        minimisedWithBar_ = window_->isVisible() && !window_->isMinimized();
        if (minimisedWithBar_)
            window_->showMinimized();
        return;
    }
    if (!window_->isMinimized() && !minimisedWithBar_)
        return;
    minimisedWithBar_ = false;
    if (state_.FullScreenOn)
        window_->showFullScreen();
    else
        window_->showNormal();
}

bool VideoDisplay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_.get() &&
        (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)) {
        state_.VideoFocused = event->type() == QEvent::WindowActivate;
        if (hooks_.subtitleOnTop)
            hooks_.subtitleOnTop(state_.VideoFocused);
    }
    return QObject::eventFilter(watched, event);
}
