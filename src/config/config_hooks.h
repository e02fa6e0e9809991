#pragma once
// What the configuration dialog asks of other windows: the main window
// fills these in, tests replace the dialogs and message boxes.
#include "support/media/filter_graph.h"

#include <QColor>
#include <QFont>
#include <QUrl>
#include <functional>
#include <optional>

// What "Choose..." asks the user for.
struct SubtitleFontChoice {
    QString name;
    QString size;
    QColor colour;
};

// Everything the dialog asks of other windows. Unset hooks do nothing.
struct ConfigHooks {
    // Critical message boxes (default: QMessageBox).
    std::function<void(const QString&)> critical;
    // The registered filters (default: FilterGraph::regFilterCollection).
    std::function<QList<RegFilterInfo>()> registeredFilters;
    // The font dialog behind "Choose..." (default: QFontDialog, then a colour
    // dialog); nothing when the user cancels.
    std::function<std::optional<SubtitleFontChoice>(const SubtitleFontChoice&)> chooseFont;
    // Opens a web address (default: QDesktopServices).
    std::function<void(const QUrl&)> openUrl;

    // Replace the decoder registry copies (AnalyseReg, WriteReg) when set.
    std::function<void()> analyseReg;
    std::function<void()> writeReg;
    // Replaces the speaker list's click (default: chooseSpeakerMode with the
    // program folder's presets).
    std::function<void(int row)> speakerModeChosen;
    // Show picture-store slot `slot` in the main window's speaker indicator.
    std::function<void(int slot)> setSpeakerPicture;
    // The skin in skinFolder() is to be loaded.
    std::function<void()> skinLoad;

    // Problems that stop nothing, such as a file that cannot be saved
    // (default: the critical box).
    std::function<void(const QString&)> warn;
    // Information boxes ("Limited to 10 DAR"; default: QMessageBox).
    std::function<void(const QString&)> information;
    // The full-screen layout for the preset now chosen.
    std::function<void()> applyDAR;
    // The context menu's preset captions, all nine items.
    std::function<void(const QStringList& captions)> setAspectMenuCaptions;

    // The subtitle window's three lines.
    std::function<void(const QFont& font, const QColor& colour)> applySubtitleFont;
    std::function<void(int characterSetNumber)> applyCharacterSet;
    // The main window: whether its title scrolls ("Scroll Movie title").
    std::function<void(bool on)> setTitleScrolling;
    std::function<void()> startOverlayDetection; // "Redetect" with a movie open
    std::function<void()> refreshRegisteredFilters;
    // Opens the current movie again at its position, with its subtitles.
    std::function<void()> reopenMovie;
    std::function<void()> minimizeMainWindow;
    // File association ("Register").
    std::function<void()> registerFileTypes;
    // Screen saver on or off (default: SetScreenSaverActive).
    std::function<bool(bool active)> setScreenSaverActive;
};
