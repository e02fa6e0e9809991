#pragma once
// After playback starts, the colour on screen at the video window's centre
// is sampled on five one-second ticks and becomes the overlay key colour;
// the title says "Detecting hardware overlay" meanwhile and comes back on
// the sixth tick, or when playback stops.
#include <QColor>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

class QWidget;

class OverlayDetection : public QObject {
    Q_OBJECT
  public:
    struct Hooks {
        std::function<QString()> title;
        std::function<void(const QString&)> setTitle;
        // Whether the key colour is to be taken from the screen at all.
        std::function<bool()> enabled;
        std::function<void(const QColor&)> setKeyColour;
    };
    OverlayDetection(const QWidget& videoWindow, Hooks hooks);

    // Playback started (again); a detection under way goes on.
    void start() { TimerOver.start(); }
    // Stop ends the detection and puts the title back.
    void stop();
    bool running() const { return TimerOver.isActive(); }

    void TimerOver_Timer();
    void DetectOverlay();

  private:
    const QWidget& window_;
    Hooks hooks_;
    QTimer TimerOver;
    int ticks_ = 0; // 0 when idle
    QString savedTitle_;
};
