// Movie after movie leaves no elements, buffers, memory, descriptors or threads of earlier graphs.
#include "app/frm_main.h"
#include "live_objects.h"
#include "reopen_driver.h"
#include "support/media/media_detector.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace testsupport;

// The soak's short form: fifty opens with seeks, rate changes, stops.
TEST(Reopening, FiftyOpensLeaveOnlyTheCurrentGraph) {
    frmMain window("");
    window.Form_Load();
    LiveObjects live; // the test main sets GST_TRACERS

    // Counted stopped: graphs of different shapes run different thread counts.
    reopen::openNumber(window, 0);
    ASSERT_TRUE(reopen::settled(window));
    window.StopMovie();
    MediaDetector::waitForReadings(); // the reading thread is on its way out
    pumpEvents(500);                  // the streaming threads wind down
    const int descriptors = proc::openDescriptors(), threads = proc::threads();
    window.transport.play_Click();
    long residentAfter10 = 0;
    for (int n = 1; n < 50; ++n) {
        reopen::openNumber(window, n);
        ASSERT_TRUE(reopen::settled(window))
            << "open " << n + 1 << ": " << window.scrollTitle().toStdString();
        reopen::exercise(window, n);
        live.update();
        if (n == 9)
            residentAfter10 = proc::residentKiB();
    }
    pumpEvents(300);
    const long residentAfter50 = proc::residentKiB();
    window.StopMovie();
    MediaDetector::waitForReadings();

    EXPECT_EQ(live.alivePipelines(), 1) << "only the playing graph";
#ifndef __SANITIZE_ADDRESS__ // which keeps freed memory aside on purpose
    EXPECT_LE(residentAfter50, residentAfter10 * 11 / 10)
        << residentAfter10 << " KiB after 10 opens, " << residentAfter50 << " after 50";
#endif
    EXPECT_LE(proc::openDescriptors(), descriptors) << "descriptors after the first open";
    EXPECT_TRUE(waitUntil([&] { return proc::threads() <= threads; }, 3000)) << threads;

    window.ExitMe();
    pumpEvents(300);
    EXPECT_EQ(live.aliveElements(), 0);
    EXPECT_EQ(live.aliveBuffers(), 0);
}
