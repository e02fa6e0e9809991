#pragma once
// The skin description file "VSkin.ini": a list of "Key=value" lines with no
// sections. Parsing yields a plain SkinDescription; applying it to windows
// is the main window's business.
#include <QColor>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>

// The placeable elements of the main window, in the order their keys are
// tested.
enum class SkinElement {
    VolumeUp,     // "Vol+"
    VolumeDown,   // "Vol-"
    SecondClose,  // "Qbutton"
    VolumeMeter,  // "VolMeter"
    ScrollName,   // "ScrollName": the file-name label and its scroller
    SoundType,    // "SoundType": audio-mode indicator
    TotalTime,    // "TotalTime"
    ElapsedTime,  // "ElapsedTime"
    Previous,     // "Previous"
    Play,         // "Play"
    Pause,        // "Pause"
    Stop,         // "Stop"
    Next,         // "Next"
    FullScreen,   // "Fscreen"
    Playlist,     // "Playlst"
    Open,         // "Open"
    Config,       // "Config"
    OpenPad,      // "OpenPad": pan-and-scan pad
    ClosePlayer,  // "ClosePlayer"
    MinPlayer,    // "MinPlayer"
    PadLeftUp,    // "PadLeftUp"
    PadUp,        // "PadUp"
    PadLeft,      // "PadLeft"
    PadRight,     // "PadRight"
    PadDownRight, // "PadDownRight"
    PadDown,      // "PadDown"
    SizeLabel,    // "SizeLabel"
    ProgressBar,  // "Pbar"
};
inline constexpr int kSkinElementCount = 28;

// The element's name as the description file spells it ("Vol+").
QString skinElementName(SkinElement element);

// Position and size in twips; an edge the file did not give is empty and
// leaves the control where it was.
struct TwipsGeometry {
    std::optional<double> topTwips;
    std::optional<double> leftTwips;
    std::optional<double> heightTwips;
    std::optional<double> widthTwips;

    bool operator==(const TwipsGeometry&) const = default;
};

struct SkinDescription {
    // Empty when the file had no such line; the dialog labels then keep
    // what they showed.
    std::optional<QString> name;
    std::optional<QString> author;
    std::optional<QString> comment;

    // Colour components as written; an absent key stays empty and counts as 0.
    QString scrollNameRed, scrollNameGreen, scrollNameBlue;
    QString fontColorRed, fontColorGreen, fontColorBlue;

    std::array<TwipsGeometry, kSkinElementCount> geometry{};

    TwipsGeometry& element(SkinElement e) { return geometry[std::size_t(e)]; }
    const TwipsGeometry& element(SkinElement e) const { return geometry[std::size_t(e)]; }

    // Text colour of the skinned labels; empty when a component is not a number.
    std::optional<QColor> fontColor() const;
    // Background of the scrolling file name; empty when a component is not a
    // number.
    std::optional<QColor> scrollNameColor() const;

    bool operator==(const SkinDescription&) const = default;
};

// Longest value kept; the rest of a longer line is dropped.
inline constexpr int kSkinValueMaxLength = 255;

// Applies lines one at a time, so a key given twice takes its later value.
class SkinDescriptionParser {
  public:
    // Lines that match no key (blank lines, "[Section]", "Play.top = 300")
    // are ignored. Returns whether the line matched a key.
    bool parseLine(QStringView line);
    // Splits on CR, LF or CRLF and parses every line.
    void parseText(QStringView text);

    const SkinDescription& description() const { return description_; }

  private:
    SkinDescription description_;
};

// Every key in the order it is tested, "=" included.
QStringList skinDescriptionKeys();

// Parses a whole text.
SkinDescription parseSkinDescription(QStringView text);

// Reads "VSkin.ini" from `skinFolder`; a missing or unreadable file gives
// a description with nothing set. UTF-8 is expected; a file that is not
// valid UTF-8 is read as Latin-1.
SkinDescription readSkinDescription(const QString& skinFolder);

// A colour component's text as 0..255: empty or blank counts as 0, above
// 255 counts as 255, fractions round. Empty when not a number or negative.
std::optional<int> skinColorComponent(QStringView text);

// A geometry value in twips: a decimal number with "." as the separator, or
// in the user's locale, blanks around it allowed. Empty when not a finite
// number, when its size is beyond any screen, or when a height or width
// (`isSize`) is negative.
std::optional<double> skinTwipsValue(QStringView text, bool isSize);
