#pragma once
// The dialog that picks the pin to connect the selected pin to.
#include <QDialog>

class PinSelector;
class QLabel;
class QListWidget;

class frmSelectPin : public QDialog {
    Q_OBJECT
  public:
    frmSelectPin(PinSelector& selector, QWidget* parent);

  private:
    void showVendor();
    PinSelector& selector_;
    QLabel* VendorInfo;
};
