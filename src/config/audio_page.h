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
    // Each audio output of `filters` once, in the framework's order.
    void fillAudioDevices(const QList<RegFilterInfo>& filters);
    // The chosen row's preset goes into the decoder's settings.
    void Combo1_Click();
    // The speaker indicator shows the chosen mode's picture.
    void Spkup();

  private:
    frmConfig& dialog_;
};
