// The on-screen display: green text on the key colour at the video window's corner.
#include "test_support.h"
#include "video/osd.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

// Gone three seconds after it appeared, however often its caption changes meanwhile.
TEST(Osd, ShowsGreenTextOnTheKeyColourForThreeSeconds) {
    Osd osd;
    QElapsedTimer clock;
    clock.start();
    osd.showText("Subtitles loaded...", {40, 30}, QColor(16, 0, 16));
    ASSERT_TRUE(osd.isVisible());
    EXPECT_EQ(osd.pos(), QPoint(40, 30));
    const QImage painted = osd.grab().toImage();
    EXPECT_EQ(painted.pixel(1, 1), qRgb(16, 0, 16)) << "the key colour around the text";
    EXPECT_GT(testsupport::pixelsOf(painted, qRgb(0, 255, 0)), 20) << "green text";

    testsupport::pumpEvents(1500);
    osd.showText("Pause", {300, 300}, Qt::white);
    EXPECT_EQ(osd.text(), "Pause");
    EXPECT_EQ(osd.pos(), QPoint(40, 30)) << "a new caption while shown stays in place";
    ASSERT_TRUE(testsupport::waitUntil([&] { return !osd.isVisible(); }, 5000));
    const auto timers = osd.findChildren<QTimer*>();
    ASSERT_EQ(timers.size(), 1);
    EXPECT_EQ(timers[0]->interval(), 3000) << "three seconds, whatever the load";
    EXPECT_GE(clock.elapsed(), 2800); // a coarse timer may fire 5 % early
    // The last caption came at 1.5 s: its own three seconds would end at 4.5 s.
    EXPECT_LE(clock.elapsed(), 4300) << "three seconds from the first caption, not the last";

    // A caption set while gone loads the display hidden at the new corner.
    osd.setCaption("Play", {300, 300}, Qt::white);
    EXPECT_FALSE(osd.isVisible());
    EXPECT_EQ(osd.pos(), QPoint(300, 300));
}
