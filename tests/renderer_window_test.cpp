// The video renderer's window: frames painted to scale with their shape
// kept, and the window operations the player uses.
#include "graph_fixture.h"
#include "support/media/frame_sink.h"
#include "video/renderer_window.h"
#include "video/video_geometry.h"

#include <QWidget>

using testsupport::mediaPath;

TEST(FitFrame, KeepsTheDisplayShapeAndCentres) {
    EXPECT_EQ(fitFrame({320, 240}, 1.0, {0, 0, 640, 240}), QRect(160, 0, 320, 240));
    EXPECT_EQ(fitFrame({320, 240}, 1.0, {0, 0, 320, 480}), QRect(0, 120, 320, 240));
    // 720x576 with 16:15 pixels is 768x576 on screen.
    EXPECT_EQ(fitFrame({720, 576}, 16.0 / 15.0, {0, 0, 768, 700}), QRect(0, 62, 768, 576));
    EXPECT_EQ(fitFrame({320, 240}, 1.0, {10, 20, 320, 240}), QRect(10, 20, 320, 240));
    EXPECT_TRUE(fitFrame({0, 0}, 1.0, {0, 0, 10, 10}).isEmpty());
    EXPECT_TRUE(fitFrame({320, 240}, 1.0, {0, 0, 0, 0}).isEmpty());
    EXPECT_EQ(fitFrame({320, 240}, 0.0, {0, 0, 320, 240}), QRect(0, 0, 320, 240))
        << "an unknown pixel shape counts as square";
    EXPECT_EQ(fitFrame({4000, 2}, 1.0, {0, 0, 100, 100}).height(), 1) << "never collapses";
}

TEST(RendererWindow, ShowsTheMovieScaledWithBlackBarsAndFollowsItsOwner) {
    installRendererWindows();
    FilterGraph graph;
    addRegistered(graph, "Null Audio Renderer");
    ASSERT_TRUE(graph.renderFile(mediaPath("one-audio.avi")));
    VideoWindow* window = graph.videoWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(graph.run());
    ASSERT_TRUE(
        testsupport::waitUntil([&] { return graph.frameSink()->framesDelivered() > 5; }, 8000));
    EXPECT_TRUE(window->isVisible()) << "shows itself with the first frame";
    EXPECT_EQ(QSize(window->width(), window->height()), QSize(320, 240)) << "native size";

    auto* widget = static_cast<RendererWindow*>(window)->widget();
    QImage shot = widget->grab().toImage();
    // The test pattern's top-left bar is light grey; nothing is black.
    EXPECT_GT(qGray(shot.pixel(10, 10)), 150);

    window->setWindowPosition(0, 0, 640, 240);
    testsupport::pumpEvents(200);
    shot = widget->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(640, 240));
    EXPECT_EQ(shot.pixel(20, 120) & 0xffffff, 0u) << "bars beside a picture too narrow";
    EXPECT_GT(qGray(shot.pixel(170, 10)), 150);

    QWidget owner;
    owner.resize(800, 600);
    window->setOwner(&owner);
    EXPECT_EQ(window->owner(), &owner);
    window->setLeft(33);
    EXPECT_EQ(widget->parentWidget(), &owner);
    EXPECT_EQ(widget->geometry(), QRect(33, 0, 640, 240));
    window->hideCursor(true);
    EXPECT_EQ(widget->cursor().shape(), Qt::BlankCursor);
    window->hideCursor(false);
    EXPECT_EQ(widget->cursor().shape(), Qt::ArrowCursor);
    window->setVisible(false);
    EXPECT_FALSE(window->isVisible());
    window->setOwner(nullptr);
    graph.stop();
}
