// The video renderer's window: the picture stretched over its shape (each
// preset: VideoDisplayTest), cropped at its owner's edges, and its operations.
#include "graph_fixture.h"
#include "support/media/frame_sink.h"
#include "video/renderer_window.h"

#include <QWidget>

using testsupport::whiteBox;

namespace {

// The square of the test movie (180x180 from 230,90 of 640x360) where a
// picture stretched over `place` puts it.
QRectF squareIn(const QRectF& place) {
    const double x = place.width() / 640, y = place.height() / 360;
    return {place.x() + 230 * x, place.y() + 90 * y, 180 * x, 180 * y};
}

void expectNear(const QRect& box, const QRectF& expected, const char* what) {
    EXPECT_NEAR(box.left(), expected.left(), 2) << what;
    EXPECT_NEAR(box.top(), expected.top(), 2) << what;
    EXPECT_NEAR(box.width(), expected.width(), 2) << what;
    EXPECT_NEAR(box.height(), expected.height(), 2) << what;
}

} // namespace

TEST(RendererWindow, StretchesTheMovieOverTheShapeItIsGivenAndFollowsItsOwner) {
    installRendererWindows();
    FilterGraph graph;
    addRegistered(graph, "Null Audio Renderer");
    ASSERT_TRUE(graph.renderFile(testsupport::squareMovie()));
    VideoWindow* window = graph.videoWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(graph.run());
    ASSERT_TRUE(
        testsupport::waitUntil([&] { return graph.frameSink()->framesDelivered() > 5; }, 8000));
    EXPECT_TRUE(window->isVisible()) << "shows itself with the first frame";
    EXPECT_EQ(QSize(window->width(), window->height()), QSize(640, 360)) << "native size";
    auto* widget = static_cast<RendererWindow*>(window)->widget();

    // In an owner smaller than itself (a pan-and-scan zoom): cropped, not squeezed.
    QWidget owner;
    owner.resize(400, 300);
    window->setOwner(&owner);
    EXPECT_EQ(window->owner(), &owner);
    owner.show();
    const QRect zoomed(-40, -30, 600, 360);
    window->setWindowPosition(zoomed.x(), zoomed.y(), zoomed.width(), zoomed.height());
    EXPECT_EQ(widget->parentWidget(), &owner);
    EXPECT_EQ(widget->geometry(), zoomed);
    testsupport::pumpEvents(150);
    const QImage shot = testsupport::windowPixels(owner);
    const double scale = shot.width() / 400.0; // device pixels
    const QRectF expected = squareIn(QRectF(zoomed.x() * scale, zoomed.y() * scale,
                                            zoomed.width() * scale, zoomed.height() * scale));
    expectNear(whiteBox(shot), expected, "zoomed in the owner");
    for (const QPoint corner : {QPoint(1, 1), QPoint(shot.width() - 2, shot.height() - 2)})
        EXPECT_GT(qBlue(shot.pixel(corner)), 150) << "the picture reaches the owner's corners";

    window->hideCursor(true);
    EXPECT_EQ(widget->cursor().shape(), Qt::BlankCursor);
    window->hideCursor(false);
    EXPECT_EQ(widget->cursor().shape(), Qt::ArrowCursor);
    window->setVisible(false);
    EXPECT_FALSE(window->isVisible());
    window->setOwner(nullptr);
    graph.stop();
}
