// The seek bar: its arithmetic, then the widget's pictures and mouse.
#include "support/controls/progress_bar.h"
#include "test_support.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <climits>
#include <gtest/gtest.h>

namespace {

constexpr ControlError kOk = ControlError::None;
constexpr ControlError k380 = ControlError::InvalidPropertyValue;

// The events the player follows (the time label, the seek), in the order they arrive.
struct EventLog {
    QStringList events;
    explicit EventLog(cpvProgressBar& bar) {
        QObject::connect(&bar, &cpvProgressBar::Click, [this] { events << "Click"; });
        QObject::connect(&bar, &cpvProgressBar::ValueChanged, [this] { events << "ValueChanged"; });
    }
    QStringList take() { return std::exchange(events, {}); }
};

// A picture file of one colour; of no size, a file that is no picture.
QString writePicture(const QTemporaryDir& dir, const QString& name, QSize size, QColor color) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(color);
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(size.isEmpty() ? file.open(QIODevice::WriteOnly) && file.write("not a picture")
                               : picture.save(path));
    return path;
}

void mouse(QWidget& widget, QEvent::Type type, QPointF pos,
           Qt::MouseButton button = Qt::LeftButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, pos, widget.mapToGlobal(pos),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// The widget as drawn, in its own pixels whatever the screen's density.
QImage shot(QWidget& widget) {
    return widget.grab().toImage().scaled(widget.size());
}

} // namespace

// A model of Min, Max and Value; Min is set first, below the default Max.
ProgressBarModel model(int min, int max, int value) {
    ProgressBarModel m;
    m.setMin(min);
    m.setMax(max);
    m.setValue(value);
    return m;
}

// Filled from the left; the pointer stops at the ends, halves going to the even neighbour.
TEST(ProgressBarModel, BarAndPointerFollowTheValueAndBadValuesAreRefused) {
    // clang-format off
    const struct {
        int min, max, value;
        QSize size;
        QRect bar;
    } bars[] = {
        {0, 100, 0, {200, 10}, {}},                {0, 100, 25, {200, 10}, {0, 0, 50, 10}},
        {0, 100, 100, {200, 10}, {0, 0, 200, 10}}, {0, 7200000, 5400000, {1000, 8}, {0, 0, 750, 8}},
        {INT_MIN, INT_MAX, INT_MAX, {1000, 8}, {0, 0, 1000, 8}},
    };
    // clang-format on
    for (const auto& row : bars) {
        const QRect bar = model(row.min, row.max, row.value).barRect(row.size);
        EXPECT_EQ(bar.isEmpty() ? QRect() : bar, row.bar) << row.max << " " << row.value;
    }
    // clang-format off
    const struct {
        int min, max;
        QPointF at;
        QSize size;
        std::optional<int> value;
    } pointers[] = {
        {0, 100, {50, 5}, {200, 10}, 25},   {0, 100, {0, 5}, {200, 10}, 0},
        {0, 100, {500, 5}, {200, 10}, 100}, {0, 100, {-30, 5}, {200, 10}, 0},
        {0, 100, {1, 5}, {8, 10}, 12},      {0, 100, {3, 5}, {8, 10}, 38},
        {0, 100, {5, 5}, {}, std::nullopt}, {0, 7200000, {500, 4}, {1000, 8}, 3600000},
        {INT_MIN, INT_MAX, {-1, 4}, {1000, 8}, INT_MIN},
    };
    // clang-format on
    for (const auto& row : pointers)
        EXPECT_EQ(model(row.min, row.max, row.min).valueAt(row.at, row.size), row.value)
            << row.max << " at " << row.at.x();

    // Values and ranges outside the rules are refused and change nothing.
    ProgressBarModel m;
    EXPECT_EQ(QList<int>({int(m.setValue(101)), int(m.setValue(-1)), int(m.setMax(0))}),
              QList<int>(3, int(k380)));
    EXPECT_EQ(QList<int>({m.Min(), m.Max(), m.Value()}), QList<int>({0, 100, 0}));

    // Lowering Max leaves Value where it is; the bar still stays inside.
    ASSERT_EQ(m.setValue(80), kOk);
    ASSERT_EQ(m.setMax(50), kOk);
    EXPECT_EQ(m.Value(), 80);
    EXPECT_EQ(m.barRect(QSize(200, 10)), QRect(0, 0, 200, 10));
    EXPECT_EQ(m.setValue(80), k380) << "now out of range";
}

// Files are read again only once changed; one that cannot be read fails Refresh.
TEST(ProgressBar, DrawsThePictureFilesAndReadsThemAgainOnlyWhenTheyChange) {
    QTemporaryDir dir;
    const QString back = writePicture(dir, "back.png", QSize(200, 20), Qt::blue);
    const QString fill = writePicture(dir, "bar.bmp", QSize(200, 20), Qt::red);
    cpvProgressBar bar;
    bar.setCaptionFormat(-1); // as the player has it: no caption at all
    bar.setPictureFiles(back, fill);
    bar.show();
    for (int value = 1; value <= 30; ++value)
        ASSERT_EQ(bar.setValue(value), kOk);
    EXPECT_EQ(bar.pictureCache().diskLoads(), 2) << "one load per file";
    QImage image = shot(bar);
    EXPECT_EQ(image.pixelColor(59, 10), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(60, 10), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(100, 10), QColor(Qt::blue)) << "no caption in the middle";

    // One second on: two writes within one clock tick can share a time.
    const QDateTime written = QFileInfo(fill).lastModified();
    const auto rewrite = [&](QSize size, QColor color) {
        writePicture(dir, "bar.bmp", size, color);
        QFile file(fill);
        return file.open(QIODevice::ReadWrite) &&
               file.setFileTime(written.addSecs(1), QFileDevice::FileModificationTime);
    };
    ASSERT_TRUE(rewrite(QSize(200, 20), Qt::green));
    ASSERT_EQ(bar.Refresh(), kOk);
    EXPECT_EQ(shot(bar).pixelColor(5, 5), QColor(Qt::green)) << "only the time tells";
    ASSERT_TRUE(rewrite(QSize(200, 12), Qt::red));
    ASSERT_EQ(bar.Refresh(), kOk);
    EXPECT_EQ(bar.BarPicture().size(), QSize(200, 12)) << "same time, other size";

    bar.setPictureFiles(back, dir.filePath("missing.bmp"));
    EXPECT_EQ(bar.Refresh(), ControlError::FileNotFound);
    bar.setPictureFiles(back, writePicture(dir, "text.bmp", {}, {}));
    EXPECT_EQ(bar.Refresh(), ControlError::InvalidPicture);
    EventLog log(bar);
    EXPECT_EQ(bar.setValue(60), kOk);
    EXPECT_EQ(log.take(), QStringList{"ValueChanged"});
    EXPECT_EQ(shot(bar).pixelColor(5, 5), QColor(Qt::blue)) << "only the background shows";
}

TEST(ProgressBar, DragsTheValueAndClicksOnRelease) {
    QImage back(200, 20, QImage::Format_RGB32);
    back.fill(Qt::gray);
    cpvProgressBar bar;
    bar.setBarPictureBack(back);
    ASSERT_EQ(bar.setMax(40000), kOk);
    bar.show();
    EventLog log(bar);

    // A move without a button, a drag past the end and back, a move after the release.
    using E = QEvent;
    const std::tuple<QEvent::Type, int, int> steps[] = {
        {E::MouseMove, 100, 0},     {E::MouseButtonPress, 50, 10000},
        {E::MouseMove, 150, 30000}, {E::MouseMove, 400, 40000},
        {E::MouseMove, 10, 2000},   {E::MouseButtonRelease, 10, 2000},
        {E::MouseMove, 100, 2000}};
    for (const auto& [type, x, value] : steps) {
        mouse(bar, type, QPointF(x, 10));
        EXPECT_EQ(bar.Value(), value) << x;
    }
    EXPECT_EQ(log.take(), (QStringList{"ValueChanged", "ValueChanged", "ValueChanged",
                                       "ValueChanged", "Click"}));
    mouse(bar, QEvent::MouseButtonPress, QPointF(100, 10));
    mouse(bar, QEvent::MouseButtonRelease, QPointF(100, 50));
    EXPECT_EQ(log.take(), QStringList{"ValueChanged"}) << "released outside: no Click";
    mouse(bar, QEvent::MouseButtonPress, QPointF(150, 10), Qt::RightButton);
    mouse(bar, QEvent::MouseButtonRelease, QPointF(150, 10), Qt::RightButton);
    EXPECT_EQ(log.take(), QStringList()) << "only the left button drags";
}
