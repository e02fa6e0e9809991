// Where the program finds its data: beside it in the build tree, under
// share/ when installed, above it for the tests and benchmarks.
#include "app/program_data.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
