#include "config/preferences.h"

#include "support/settings/settings_store.h"

#include <QDir>
#include <algorithm>

QString skinDefault(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("Skins/WinDVD"));
}

namespace {

// A hand-edited or damaged store must not leave a control in a state the
// dialog cannot show, so text that is not a number gives the default.
int readInt(const SettingsStore& store, const char* key, int fallback) {
    bool ok = false;
    const int value = store.read(QLatin1String(key)).trimmed().toInt(&ok);
    return ok ? value : fallback;
}

bool readFlag(const SettingsStore& store, const char* key, bool fallback) {
    const QString text = store.read(QLatin1String(key)).trimmed();
    if (text == u'1')
        return true;
    if (text == u'0')
        return false;
    return fallback;
}

// Paths and names longer than any real one are damage, not choices.
QString readText(const SettingsStore& store, const char* key, const QString& fallback,
                 int maxLength = 4096) {
    const QString text = store.read(QLatin1String(key), fallback);
    return text.size() <= maxLength ? text : fallback;
}

// A number kept as text (the caption shows it): the default unless it is
// one within `low`..`high`.
QString readNumberText(const SettingsStore& store, const char* key, const QString& fallback,
                       double low, double high) {
    const QString text = store.read(QLatin1String(key), fallback).trimmed();
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && value >= low && value <= high ? text : fallback;
}

int readInt(const SettingsStore& store, const char* key, int fallback, int low, int high) {
    const int value = readInt(store, key, fallback);
    return value >= low && value <= high ? value : fallback;
}

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

QColor colourFromNumber(qint64 number) {
    return QColor(int(number & 0xff), int((number >> 8) & 0xff), int((number >> 16) & 0xff));
}

qint64 numberFromColour(const QColor& colour) {
    return qint64(colour.red()) | (qint64(colour.green()) << 8) | (qint64(colour.blue()) << 16);
}

int clampColourComponent(int value) {
    return std::clamp(value, 0, 255);
}

Preferences Preferences::defaults(const QString& programFolder) {
    Preferences p;
    p.lastFile = programFolder;
    p.playListDrv = programFolder;
    p.playListPath = programFolder;
    p.skin = skinDefault(programFolder);
    return p;
}

Preferences Preferences::load(const SettingsStore& store, const QString& programFolder) {
    const Preferences d = defaults(programFolder);
    Preferences p = d;
    p.volume = readInt(store, "Volume", d.volume, -10000, 0);
    p.lastFile = readText(store, "LastFile", d.lastFile);

    // The dialog's keys, in the order it applies them.
    p.useSub = readFlag(store, "UseSub", d.useSub);
    p.screenSaverDisabled = readFlag(store, "ScreenSaver", d.screenSaverDisabled);
    p.scrollTitle = readFlag(store, "Scroll", d.scrollTitle);
    p.fontName = readText(store, "FontName", d.fontName, 128);
    p.fontSize = readNumberText(store, "FontSize", d.fontSize, 1, 400);
    bool ok = false;
    const qint64 colour = store.read(QStringLiteral("FontColor")).trimmed().toLongLong(&ok);
    p.fontColour = ok && colour >= 0 && colour <= 0xffffff ? colour : d.fontColour;
    p.keyRed = clampColourComponent(readInt(store, "R", d.keyRed));
    p.keyGreen = clampColourComponent(readInt(store, "G", d.keyGreen));
    p.keyBlue = clampColourComponent(readInt(store, "B", d.keyBlue));
    p.autoOverlay = readFlag(store, "AutoOverlay", d.autoOverlay);
    p.findSubtitles = readFlag(store, "FindSubs", d.findSubtitles);
    p.subYPos = readNumberText(store, "SubYPos", d.subYPos, 0, 100);
    p.skin = readText(store, "Skin", d.skin);
    p.audioSys = readInt(store, "AudioSys", d.audioSys);
    p.scenixDrive = readInt(store, "Scenixdrv1", d.scenixDrive);
    p.charset = readInt(store, "Charset", d.charset);
    p.changeRes = readFlag(store, "ChangeRes", d.changeRes);
    p.changeResXY = readInt(store, "ChangeResXY", d.changeResXY);
    p.changeResCols = readInt(store, "ChangeResCols", d.changeResCols);
    p.changeResHz = readInt(store, "ChangeResHz", d.changeResHz);
    p.dedynamic = readFlag(store, "Dedynamic", d.dedynamic);
    p.deviceIdx = readInt(store, "DeviceIdx", d.deviceIdx);
    p.device = readText(store, "Device", d.device);
    p.deviceId = readText(store, "DeviceId", d.deviceId);

    p.playListDrv = readText(store, "PlayListDrv", d.playListDrv);
    p.playListPath = readText(store, "PlayListPath", d.playListPath);
    p.pbarBack = readText(store, "PbarBack", d.pbarBack);
    p.pbarBar = readText(store, "PbarBar", d.pbarBar);
    return p;
}

void Preferences::saveDialogKeys(SettingsStore& store) const {
    auto number = [](qint64 value) { return QString::number(value); };
    // One save: a kill at any moment leaves the old set or the new one.
    store.writeAll({
        {QStringLiteral("UseSub"), flag(useSub)},
        {QStringLiteral("Device"), device},
        {QStringLiteral("ScreenSaver"), flag(screenSaverDisabled)},
        {QStringLiteral("Scroll"), flag(scrollTitle)},
        {QStringLiteral("FontName"), fontName},
        {QStringLiteral("FontSize"), fontSize},
        {QStringLiteral("FontColor"), number(fontColour)},
        {QStringLiteral("R"), number(keyRed)},
        {QStringLiteral("G"), number(keyGreen)},
        {QStringLiteral("B"), number(keyBlue)},
        {QStringLiteral("AutoOverlay"), flag(autoOverlay)},
        {QStringLiteral("FindSubs"), flag(findSubtitles)},
        {QStringLiteral("SubYpos"), subYPos},
        {QStringLiteral("Skin"), skin},
        {QStringLiteral("AudioSys"), number(audioSys)},
        {QStringLiteral("Scenixdrv1"), number(scenixDrive)},
        {QStringLiteral("Charset"), number(charset)},
        {QStringLiteral("DeviceIdx"), number(deviceIdx)},
        {QStringLiteral("ChangeRes"), flag(changeRes)},
        {QStringLiteral("ChangeResXY"), number(changeResXY)},
        {QStringLiteral("ChangeResCols"), number(changeResCols)},
        {QStringLiteral("ChangeResHz"), number(changeResHz)},
        {QStringLiteral("Dedynamic"), flag(dedynamic)},
        {QStringLiteral("DeviceId"), deviceId},
    });
}
