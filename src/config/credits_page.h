#pragma once
// The configuration dialog's " Credits & About" page: the version, links
// to the libraries the player is built on, and the credits window.
#include <QWidget>

class QLabel;
class QPushButton;
class frmConfig;

class CreditsPage : public QWidget {
    Q_OBJECT
  public:
    explicit CreditsPage(frmConfig& dialog);

    QLabel *Label30, *Label32;
    QPushButton* Command11;

    // The main window steps aside for the credits.
    void Command11_Click();

  private:
    frmConfig& dialog_;
    class frmCredits* credits_ = nullptr;
};
