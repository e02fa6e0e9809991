#pragma once
// The player's own credits window, shown from the configuration dialog.
#include <QDialog>

class frmCredits : public QDialog {
    Q_OBJECT
  public:
    explicit frmCredits(QWidget* parent = nullptr);
};
