// The configuration dialog's decoder pages: the sliders by name, their
// copies to and from the registry, and the reset buttons.
#include "config/frm_config.h"

#include "support/registry/registry_store.h"

#include <QLabel>
#include <QSlider>

QSlider* frmConfig::decoderSliderNamed(const QString& control, int index) const {
    if (control == QLatin1String("SlideWma"))
        return index >= 0 && index < int(SlideWma.size()) ? SlideWma[std::size_t(index)] : nullptr;
    if (index != -1)
        return nullptr;
    for (QSlider* slider : {CpuCal, PostCpu, Bness, Contrast, Saturation, Hue, PPLevel, Bness4,
                            Contrast4, Saturation4}) {
        if (slider->objectName() == control)
            return slider;
    }
    return nullptr;
}

int frmConfig::decoderSliderValue(const QString& control, int index) const {
    const QSlider* slider = decoderSliderNamed(control, index);
    return slider ? slider->value() : 0;
}

bool frmConfig::setDecoderSliderValue(const QString& control, int index, int value) {
    QSlider* slider = decoderSliderNamed(control, index);
    if (!slider)
        return false;
    slider->setValue(value);
    return true;
}

DecoderSliderValues frmConfig::decoderSliders() const {
    DecoderSliderValues values;
    for (const DecoderSliderInfo& info : decoderSliderTable())
        values.setValue(info.id, decoderSliderValue(QString::fromLatin1(info.control), info.index));
    return values;
}

void frmConfig::setDecoderSliders(const DecoderSliderValues& values) {
    for (const DecoderSliderInfo& info : decoderSliderTable())
        setDecoderSliderValue(QString::fromLatin1(info.control), info.index, values.value(info.id));
}

void frmConfig::AnalyseReg() {
    if (hooks.analyseReg) {
        hooks.analyseReg();
        return;
    }
    DecoderSliderValues values = decoderSliders();
    const RegistryAccess access =
        ::AnalyseReg(values, registry ? *registry : RegistryStore::user());
    setDecoderSliders(values);
    setRegistryAccess(access.authorized);
}

void frmConfig::WriteReg() {
    if (hooks.writeReg) {
        hooks.writeReg();
        return;
    }
    const RegistryAccess access =
        ::WriteReg(decoderSliders(), registry ? *registry : RegistryStore::user());
    setRegistryAccess(access.authorized);
}

void frmConfig::setRegistryAccess(bool authorised) {
    Reglbl->setText(authorised ? QStringLiteral("Registry access authorized")
                               : QStringLiteral("Registry access denied :("));
    QPalette palette = Reglbl->palette();
    palette.setColor(QPalette::WindowText, authorised ? QColor(0, 128, 0) : QColor(192, 0, 0));
    Reglbl->setPalette(palette);
}

// Every reset marks the decoders changed, so Ok re-opens the movie with them.
void frmConfig::resetDecoderSliders(bool (*reset)(DecoderSliderValues&)) {
    DecoderSliderValues values = decoderSliders();
    reset(values);
    setDecoderSliders(values);
    RegChanged = true;
}

void frmConfig::Command6_Click() {
    resetDecoderSliders(resetFirstVideoDecoder);
}

void frmConfig::Command7_Click() {
    resetDecoderSliders(resetEqualiser);
}

void frmConfig::Command12_Click() {
    resetDecoderSliders(resetSecondVideoDecoder);
}
