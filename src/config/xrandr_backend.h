#pragma once
// Display modes of an X server through the RandR extension (1.3 or later):
// the modes of the primary output (else the first connected output that has
// a CRTC), switching its CRTC to one of them, and putting back what it had.
// Xlib stays inside the .cpp: its macros clash with Qt's names.
#include "config/display_modes.h"

#include <QByteArray>
#include <memory>

class XRandRBackend : public DisplayBackend {
  public:
    // `displayName` empty: the DISPLAY of the environment. Without a server,
    // or without RandR 1.3, isAvailable() is false: modes() is empty,
    // currentMode() none, and switchTo() returns DisplayDriverFailed.
    explicit XRandRBackend(const QByteArray& displayName = {});
    ~XRandRBackend() override; // closes the connection; restoring is the caller's
    XRandRBackend(const XRandRBackend&) = delete;
    XRandRBackend& operator=(const XRandRBackend&) = delete;

    bool isAvailable() const;
    // Name of the output the modes belong to ("" when none).
    QByteArray outputName() const;

    QList<DisplayMode> modes() override;
    std::optional<DisplayMode> currentMode() override;
    int switchTo(const DisplayMode& mode) override;
    int restore() override;
    bool canSwitch() override;

  private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
