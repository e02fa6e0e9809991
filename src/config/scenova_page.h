#pragma once
// The configuration dialog's "Scenova ;-)" page: the drive a disc is read
// from, chosen among the home folder and every mounted volume.
#include <QWidget>

class QComboBox;

class ScenovaPage : public QWidget {
    Q_OBJECT
  public:
    ScenovaPage();

    QComboBox* Drive1;

    // The home folder first, then every mounted volume, removable media
    // included; each entry's data is its folder ending in "/".
    void fillDrives();
};
