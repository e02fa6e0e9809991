// The seek bar: its arithmetic, then the widget's events, pictures and mouse.
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

// The bar's events in the order they arrive.
struct EventLog {
    QStringList events;
    explicit EventLog(cpvProgressBar& bar) {
        QObject::connect(&bar, &cpvProgressBar::Click, [this] { events << "Click"; });
        QObject::connect(&bar, &cpvProgressBar::ValueChanged, [this] { events << "ValueChanged"; });
        QObject::connect(&bar, &cpvProgressBar::ArrivedFirst, [this] { events << "ArrivedFirst"; });
        QObject::connect(&bar, &cpvProgressBar::ArrivedLast, [this] { events << "ArrivedLast"; });
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
ProgressBarModel model(int min, int max, int value, int orientation = 0) {
    ProgressBarModel m;
    EXPECT_EQ(m.setMin(min), kOk);
    EXPECT_EQ(m.setMax(max), kOk);
    EXPECT_EQ(m.setValue(value), kOk);
    m.setOrientation(orientation);
    return m;
}

// Fill from the left or the bottom, else none; the pointer stops at the ends.
TEST(ProgressBarModel, BarAndPointerFollowTheOrientationAndBadValuesAreRefused) {
    constexpr int H = ProgressBarModel::kHorizontal, V = ProgressBarModel::kVertical;
    // clang-format off
    const struct {
        int orientation, min, max, value;
        QSize size;
        QRect bar;
    } bars[] = {
        {H, 0, 100, 0, {200, 10}, {}},                 {H, 0, 100, 25, {200, 10}, {0, 0, 50, 10}},
        {H, 0, 100, 100, {200, 10}, {0, 0, 200, 10}},  {V, 0, 100, 50, {10, 40}, {0, 20, 10, 20}},
        {2, 0, 100, 50, {10, 40}, {}},                 {H, 0, 7200000, 5400000, {1000, 8}, {0, 0, 750, 8}},
        {H, INT_MIN, INT_MAX, INT_MAX, {1000, 8}, {0, 0, 1000, 8}},
    };
    // clang-format on
    for (const auto& row : bars) {
        const QRect bar = model(row.min, row.max, row.value, row.orientation).barRect(row.size);
        EXPECT_EQ(bar.isEmpty() ? QRect() : bar, row.bar) << row.orientation << " " << row.value;
    }
    // clang-format off
    const struct {
        int orientation, min, max;
        QPointF at;
        QSize size;
        std::optional<int> value;
    } pointers[] = {
        {H, 0, 100, {50, 5}, {200, 10}, 25},   {H, 0, 100, {0, 5}, {200, 10}, 0},
        {H, 0, 100, {500, 5}, {200, 10}, 100}, {H, 0, 100, {-30, 5}, {200, 10}, 0},
        {H, 0, 100, {1, 5}, {8, 10}, 12},      {H, 0, 100, {3, 5}, {8, 10}, 38},
        {H, 0, 100, {5, 5}, {}, std::nullopt}, {V, 0, 100, {5, 0}, {10, 40}, 100},
        {V, 0, 100, {5, 30}, {10, 40}, 25},    {V, 0, 100, {5, 40}, {10, 40}, 0},
        {2, 0, 100, {5, 5}, {10, 40}, std::nullopt},
        {H, 0, 7200000, {500, 4}, {1000, 8}, 3600000},
        {H, INT_MIN, INT_MAX, {-1, 4}, {1000, 8}, INT_MIN},
    };
    // clang-format on
    for (const auto& row : pointers)
        EXPECT_EQ(model(row.min, row.max, row.min, row.orientation).valueAt(row.at, row.size),
                  row.value)
            << row.orientation << " at " << row.at.x() << "," << row.at.y();

    // Values and ranges outside the rules are refused and change nothing.
    ProgressBarModel m;
    EXPECT_EQ(m.setValue(101), k380);
    EXPECT_EQ(m.setValue(-1), k380);
    EXPECT_EQ(m.setMax(0), k380) << "Max equal to Min";
    EXPECT_EQ(m.setMin(100), k380) << "Min equal to Max";
    EXPECT_EQ(QList<int>({m.Min(), m.Max(), m.Value()}), QList<int>({0, 100, 0}));

    // Lowering Max leaves Value where it is; the bar still stays inside.
    ASSERT_EQ(m.setValue(80), kOk);
    ASSERT_EQ(m.setMax(50), kOk);
    EXPECT_EQ(m.Value(), 80);
    EXPECT_EQ(m.barRect(QSize(200, 10)), QRect(0, 0, 200, 10));
    EXPECT_EQ(m.setValue(80), k380) << "now out of range";
}

TEST(ProgressBar, RaisesItsEventsInOrderOnlyWhenTheValueMoves) {
    cpvProgressBar bar;
    EventLog log(bar);
    EXPECT_EQ(bar.setValue(0), kOk);
    EXPECT_EQ(log.take(), QStringList());

    const int redraws = bar.redrawCount();
    EXPECT_EQ(bar.setValue(50), kOk);
    EXPECT_EQ(log.take(), QStringList{"ValueChanged"});
    EXPECT_EQ(bar.redrawCount(), redraws + 1);
    EXPECT_EQ(bar.setValue(50), kOk);
    EXPECT_EQ(log.take(), QStringList()) << "the same value raises nothing";
    EXPECT_EQ(bar.redrawCount(), redraws + 1) << "and does not redraw";

    EXPECT_EQ(bar.setValue(100), kOk);
    EXPECT_EQ(log.take(), (QStringList{"ValueChanged", "ArrivedLast"}));
    EXPECT_EQ(bar.setValue(0), kOk);
    EXPECT_EQ(log.take(), (QStringList{"ValueChanged", "ArrivedFirst"}));
    EXPECT_EQ(bar.setValue(101), k380);
    EXPECT_EQ(bar.setMin(100), k380);
    EXPECT_EQ(log.take(), QStringList()) << "refused values raise nothing";

    ASSERT_EQ(bar.setValue(50), kOk);
    log.take();
    EXPECT_EQ(bar.setMin(10), kOk);
    EXPECT_EQ(bar.Value(), 10);
    EXPECT_EQ(log.take(), (QStringList{"ValueChanged", "ArrivedFirst"}));
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
    bar.resize(50, 5);
    EXPECT_EQ(bar.size(), QSize(200, 20)) << "the pictures' size, whatever it is given";
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

    // Empty names give empty pictures; the size is then left alone.
    bar.setPictureFiles("", "");
    EXPECT_EQ(bar.Refresh(), kOk);
    bar.resize(70, 9);
    EXPECT_EQ(bar.size(), QSize(70, 9));
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
                                       "ArrivedLast", "ValueChanged", "Click"}));
    mouse(bar, QEvent::MouseButtonPress, QPointF(100, 10));
    mouse(bar, QEvent::MouseButtonRelease, QPointF(100, 50));
    EXPECT_EQ(log.take(), QStringList{"ValueChanged"}) << "released outside: no Click";
    mouse(bar, QEvent::MouseButtonPress, QPointF(150, 10), Qt::RightButton);
    mouse(bar, QEvent::MouseButtonRelease, QPointF(150, 10), Qt::RightButton);
    EXPECT_EQ(log.take(), QStringList()) << "only the left button drags";
}
