#pragma once
// The configuration dialog's three decoder pages ("WMA Audio", " DivX
// 3.11a", "DivX 4.0"): the sliders as the slider table gives them, their
// copies to and from the registry, and the reset buttons.
#include "config/decoder_settings.h"

#include <QObject>
#include <array>

class QLabel;
class QPushButton;
class QSlider;
class QWidget;
class frmConfig;

class DecoderPages : public QObject {
    Q_OBJECT
  public:
    // `access` is the label that tells whether the registry could be used.
    DecoderPages(frmConfig& dialog, QLabel& access);

    QWidget* wmaPage() const { return wma_; }
    QWidget* divx3Page() const { return divx3_; }
    QWidget* divx4Page() const { return divx4_; }

    std::array<QSlider*, 10> SlideWma{};
    QSlider *CpuCal, *PostCpu, *Bness, *Contrast, *Saturation, *Hue;
    QSlider *PPLevel, *Bness4, *Contrast4, *Saturation4;
    QPushButton *Command6, *Command7, *Command12;

    // The slider named `control` ("SlideWma" with its band 0..9, `index`
    // -1 for the others); null for an unknown name.
    QSlider* sliderNamed(const QString& control, int index) const;
    DecoderSliderValues values() const;
    void setValues(const DecoderSliderValues& values);

    void AnalyseReg();
    void WriteReg();
    void setRegistryAccess(bool authorised);
    // The resets mark the decoders changed, so Ok opens the movie again.
    void Command6_Click();
    void Command7_Click();
    void Command12_Click();

  private:
    QWidget* buildWma();
    QWidget* buildDivx3();
    QWidget* buildDivx4();
    void wire();
    void reset(bool (*reset)(DecoderSliderValues&));

    frmConfig& dialog_;
    QLabel& access_;
    QWidget *wma_, *divx3_, *divx4_;
};
