#include "config/speaker_modes.h"

#include "support/files/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

constexpr std::array<SpeakerModeInfo, kSpeakerModeCount> kModes = {{
    {"Mono", "Mono.iwc"},
    {"Stereo", "Stereo.iwc"},
    {"Dolby Surround", "DolbySurround.iwc"},
    {"3D Audio", "3DAudio.iwc"},
    {"4 Speakers Mode", "4Speakers.iwc"},
    {"6 Speakers Mode (5.1)", "6Speakers.iwc"},
    {"SPDIF Output", "Spdif.iwc"},
}};

bool validRow(int row) {
    return row >= 0 && row < kSpeakerModeCount;
}

// A marker already there, whole, is left alone: the mode is chosen again
// at every start.
bool writeMarker(const QString& path) {
    const QByteArray text = QByteArray(kSpeakerMarkerText) + '\n';
    if (QFile marker(path);
        marker.open(QIODevice::ReadOnly) && marker.read(text.size() + 1) == text)
        return true;
    return saveWholeFile(path, text).isEmpty();
}

} // namespace

const std::array<SpeakerModeInfo, kSpeakerModeCount>& speakerModes() {
    return kModes;
}

QStringList speakerModeTexts() {
    QStringList texts;
    for (const SpeakerModeInfo& mode : kModes)
        texts.append(QString::fromLatin1(mode.text));
    return texts;
}

QString userDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/OrvaneSoft/Vantor");
}

QString speakerPresetPath(const QString& programDataFolder, int row) {
    if (!validRow(row))
        return {};
    return QDir(programDataFolder)
        .filePath(QStringLiteral("Decoder/") + QString::fromLatin1(kModes[row].presetFile));
}

QString speakerMarkerName(int row) {
    return QStringLiteral("Ac3reg%1.cfg").arg(row);
}

SpeakerModeChange chooseSpeakerMode(int row, const QString& programDataFolder,
                                    const QString& userFolder, RegistryStore& store) {
    SpeakerModeChange change;
    if (validRow(row)) {
        const QString preset = speakerPresetPath(programDataFolder, row);
        change.presetFound = QFileInfo(preset).isFile();
        if (change.presetFound)
            change.import = importRegistryFile(preset, store);
        else
            change.import.error = QStringLiteral("The speaker preset %1 is missing.")
                                      .arg(QDir::toNativeSeparators(preset));
    }

    const QDir folder(userFolder);
    for (int i = 0; i < kSpeakerModeCount; ++i) {
        const QString marker = folder.filePath(speakerMarkerName(i));
        if (i != row && QFileInfo::exists(marker) && !QFile::remove(marker))
            change.markersNotRemoved.append(marker);
    }
    // The marker records the choice even when the preset could not be read.
    if (validRow(row))
        change.markerWritten = writeMarker(folder.filePath(speakerMarkerName(row)));
    return change;
}

bool prepareFirstStart(const QString& userFolder) {
    if (QFileInfo::exists(userFolder))
        return false;
    if (!QDir().mkpath(userFolder))
        return false;
    QFile marker(QDir(userFolder).filePath(QString::fromLatin1(kFirstStartMarker)));
    return marker.open(QIODevice::WriteOnly);
}

bool firstStartPending(const QString& userFolder) {
    return QFileInfo::exists(QDir(userFolder).filePath(QString::fromLatin1(kFirstStartMarker)));
}

bool removeFirstStartMarker(const QString& userFolder) {
    const QString marker = QDir(userFolder).filePath(QString::fromLatin1(kFirstStartMarker));
    return !QFileInfo::exists(marker) || QFile::remove(marker);
}

FirstStartImport runFirstStartImport(const QString& programDataFolder, const QString& userFolder,
                                     RegistryStore& store) {
    FirstStartImport result;
    result.pending = firstStartPending(userFolder);
    if (!result.pending)
        return result;
    result.import = importRegistryFile(
        QDir(programDataFolder).filePath(QStringLiteral("Decoder/Data.iwc")), store);
    if (result.import.ok)
        result.markerRemoved = removeFirstStartMarker(userFolder);
    return result;
}
