#pragma once
// The jump-to-time dialog: hours, minutes and seconds, joined with ":" and
// handed to the jump command.
#include <QDialog>
#include <functional>

class QLineEdit;

class frmJumpTo : public QDialog {
    Q_OBJECT
  public:
    frmJumpTo(std::function<void(const QString&)> jump, QWidget* parent);

    QLineEdit* hours;
    QLineEdit* minutes;
    QLineEdit* Seconds;

    void Command1_Click();

  private:
    std::function<void(const QString&)> jump_;
};
