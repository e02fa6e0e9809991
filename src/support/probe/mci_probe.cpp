#include "support/probe/mci_probe.h"

#include "support/probe/avi_header_reader.h"

#include <cmath>
#include <limits>
#include <map>
#include <mutex>
#include <optional>

namespace {

// Name, type and parent are kept as given; only the headers are used.
struct Device {
    QString fileName;
    QString deviceType;
    quintptr parentWindow = 0;
    AviHeaders headers;
};

// Open devices by case-folded alias, as aliases are matched regardless of
// letter case. Locked, so that the probe may also run off the UI thread.
struct DeviceTable {
    std::mutex mutex;
    std::map<QString, Device> devices;
};

DeviceTable& table() {
    static DeviceTable instance;
    return instance;
}

QString key(const QString& alias) {
    return alias.toCaseFolded();
}

bool validAlias(const QString& alias) {
    if (alias.isEmpty())
        return false;
    for (const QChar c : alias)
        if (c.isSpace())
            return false;
    return true;
}

const QString kNotOpen = QStringLiteral("The device is not open.");
const QString kAliasInUse = QStringLiteral("The alias is already in use.");
const QString kBadAlias = QStringLiteral("The alias is not valid.");

// Rounds to the nearest integer, halves to the even neighbour (the default
// rounding mode); nothing when the result does not fit in 32 bits.
std::optional<qint32> roundToInt32(double value) {
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<qint32>::min() ||
        rounded > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(rounded);
}

std::optional<AviHeaders> headersOf(const QString& alias) {
    DeviceTable& t = table();
    std::lock_guard lock(t.mutex);
    const auto it = t.devices.find(key(alias));
    if (it == t.devices.end())
        return std::nullopt;
    return it->second.headers;
}

} // namespace

QString MciOpen(quintptr parentWindow, const QString& alias, const QString& fileName,
                const QString& deviceType) {
    if (!validAlias(alias))
        return kBadAlias;
    {
        DeviceTable& t = table();
        std::lock_guard lock(t.mutex);
        if (t.devices.count(key(alias)))
            return kAliasInUse;
    }
    const MediaResult<AviHeaders> headers = AviHeaderReader::read(fileName);
    if (!headers)
        return headers.error();
    DeviceTable& t = table();
    std::lock_guard lock(t.mutex);
    const bool added =
        t.devices.emplace(key(alias), Device{fileName, deviceType, parentWindow, headers.value()})
            .second;
    return added ? kMciSuccess : kAliasInUse;
}

QString MciClose(const QString& alias) {
    DeviceTable& t = table();
    std::lock_guard lock(t.mutex);
    return t.devices.erase(key(alias)) ? kMciSuccess : kNotOpen;
}

qint32 MciGetFrames(const QString& alias) {
    const std::optional<AviHeaders> headers = headersOf(alias);
    if (!headers)
        return -1;
    return roundToInt32(double(headers->frameCount())).value_or(-1);
}

qint32 MciGetLengthMs(const QString& alias) {
    const std::optional<AviHeaders> headers = headersOf(alias);
    if (!headers)
        return -1;
    const std::optional<double> seconds = headers->durationSeconds();
    if (!seconds)
        return -1;
    return roundToInt32(*seconds * 1000).value_or(-1);
}

qint32 MciGetFrameRate(const QString& alias) {
    const qint32 lengthMs = MciGetLengthMs(alias);
    const qint32 frames = MciGetFrames(alias);
    if (lengthMs == -1 || frames == -1)
        return -1;
    return frameRateFromLength(frames, lengthMs);
}

qint32 frameRateFromLength(qint32 frames, qint32 lengthMs) {
    // A zero length has no rate; -1 is what a caller already handles.
    if (frames < 0 || lengthMs <= 0)
        return -1;
    return roundToInt32(double(frames) / (double(lengthMs) / 1000)).value_or(-1);
}
