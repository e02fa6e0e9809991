#pragma once
// The configuration dialog's "General" page: the display mode for full
// screen, the aspect-ratio presets with their file, the title scrolling,
// the screen saver and the file-type registration.
#include "video/dar_presets.h"

#include <QWidget>

class DisplayModeSwitch;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class frmConfig;

class GeneralPage : public QWidget {
    Q_OBJECT
  public:
    GeneralPage(frmConfig& dialog, SelectableList& presets);

    QCheckBox* CheckRes;
    QComboBox *cmbres, *cmbcols, *cmbHz;
    // Says why the box is off where the display cannot change modes.
    QLabel* ResNote;
    QListWidget* DARView;
    QLineEdit* Dartxt;
    QPushButton *Command8, *Command9, *Command10, *Command2;
    QCheckBox *CheckScroll, *CheckScreenS;

    void CheckRes_Click();
    // The full-screen display switch follows the box and the lists.
    void bindDisplayModes(DisplayModeSwitch& modes);
    void pushDisplayModes();
    // The box and lists are offered only where the display can switch.
    void showDisplayModesState();
    // A list nothing was chosen in shows the display's current mode.
    void showCurrentModeWhereUnchosen();
    int resolutionWidth() const; // -1 when none chosen
    int resolutionHeight() const;
    int colourBits() const;
    int refreshHz() const;

    void ReadDAR();
    void SaveDAR();
    void Command8_Click();  // add the preset typed in Dartxt
    void Command9_Click();  // delete the chosen preset
    void Command10_Click(); // back to the movie's own ratio

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void build();
    void wire();

    frmConfig& dialog_;
    DarPresets presets_;
    DisplayModeSwitch* modes_ = nullptr;
};
