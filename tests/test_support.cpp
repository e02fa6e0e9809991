#include "test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>

namespace testsupport {

QString mediaPath(const QString& name) {
    return QDir(VANTOR_TEST_MEDIA).filePath(name);
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return done();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        // As the application's own loop does; processEvents() alone never
        // deletes what deleteLater() was asked to.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(5);
    }
    return true;
}

void pumpEvents(int ms) {
    waitUntil([] { return false; }, ms);
}

} // namespace testsupport
