#pragma once
// Switching the display to the resolution, depth and refresh rate chosen on
// the configuration dialog's "General" page while a movie plays full screen,
// and back afterwards. The dialog shows the three lists and the check box;
// everything they drive lives here, over a DisplayBackend, so that it runs
// without widgets and tests can use a display of their own.
#include "support/models/selectable_list.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

// One mode of the output as the platform lists it.
struct DisplayMode {
    int width = 0;
    int height = 0;
    int depth = 0;        // significant colour bits; 0 when the platform does not say
    int bitsPerPixel = 0; // bits a pixel takes in memory; 0 when unknown
    int refreshHz = 0;    // rounded to whole hertz; 0 when unknown (Xvfb)
    quint64 id = 0;       // the backend's own handle of the mode
};

// Outcome of a mode change, as the messages below number them.
enum DisplayResult : int {
    DisplayChanged = 0, // also: no matching mode, nothing to do
    DisplayRestartNeeded = 1,
    DisplayDriverFailed = -1,
    DisplayModeNotSupported = -2,
    DisplaySettingsNotSaved = -3,
    DisplayBadFlags = -4,
};

// The platform's display settings for the output the player uses.
class DisplayBackend {
  public:
    virtual ~DisplayBackend() = default;
    // Modes in the platform's order; empty when the display cannot be read.
    virtual QList<DisplayMode> modes() = 0;
    virtual std::optional<DisplayMode> currentMode() = 0;
    // Sets `mode` (one of modes()). The mode in use before the first switch
    // is kept for restore(). Returns a DisplayResult.
    virtual int switchTo(const DisplayMode& mode) = 0;
    // Puts back the mode kept by the first switchTo() and forgets it;
    // DisplayChanged when nothing was switched.
    virtual int restore() = 0;
    // Whether this display lets a client change its mode at all.
    virtual bool canSwitch() { return true; }
};

enum class MessageIcon { Question, Critical };

struct DisplayMessage {
    QString text;
    MessageIcon icon = MessageIcon::Critical;
};

// The message a result code is reported with; none for success, "no
// matching mode" and unknown codes.
std::optional<DisplayMessage> displayResultMessage(int result);

// One entry of the dialog's lists and the number it carries.
struct ListEntry {
    QString text;
    int itemData = 0;
    int height = 0;      // resolutions: the height that goes with the width
    bool offered = true; // some mode of the display has it (true when unknown)
};

const QList<ListEntry>& resolutionEntries(); // cmbres: item data is the width
const QList<ListEntry>& colourEntries();     // cmbcols: bits per pixel
const QList<ListEntry>& refreshEntries();    // cmbHz: hertz

// The three lists for a display: the fixed entries first, in their order,
// since the settings keep list indexes; then each size, depth and rate the
// display's modes have that the fixed entries lack, in the display's order.
// Fixed entries no mode has are marked not offered. With no modes known,
// the fixed entries alone, all offered.
struct DisplayModeLists {
    QList<ListEntry> resolutions;
    QList<ListEntry> colours;
    QList<ListEntry> rates;
};
DisplayModeLists listsFor(const QList<DisplayMode>& modes);

// Whether `mode` is the requested one. Depth is compared only where the
// platform reports it; a request of 24 or 32 bits matches a 24-bit depth
// stored in 32-bit pixels.
bool modeMatches(const DisplayMode& mode, int width, int height, int bits, int refreshHz);

class DisplayModeSwitch {
  public:
    struct Hooks {
        // Pauses the movie; returns whether it was playing, so that only a
        // movie that played is resumed.
        std::function<bool()> pauseMovie;
        std::function<void()> playMovie;
        // Shows a message box; without one, messages are only kept in
        // lastMessage().
        std::function<void(const DisplayMessage&)> showMessage;
        // Tells a refusal met on the way into or out of full screen without
        // stopping anything (the title, not a modal box).
        std::function<void(const DisplayMessage&)> note;
    };

    // `backend` must outlive this object.
    explicit DisplayModeSwitch(DisplayBackend& backend, Hooks hooks = {});

    // The dialog's lists, filled for the backend's display (listsFor);
    // nothing chosen.
    SelectableList cmbres;
    SelectableList cmbcols;
    SelectableList cmbHz;
    // "Change resolution when you switch to full screen": 0 or 1.
    int CheckRes = 0;
    // The lists can be used only while CheckRes is checked.
    bool listsEnabled() const { return CheckRes == 1; }

    // True from the start of a switch until RestoreScrRes has put the old
    // mode back; a restore the display refused leaves it set, so the exit
    // tries again. The player's one record of a switched mode.
    bool ModeChanged = false;
    // The screen's size in pixels, taken at start-up.
    short ScreenWidth = 0;
    short ScreenHeight = 0;

    // Item data of the chosen entry of one of the three lists; none when
    // nothing (or an unknown text) is chosen.
    std::optional<int> ItemData(const SelectableList& list) const;
    // The entries behind one of the three lists.
    const QList<ListEntry>& entries(const SelectableList& list) const;
    // The entry of `list` that the display's current mode has; -1 when the
    // display does not say. A fresh dialog shows it instead of a blank.
    int currentEntry(const SelectableList& list) const;

    // Switches to the chosen mode, pausing the movie meanwhile. Does nothing
    // when a list has no entry chosen.
    void ChangeReso();
    // Puts back the mode the display had before the switch.
    void RestoreScrRes();
    // Full-screen entry and exit: switch and restore only while CheckRes is
    // checked and the display can switch. A refusal is noted, never shown
    // in a box, and no switch is tried again.
    void enterFullScreen();
    void leaveFullScreen();
    // The display can change modes: not a Wayland session's X server, and
    // no switch has been refused.
    bool switchable() const { return backend_.canSwitch() && !refused_; }

    // Sets the first listed mode that matches all four values and reports a
    // refusal with its message. Returns the DisplayResult; DisplayChanged
    // also when no mode matched.
    int SetDisplayMode(int width, int height, int bits, int refreshHz);

    std::optional<DisplayMessage> lastMessage() const { return lastMessage_; }

  private:
    const ListEntry* chosenEntry(const SelectableList& list) const;
    void report(int result);

    DisplayBackend& backend_;
    Hooks hooks_;
    DisplayModeLists lists_;
    std::optional<DisplayMode> current_; // at start-up, before any switch
    std::optional<DisplayMessage> lastMessage_;
    bool refused_ = false;
    bool quiet_ = false; // on the way into or out of full screen
};
