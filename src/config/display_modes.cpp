#include "display_modes.h"

#include <QCoreApplication>

namespace {

QStringList textsOf(const QList<ListEntry>& entries) {
    QStringList texts;
    for (const ListEntry& entry : entries)
        texts << entry.text;
    return texts;
}

const QList<ListEntry>& tableFor(const DisplayModeSwitch& owner, const SelectableList& list) {
    static const QList<ListEntry> none;
    if (&list == &owner.cmbres)
        return resolutionEntries();
    if (&list == &owner.cmbcols)
        return colourEntries();
    if (&list == &owner.cmbHz)
        return refreshEntries();
    return none;
}

} // namespace

std::optional<DisplayMessage> displayResultMessage(int result) {
    switch (result) {
    case DisplayRestartNeeded:
        return DisplayMessage{
            QStringLiteral("The computer must be restarted in order for the graphics mode to work"),
            MessageIcon::Question};
    case DisplayDriverFailed:
        return DisplayMessage{
            QStringLiteral("The display driver failed the specified graphics mode"),
            MessageIcon::Critical};
    case DisplayModeNotSupported:
        return DisplayMessage{QStringLiteral("The graphics mode is not supported"),
                              MessageIcon::Critical};
    case DisplaySettingsNotSaved:
        return DisplayMessage{QStringLiteral("Unable to write settings to the registry"),
                              MessageIcon::Critical};
    case DisplayBadFlags:
        return DisplayMessage{QStringLiteral("An invalid set of flags was passed in"),
                              MessageIcon::Critical};
    default:
        return std::nullopt;
    }
}

const QList<ListEntry>& resolutionEntries() {
    static const QList<ListEntry> entries{{QStringLiteral("640x480"), 640},
                                          {QStringLiteral("800x600"), 800},
                                          {QStringLiteral("1024x768"), 1024},
                                          {QStringLiteral("1152x864"), 1152},
                                          {QStringLiteral("1600x1200"), 1600}};
    return entries;
}

const QList<ListEntry>& colourEntries() {
    static const QList<ListEntry> entries{{QStringLiteral("4-bit, 16 colours"), 4},
                                          {QStringLiteral("8-bit, 256 colours"), 8},
                                          {QStringLiteral("15-bit, 32768 colours"), 15},
                                          {QStringLiteral("16-bit, 65536 colours"), 16},
                                          {QStringLiteral("24-bit, 16.7M colours"), 24},
                                          {QStringLiteral("32-bit, 16.7M colours"), 32}};
    return entries;
}

const QList<ListEntry>& refreshEntries() {
    static const QList<ListEntry> entries{
        {QStringLiteral("60 Hz"), 60}, {QStringLiteral("70 Hz"), 70},
        {QStringLiteral("72 Hz"), 72}, {QStringLiteral("75 Hz"), 75},
        {QStringLiteral("85 Hz"), 85}, {QStringLiteral("100 Hz"), 100}};
    return entries;
}

std::optional<int> heightForWidth(int width) {
    switch (width) {
    case 640:
        return 480;
    case 800:
        return 600;
    case 1024:
        return 768;
    case 1152:
        return 864;
    case 1600:
        return 1200;
    default:
        return std::nullopt;
    }
}

bool modeMatches(const DisplayMode& mode, int width, int height, int bits, int refreshHz) {
    if (mode.width != width || mode.height != height || mode.refreshHz != refreshHz)
        return false;
    if (mode.depth == 0 && mode.bitsPerPixel == 0)
        return true;
    return bits == mode.depth || bits == mode.bitsPerPixel;
}

DisplayModeSwitch::DisplayModeSwitch(DisplayBackend& backend, Hooks hooks)
    : backend_(backend), hooks_(std::move(hooks)) {
    cmbres.setItems(textsOf(resolutionEntries()));
    cmbcols.setItems(textsOf(colourEntries()));
    cmbHz.setItems(textsOf(refreshEntries()));
}

std::optional<int> DisplayModeSwitch::ItemData(const SelectableList& list) const {
    // By text, so the number stays with its entry whatever the list's order.
    const QString chosen = list.text();
    for (const ListEntry& entry : tableFor(*this, list)) {
        if (!chosen.isEmpty() && entry.text == chosen)
            return entry.itemData;
    }
    return std::nullopt;
}

void DisplayModeSwitch::ChangeReso() {
    const std::optional<int> width = ItemData(cmbres);
    const std::optional<int> height = width ? heightForWidth(*width) : std::nullopt;
    const std::optional<int> bits = ItemData(cmbcols);
    const std::optional<int> rate = ItemData(cmbHz);
    // Checked before anything changes, so an incomplete choice neither leaves
    // the movie paused nor a switch pending.
    if (!height || !bits || !rate)
        return;

    ModeChanged = true;
    const bool wasPlaying = hooks_.pauseMovie ? hooks_.pauseMovie() : false;
    SetDisplayMode(*width, *height, *bits, *rate);
    // The player's windows take the new screen size before the picture moves.
    QCoreApplication::processEvents();
    if (wasPlaying && hooks_.playMovie)
        hooks_.playMovie();
}

void DisplayModeSwitch::RestoreScrRes() {
    const bool wasPlaying = hooks_.pauseMovie ? hooks_.pauseMovie() : false;
    // The mode kept at the switch, whole: the start-up size with the
    // full-screen depth and rate may not exist and would strand the display.
    const int result = backend_.restore();
    report(result);
    QCoreApplication::processEvents();
    if (wasPlaying && hooks_.playMovie)
        hooks_.playMovie();
    ModeChanged = result != DisplayChanged;
}

void DisplayModeSwitch::enterFullScreen() {
    if (CheckRes != 1 || !switchable())
        return;
    quiet_ = true;
    ChangeReso();
    quiet_ = false;
}

void DisplayModeSwitch::leaveFullScreen() {
    if (CheckRes != 1 || !ModeChanged)
        return;
    quiet_ = true;
    RestoreScrRes();
    quiet_ = false;
}

int DisplayModeSwitch::SetDisplayMode(int width, int height, int bits, int refreshHz) {
    int result = DisplayChanged;
    const QList<DisplayMode> modes = backend_.modes();
    for (const DisplayMode& mode : modes) {
        if (modeMatches(mode, width, height, bits, refreshHz)) {
            result = backend_.switchTo(mode);
            break;
        }
    }
    report(result);
    return result;
}

void DisplayModeSwitch::report(int result) {
    const std::optional<DisplayMessage> message = displayResultMessage(result);
    if (!message)
        return;
    lastMessage_ = message;
    refused_ = refused_ || result < 0;
    const auto& tell = quiet_ ? hooks_.note : hooks_.showMessage;
    if (tell)
        tell(*message);
}
