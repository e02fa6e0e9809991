#include "support/desktop/file_dialogs.h"
#include "support/desktop/shell_integration.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <glib.h>
#include <gtest/gtest.h>

namespace {

QString read(const QString& path) {
    return QString::fromUtf8(testsupport::readFile(path));
}

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_FALSE(testsupport::writeFile(path, bytes).isEmpty());
}

QStringList linesStarting(const QString& text, const QString& prefix) {
    return text.split(u'\n').filter(QRegularExpression('^' + QRegularExpression::escape(prefix)));
}

// An Exec line's arguments as launchers take them: unescape, unquote, %% to %.
QStringList execArguments(const QString& entryPath, const char* group = "Desktop Entry") {
    g_autoptr(GKeyFile) file = g_key_file_new();
    g_key_file_load_from_file(file, QFile::encodeName(entryPath).constData(), G_KEY_FILE_NONE,
                              nullptr);
    g_autofree gchar* exec = g_key_file_get_string(file, group, "Exec", nullptr);
    g_auto(GStrv) argv = nullptr;
    QStringList args;
    if (exec && g_shell_parse_argv(exec, nullptr, &argv, nullptr))
        for (gchar** a = argv; *a; ++a)
            args << QString::fromUtf8(*a).replace(QStringLiteral("%%"), QStringLiteral("%"));
    return args;
}

class ShellIntegrationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QFile::remove(entry);
        QFile::remove(mimeApps);
    }
    void TearDown() override { SetUp(); }

    // The test main points both at private folders.
    const QString entry = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                          "/applications/vantorplay.desktop";
    const QString mimeApps =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/mimeapps.list";
    const QString player = "/opt/Vantor Meridian/vantorplay";
};

TEST_F(ShellIntegrationTest, RegisteringTwiceLeavesOneEntryAndOneLinePerType) {
    ASSERT_TRUE(qEnvironmentVariable("XDG_DATA_HOME").contains(QDir::tempPath()));

    const RegistrationResult first = RegisterFileTypes("Vantor Meridian", player);
    EXPECT_TRUE(first.ok);
    EXPECT_EQ(first.message, "Done !");
    const QString entryText = read(entry);
    const QString listText = read(mimeApps);

    EXPECT_TRUE(RegisterFileTypes("Vantor Meridian", player).ok);
    EXPECT_EQ(read(entry), entryText);
    EXPECT_EQ(read(mimeApps), listText);
    EXPECT_EQ(QDir(QFileInfo(entry).path()).entryList(QDir::Files),
              QStringList{"vantorplay.desktop"});

    EXPECT_EQ(listText.count("[Default Applications]"), 1);
    for (const char* type : {"video/x-msvideo", "video/mpeg", "video/x-ms-asf"}) {
        const QString key = QString::fromLatin1(type) + "=";
        // Once under the defaults, once under the added associations.
        EXPECT_EQ(linesStarting(listText, key),
                  QStringList({key + "vantorplay.desktop;", key + "vantorplay.desktop;"}));
        EXPECT_TRUE(linesStarting(entryText, "MimeType=").value(0).contains(key.chopped(1) + ";"));
    }
}

TEST_F(ShellIntegrationTest, ProgramPathsWithAwkwardCharactersSurviveTheExecLine) {
    const QStringList paths = {player, "/home/a b/it's \"quoted\"/$HOME/`x`/100%/back\\slash/vp",
                               "/tmp/ leading space/vantorplay"};
    for (const QString& path : paths) {
        ASSERT_TRUE(AssociateFileType("avi", "Vantor Meridian", path));
        EXPECT_EQ(execArguments(entry), QStringList({path, "%f"})) << path.toStdString();
        EXPECT_EQ(execArguments(entry, "Desktop Action play"), QStringList({path, "%f"}));
    }

    if (QStandardPaths::findExecutable("desktop-file-validate").isEmpty())
        return;
    QProcess validate;
    validate.start("desktop-file-validate", {entry});
    ASSERT_TRUE(validate.waitForFinished(10000));
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();
}

TEST_F(ShellIntegrationTest, OtherLinesOfMimeAppsListAreKept) {
    write(mimeApps, "# mine\n"
                    "[Default Applications]\n"
                    "text/plain=editor.desktop;\n"
                    "video/mpeg=other.desktop;vantorplay.desktop;\n"
                    "VIDEO/MPEG=third.desktop\n"
                    "\n"
                    "[Removed Associations]\n"
                    "video/mpeg=gone.desktop;\n");
    ASSERT_TRUE(AssociateFileType("mpg", "Vantor Meridian", player));
    // The other case's line folds into ours; only the type asked for is added.
    EXPECT_EQ(read(mimeApps).toStdString(),
              "# mine\n[Default Applications]\ntext/plain=editor.desktop;\n"
              "video/mpeg=vantorplay.desktop;other.desktop;third.desktop;\n"
              "\n[Removed Associations]\nvideo/mpeg=gone.desktop;\n"
              "\n[Added Associations]\nvideo/mpeg=vantorplay.desktop;\n");
}

TEST_F(ShellIntegrationTest, UnusableInputWritesNothingAndFailuresAreNotDone) {
    QString error;
    EXPECT_FALSE(AssociateFileType("avi", "Vantor Meridian", "vantorplay", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(AssociateFileType("avi", "Vantor Meridian", "/opt/v\nExec=evil", &error));
    EXPECT_FALSE(AssociateFileType("exe", "Vantor Meridian", player, &error));
    EXPECT_FALSE(AssociateFileType("../avi", "Vantor Meridian", player, &error));
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_FALSE(QFile::exists(mimeApps));
    EXPECT_FALSE(RegisterFileTypes("Vantor Meridian", "relative/vantorplay").ok);

    // A folder where the list should be: writing fails and says so.
    ASSERT_TRUE(QDir().mkpath(mimeApps));
    const RegistrationResult result = RegisterFileTypes("Vantor Meridian", player);
    QDir(mimeApps).removeRecursively();
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message, "Done !");
    EXPECT_TRUE(result.message.contains("mimeapps.list"));
}

} // namespace

TEST_F(ShellIntegrationTest, TheInstalledEntryIsUsedWhenItCoversTheTypes) {
    const QString system = qEnvironmentVariable("XDG_DATA_DIRS");
    ASSERT_TRUE(system.contains(QDir::tempPath()));
    const QString installed = system + "/applications/vantorplay.desktop";
    QStringList types;
    for (const QString& ext : playerFileExtensions())
        types += mediaTypesForExtension(ext);
    const QByteArray head = "[Desktop Entry]\nType=Application\nName=Vantor Meridian\n"
                            "Exec=vantorplay %F\nMimeType=";
    write(installed, head + types.join(';').toUtf8() + ";\n");
    EXPECT_TRUE(RegisterFileTypes("Vantor Meridian", player).ok);
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_TRUE(read(mimeApps).contains("video/mpeg=vantorplay.desktop;"));

    write(installed, head + "video/mpeg;\n");
    EXPECT_TRUE(RegisterFileTypes("Vantor Meridian", player).ok);
    EXPECT_EQ(execArguments(entry).value(0), player);
    QFile::remove(installed);
}

TEST(FileDialogs, OpenStartsInTheLastFolderElseVideosElseHomeAndOffersEveryType) {
    QTemporaryDir dir;
    const QString last = dir.filePath("last"), videos = dir.filePath("Videos");
    QDir().mkpath(last);
    QDir().mkpath(videos);
    const QString gone = dir.filePath("gone"), home = "/home/someone";
    const struct {
        QString lastFile, videos, expected;
    } cases[] = {
        {last + "/deleted.avi", videos, last}, // the file may be gone, its folder not
        {"", videos, videos},
        {gone + "/film.avi", videos, videos},
        {"film.avi", videos, videos}, // relative: never the working folder
        {"", gone, home},             // a videos folder named but never made
        {"", "", home},
    };
    for (const auto& c : cases)
        EXPECT_EQ(openStartFolder(c.lastFile, c.videos, home), c.expected)
            << qPrintable(c.lastFile) << " / " << qPrintable(c.videos);

    // Every type the player plays is in Open's filter and the desktop entry.
    const QString filter = mediaFileFilter();
    const QString first = filter.section(";;", 0, 0);
    const QStringList patterns =
        first.mid(first.indexOf('(') + 1).chopped(1).split(' ', Qt::SkipEmptyParts);
    EXPECT_TRUE(filter.endsWith(";;All Files (*)"));
    const QString entry = read(VANTOR_DESKTOP_ENTRY);
    const QStringList mimeLines = linesStarting(entry, "MimeType=");
    ASSERT_EQ(mimeLines.size(), 1) << "configure the build: " VANTOR_DESKTOP_ENTRY;
    const QStringList listed = mimeLines[0].mid(9).split(';', Qt::SkipEmptyParts);
    // Each extension with a media type file managers know it by.
    // clang-format off
    const std::pair<const char*, const char*> types[] = {
        {"avi", "video/x-msvideo"}, {"divx", "video/x-msvideo"}, {"mpg", "video/mpeg"},
        {"mpeg", "video/mpeg"}, {"asf", "video/x-ms-asf"}, {"wmv", "video/x-ms-wmv"},
        {"mp4", "video/mp4"}, {"mkv", "video/x-matroska"}, {"webm", "video/webm"},
        {"mov", "video/quicktime"}, {"ogv", "video/ogg"}, {"flv", "video/x-flv"},
        {"ts", "video/mp2t"}, {"m3u", "audio/x-mpegurl"}, {"m3u8", "application/vnd.apple.mpegurl"}};
    // clang-format on
    for (const auto& [ext, type] : types) {
        EXPECT_TRUE(QDir::match(patterns, QStringLiteral("Film.") + ext)) << ext;
        EXPECT_TRUE(listed.contains(type)) << type;
    }
}
