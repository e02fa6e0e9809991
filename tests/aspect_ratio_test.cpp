// Full-screen layout arithmetic and the aspect-ratio presets' file.
#include "support/models/selectable_list.h"
#include "test_support.h"
#include "video/aspect_ratio.h"
#include "video/dar_presets.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// Wider than 4/3 fills the screen's width, else its height; centred, halves to even.
TEST(AspectRatio, FullScreenPictureAndCentring) {
    const struct {
        QSize screen;
        double c, d;
        QRect picture;
    } layouts[] = {
        {{1024, 768}, 720, 576, {32, 0, 960, 768}},  {{1024, 768}, 16, 9, {0, 96, 1024, 576}},
        {{1024, 768}, 4, 3, {0, 0, 1024, 768}},      {{1920, 1080}, 4, 3, {240, 0, 1440, 1080}},
        {{1920, 1080}, 3, 2, {0, -100, 1920, 1280}}, {{800, 1280}, 1, 1, {-240, 0, 1280, 1280}},
        {{1366, 768}, 16, 9, {0, 0, 1366, 768}},     {{1280, 720}, 1.34, 1, {0, -118, 1280, 955}},
        {{1280, 800}, 1.33, 1, {108, 0, 1064, 800}}, {{101, 100}, 1, 1, {0, 0, 100, 100}},
        {{103, 100}, 1, 1, {2, 0, 100, 100}},
    };
    for (const auto& l : layouts)
        EXPECT_EQ(fullScreenPicture(l.screen, {l.c, l.d}), l.picture)
            << l.screen.width() << "x" << l.screen.height() << " " << l.c << "/" << l.d;
    const struct {
        QSize window, picture;
        QPoint at;
    } centred[] = {
        {{1024, 768}, {992, 768}, {16, 0}},   {{100, 100}, {133, 90}, {-16, 5}},
        {{100, 100}, {135, 90}, {-18, 5}},    {{1280, 720}, {1312, 752}, {-16, -16}},
        {{1280, 720}, {1248, 688}, {16, 16}},
    };
    for (const auto& c : centred)
        EXPECT_EQ(centredPicture(c.window, c.picture), QRect(c.at, c.picture)) << c.picture.width();
    EXPECT_FALSE(toInt(1e300));
}

// Every refusal has its reason: fuzz_dar.
TEST(AspectRatio, PresetTextsAreReadOrRefused) {
    const auto terms = parseRatio(" 2.35 / 1 ");
    ASSERT_TRUE(terms);
    EXPECT_DOUBLE_EQ(terms->c, 2.35);
    EXPECT_DOUBLE_EQ(terms->d, 1.0);
    EXPECT_TRUE(parseRatio("10/1") && parseRatio("1/10")) << "the widest and the tallest";
    EXPECT_TRUE(parseRatio("16/9/2") == std::nullopt) << "the second term is \"9/2\"";
    for (const char* bad : {"16:9", "abc/0", "0/0", "1e308/1", "1/1e308", "-16/9", "16/", "",
                            "nan/1", "inf/1", "10.1/1", "1/10.1"})
        EXPECT_FALSE(parseRatio(bad)) << bad;
}

TEST(DarPresets, TheFileGivesTheListAndTheMenuCaptions) {
    QTemporaryDir dir;
    const QString path = dir.filePath("DAR.ini");
    SelectableList list;
    DarPresets presets(list);
    presets.read(path);
    EXPECT_EQ(list.count(), 0) << "no file, no presets";
    // Hand edits: a colon, and a line far too long to be a ratio.
    testsupport::writeFile(path, "16/9\r\n16:9\r\n" + QByteArray(300, '4') + "/3\r\n\r\n2.35/1\n");
    EXPECT_EQ(presets.read(path), 2) << "skipped lines are counted for the message";
    EXPECT_EQ(list.items(), (QStringList{"16/9", "2.35/1"}));
    EXPECT_EQ(presets.menuCaptions(),
              (QStringList{"16/9", "2.35/1", "3 - Empty", "4 - Empty", "5 - Empty", "6 - Empty",
                           "7 - Empty", "8 - Empty", "9 - Empty"}));
    // Nine presets at most, counted exactly.
    list.setItems({"1/1", "2/1", "3/1", "4/1", "5/1", "6/1", "7/1", "8/1", "9/1", "10/1"});
    EXPECT_EQ(presets.add("4/3"), DarPresets::Added::Yes);
    list.removeItem(10);
    list.removeItem(9);
    EXPECT_EQ(presets.add("4/3"), DarPresets::Added::Full);
}
