#include "app/player_app.h"

#include "app/command_line.h"
#include "app/frm_main.h"
#include "app/mpris_service.h"
#include "app/unix_signals.h"
#include "video/renderer_window.h"

#include <QApplication>
#include <gst/gst.h>

int runPlayer(int argc, char** argv) {
    gst_init(&argc, &argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantor Meridian"));
    QApplication::setOrganizationName(QStringLiteral("OrvaneSoft"));
    installRendererWindows();

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    frmMain window(joinArguments(arguments));
    UnixSignals signalsWatch;
    QObject::connect(&signalsWatch, &UnixSignals::terminateRequested, &window, &frmMain::ExitMe);
    window.Form_Load();
    MprisService mpris(window);
    const int code = QApplication::exec();
    window.Form_Terminate();
    return code;
}
