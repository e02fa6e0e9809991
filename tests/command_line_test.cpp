// Start-up: the command line, and where the program finds its data.
#include "app/command_line.h"
#include "app/program_data.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// What a line asks for: "[movie]", then "/cli", "stream[pin]", "sub[file]" and "fullscreen" as
// given; a value given without its option shows bare.
std::string asked(const char* line) {
    const CommandLineRequest r = parseCommandLine(QString::fromUtf8(line));
    return QString("[%1]%2%3%4%5")
        .arg(r.movie, r.hasCli ? " /cli" : "",
             r.hasStream ? " stream[" + r.audioPin + "]" : r.audioPin,
             r.hasSubtitle ? " sub[" + r.subtitleFile + "]" : r.subtitleFile,
             r.fullScreen ? " fullscreen" : "")
        .toStdString();
}

TEST(CommandLine, ParsesEachLineAsDocumentedAndInvocationsForPeopleAndScripts) {
    const std::pair<const char*, const char*> lines[] = {
        {"", "[]"},
        {"/films/My Film.avi", "[/films/My Film.avi]"},
        {"\"/films/My Film.avi\"", "[\"/films/My Film.avi\"]"},
        // Without /cli nothing else is looked at.
        {"/f/x.avi -fullscreen -stream 2 -sub a.srt",
         "[/f/x.avi -fullscreen -stream 2 -sub a.srt]"},
        {"/films/a b.avi /cli -fullscreen", "[/films/a b.avi ] /cli fullscreen"},
        {"/cli -fullscreen", "[] /cli fullscreen"},
        {"a.avi /cli -stream 2", "[a.avi ] /cli stream[Stream 02]"},
        // One character after one separator, whatever they are.
        {"a /cli -stream 12", "[a ] /cli stream[Stream 01]"},
        {"a /cli -stream  4", "[a ] /cli stream[Stream 0 ]"},
        {"a /cli -stream", "[a ] /cli stream[Stream 0]"},
        {"a /cli -stream ", "[a ] /cli stream[Stream 0]"},
        {"m /cli -fullscreen -sub /My Subs/film en.srt",
         "[m ] /cli sub[/My Subs/film en.srt] fullscreen"},
        {"m /cli -sub", "[m ] /cli sub[]"},
        {"m /cli -sub ", "[m ] /cli sub[]"},
        {"M.AVI /CLI -FULLSCREEN -STREAM 1 -SUB S.SRT",
         "[M.AVI ] /cli stream[Stream 01] sub[S.SRT] fullscreen"},
        {"m /Cli -sub s.srt -Stream 4 -FullScreen",
         "[m ] /cli stream[Stream 04] sub[s.srt -Stream 4 -FullScreen] fullscreen"},
        // Options are words: inside a file name they are part of the name.
        {"/v/my-stream 5.avi /cli -stream 2", "[/v/my-stream 5.avi ] /cli stream[Stream 02]"},
        {"/v/a-sub.avi /cli -fullscreen", "[/v/a-sub.avi ] /cli fullscreen"},
        {"/cli/x-fullscreen.avi", "[/cli/x-fullscreen.avi]"},
        {"/m/Clips/a.avi /cli -stream 2", "[/m/Clips/a.avi ] /cli stream[Stream 02]"},
        {"/a -sub b/c.avi /cli -stream=3", "[/a -sub b/c.avi ] /cli"},
    };
    for (const auto& [line, request] : lines)
        EXPECT_EQ(asked(line), request) << line;

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

    const auto kind = [&](const QStringList& args) { return readInvocation(args, isFile).kind; };
    EXPECT_EQ(QList({kind({"--help"}), kind({"-h"}), kind({"--version"})}),
              QList({Invocation::Help, Invocation::Help, Invocation::Version}));
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
    for (const char* folder :
         {"prefix/bin", "prefix/share/vantorplay", "build/data", "build/tests", "elsewhere/bin"})
        ASSERT_TRUE(dir.mkpath(folder)) << folder;
    EXPECT_EQ(programDataFolderFor(dir.filePath("prefix/bin")),
              dir.filePath("prefix/share/vantorplay"));
    EXPECT_EQ(programDataFolderFor(dir.filePath("build")), dir.filePath("build/data"));
    EXPECT_EQ(programDataFolderFor(dir.filePath("build/tests")), dir.filePath("build/data"));
    EXPECT_EQ(programDataFolderFor(dir.filePath("elsewhere/bin")), QString());
}

} // namespace
