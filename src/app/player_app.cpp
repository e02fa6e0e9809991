#include "app/player_app.h"

#include "app/command_line.h"
#include "app/exit_deadline.h"
#include "app/frm_main.h"
#include "app/help_text.h"
#include "app/mpris_service.h"
#include "app/unix_signals.h"
#include "support/media/filter_graph.h"
#include "support/trace/first_frame_trace.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <cstdio>
#include <gst/gst.h>
#include <malloc.h>

void limitMallocArenas() {
    mallopt(M_ARENA_MAX, 2);
}

namespace {

bool isFile(const QString& path) {
    return QFileInfo(path).isFile();
}

// The skinned layout places its own windows, shapes them and may switch the
// display mode: a Wayland compositor lets clients do none of these, its X
// server (XWayland) all but the last. So a Wayland session runs the player
// through XWayland, and natively only where there is none. A platform the
// user names still wins.
void preferXWayland() {
    const bool wayland =
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
    if (wayland && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
}

} // namespace

int runPlayer(int argc, char** argv) {
    firstframe::mark("main");
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    const Invocation invocation = readInvocation(args, isFile);
    switch (invocation.kind) {
    case Invocation::Help:
        fputs(helpText().toLocal8Bit().constData(), stdout);
        return 0;
    case Invocation::Version:
        fputs("vantorplay " VANTOR_VERSION "\n", stdout);
        return 0;
    case Invocation::Unknown:
        fprintf(stderr, "%s\n", invocation.problem.toLocal8Bit().constData());
        return 2;
    case Invocation::Play:
        break;
    }
    limitMallocArenas();
    gst_init(&argc, &argv);
    firstframe::mark("framework ready");
    preferXWayland();
    QApplication app(argc, argv);
    firstframe::mark("application ready");
    QApplication::setApplicationName(QStringLiteral("Vantor Meridian"));
    QApplication::setOrganizationName(QStringLiteral("OrvaneSoft"));
    // The image plugins load now, and the regular expressions' per-thread
    // state is set up, before the decoders start loading on another thread:
    // both take the dynamic loader's lock, which that loading holds for a
    // tenth of a second.
    QImageReader::supportedImageFormats();
    [[maybe_unused]] const auto warmed =
        QRegularExpression(QStringLiteral("^.$")).match(QStringLiteral("x"));
    // Its thread starts before the preparation's loading holds the
    // loader's lock.
    ExitDeadline::install();
    FilterGraph::prepareInBackground();

    // Before any window: a signal during start-up waits for the first event
    // loop (a message box's, or the main one), and its deadline holds anyway.
    UnixSignals signalsWatch;
    frmMain window(invocation.line);
    firstframe::mark("main window made");
    QObject::connect(&signalsWatch, &UnixSignals::terminateRequested, &window, &frmMain::ExitMe);
    window.Form_Load();
    firstframe::mark("windows loaded");
    if (!invocation.files.isEmpty())
        window.openFiles(invocation.files);
    firstframe::mark("graph built and started");
    MprisService mpris(window);
    // An exit asked for in a message box's loop during start-up has already
    // run: starting the main loop now would keep a hidden player.
    const int code = window.exiting() ? 0 : QApplication::exec();
    window.Form_Terminate();
    return code;
}
