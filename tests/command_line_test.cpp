// Start-up: the command line, and where the program finds its data.
#include "app/command_line.h"
#include "app/program_data.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Case {
    const char* line;
    const char* movie;
    bool cli;
    const char* audioPin;     // nullptr: no -stream
    const char* subtitleFile; // nullptr: no -sub
    bool fullScreen;
};

// clang-format off
const Case kCases[] = {
    {"", "", false, nullptr, nullptr, false},
    {"/films/My Film.avi", "/films/My Film.avi", false, nullptr, nullptr, false},
    {"\"/films/My Film.avi\"", "\"/films/My Film.avi\"", false, nullptr, nullptr, false},
    // Without /cli nothing else is looked at.
    {"/f/x.avi -fullscreen -stream 2 -sub a.srt", "/f/x.avi -fullscreen -stream 2 -sub a.srt",
     false, nullptr, nullptr, false},
    {"/films/a b.avi /cli -fullscreen", "/films/a b.avi ", true, nullptr, nullptr, true},
    {"/cli -fullscreen", "", true, nullptr, nullptr, true},
    {"a.avi /cli -stream 2", "a.avi ", true, "Stream 02", nullptr, false},
    // One character after one separator, whatever they are.
    {"a /cli -stream 12", "a ", true, "Stream 01", nullptr, false},
    {"a /cli -stream  4", "a ", true, "Stream 0 ", nullptr, false},
    {"a /cli -stream", "a ", true, "Stream 0", nullptr, false},
    {"a /cli -stream ", "a ", true, "Stream 0", nullptr, false},
    {"m /cli -fullscreen -sub /My Subs/film en.srt", "m ", true, nullptr, "/My Subs/film en.srt", true},
    {"m /cli -sub", "m ", true, nullptr, "", false},
    {"m /cli -sub ", "m ", true, nullptr, "", false},
    {"M.AVI /CLI -FULLSCREEN -STREAM 1 -SUB S.SRT", "M.AVI ", true, "Stream 01", "S.SRT", true},
    {"m /Cli -sub s.srt -Stream 4 -FullScreen", "m ", true, "Stream 04", "s.srt -Stream 4 -FullScreen", true},
    // Options are words: inside a file name they are part of the name.
    {"/v/my-stream 5.avi /cli -stream 2", "/v/my-stream 5.avi ", true, "Stream 02", nullptr, false},
    {"/v/a-sub.avi /cli -fullscreen", "/v/a-sub.avi ", true, nullptr, nullptr, true},
    {"/cli/x-fullscreen.avi", "/cli/x-fullscreen.avi", false, nullptr, nullptr, false},
    {"/m/Clips/a.avi /cli -stream 2", "/m/Clips/a.avi ", true, "Stream 02", nullptr, false},
    {"/a -sub b/c.avi /cli -stream=3", "/a -sub b/c.avi ", true, nullptr, nullptr, false},
};
// clang-format on

TEST(CommandLine, ParsesEachLineAsDocumentedAndInvocationsForPeopleAndScripts) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.line);
        const CommandLineRequest r = parseCommandLine(QString::fromUtf8(c.line));
        EXPECT_EQ(r.movie, QString::fromUtf8(c.movie));
        EXPECT_EQ(r.hasCli, c.cli);
        EXPECT_EQ(r.hasStream, c.audioPin != nullptr);
        EXPECT_EQ(r.audioPin, QString::fromUtf8(c.audioPin ? c.audioPin : ""));
        EXPECT_EQ(r.hasSubtitle, c.subtitleFile != nullptr);
        EXPECT_EQ(r.subtitleFile, QString::fromUtf8(c.subtitleFile ? c.subtitleFile : ""));
        EXPECT_EQ(r.fullScreen, c.fullScreen);
    }

    // Files named one by one queue; other lines stay the one string scripts rely on.
    auto isFile = [](const QString& path) { return path.startsWith(u'/') || path == "--odd"; };
    const auto existing = [](const QString& p) { return p == "/a.avi" || p == "/a b.avi"; };
    const Invocation several = readInvocation({"/a.avi", "/a b.avi"}, existing);
    EXPECT_EQ(several.kind, Invocation::Play);
    EXPECT_EQ(several.files, (QStringList{"/a.avi", "/a b.avi"}));
    EXPECT_EQ(readInvocation({"/a.avi", "/gone.avi"}, existing).files,
              (QStringList{"/a.avi", "/gone.avi"}))
        << "one file gone: the other still plays";

    // A path with spaces split by a shell, "/cli" forms, one file: one string.
    for (const QStringList& args :
         {QStringList{"/My", "Film.avi"}, QStringList{"/a.avi", "/cli", "-stream", "2"},
          QStringList{"/a.avi", "/CLI", "-fullscreen"}, QStringList{"/a b.avi"}, QStringList{}}) {
        const Invocation one = readInvocation(args, existing);
        EXPECT_EQ(one.kind, Invocation::Play);
        EXPECT_TRUE(one.files.isEmpty());
        EXPECT_EQ(one.line, joinArguments(args));
    }

    EXPECT_EQ(readInvocation({"--help"}, isFile).kind, Invocation::Help);
    EXPECT_EQ(readInvocation({"-h"}, isFile).kind, Invocation::Help);
    EXPECT_EQ(readInvocation({"--version"}, isFile).kind, Invocation::Version);
    const Invocation unknown = readInvocation({"/a.avi", "--fast"}, isFile);
    EXPECT_EQ(unknown.kind, Invocation::Unknown);
    EXPECT_TRUE(unknown.problem.contains("\"--fast\"")) << unknown.problem.toStdString();
    // A file may be named like an option; "--help" among files is no help.
    EXPECT_EQ(readInvocation({"--odd"}, isFile).line, "--odd");
    EXPECT_EQ(readInvocation({"/a.avi", "--help"}, isFile).kind, Invocation::Unknown);
}

// Beside the program in the build tree, above it for tests, under share/ when installed.
TEST(ProgramData, BuildTreeInstalledLayoutAndNothing) {
    QTemporaryDir root;
    const QDir dir(root.path());
    ASSERT_TRUE(dir.mkpath("prefix/bin") && dir.mkpath("prefix/share/vantorplay"));
    EXPECT_EQ(programDataFolderFor(dir.filePath("prefix/bin")),
              dir.filePath("prefix/share/vantorplay"));

    ASSERT_TRUE(dir.mkpath("build/data") && dir.mkpath("build/tests"));
    EXPECT_EQ(programDataFolderFor(dir.filePath("build")), dir.filePath("build/data"));
    EXPECT_EQ(programDataFolderFor(dir.filePath("build/tests")), dir.filePath("build/data"));

    ASSERT_TRUE(dir.mkpath("elsewhere/bin"));
    EXPECT_EQ(programDataFolderFor(dir.filePath("elsewhere/bin")), QString());
    // This test program, one folder down the build tree, finds the tree's data.
    EXPECT_TRUE(QDir(programDataFolder()).exists("DAR.ini"));
}

} // namespace
