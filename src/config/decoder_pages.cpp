#include "config/decoder_pages.h"

#include "config/dialog_widgets.h"
#include "config/frm_config.h"
#include "support/registry/registry_store.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace dialog;

namespace {

// A decoder slider as the table gives it: name, range, steps and default.
QSlider* decoderSlider(DecoderSlider id) {
    const DecoderSliderInfo& info = decoderSliderInfo(id);
    QString name = QString::fromLatin1(info.control);
    if (info.index >= 0)
        name += QString::number(info.index);
    return dialog::slider(name, info.minimum, info.maximum, info.smallChange, info.largeChange,
                          info.designDefault, info.vertical ? Qt::Vertical : Qt::Horizontal);
}

// Kept in the registry for decoders that read it; GStreamer's have nothing
// it could drive.
void markStoredOnly(QSlider* slider) {
    slider->setToolTip(
        QStringLiteral("Stored for the decoder; no effect on this player's decoders"));
}

} // namespace

DecoderPages::DecoderPages(frmConfig& dialog, QLabel& access)
    : QObject(&dialog), dialog_(dialog), access_(access) {
    wma_ = buildWma();
    divx3_ = buildDivx3();
    divx4_ = buildDivx4();
    wire();
}

QWidget* DecoderPages::buildWma() {
    auto* page = named(new QWidget, "PageWma");
    auto* wma = frame("Windows Media Audio && DivX Audio support", page);
    auto* grid = new QGridLayout(wma);
    grid->addWidget(new QLabel(equaliserPageText(), wma), 0, 0, 1, 10);
    for (int i = 0; i < kEqualiserBands; ++i) {
        // -50 at the top: the top is the strongest band gain.
        SlideWma[i] = decoderSlider(equaliserSlider(i));
        SlideWma[i]->setInvertedAppearance(true);
        grid->addWidget(SlideWma[i], 1, i, Qt::AlignHCenter);
        grid->addWidget(new QLabel(QString::fromLatin1(equaliserBandLabels()[i]), wma), 2, i,
                        Qt::AlignHCenter);
    }
    Command7 = button("Command7", "Reset", wma);
    grid->addWidget(Command7, 3, 0, 1, 10, Qt::AlignRight);
    (new QVBoxLayout(page))->addWidget(wma);
    return page;
}

QWidget* DecoderPages::buildDivx3() {
    auto* page = named(new QWidget, "PageDivx3");
    CpuCal = decoderSlider(DecoderSlider::CpuCal);
    PostCpu = decoderSlider(DecoderSlider::PostCpu);
    Bness = decoderSlider(DecoderSlider::Bness);
    Contrast = decoderSlider(DecoderSlider::Contrast);
    Saturation = decoderSlider(DecoderSlider::Saturation);
    Hue = decoderSlider(DecoderSlider::Hue);
    markStoredOnly(CpuCal);
    markStoredOnly(PostCpu);
    Command6 = button("Command6", "RESET", page);
    auto* layout = new QFormLayout(page);
    layout->addRow(named(new QLabel(page), "Image4"));
    layout->addRow(QStringLiteral("Post-processing"), CpuCal);
    layout->addRow(QStringLiteral("CPU clock (MHz)"), PostCpu);
    layout->addRow(QStringLiteral("Brightness"), Bness);
    layout->addRow(QStringLiteral("Contrast"), Contrast);
    layout->addRow(QStringLiteral("Saturation"), Saturation);
    layout->addRow(QStringLiteral("Hue"), Hue);
    layout->addRow(Command6);
    return page;
}

QWidget* DecoderPages::buildDivx4() {
    auto* page = named(new QWidget, "PageDivx4");
    PPLevel = decoderSlider(DecoderSlider::PPLevel);
    Bness4 = decoderSlider(DecoderSlider::Bness4);
    Contrast4 = decoderSlider(DecoderSlider::Contrast4);
    Saturation4 = decoderSlider(DecoderSlider::Saturation4);
    markStoredOnly(PPLevel);
    Command12 = button("Command12", "RESET", page);
    auto* layout = new QFormLayout(page);
    layout->addRow(QStringLiteral("Post-processing"), PPLevel);
    layout->addRow(QStringLiteral("Brightness"), Bness4);
    layout->addRow(QStringLiteral("Contrast"), Contrast4);
    layout->addRow(QStringLiteral("Saturation"), Saturation4);
    layout->addRow(Command12);
    return page;
}

void DecoderPages::wire() {
    connect(Command6, &QPushButton::clicked, this, &DecoderPages::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &DecoderPages::Command7_Click);
    connect(Command12, &QPushButton::clicked, this, &DecoderPages::Command12_Click);
    // Any move of a slider by the user changes what the decoders get.
    QList<QSlider*> all{CpuCal, PostCpu, Bness,  Contrast,  Saturation,
                        Hue,    PPLevel, Bness4, Contrast4, Saturation4};
    for (QSlider* slider : SlideWma)
        all.append(slider);
    for (QSlider* slider : all)
        connect(slider, &QSlider::actionTriggered, this, [this] { dialog_.setRegChanged(true); });
    for (QSlider* slider : SlideWma) {
        connect(slider, &QSlider::sliderMoved, slider, [slider](int value) {
            slider->setToolTip(equaliserToolTip(value));
            slider->update();
        });
    }
}

QSlider* DecoderPages::sliderNamed(const QString& control, int index) const {
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

DecoderSliderValues DecoderPages::values() const {
    DecoderSliderValues values;
    for (const DecoderSliderInfo& info : decoderSliderTable())
        if (const QSlider* slider = sliderNamed(QString::fromLatin1(info.control), info.index))
            values.setValue(info.id, slider->value());
    return values;
}

void DecoderPages::setValues(const DecoderSliderValues& values) {
    for (const DecoderSliderInfo& info : decoderSliderTable())
        if (QSlider* slider = sliderNamed(QString::fromLatin1(info.control), info.index))
            slider->setValue(values.value(info.id));
}

void DecoderPages::AnalyseReg() {
    if (dialog_.hooks.analyseReg) {
        dialog_.hooks.analyseReg();
        return;
    }
    DecoderSliderValues read = values();
    const RegistryAccess access =
        ::AnalyseReg(read, dialog_.registry ? *dialog_.registry : RegistryStore::user());
    setValues(read);
    setRegistryAccess(access.authorized);
}

void DecoderPages::WriteReg() {
    if (dialog_.hooks.writeReg) {
        dialog_.hooks.writeReg();
        return;
    }
    const RegistryAccess access =
        ::WriteReg(values(), dialog_.registry ? *dialog_.registry : RegistryStore::user());
    setRegistryAccess(access.authorized);
}

void DecoderPages::setRegistryAccess(bool authorised) {
    access_.setText(authorised ? QStringLiteral("Registry access authorized")
                               : QStringLiteral("Registry access denied :("));
    QPalette palette = access_.palette();
    palette.setColor(QPalette::WindowText, authorised ? QColor(0, 128, 0) : QColor(192, 0, 0));
    access_.setPalette(palette);
}

void DecoderPages::reset(bool (*reset)(DecoderSliderValues&)) {
    DecoderSliderValues now = values();
    reset(now);
    setValues(now);
    dialog_.setRegChanged(true);
}

void DecoderPages::Command6_Click() {
    reset(resetFirstVideoDecoder);
}

void DecoderPages::Command7_Click() {
    reset(resetEqualiser);
}

void DecoderPages::Command12_Click() {
    reset(resetSecondVideoDecoder);
}
