#pragma once
// The skin generator: draws the player's built-in main-window skins and
// checks a skin folder against what the player reads from it.
#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <array>
#include <utility>
#include <vector>

class QTextStream;

// The placeable elements of the main window, in the order the player
// reads their keys.
enum class Element {
    VolumeUp,
    VolumeDown,
    SecondClose,
    VolumeMeter,
    ScrollName,
    SoundType,
    TotalTime,
    ElapsedTime,
    Previous,
    Play,
    Pause,
    Stop,
    Next,
    FullScreen,
    Playlist,
    Open,
    Config,
    OpenPad,
    ClosePlayer,
    MinPlayer,
    PadLeftUp,
    PadUp,
    PadLeft,
    PadRight,
    PadDownRight,
    PadDown,
    SizeLabel,
    ProgressBar,
};
inline constexpr int kElementCount = 28;
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kVolumeLevels = 22;
// Pixels of this colour in "base.bmp" are cut out of the window.
inline constexpr QRgb kKeyColor = 0xFF00FF;

// The element's name as "VSkin.ini" spells it ("Vol+").
QString elementName(Element element);
// The pressed picture of a button ("bplay.bmp"), or an empty string for an
// element that has none.
QString pressedPictureName(Element element);
// "Volume_Slider_Bitmap_1.BMP" .. "Volume_Slider_Bitmap_22.BMP"; level 1 is
// the lowest.
QString volumePictureName(int level);
// The seven audio-mode pictures ("Audio_Mode_STEREO.BMP", ...).
QStringList audioModePictureNames();

inline constexpr char kDescriptionFile[] = "VSkin.ini";
inline constexpr char kBaseFile[] = "base.bmp";
inline constexpr char kProgressBackFile[] = "ProgressBack.bmp";
inline constexpr char kProgressBarFile[] = "ProgressBar.bmp";

// A skin as files: the description text and every bitmap by file name.
struct SkinFiles {
    QString folder;
    QByteArray description;
    std::vector<std::pair<QString, QImage>> bitmaps;
};

// The two skins the player ships: "WinDVD" (the default) and "Daylight".
std::vector<SkinFiles> drawBuiltInSkins();

// Writes the skin into `outDir`/`skin.folder`. On failure returns false and
// says why in `error`.
bool writeSkin(const SkinFiles& skin, const QString& outDir, QString* error);

// Checks one skin folder, printing what it finds to `out`. Returns the
// number of faults (things the player cannot use as meant); advice is
// printed as warnings and not counted.
int checkSkinFolder(const QString& folder, QTextStream& out);

// The application icon at `size` pixels, and every size written as
// OUTDIR/<size>x<size>/vantorplay.png.
inline constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
QImage drawIcon(int size);
bool writeIcons(const QString& outDir, QString* error);
