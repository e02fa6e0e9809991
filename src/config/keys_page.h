#pragma once
// The configuration dialog's "Keys" page: the player's key table as it is,
// read from the table the keys run from.
#include <QWidget>

class QTableWidget;

class KeysPage : public QWidget {
    Q_OBJECT
  public:
    KeysPage();
    QTableWidget* keys;
};
