#pragma once
// The movie's picture on screen: the video window that hosts the graph's
// renderer, windowed above the bar or full screen at an aspect ratio, the
// pan-and-scan steps, the curtain, the on-screen display and the pointer
// label, and the pointer hidden when still in full screen.
#include "player/playback.h"
#include "video/video_state.h"

#include <QColor>
#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <functional>
#include <memory>

class Curtain;
class Osd;
class PicVideoWindow;
class PointerLabel;
class QScreen;
class QWidget;

class VideoDisplay : public QObject {
    Q_OBJECT
  public:
    struct Hooks {
        std::function<QColor()> keyColour; // the overlay key colour the labels sit on
        std::function<QString()> preset;   // the aspect-ratio preset, empty for the movie's own
        std::function<void()> enterDisplayMode; // the display-mode switch of full screen
        std::function<void()> leaveDisplayMode;
        std::function<void()> subtitleGoUp;            // the subtitles follow the picture
        std::function<void(bool onTop)> subtitleOnTop; // while the video window has the focus
        std::function<bool()> configApplying; // the dialog applies its settings: no layout yet
    };

    // `bar` is the main window the video window stands above.
    VideoDisplay(const Playback& playback, QWidget& bar, Hooks hooks);
    ~VideoDisplay() override;

    PicVideoWindow* window() const { return window_.get(); }
    const VideoState& state() const { return state_; }
    // The subtitles over the video took or gave up the focus.
    void setVideoFocused(bool focused) { state_.VideoFocused = focused; }
    QWidget* curtain() const;
    PointerLabel* pointerLabel() const { return pointerLabel_.get(); }

    // Playing starts: the renderer goes into the video window, which shows
    // at the picture's size once the first frame has told it.
    void attach();
    // The first frame is out: the size is known.
    void firstFrame();
    // Stop: the renderer leaves the window.
    void detach();
    // After an open: windowed above the bar (again once the first frame
    // gives the size), or the full-screen layout. Playing again after a
    // stop leaves a window the user moved where it is.
    void place();
    // A movie that cannot play leaves no window behind.
    void hide();
    // The part of the video window the picture covers: the whole window
    // unless full screen at a preset leaves bars, or the pad zoomed out.
    QRect visiblePicture() const;

    // Windowed to full screen and back.
    void FullScrMode();
    // Full screen at the aspect preset just chosen: entered from a window,
    // laid out again when already full screen.
    void fullScreenAtPreset();
    // The full-screen layout at the chosen ratio: the video window over the
    // whole screen it stands on, the picture sized and centred in it.
    void ApplyDAR();
    void CenterMovie();
    // The pan-and-scan pad: the picture grows or shrinks by the steps
    // (pixels, width first) and is centred again.
    void panScan(int widthStep, int heightStep);

    void showCurtain();
    void hideCurtain();

    // The on-screen display: the caption loads hidden at the video window's
    // corner; show() makes it visible for its three seconds.
    void setOsdCaption(const QString& text);
    void showOsd(const QString& text, QPoint at);
    QString osdText() const;

    // The position display's tick: a pointer still for 4 seconds in full
    // screen is hidden, and shows again when it moves.
    void pointerTick(int intervalMs);
    // The bar was minimised or restored: the video window follows it.
    void followBar(bool minimized);

  Q_SIGNALS:
    // Full screen was entered or left: the pointer watch runs only there.
    void fullScreenChanged(bool on);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    class VideoWindow* renderer() const;
    QScreen* screen() const;
    QSize nativeSize() const;
    bool hasPicture() const;
    void pictureMoved();
    void sizeToNative();
    void leaveFullScreen();
    void setPointerHidden(bool hidden);
    void rememberFrame();
    void placeAboveBar(QMargins frame);
    void placeBack(QMargins frame);
    void placeWindowed();
    QMargins frameMargins() const;

    const Playback& playback_;
    VideoState state_;
    QWidget& bar_;
    Hooks hooks_;
    std::unique_ptr<PicVideoWindow> window_;
    std::unique_ptr<Osd> osd_;
    std::unique_ptr<Curtain> curtain_;
    std::unique_ptr<PointerLabel> pointerLabel_;
    bool minimisedWithBar_ = false;
    bool placeOnFirstFrame_ = false;
    QMargins windowedFrame_; // the window manager's frame, as last seen windowed
    QRect windowedPlace_;    // where it stood before full screen; empty when hidden
};
