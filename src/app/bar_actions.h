#pragma once
// What the main window's skinned controls do: the transport buttons, the
// seek bar, the pan-and-scan pad and the sound controls, connected to the
// player parts the main window owns.
#include <QObject>

class MainBar;
class frmMain;

class BarActions : public QObject {
    Q_OBJECT
  public:
    BarActions(frmMain& window, MainBar& bar);

    // Height of the level bar in twips.
    int levelBarTwips() const { return levelBarTwips_; }

  private:
    void wireTransport();
    void wireSound();

    frmMain& window_;
    MainBar& bar_;
    int levelBarTwips_ = 0;
};
