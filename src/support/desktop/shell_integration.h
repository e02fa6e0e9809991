#pragma once
// The desktop's side of the player: registering it as the handler of its
// movie types (an XDG desktop entry plus default-application lines in
// mimeapps.list, both per user), and the taskbar around full screen.
#include <QString>
#include <QStringList>

// Desktop file ID of the player's entry; the media-player D-Bus interface
// names the same one.
QString playerDesktopId();

// The extensions the Register button associates, in its order.
QStringList playerFileExtensions();

// Media types files with `extension` (no dot) are known by: the usual name
// plus the MIME database's own when it differs. Empty for an extension that
// is not one of playerFileExtensions().
QStringList mediaTypesForExtension(const QString& extension);

// The Exec value that starts `executablePath` on one file: the path quoted
// and escaped as desktop entries require, then " %f".
QString desktopExecValue(const QString& executablePath);

// Makes the player the user's default application for the types of
// `extension`: writes (or updates) the desktop entry under
// $XDG_DATA_HOME/applications and the lines of $XDG_CONFIG_HOME/mimeapps.list.
// Repeating it changes nothing; other lines of mimeapps.list are kept; files
// are replaced atomically. `executablePath` must be absolute and free of
// control characters. Returns false, with the reason in `error`, when
// nothing or not everything could be written.
bool AssociateFileType(const QString& extension, const QString& productTitle,
                       const QString& executablePath, QString* error = nullptr);

struct RegistrationResult {
    bool ok = false;
    QString message; // "Done !" when every type was registered
};

// The Register button: every extension of playerFileExtensions() in order,
// then the text to show.
RegistrationResult RegisterFileTypes(const QString& productTitle, const QString& executablePath);

// Around full screen. The full-screen window state already covers panels
// under EWMH window managers, and X11 offers no request to hide another
// client's dock, so both leave the panels alone; neither can fail.
void HideTaskbar();
void ShowTaskbar();
