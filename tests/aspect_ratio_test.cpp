// Full-screen layout arithmetic and the aspect-ratio presets' file.
#include "support/models/selectable_list.h"
#include "video/aspect_ratio.h"
#include "video/dar_presets.h"

#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(AspectRatio, FullScreenLayoutOnTheWorkedExamples) {
    // The movie's own 720x576 (1.25) fills the height of 1024x768.
    EXPECT_EQ(fullScreenPicture({1024, 768}, {720, 576}), QRect(32, 0, 960, 768));
    // 16/9 fills the width, centred vertically.
    EXPECT_EQ(fullScreenPicture({1024, 768}, {16, 9}), QRect(0, 96, 1024, 576));
    // Exactly 4/3 fills the height.
    EXPECT_EQ(fullScreenPicture({1024, 768}, {4, 3}), QRect(0, 0, 1024, 768));
    // The threshold stays 4/3 on a wide screen: 1.5 fills the width and is
    // taller than the screen.
    EXPECT_EQ(fullScreenPicture({1920, 1080}, {3, 2}), QRect(0, -100, 1920, 1280));
    // A ratio taller than 4/3 on a narrow screen: wider than the screen.
    EXPECT_EQ(fullScreenPicture({800, 1280}, {1, 1}), QRect(-240, 0, 1280, 1280));
    // Ties go to even: 1280 x 9 / 16 = 720 exactly; 1366 x 9 / 16 = 768.375.
    EXPECT_EQ(fullScreenPicture({1366, 768}, {16, 9}), QRect(0, 0, 1366, 768));
    EXPECT_EQ(toInt(2.5), 2);
    EXPECT_EQ(toInt(3.5), 4);
    EXPECT_FALSE(toInt(1e300));
}

TEST(AspectRatio, PresetTextsAreReadOrRefusedWithAReason) {
    const auto terms = parseRatio(" 2.35 / 1 ");
    ASSERT_TRUE(terms);
    EXPECT_DOUBLE_EQ(terms->c, 2.35);
    EXPECT_DOUBLE_EQ(terms->d, 1.0);
    EXPECT_TRUE(parseRatio("16/9/2") == std::nullopt) << "the second term is \"9/2\"";
    for (const char* bad :
         {"16:9", "abc/0", "0/0", "1e308/1", "1/1e308", "-16/9", "16/", "", "nan/1", "inf/1"}) {
        QString problem;
        EXPECT_FALSE(parseRatio(bad, &problem)) << bad;
        EXPECT_FALSE(problem.isEmpty()) << bad;
    }
    EXPECT_EQ(centredPicture({1024, 768}, {992, 768}), QRect(16, 0, 992, 768));
    EXPECT_EQ(centredPicture({100, 100}, {133, 90}), QRect(-16, 5, 133, 90))
        << "-16.5 goes to even";
}

TEST(DarPresets, TheFileGivesTheListAndTheMenuCaptions) {
    QTemporaryDir dir;
    const QString path = dir.filePath("DAR.ini");
    SelectableList list;
    DarPresets presets(list);
    presets.read(path);
    EXPECT_EQ(list.count(), 0) << "no file, no presets";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        // Hand edits: a colon, and a line far too long to be a ratio that
        // must not come back as several entries.
        file.write("16/9\r\n16:9\r\n" + QByteArray(300, '4') + "/3\r\n\r\n2.35/1\n");
    }
    EXPECT_EQ(presets.read(path), 2) << "skipped lines are counted for the message";
    EXPECT_EQ(list.items(), (QStringList{"16/9", "2.35/1"}));
    EXPECT_EQ(presets.menuCaptions(),
              (QStringList{"16/9", "2.35/1", "3 - Empty", "4 - Empty", "5 - Empty", "6 - Empty",
                           "7 - Empty", "8 - Empty", "9 - Empty"}));
    // A list read with more than nine still takes more by hand: the limit
    // is counted exactly.
    list.setItems({"1/1", "2/1", "3/1", "4/1", "5/1", "6/1", "7/1", "8/1", "9/1", "10/1"});
    EXPECT_EQ(presets.add("4/3"), DarPresets::Added::Yes);
    list.removeItem(10);
    list.removeItem(9);
    EXPECT_EQ(presets.add("4/3"), DarPresets::Added::Full);
}

// A kill at any moment of a save leaves the old list or the new one.
TEST(DarPresets, ASaveKilledMidwayLeavesTheOldOrTheNewFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("DAR.ini");
    SelectableList oldList, newList;
    DarPresets(oldList).list().setItems(QStringList(4000, "16/9"));
    DarPresets(newList).list().setItems(QStringList(4000, "2.35/1"));
    ASSERT_TRUE(DarPresets(oldList).save(path));
    QFile reference(path);
    ASSERT_TRUE(reference.open(QIODevice::ReadOnly));
    const QByteArray oldBytes = reference.readAll();
    reference.close();
    ASSERT_TRUE(DarPresets(newList).save(dir.filePath("new.ini")));
    QFile newReference(dir.filePath("new.ini"));
    ASSERT_TRUE(newReference.open(QIODevice::ReadOnly));
    const QByteArray newBytes = newReference.readAll();

    for (int round = 0; round < 20; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                DarPresets(newList).save(path);
                DarPresets(oldList).save(path);
            }
        }
        usleep(useconds_t(2000 + round * 700));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes == oldBytes || bytes == newBytes)
            << "round " << round << ": " << bytes.size();
    }
}
