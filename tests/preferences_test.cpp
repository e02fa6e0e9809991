// The preference model: an empty store, the round trip through the
// store, and damaged stored values.
#include "config/preferences.h"
#include "support/settings/settings_store.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kProgram = QStringLiteral("/opt/vantor");

class PreferencesTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Vantor.ini"));
    SettingsStore store{path};

    QStringList storedKeys() const {
        QSettings ini(path, QSettings::IniFormat);
        ini.beginGroup(QStringLiteral("Vantor"));
        return ini.childKeys();
    }
};

TEST_F(PreferencesTest, AnEmptyStoreGivesTheDefaultsAndReadingCreatesNothing) {
    const Preferences p = Preferences::load(store, kProgram);
    EXPECT_EQ(p, Preferences::defaults(kProgram));
    // The folders a fresh user starts from are the program's.
    EXPECT_EQ(p.skin, kProgram + "/Skins/WinDVD");
    EXPECT_EQ(p.playListPath, kProgram);
    EXPECT_TRUE(storedKeys().isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(PreferencesTest, SavedDialogKeysLoadBackAndNoOthersAreWritten) {
    Preferences p = Preferences::defaults(kProgram);
    p.useSub = false;
    p.device = QStringLiteral("Speakers, front");
    p.screenSaverDisabled = false;
    p.scrollTitle = false;
    p.fontName = QStringLiteral("DejaVu Sans");
    p.fontSize = QStringLiteral("21.5");
    p.fontColour = 0x0000ff; // red
    p.keyRed = 255;
    p.keyGreen = 1;
    p.keyBlue = 0;
    p.autoOverlay = false;
    p.findSubtitles = false;
    p.subYPos = QStringLiteral("72.5");
    p.skin = QStringLiteral("/home/me/skins/Dark, blue");
    p.audioSys = 6;
    p.scenixDrive = 0;
    p.charset = 11;
    p.deviceIdx = 0;
    p.changeRes = true;
    p.changeResXY = 4;
    p.changeResCols = 0;
    p.changeResHz = 5;
    p.dedynamic = true;
    {
        // A file as earlier versions left it: keys in alphabetical order.
        QSettings old(path, QSettings::IniFormat);
        for (const char* key : {"Charset", "Skin", "UseSub"})
            old.setValue(QStringLiteral("Vantor/") + key, "1");
        old.setValue("Vantor/Volume", QString::number(p.volume));
    }
    p.saveDialogKeys(store);

    // One save, the keys side by side in the dialog's order.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList inFile;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.contains('=') && !line.startsWith("Volume="))
            inFile << QString::fromUtf8(line.left(line.indexOf('=')));
    const QStringList order{
        "UseSub",        "Device",      "ScreenSaver", "Scroll",    "FontName",
        "FontSize",      "FontColor",   "R",           "G",         "B",
        "AutoOverlay",   "FindSubs",    "SubYpos",     "Skin",      "AudioSys",
        "Scenixdrv1",    "Charset",     "DeviceIdx",   "ChangeRes", "ChangeResXY",
        "ChangeResCols", "ChangeResHz", "Dedynamic",   "DeviceId"};
    EXPECT_EQ(inFile, order);
    EXPECT_EQ(storedKeys().size(), order.size() + 1) << "read back by QSettings too";
    EXPECT_EQ(store.read("UseSub"), "0");
    EXPECT_EQ(store.read("FontColor"), "255");

    EXPECT_EQ(Preferences::load(store, kProgram), p);
}

TEST_F(PreferencesTest, KeysMatchInAnyLetterCase) {
    store.write("subypos", "55");
    store.write("AUDIOSYS", "0");
    const Preferences p = Preferences::load(store, kProgram);
    EXPECT_EQ(p.subYPos, "55");
    EXPECT_EQ(p.audioSys, 0);
    Preferences::defaults(kProgram).saveDialogKeys(store);
    EXPECT_EQ(store.read("SubYPos"), "70");
    EXPECT_EQ(storedKeys().filter("subypos", Qt::CaseInsensitive).size(), 1);
}

TEST_F(PreferencesTest, DamagedValuesFallBackOrAreCapped) {
    store.write("UseSub", "yes");
    store.write("ChangeRes", "2");
    store.write("R", "300");
    store.write("G", "-4");
    store.write("B", "blue");
    store.write("FontColor", "16777216");
    store.write("AudioSys", "");
    store.write("Charset", " 3 ");
    store.write("ChangeResXY", "9");
    const Preferences p = Preferences::load(store, kProgram);
    EXPECT_TRUE(p.useSub);
    EXPECT_FALSE(p.changeRes);
    EXPECT_EQ(p.keyColour(), QColor(255, 0, 16));
    EXPECT_EQ(p.fontColour, 16777215);
    EXPECT_EQ(p.audioSys, 2);
    EXPECT_EQ(p.charset, 3);
    // Indexes are the lists' business: kept as stored.
    EXPECT_EQ(p.changeResXY, 9);
}

} // namespace
