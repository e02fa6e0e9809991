#pragma once
// The configuration dialog's "Audio" page: the speaker mode (its preset is
// imported into the decoder's settings when chosen), the audio output, and
// the dynamic-range compressor.
#include "support/media/filter_graph.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class frmConfig;

class AudioPage : public QWidget {
    Q_OBJECT
  public:
    explicit AudioPage(frmConfig& dialog);

    QComboBox* Combo1; // speakers
    QComboBox* Combo2; // audio output
    QCheckBox* UseDedynamic;

    // The speaker modes' rows.
    void fillSpeakerModes();
    // Each audio output of `filters` once, in the framework's order; an
    // entry's data is its id (the device's, else its name).
    void fillAudioDevices(const QList<RegFilterInfo>& filters);
    // Chooses the entry of that id; none when it is not listed.
    void chooseDevice(const QString& id);
    QString chosenDeviceId() const;
    // The chosen row's preset goes into the decoder's settings.
    void Combo1_Click();
    // The speaker indicator shows the chosen mode's picture.
    void Spkup();

    // The device the user chose, kept while it is unplugged, so that it is
    // chosen again when it comes back.
    QString wantedDevice;

  private:
    frmConfig& dialog_;
};
