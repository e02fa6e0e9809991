#pragma once
// Shared helpers of the test suite: where the generated media lives, and a
// way to wait for asynchronous results while the Qt event loop keeps running.
#include <QString>
#include <Qt>
#include <functional>

class QWidget;

namespace testsupport {

// Full path of a generated test file ("two-audio.avi", "movie.mpg", ...).
QString mediaPath(const QString& name);

// Runs the event loop until `done` returns true or `timeoutMs` passes.
// Returns the last value of `done`.
bool waitUntil(const std::function<bool()>& done, int timeoutMs);

// Runs the event loop for `ms` milliseconds.
void pumpEvents(int ms);

// Presses and releases `control` with the left button and `modifiers`.
void click(QWidget* control, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

} // namespace testsupport
