#pragma once
// Every per-user preference of the player with its default, as a plain value
// that loads from and saves to the settings store. The configuration dialog
// shows one of these; other code may use it where no dialog exists.
#include <QColor>
#include <QString>
#include <array>

class SettingsStore;

// One entry of a fixed choice list: what the list shows and the number the
// player works with.
struct ChoiceItem {
    const char* text;
    int number;
};

// Subtitle character sets, in list order, with their character-set numbers.
inline constexpr std::array<ChoiceItem, 12> kCharacterSets{{
    {"Japanese", 128},
    {"Simplified Chinese", 134},
    {"Korean", 129},
    {"Traditional Chinese", 136},
    {"Eastern Europe", 238},
    {"Russian", 204},
    {"Western European", 0},
    {"Greek", 161},
    {"Turkish", 162},
    {"Hebrew", 177},
    {"Arabic", 178},
    {"Baltic", 186},
}};

// Speaker modes, in list order; the number is the picture-store slot of the
// mode's indicator picture.
inline constexpr std::array<ChoiceItem, 7> kSpeakerModes{{
    {"Mono", 26},
    {"Stereo", 29},
    {"Dolby Surround", 25},
    {"3D Audio", 27},
    {"4 Speakers Mode", 23},
    {"6 Speakers Mode (5.1)", 24},
    {"SPDIF Output", 28},
}};

// Colours are stored as one number with red in the lowest byte, then green,
// then blue ("16777215" is white).
QColor colourFromNumber(qint64 number);
qint64 numberFromColour(const QColor& colour);

// A key-colour component as the colour boxes keep it: at most 255.
int clampColourComponent(int value);

struct Preferences {
    // Keys other windows own; kept here so the whole table has one home.
    int volume = 0;       // "Volume", hundredths of a decibel
    QString lastFile;     // "LastFile", default the program folder
    QString playListDrv;  // "PlayListDrv", default the program folder
    QString playListPath; // "PlayListPath", default the program folder
    QString pbarBack;     // "PbarBack"
    QString pbarBar;      // "PbarBar"

    // The configuration dialog's keys.
    bool useSub = true;                           // "UseSub"
    QString device;                               // "Device": the name behind DeviceIdx
    bool screenSaverDisabled = true;              // "ScreenSaver"
    bool scrollTitle = true;                      // "Scroll"
    QString fontName = QStringLiteral("Verdana"); // "FontName"
    QString fontSize = QStringLiteral("14");      // "FontSize", kept as the caption shows it
    qint64 fontColour = 16777215;                 // "FontColor"
    int keyRed = 16;                              // "R"
    int keyGreen = 0;                             // "G"
    int keyBlue = 16;                             // "B"
    bool autoOverlay = true;                      // "AutoOverlay"
    bool findSubtitles = true;                    // "FindSubs"
    QString subYPos = QStringLiteral("70");       // "SubYpos", a percentage text
    QString skin;                                 // "Skin", default <program folder>/Skins/WinDVD
    int audioSys = 2;                             // "AudioSys", Dolby Surround
    int scenixDrive = 1;                          // "Scenixdrv1"
    int charset = 6;                              // "Charset", Western European
    int deviceIdx = 1;                            // "DeviceIdx"
    QString deviceId;       // "DeviceId": the sound server's name of the device, which stays unique
    bool changeRes = false; // "ChangeRes"
    int changeResXY = -1;   // "ChangeResXY", -1 when none chosen
    int changeResCols = -1; // "ChangeResCols"
    int changeResHz = -1;   // "ChangeResHz"
    bool dedynamic = false; // "Dedynamic"

    // A fresh user's preferences.
    static Preferences defaults(const QString& programFolder);
    // Missing keys and values that are not numbers where numbers belong
    // read as their defaults.
    static Preferences load(const SettingsStore& store, const QString& programFolder);
    // Writes the dialog's keys in the order its Ok uses.
    void saveDialogKeys(SettingsStore& store) const;

    QColor keyColour() const { return QColor(keyRed, keyGreen, keyBlue); }

    bool operator==(const Preferences&) const = default;
};

// The player's own skin, the one a fresh configuration uses.
QString skinDefault(const QString& programFolder);
