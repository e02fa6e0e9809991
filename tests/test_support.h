#pragma once
// Shared helpers of the test suite: where the generated media lives, and a
// way to wait for asynchronous results while the Qt event loop keeps running.
#include "support/media/video_frame.h"

#include <QString>
#include <Qt>
#include <functional>

class QImage;
class QRect;
class QWidget;

struct _GstElement;
using GstElement = struct _GstElement;

namespace testsupport {

// Full path of a generated test file ("two-audio.avi", "movie.mpg", ...).
QString mediaPath(const QString& name);

// Runs the event loop until `done` returns true or `timeoutMs` passes.
// Returns the last value of `done`.
bool waitUntil(const std::function<bool()>& done, int timeoutMs);

// Runs the event loop for `ms` milliseconds.
void pumpEvents(int ms);

// An I420 frame of `width` x `height` as a graph would hand it over, its
// planes written by `fill` (zeros without it).
VideoFrame i420Frame(int width, int height, const std::function<void(GstVideoFrame*)>& fill = {});

// A 640x360 (16:9) MPEG-4 AVI of ten seconds showing a white square of
// 180x180 pixels, from (230, 90), on blue; made once per test process.
QString squareMovie();
// Plays a pipeline that writes a file to its end; true when it ended
// without an error within `seconds`. The pipeline is stopped, not unref'd.
bool runToEnd(GstElement* pipeline, int seconds);
// What the window system shows of the top-level `window`, in device
// pixels: its backing store. The offscreen platform grabs only part of a
// scaled window's store; there the window paints itself into an image.
QImage windowPixels(QWidget& window);
// Where a picture's white shows in `shot` (device pixels): the bounding box
// of the pixels bright in all three colours. Blue and black are not white.
QRect whiteBox(const QImage& shot);

// Presses and releases `control` with the left button and `modifiers`.
void click(QWidget* control, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Takes a GStreamer element out of the registry for its lifetime, as if its
// plugin were not installed.
class HiddenFeature {
  public:
    explicit HiddenFeature(const char* name);
    ~HiddenFeature();
    HiddenFeature(const HiddenFeature&) = delete;
    HiddenFeature& operator=(const HiddenFeature&) = delete;

  private:
    void* feature_;
};

} // namespace testsupport
