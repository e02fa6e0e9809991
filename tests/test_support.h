#pragma once
// Shared helpers of the test suite.
#include "support/media/video_frame.h"

#include <QRgb>
#include <QString>
#include <Qt>
#include <functional>
#include <memory>

class frmMain;
class QImage;
class QRect;
class QWidget;

namespace testsupport {

// Full path of a generated test file ("two-audio.avi", "movie.mpg", ...).
QString mediaPath(const QString& name);

// Writes `bytes` to `path` and returns `path`, or nothing when it cannot.
QString writeFile(const QString& path, const QByteArray& bytes);
// The bytes of `path`, none when it cannot be read.
QByteArray readFile(const QString& path);

// A player started for a fresh user (no settings file) with `commandLine`.
std::unique_ptr<frmMain> freshPlayer(const QString& commandLine = {});

// Runs the event loop until `done` holds or `timeoutMs` passes; the last `done`.
bool waitUntil(const std::function<bool()>& done, int timeoutMs);

// Runs the event loop for `ms` milliseconds.
void pumpEvents(int ms);

// An I420 frame as a graph hands it over, its planes written by `fill`.
VideoFrame i420Frame(int width, int height, const std::function<void(GstVideoFrame*)>& fill = {});
// Writes `left` (Y, U, V) into the left half of a mapped 8-bit YUV picture of any layout and
// `right` into its right half, swapped in its bottom quarter.
void fillHalves(GstVideoFrame* frame, const int (&left)[3], const int (&right)[3]);
// Limited range: BT.601 magenta and a mid grey.
constexpr int kMagenta[3] = {107, 202, 222};
constexpr int kGrey[3] = {128, 128, 128};

// The top-level `window` as the window system shows it, in device pixels.
QImage windowPixels(QWidget& window);
// How many pixels of `image` are `colour`.
int pixelsOf(const QImage& image, QRgb colour);
// The bounding box of the white (bright in all three colours) in `shot`.
QRect whiteBox(const QImage& shot);

// Presses and releases `control` with the left button and `modifiers`.
void click(QWidget* control, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// A GStreamer element out of the registry for its lifetime, as if not installed.
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
