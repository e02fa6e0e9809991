// Test entry: private folders, GStreamer's leaks tracer, offscreen by default.
#include "app/player_app.h"
#include "live_objects.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gst/gst.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    limitMallocArenas(); // as the player does
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
    // What the machine has installed (another player's entries, ours) stays out.
    qputenv("XDG_DATA_DIRS", home.filePath("system-data").toUtf8());
    qputenv("XDG_RUNTIME_DIR", home.filePath("runtime").toUtf8());
    QDir().mkpath(home.filePath("runtime"));
    QFile::setPermissions(home.filePath("runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // GStreamer's own count of what is alive, for the tests that close graphs.
    if (qEnvironmentVariableIsEmpty("GST_TRACERS"))
        qputenv("GST_TRACERS", LiveObjects::tracerSetting());
    ::testing::InitGoogleTest(&argc, argv);
    gst_init(nullptr, nullptr);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
