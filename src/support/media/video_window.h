#pragma once
// The renderer's window: where the video renderer of a graph shows its
// frames. The player's window code implements it; the graph owns it.
#include <functional>
#include <memory>

class FrameSink;
class QWidget;

class VideoWindow {
  public:
    virtual ~VideoWindow() = default;

    // The window that hosts the video; nullptr makes it a window of its own.
    virtual void setOwner(QWidget* owner) = 0;
    virtual QWidget* owner() const = 0;
    // 0 for a plain child or top-level window; other values are kept for
    // callers that read them back.
    virtual void setWindowStyle(int style) = 0;
    virtual int windowStyle() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool isVisible() const = 0;
    // Pixels, relative to the owner (or the screen without one).
    virtual int left() const = 0;
    virtual int top() const = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual void setLeft(int left) = 0;
    virtual void setTop(int top) = 0;
    virtual void setWidth(int width) = 0;
    virtual void setHeight(int height) = 0;
    virtual void setWindowPosition(int left, int top, int width, int height) = 0;
    virtual void hideCursor(bool hide) = 0;
};

// Makes the renderer window for a new video renderer. The application sets
// it once at start-up; without it (tools, tests without a display) video
// renderers still decode and deliver frames, but show no window.
using VideoWindowFactory = std::function<std::unique_ptr<VideoWindow>(FrameSink* frames)>;
void setVideoWindowFactory(VideoWindowFactory factory);
std::unique_ptr<VideoWindow> makeVideoWindow(FrameSink* frames);
