#pragma once
// The decoder sliders of the configuration dialog and their registry values:
// the table of sliders, a plain model of their positions, and the copies
// between the model and the registry (AnalyseReg, WriteReg). No widgets: the
// dialog shows the model and reports RegistryAccess in its Reglbl label.
#include "support/registry/registry_store.h"

#include <QRgb>
#include <QString>
#include <array>

enum class DecoderSlider {
    CpuCal,
    PostCpu,
    Bness,
    Contrast,
    Saturation,
    Hue,
    SlideWma0, // the equaliser, "19.2K" ...
    SlideWma1,
    SlideWma2,
    SlideWma3,
    SlideWma4,
    SlideWma5,
    SlideWma6,
    SlideWma7,
    SlideWma8,
    SlideWma9, // ... "25"
    PPLevel,
    Bness4,
    Contrast4,
    Saturation4,
};
inline constexpr int kDecoderSliderCount = 20;
inline constexpr int kEqualiserBands = 10;

// How a slider position becomes the stored 32-bit number.
enum class StoredAs {
    Value,    // as it is
    Negated,  // equaliser: slider -50..0 is stored 0..50
    TimesTen, // post-processing: level 4 is stored 40, read back rounded
};

struct DecoderSliderInfo {
    DecoderSlider id;
    const char* control; // the dialog's control name; equaliser sliders are "SlideWma"
    int index;           // equaliser band 0..9, -1 for the others
    int minimum;
    int maximum;
    int smallChange;
    int largeChange;
    int designDefault;
    bool vertical;
    const char* key; // below HKEY_CURRENT_USER
    const char* valueName;
    StoredAs storedAs;
};

// In DecoderSlider order.
const std::array<DecoderSliderInfo, kDecoderSliderCount>& decoderSliderTable();
const DecoderSliderInfo& decoderSliderInfo(DecoderSlider slider);
// SlideWma(band), band 0..9.
DecoderSlider equaliserSlider(int band);

// Captions under the equaliser sliders, band 0 first, and the page's text.
const std::array<const char*, kEqualiserBands>& equaliserBandLabels();
QString equaliserPageText(); // "Equalizer configuration. "
// Tooltip while an equaliser slider is dragged: -15 gives "+15 Db".
QString equaliserToolTip(int sliderValue);

// The number a slider position is stored as, and back.
qint32 storedValue(const DecoderSliderInfo& info, int sliderValue);
int sliderValueFromStored(const DecoderSliderInfo& info, int stored);

// The positions of all decoder sliders; design defaults at construction.
class DecoderSliderValues {
  public:
    DecoderSliderValues();
    int value(DecoderSlider slider) const;
    // Like a slider control, a value beyond the range is set to the nearer
    // end. Returns whether the position changed.
    bool setValue(DecoderSlider slider, int value);

    bool operator==(const DecoderSliderValues&) const = default;

  private:
    std::array<int, kDecoderSliderCount> values_;
};

// Reset buttons. None writes the registry; each returns whether a slider
// moved, which marks the dialog's settings as changed.
bool resetFirstVideoDecoder(DecoderSliderValues& sliders);  // " DivX 3.11a" RESET: 50s
bool resetSecondVideoDecoder(DecoderSliderValues& sliders); // "DivX 4.0" RESET: 0s
bool resetEqualiser(DecoderSliderValues& sliders);          // "WMA Audio" Reset: -15s

// What the Reglbl label shows after a registry operation.
struct RegistryAccess {
    bool authorized = true;
    QString caption() const; // "Registry access authorized" / "Registry access denied :("
    QRgb textColor() const;  // dark green / dark red
};

// A registry number as GetValue shows it ("2C 01 00 00 "): the first two
// bytes as a signed 16-bit number. Empty or malformed text gives 0.
qint16 BinaryToWord(const QString& text);

// Fills `sliders` from the registry, creating the first decoder's keys when
// they are missing. Stops at the first key that cannot be opened (those
// sliders keep their positions). The result is the last access made.
RegistryAccess AnalyseReg(DecoderSliderValues& sliders,
                          RegistryStore& store = RegistryStore::user());
// Writes every slider as a 4-byte little-endian number. Creates no keys:
// stops at the first key that is missing.
RegistryAccess WriteReg(const DecoderSliderValues& sliders,
                        RegistryStore& store = RegistryStore::user());
