#include "support/desktop/screen_saver.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
QDBusMessage screenSaverCall(const QString& method) {
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.ScreenSaver"),
                                          QStringLiteral("/org/freedesktop/ScreenSaver"),
                                          QStringLiteral("org.freedesktop.ScreenSaver"), method);
}
} // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(QDBusConnection bus) : bus_(std::move(bus)) {}

bool ScreenSaverInhibitor::setActive(bool active) {
    if (!bus_.isConnected())
        return false;
    wantActive_ = active;
    if (active)
        release();
    else
        inhibit();
    return true;
}

void ScreenSaverInhibitor::inhibit() {
    if (cookie_ != 0 || asking_)
        return;
    QDBusMessage call = screenSaverCall(QStringLiteral("Inhibit"));
    call << QStringLiteral("vantorplay") << QStringLiteral("The player keeps the screen on");
    asking_ = true;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [this](QDBusPendingCallWatcher* done) {
                         const QDBusPendingReply<uint> reply = *done;
                         done->deleteLater();
                         asking_ = false;
                         if (reply.isValid())
                             cookie_ = reply.value();
                         // The player changed its mind while we waited.
                         if (wantActive_)
                             release();
                     });
}

void ScreenSaverInhibitor::release() {
    if (cookie_ == 0)
        return; // an Inhibit on its way is undone when it is answered
    QDBusMessage call = screenSaverCall(QStringLiteral("UnInhibit"));
    call << cookie_;
    cookie_ = 0;
    bus_.asyncCall(call);
}
