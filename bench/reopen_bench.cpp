// Memory, descriptors and threads over many opens through the main
// window's own path, with GStreamer's leaks tracer counting what is alive.
//   vantor_reopen_bench [OPENS]      (default 200; the test media must exist)
#include "app/frm_main.h"
#include "app/player_app.h"
#include "live_objects.h"
#include "reopen_driver.h"
#include "support/media/media_detector.h"
#include "test_support.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>
#include <gst/gst.h>

int main(int argc, char** argv) {
    limitMallocArenas();
    // Settings of its own: the user's stay untouched.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    if (!qEnvironmentVariableIsSet("GST_TRACERS"))
        qputenv("GST_TRACERS", LiveObjects::tracerSetting());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    gst_init(&argc, &argv);
    QApplication app(argc, argv);
    const int opens = argc > 1 ? std::max(10, atoi(argv[1])) : 200;

    frmMain window(QString{});
    window.Form_Load();
    LiveObjects live;
    // Descriptors and threads with the movie stopped, as after the first
    // open: a playing graph's count depends on its shape.
    QStringList descriptorTargets;
    const auto stoppedCounts = [&window, &descriptorTargets] {
        window.StopMovie();
        MediaDetector::waitForReadings();
        testsupport::pumpEvents(500);
        const std::pair counts{proc::openDescriptors(), proc::threads()};
        descriptorTargets.clear();
        const QDir fds(QStringLiteral("/proc/self/fd"));
        for (const QString& fd : fds.entryList(QDir::System | QDir::NoDotAndDotDot))
            // By kind ("socket", "pipe", "anon_inode:[eventfd]", a file's path).
            descriptorTargets.append(
                QFileInfo(fds.filePath(fd))
                    .symLinkTarget()
                    .section(u'/', -1)
                    .remove(QRegularExpression(QStringLiteral(":\\[\\d+\\]$"))));
        window.transport.play_Click();
        return counts;
    };
    std::pair<int, int> first;
    std::printf("opens  resident-MiB  descriptors  threads  live-pipelines\n");
    for (int n = 0; n < opens; ++n) {
        reopen::openNumber(window, n);
        if (!reopen::settled(window)) {
            std::fprintf(stderr, "open %d did not start\n", n + 1);
            return 1;
        }
        if (n == 0)
            first = stoppedCounts();
        reopen::exercise(window, n);
        live.update();
        const int done = n + 1;
        if (done == 1 || done == 20 || done == 50 || done % 100 == 0 || done == opens)
            std::printf("%5d  %12.1f  %11d  %7d  %14d\n", done, proc::residentKiB() / 1024.0,
                        proc::openDescriptors(), proc::threads(), live.alivePipelines());
    }
    const QStringList firstTargets = descriptorTargets;
    const std::pair last = stoppedCounts();
    QStringList added = descriptorTargets;
    for (const QString& target : firstTargets)
        added.removeOne(target);
    if (!added.isEmpty())
        std::printf("descriptors the opens added: %s\n",
                    qPrintable(added.join(QStringLiteral(", "))));
    std::printf("stopped: %d descriptors and %d threads after the first open, %d and %d after "
                "the last\n",
                first.first, first.second, last.first, last.second);
    window.ExitMe();
    testsupport::pumpEvents(300);
    std::printf("after exit: %d elements and %d buffers alive of those the opens made\n",
                live.aliveElements(), live.aliveBuffers());
    return 0;
}
