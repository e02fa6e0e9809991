#include "display_modes.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

QStringList textsOf(const QList<ListEntry>& entries) {
    QStringList texts;
    for (const ListEntry& entry : entries)
        texts << entry.text;
    return texts;
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
    static const QList<ListEntry> entries{{QStringLiteral("640x480"), 640, 480},
                                          {QStringLiteral("800x600"), 800, 600},
                                          {QStringLiteral("1024x768"), 1024, 768},
                                          {QStringLiteral("1152x864"), 1152, 864},
                                          {QStringLiteral("1600x1200"), 1600, 1200}};
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

namespace {

bool sameEntry(const ListEntry& entry, int value, int height) {
    return entry.itemData == value && entry.height == height;
}

// The fixed entries, marked by what the display has, then what it adds.
// `valuesOf` gives the (value, height) pairs one mode stands for.
template <typename ValuesOf, typename TextOf>
QList<ListEntry> listFor(const QList<ListEntry>& fixed, const QList<DisplayMode>& modes,
                         ValuesOf valuesOf, TextOf textOf) {
    QList<ListEntry> list = fixed;
    for (ListEntry& entry : list)
        entry.offered = modes.isEmpty();
    for (const DisplayMode& mode : modes) {
        for (const std::pair<int, int>& values : valuesOf(mode)) {
            const int value = values.first;
            const int height = values.second;
            if (value <= 0)
                continue; // not reported: nothing to offer
            auto known = std::find_if(list.begin(), list.end(), [&](const ListEntry& e) {
                return sameEntry(e, value, height);
            });
            if (known != list.end())
                known->offered = true;
            else
                list << ListEntry{textOf(value, height), value, height, true};
        }
    }
    return list;
}

using Values = QList<std::pair<int, int>>;

} // namespace

DisplayModeLists listsFor(const QList<DisplayMode>& modes) {
    DisplayModeLists lists;
    lists.resolutions = listFor(
        resolutionEntries(), modes,
        [](const DisplayMode& m) {
            return Values{{m.width, m.height}};
        },
        [](int w, int h) { return QStringLiteral("%1x%2").arg(w).arg(h); });
    // A 24-bit depth stored in 32-bit pixels answers to both entries.
    lists.colours = listFor(
        colourEntries(), modes,
        [](const DisplayMode& m) {
            return Values{{m.depth, 0}, {m.bitsPerPixel, 0}};
        },
        [](int bits, int) { return QStringLiteral("%1-bit").arg(bits); });
    lists.rates = listFor(
        refreshEntries(), modes,
        [](const DisplayMode& m) {
            return Values{{m.refreshHz, 0}};
        },
        [](int hz, int) { return QStringLiteral("%1 Hz").arg(hz); });
    return lists;
}

bool modeMatches(const DisplayMode& mode, int width, int height, int bits, int refreshHz) {
    if (mode.width != width || mode.height != height || mode.refreshHz != refreshHz)
        return false;
    if (mode.depth == 0 && mode.bitsPerPixel == 0)
        return true;
    return bits == mode.depth || bits == mode.bitsPerPixel;
}

DisplayModeSwitch::DisplayModeSwitch(DisplayBackend& backend, Hooks hooks)
    : backend_(backend), hooks_(std::move(hooks)), lists_(listsFor(backend.modes())),
      current_(backend.currentMode()) {
    cmbres.setItems(textsOf(lists_.resolutions));
    cmbcols.setItems(textsOf(lists_.colours));
    cmbHz.setItems(textsOf(lists_.rates));
}

const QList<ListEntry>& DisplayModeSwitch::entries(const SelectableList& list) const {
    static const QList<ListEntry> none;
    if (&list == &cmbres)
        return lists_.resolutions;
    if (&list == &cmbcols)
        return lists_.colours;
    if (&list == &cmbHz)
        return lists_.rates;
    return none;
}

int DisplayModeSwitch::currentEntry(const SelectableList& list) const {
    if (!current_)
        return -1;
    const QList<ListEntry>& all = entries(list);
    const int value = &list == &cmbres    ? current_->width
                      : &list == &cmbcols ? current_->depth
                                          : current_->refreshHz;
    const int height = &list == &cmbres ? current_->height : 0;
    for (int i = 0; i < all.size(); ++i) {
        if (value > 0 && sameEntry(all[i], value, height))
            return i;
    }
    return -1;
}

const ListEntry* DisplayModeSwitch::chosenEntry(const SelectableList& list) const {
    // By text, so the number stays with its entry whatever the list's order.
    const QString chosen = list.text();
    for (const ListEntry& entry : entries(list)) {
        if (!chosen.isEmpty() && entry.text == chosen)
            return &entry;
    }
    return nullptr;
}

std::optional<int> DisplayModeSwitch::ItemData(const SelectableList& list) const {
    const ListEntry* entry = chosenEntry(list);
    return entry ? std::optional<int>(entry->itemData) : std::nullopt;
}

void DisplayModeSwitch::ChangeReso() {
    const ListEntry* size = chosenEntry(cmbres);
    const std::optional<int> bits = ItemData(cmbcols);
    const std::optional<int> rate = ItemData(cmbHz);
    // Checked before anything changes, so an incomplete choice neither leaves
    // the movie paused nor a switch pending.
    if (!size || !bits || !rate)
        return;

    ModeChanged = true;
    const bool wasPlaying = hooks_.pauseMovie ? hooks_.pauseMovie() : false;
    SetDisplayMode(size->itemData, size->height, *bits, *rate);
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
