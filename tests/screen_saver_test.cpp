// The screen saver held off through the desktop's service, which may answer late.
#include "support/desktop/screen_saver.h"
#include "test_support.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A screen-saver service that answers Inhibit two seconds late.
class SlowScreenSaver : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
  public:
    QList<uint> released;

  public Q_SLOTS:
    uint Inhibit(const QString&, const QString&) {
        setDelayedReply(true);
        const QDBusMessage call = message();
        QDBusConnection bus = connection();
        QTimer::singleShot(2000, this, [call, bus] { bus.send(call.createReply(uint(7))); });
        return 0;
    }
    void UnInhibit(uint cookie) { released << cookie; }
};

} // namespace

TEST(ScreenSaver, WithoutABusNothingIsAskedAndASlowServiceNeverHoldsUpThePlayer) {
    ScreenSaverInhibitor none(QDBusConnection::connectToBus("unix:path=/nonexistent", "none"));
    EXPECT_FALSE(none.setActive(false));
    QDBusConnection::disconnectFromBus("none");
    if (QStandardPaths::findExecutable("dbus-daemon").isEmpty())
        GTEST_SKIP() << "dbus-daemon is not installed";
    QProcess daemon;
    daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
    ASSERT_TRUE(daemon.waitForReadyRead(5000));
    const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
    {
        QDBusConnection service = QDBusConnection::connectToBus(address, "service");
        QDBusConnection player = QDBusConnection::connectToBus(address, "player");
        ASSERT_TRUE(service.isConnected() && player.isConnected());
        SlowScreenSaver saver;
        ASSERT_TRUE(service.registerObject("/org/freedesktop/ScreenSaver", &saver,
                                           QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(service.registerService("org.freedesktop.ScreenSaver"));

        ScreenSaverInhibitor inhibitor(player);
        QElapsedTimer clock;
        clock.start();
        EXPECT_TRUE(inhibitor.setActive(false));
        EXPECT_LT(clock.elapsed(), 500) << "the player does not wait for the answer";
        EXPECT_TRUE(testsupport::waitUntil([&] { return inhibitor.cookie() == 7; }, 5000));
        inhibitor.setActive(true);
        EXPECT_TRUE(testsupport::waitUntil([&] { return saver.released == QList<uint>{7}; }, 3000));

        // Let go before the answer came: the hold is undone when it comes.
        inhibitor.setActive(false);
        inhibitor.setActive(true);
        const QList<uint> twice{7, 7};
        EXPECT_TRUE(testsupport::waitUntil([&] { return saver.released == twice; }, 5000));
        EXPECT_EQ(inhibitor.cookie(), 0u);
    }
    QDBusConnection::disconnectFromBus("service");
    QDBusConnection::disconnectFromBus("player");
    daemon.terminate();
    daemon.waitForFinished(3000);
}

#include "screen_saver_test.moc"
