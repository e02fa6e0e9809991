#pragma once
// What the main window's skinned controls do: the transport buttons, the
// seek bar, the pan-and-scan pad and the sound controls, connected to the
// player parts the main window owns.
#include <QObject>

class MainBar;
class QTimer;
class frmMain;

class BarActions : public QObject {
    Q_OBJECT
  public:
    // `positionTimer` updates the position display; it pauses while the
    // user moves the seek bar.
    BarActions(frmMain& window, MainBar& bar, QTimer& positionTimer);

    // Height of the level bar in twips.
    int levelBarTwips() const { return levelBarTwips_; }

  private:
    void wireTransport();
    void wireSound();

    frmMain& window_;
    MainBar& bar_;
    QTimer& positionTimer_;
    int levelBarTwips_ = 0;
};
