#include "config/decoder_settings.h"

#include "support/media/decoder_registry_keys.h"
#include "support/registry/read_write_easy_reg.h"

#include <QColor>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using namespace decoderkeys;

constexpr const char* kBandNames[kEqualiserBands] = {"Band 0", "Band 1", "Band 2", "Band 3",
                                                     "Band 4", "Band 5", "Band 6", "Band 7",
                                                     "Band 8", "Band 9"};

constexpr DecoderSliderInfo band(int i) {
    return {DecoderSlider(int(DecoderSlider::SlideWma0) + i),
            "SlideWma",
            i,
            -50,
            0,
            1,
            5,
            0,
            true,
            kScrunchAudio,
            kBandNames[i],
            StoredAs::Negated};
}

constexpr std::array<DecoderSliderInfo, kDecoderSliderCount> kTable = {{
    {DecoderSlider::CpuCal, "CpuCal", -1, 0, 4, 1, 1, 0, false, kScrunch, kPostProcessMode,
     StoredAs::Value},
    {DecoderSlider::PostCpu, "PostCpu", -1, 100, 3000, 50, 100, 300, false, kScrunch,
     kCpuClockSpeed, StoredAs::Value},
    {DecoderSlider::Bness, "Bness", -1, 0, 100, 1, 5, 50, false, kScrunchVideo, kBrightness,
     StoredAs::Value},
    {DecoderSlider::Contrast, "Contrast", -1, 0, 100, 1, 5, 50, false, kScrunchVideo, kContrast,
     StoredAs::Value},
    {DecoderSlider::Saturation, "Saturation", -1, 0, 100, 1, 5, 50, false, kScrunchVideo,
     kSaturation, StoredAs::Value},
    {DecoderSlider::Hue, "Hue", -1, 0, 100, 1, 5, 50, false, kScrunchVideo, kHue, StoredAs::Value},
    band(0),
    band(1),
    band(2),
    band(3),
    band(4),
    band(5),
    band(6),
    band(7),
    band(8),
    band(9),
    {DecoderSlider::PPLevel, "PPLevel", -1, 0, 6, 1, 10, 1, false, kDivX4, kPostprocessing,
     StoredAs::TimesTen},
    {DecoderSlider::Bness4, "Bness4", -1, 0, 127, 1, 5, 0, false, kDivX4, kBrightness,
     StoredAs::Value},
    {DecoderSlider::Contrast4, "Contrast4", -1, 0, 127, 1, 5, 0, false, kDivX4, kContrast,
     StoredAs::Value},
    {DecoderSlider::Saturation4, "Saturation4", -1, 0, 127, 1, 5, 0, false, kDivX4, kSaturation,
     StoredAs::Value},
}};

// The table is indexed by DecoderSlider.
constexpr bool tableInOrder() {
    for (int i = 0; i < kDecoderSliderCount; ++i) {
        if (int(kTable[i].id) != i)
            return false;
    }
    return true;
}
static_assert(tableInOrder());

constexpr std::array<const char*, kEqualiserBands> kBandLabels = {
    "19.2K", "9.6K", "4.8K", "2.4K", "1.2K", "600", "300", "150", "75", "25"};

bool setAll(DecoderSliderValues& sliders, std::initializer_list<DecoderSlider> which, int value) {
    bool changed = false;
    for (DecoderSlider s : which)
        changed = sliders.setValue(s, value) || changed;
    return changed;
}

int hexDigits(const QString& text, bool* ok) {
    if (text.isEmpty())
        return 0;
    return text.toInt(ok, 16);
}

bool holdsNumber(const RegistryStore& store, const char* key, const QString& name, qint32 number) {
    RegistryValue value;
    if (store.queryValue(reg::HKEY_CURRENT_USER, QString::fromLatin1(key), name, &value) !=
            reg::ERROR_SUCCESS ||
        value.type != reg::REG_DWORD || value.data.size() != 4)
        return false;
    for (int i = 0; i < 4; ++i) {
        if (uchar(value.data[i]) != ((quint32(number) >> (8 * i)) & 0xff))
            return false;
    }
    return true;
}

} // namespace

const std::array<DecoderSliderInfo, kDecoderSliderCount>& decoderSliderTable() {
    return kTable;
}

const DecoderSliderInfo& decoderSliderInfo(DecoderSlider slider) {
    return kTable[std::size_t(slider)];
}

DecoderSlider equaliserSlider(int band) {
    return DecoderSlider(int(DecoderSlider::SlideWma0) + std::clamp(band, 0, kEqualiserBands - 1));
}

const std::array<const char*, kEqualiserBands>& equaliserBandLabels() {
    return kBandLabels;
}

QString equaliserPageText() {
    return QStringLiteral("Equalizer configuration. ");
}

QString equaliserToolTip(int sliderValue) {
    return QStringLiteral("+%1 Db").arg(std::abs(sliderValue));
}

qint32 storedValue(const DecoderSliderInfo& info, int sliderValue) {
    switch (info.storedAs) {
    case StoredAs::Negated:
        return -sliderValue;
    case StoredAs::TimesTen:
        return sliderValue * 10;
    case StoredAs::Value:
        break;
    }
    return sliderValue;
}

int sliderValueFromStored(const DecoderSliderInfo& info, int stored) {
    switch (info.storedAs) {
    case StoredAs::Negated:
        return -stored;
    case StoredAs::TimesTen:
        return int(std::nearbyint(stored / 10.0)); // halves to even: 35 -> 4, 25 -> 2
    case StoredAs::Value:
        break;
    }
    return stored;
}

DecoderSliderValues::DecoderSliderValues() {
    for (const DecoderSliderInfo& info : kTable)
        values_[std::size_t(info.id)] = info.designDefault;
}

int DecoderSliderValues::value(DecoderSlider slider) const {
    return values_[std::size_t(slider)];
}

bool DecoderSliderValues::setValue(DecoderSlider slider, int value) {
    const DecoderSliderInfo& info = decoderSliderInfo(slider);
    const int bounded = std::clamp(value, info.minimum, info.maximum);
    int& held = values_[std::size_t(slider)];
    if (held == bounded)
        return false;
    held = bounded;
    return true;
}

bool resetFirstVideoDecoder(DecoderSliderValues& sliders) {
    return setAll(sliders,
                  {DecoderSlider::Bness, DecoderSlider::Contrast, DecoderSlider::Saturation,
                   DecoderSlider::Hue},
                  50);
}

bool resetSecondVideoDecoder(DecoderSliderValues& sliders) {
    return setAll(sliders,
                  {DecoderSlider::Bness4, DecoderSlider::Contrast4, DecoderSlider::Saturation4}, 0);
}

bool resetEqualiser(DecoderSliderValues& sliders) {
    bool changed = false;
    for (int i = 0; i < kEqualiserBands; ++i)
        changed = sliders.setValue(equaliserSlider(i), -15) || changed;
    return changed;
}

QString RegistryAccess::caption() const {
    return authorized ? QStringLiteral("Registry access authorized")
                      : QStringLiteral("Registry access denied :(");
}

QRgb RegistryAccess::textColor() const {
    return authorized ? qRgb(0, 128, 0) : qRgb(192, 0, 0);
}

qint16 BinaryToWord(const QString& text) {
    // "LL HH ...": low byte first, as the bytes are stored.
    const QString head = text.left(5);
    const QString low = head.left(2);
    const QString high = head.mid(3, 2);
    bool lowOk = true;
    bool highOk = true;
    const int lowByte = hexDigits(low, &lowOk);
    const int highByte = hexDigits(high, &highOk);
    if (!lowOk || !highOk || lowByte > 0xff || highByte > 0xff || lowByte < 0 || highByte < 0)
        return 0;
    return qint16(quint16((highByte << 8) | lowByte));
}

RegistryAccess AnalyseReg(DecoderSliderValues& sliders, RegistryStore& store) {
    RegistryAccess access;
    cReadWriteEasyReg reg(store);
    // "Software\Microsoft" always exists where these decoders come from; here
    // the whole path is made below the root.
    access.authorized = reg.OpenRegistry(reg::HKEY_CURRENT_USER, QString());
    if (!access.authorized)
        return access;
    reg.CreateDirectory(QString::fromLatin1(kScrunch));
    reg.CreateDirectory(QString::fromLatin1(kScrunchAudio));
    reg.CreateDirectory(QString::fromLatin1(kScrunchVideo));
    reg.CloseRegistry();

    const char* openKey = nullptr;
    for (const DecoderSliderInfo& info : kTable) {
        if (!openKey || std::strcmp(openKey, info.key) != 0) {
            reg.CloseRegistry();
            openKey = info.key;
            access.authorized =
                reg.OpenRegistry(reg::HKEY_CURRENT_USER, QString::fromLatin1(openKey));
            if (!access.authorized)
                return access;
        }
        const QVariant text = reg.GetValue(QString::fromLatin1(info.valueName));
        // A value no decoder has written keeps the slider where it is:
        // reading it as 0 would write 0 back on Ok, and a brightness of 0
        // turns every picture black.
        if (text.toString().isEmpty())
            continue;
        const int stored =
            BinaryToWord(text.typeId() == QMetaType::QString ? text.toString() : QString());
        sliders.setValue(info.id, sliderValueFromStored(info, stored));
    }
    reg.CloseRegistry();
    return access;
}

RegistryAccess WriteReg(const DecoderSliderValues& sliders, RegistryStore& store) {
    RegistryAccess access;
    cReadWriteEasyReg reg(store);
    bool failed = false;
    const char* openKey = nullptr;
    for (const DecoderSliderInfo& info : kTable) {
        if (!openKey || std::strcmp(openKey, info.key) != 0) {
            reg.CloseRegistry();
            openKey = info.key;
            if (!reg.OpenRegistry(reg::HKEY_CURRENT_USER, QString::fromLatin1(openKey))) {
                access.authorized = false;
                return access;
            }
        }
        const QString name = QString::fromLatin1(info.valueName);
        const qint32 number = storedValue(info, sliders.value(info.id));
        // Every movie opening writes the sliders: an unchanged value is not
        // written again, which spares a rewrite of the registry file.
        if (holdsNumber(store, info.key, name, number))
            continue;
        // A failed write is not hidden by the ones that succeed after it.
        if (!reg.CreateValue(name, number, reg::REG_DWORD))
            failed = true;
    }
    reg.CloseRegistry();
    access.authorized = !failed;
    return access;
}
