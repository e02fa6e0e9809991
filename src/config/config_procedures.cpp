#include "config/config_procedures.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
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

namespace {
// The inhibition we hold, 0 when none; one per process is enough.
uint g_inhibitCookie = 0;
} // namespace

bool SetScreenSaverActive(bool active) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusInterface saver(QStringLiteral("org.freedesktop.ScreenSaver"),
                         QStringLiteral("/org/freedesktop/ScreenSaver"),
                         QStringLiteral("org.freedesktop.ScreenSaver"), bus);
    if (!saver.isValid())
        return false;
    if (active) {
        if (g_inhibitCookie == 0)
            return true;
        const QDBusMessage reply = saver.call(QStringLiteral("UnInhibit"), g_inhibitCookie);
        if (reply.type() == QDBusMessage::ErrorMessage)
            return false;
        g_inhibitCookie = 0;
        return true;
    }
    if (g_inhibitCookie != 0)
        return true;
    const QDBusReply<uint> reply =
        saver.call(QStringLiteral("Inhibit"), QStringLiteral("vantorplay"),
                   QStringLiteral("The player keeps the screen on"));
    if (!reply.isValid())
        return false;
    g_inhibitCookie = reply.value();
    return true;
}
