#include "support/models/audio_device_names.h"

#include <QHash>

QStringList audioDeviceNames(const QList<AudioDeviceEntry>& devices, const QStringList& taken) {
    QHash<QString, int> uses;
    for (const QString& name : taken)
        ++uses[name];
    for (const AudioDeviceEntry& device : devices)
        ++uses[device.description];
    QStringList names;
    for (const AudioDeviceEntry& device : devices) {
        const bool shared = uses.value(device.description) > 1 || device.description.isEmpty();
        names << (shared ? QStringLiteral("%1 (%2)").arg(device.description, device.id).trimmed()
                         : device.description);
    }
    return names;
}
