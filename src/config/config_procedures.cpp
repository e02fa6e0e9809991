#include "config/config_procedures.h"

#include "support/desktop/screen_saver.h"

#include <QFile>
#include <QFileInfo>

bool FileExists(const QString& path) {
    if (path.isEmpty() || QFileInfo(path).isDir())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    file.close();
    return true;
}

bool SetScreenSaverActive(bool active) {
    // One hold per process; the session bus is asked once it is needed.
    static ScreenSaverInhibitor inhibitor(QDBusConnection::sessionBus());
    return inhibitor.setActive(active);
}
