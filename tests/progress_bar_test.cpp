// The seek bar: its arithmetic without a widget, then the widget's events,
// pictures, size and mouse handling on the offscreen platform.
#include "support/controls/progress_bar.h"
#include "test_support.h"

#include <QApplication>
#include <QDateTime>
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

QString writePicture(const QTemporaryDir& dir, const QString& name, QSize size, QColor color) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(color);
    const QString path = dir.filePath(name);
    EXPECT_TRUE(picture.save(path));
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

// Sets the default locale for one test so captions use a known decimal point.
struct LocaleScope {
    QLocale saved;
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(saved); }
};

} // namespace

TEST(ProgressBarModel, RefusesValuesAndRangesOutsideTheRulesAndChangesNothing) {
    ProgressBarModel model;
    EXPECT_EQ(model.setValue(101), k380);
    EXPECT_EQ(model.setValue(-1), k380);
    EXPECT_EQ(model.setMax(0), k380) << "Max equal to Min";
    EXPECT_EQ(model.setMin(100), k380) << "Min equal to Max";
    EXPECT_EQ(QList<int>({model.Min(), model.Max(), model.Value()}), QList<int>({0, 100, 0}));

    // Lowering Max leaves Value where it is; the bar still stays inside.
    ASSERT_EQ(model.setValue(80), kOk);
    ASSERT_EQ(model.setMax(50), kOk);
    EXPECT_EQ(model.Value(), 80);
    EXPECT_EQ(model.barRect(QSize(200, 10)), QRect(0, 0, 200, 10));
    EXPECT_EQ(model.setValue(80), k380) << "now out of range";
}

TEST(ProgressBarModel, CaptionFormatsRoundHalfAwayFromZero) {
    LocaleScope c(QLocale::c());
    ProgressBarModel model;
    ASSERT_EQ(model.setMax(200), kOk);
    ASSERT_EQ(model.setValue(50), kOk);
    const QStringList simple = {"50", "25%", "25.0%", "25.00%", "25%", "25.0%", "25.00%", ""};
    for (int format = 0; format < simple.size(); ++format) {
        model.setCaptionFormat(format);
        EXPECT_EQ(model.caption(), simple[format]) << "format " << format;
    }
    model.setCaptionFormat(-1);
    EXPECT_EQ(model.caption(), "");

    // Formats 1-3 divide Value by the range, 4-6 what lies above Min.
    ASSERT_EQ(model.setMin(-100), kOk);
    ASSERT_EQ(model.setValue(50), kOk);
    const QStringList offset = {"50", "17%", "16.7%", "16.67%", "50%", "50.0%", "50.00%"};
    for (int format = 0; format < offset.size(); ++format) {
        model.setCaptionFormat(format);
        EXPECT_EQ(model.caption(), offset[format]) << "format " << format;
    }
    ASSERT_EQ(model.setValue(-50), kOk);
    model.setCaptionFormat(2);
    EXPECT_EQ(model.caption(), "-16.7%");

    ASSERT_EQ(model.setMin(0), kOk);
    ASSERT_EQ(model.setMax(8), kOk);
    ASSERT_EQ(model.setValue(1), kOk);
    model.setCaptionFormat(1);
    EXPECT_EQ(model.caption(), "13%") << "12.5 rounds up";
    model.setCaptionFormat(3);
    EXPECT_EQ(model.caption(), "12.50%");

    LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    model.setCaptionFormat(2);
    EXPECT_EQ(model.caption(), "12,5%");
}

TEST(ProgressBarModel, BarAndPointerFollowTheOrientation) {
    ProgressBarModel model;
    const QSize wide(200, 10), tall(10, 40);
    EXPECT_TRUE(model.barRect(wide).isEmpty()) << "Value = Min draws no bar";
    ASSERT_EQ(model.setValue(25), kOk);
    EXPECT_EQ(model.barRect(wide), QRect(0, 0, 50, 10));
    ASSERT_EQ(model.setValue(100), kOk);
    EXPECT_EQ(model.barRect(wide), QRect(0, 0, 200, 10));

    EXPECT_EQ(model.valueAt(QPointF(50, 5), wide), 25);
    EXPECT_EQ(model.valueAt(QPointF(0, 5), wide), 0);
    EXPECT_EQ(model.valueAt(QPointF(500, 5), wide), 100) << "past the end stops at Max";
    EXPECT_EQ(model.valueAt(QPointF(-30, 5), wide), 0);
    EXPECT_EQ(model.valueAt(QPointF(1, 5), QSize(8, 10)), 12) << "12.5 goes to the even 12";
    EXPECT_EQ(model.valueAt(QPointF(3, 5), QSize(8, 10)), 38) << "37.5 goes to the even 38";
    EXPECT_EQ(model.valueAt(QPointF(5, 5), QSize()), std::nullopt);

    model.setOrientation(ProgressBarModel::kVertical);
    ASSERT_EQ(model.setValue(50), kOk);
    EXPECT_EQ(model.barRect(tall), QRect(0, 20, 10, 20)) << "half full paints the lower half";
    EXPECT_EQ(model.valueAt(QPointF(5, 0), tall), 100);
    EXPECT_EQ(model.valueAt(QPointF(5, 30), tall), 25);
    EXPECT_EQ(model.valueAt(QPointF(5, 40), tall), 0);

    model.setOrientation(2);
    EXPECT_TRUE(model.barRect(tall).isEmpty());
    EXPECT_EQ(model.valueAt(QPointF(5, 5), tall), std::nullopt);
}

TEST(ProgressBarModel, ValuesUseThe32BitRange) {
    ProgressBarModel model;
    ASSERT_EQ(model.setMax(7200000), kOk); // 2000 hours in seconds
    ASSERT_EQ(model.setValue(5400000), kOk);
    EXPECT_EQ(model.caption(), "5400000");
    EXPECT_EQ(model.barRect(QSize(1000, 8)).width(), 750);
    EXPECT_EQ(model.valueAt(QPointF(500, 4), QSize(1000, 8)), 3600000);

    // The whole 32-bit span, without overflow.
    ASSERT_EQ(model.setMax(INT_MAX), kOk);
    ASSERT_EQ(model.setMin(INT_MIN), kOk);
    ASSERT_EQ(model.setValue(INT_MAX), kOk);
    EXPECT_EQ(model.barRect(QSize(1000, 8)).width(), 1000);
    model.setCaptionFormat(6);
    EXPECT_EQ(model.caption(), "100.00%");
    EXPECT_EQ(model.valueAt(QPointF(-1, 4), QSize(1000, 8)), INT_MIN);
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

TEST(ProgressBar, DrawsBothOrientationsFromThePictureFilesAndTakesTheirSize) {
    QTemporaryDir dir;
    const QString back = writePicture(dir, "back.bmp", QSize(200, 20), Qt::blue);
    const QString fill = writePicture(dir, "bar.png", QSize(200, 20), Qt::red);
    cpvProgressBar bar;
    bar.setCaptionFormat(99); // no caption over the pixels checked
    bar.setPictureFiles(back, fill);
    bar.show();
    EXPECT_EQ(bar.size(), QSize(200, 20)) << "sized by the background picture";
    bar.resize(50, 5);
    EXPECT_EQ(bar.size(), QSize(200, 20)) << "and kept there";

    ASSERT_EQ(bar.setValue(30), kOk);
    QImage image = shot(bar);
    EXPECT_EQ(image.pixelColor(59, 10), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(60, 10), QColor(Qt::blue));

    // Vertical pictures: the lower part fills.
    const QString tallBack = writePicture(dir, "tall-back.png", QSize(20, 100), Qt::blue);
    const QString tallFill = writePicture(dir, "tall-bar.png", QSize(20, 100), Qt::red);
    bar.setOrientation(ProgressBarModel::kVertical);
    bar.setPictureFiles(tallBack, tallFill);
    ASSERT_EQ(bar.Refresh(), kOk);
    EXPECT_EQ(bar.size(), QSize(20, 100)) << "a new skin's picture resizes the bar";
    image = shot(bar);
    EXPECT_EQ(image.pixelColor(10, 69), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(10, 70), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(10, 99), QColor(Qt::red));
}

TEST(ProgressBar, CentresTheCaptionInItsColour) {
    cpvProgressBar bar;
    QImage back(300, 40, QImage::Format_RGB32);
    back.fill(Qt::white);
    bar.setBarPictureBack(back);
    EXPECT_EQ(bar.size(), QSize(300, 40)) << "a picture set directly sizes the bar too";
    bar.setFontColor(Qt::black);
    ASSERT_EQ(bar.setMax(1000), kOk);
    ASSERT_EQ(bar.setValue(888), kOk);
    EXPECT_EQ(bar.caption(), "888");

    const QImage image = shot(bar);
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isEmpty()) << "the caption is drawn";
    EXPECT_NEAR(ink.center().x(), 150, 3);
    EXPECT_NEAR(ink.center().y(), 20, 6);
    EXPECT_LT(ink.width(), 100);
}

TEST(ProgressBar, ReloadsPicturesOnlyWhenTheirFilesChange) {
    QTemporaryDir dir;
    const QString back = writePicture(dir, "back.png", QSize(100, 10), Qt::blue);
    const QString fill = writePicture(dir, "bar.bmp", QSize(100, 10), Qt::red);
    cpvProgressBar bar;
    bar.setCaptionFormat(99);
    bar.setPictureFiles(back, fill);
    ASSERT_EQ(bar.Refresh(), kOk);
    for (int value = 1; value <= 20; ++value)
        ASSERT_EQ(bar.setValue(value), kOk);
    EXPECT_EQ(bar.pictureCache().diskLoads(), 2) << "one load per file";

    // Rewritten files get a time one second on, as two writes within one
    // clock tick of the file system can share a time.
    const QDateTime written = QFileInfo(fill).lastModified();
    const auto rewrite = [&](QSize size, QColor color) {
        writePicture(dir, "bar.bmp", size, color);
        QFile file(fill);
        return file.open(QIODevice::ReadWrite) &&
               file.setFileTime(written.addSecs(1), QFileDevice::FileModificationTime);
    };
    const qint64 bytes = QFileInfo(fill).size();
    ASSERT_TRUE(rewrite(QSize(100, 10), Qt::green));
    ASSERT_EQ(QFileInfo(fill).size(), bytes) << "only the time tells";
    ASSERT_EQ(bar.Refresh(), kOk);
    EXPECT_EQ(bar.pictureCache().diskLoads(), 3);
    EXPECT_EQ(shot(bar).pixelColor(5, 5), QColor(Qt::green));
    ASSERT_TRUE(rewrite(QSize(100, 12), Qt::red));
    ASSERT_EQ(bar.Refresh(), kOk);
    EXPECT_EQ(bar.pictureCache().diskLoads(), 4) << "same time, other size";
    EXPECT_EQ(bar.BarPicture().size(), QSize(100, 12));

    // A picture that cannot be loaded fails Refresh, not the value.
    bar.setPictureFiles(back, dir.filePath("missing.bmp"));
    EXPECT_EQ(bar.Refresh(), ControlError::FileNotFound);
    QFile text(dir.filePath("text.bmp"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    bar.setPictureFiles(back, text.fileName());
    EXPECT_EQ(bar.Refresh(), ControlError::InvalidPicture);
    EventLog log(bar);
    EXPECT_EQ(bar.setValue(60), kOk);
    EXPECT_EQ(log.take(), QStringList{"ValueChanged"});
    EXPECT_EQ(shot(bar).pixelColor(5, 5), QColor(Qt::blue)) << "only the background shows";

    // Empty names give empty pictures; the size is then left alone.
    bar.setPictureFiles("", "");
    EXPECT_EQ(bar.Refresh(), kOk);
    EXPECT_TRUE(bar.BarPictureBack().isNull());
    bar.show();
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

    mouse(bar, QEvent::MouseMove, QPointF(100, 10));
    EXPECT_EQ(bar.Value(), 0) << "moving without a button changes nothing";
    mouse(bar, QEvent::MouseButtonPress, QPointF(50, 10));
    EXPECT_EQ(bar.Value(), 10000);
    mouse(bar, QEvent::MouseMove, QPointF(150, 10));
    EXPECT_EQ(bar.Value(), 30000);
    mouse(bar, QEvent::MouseMove, QPointF(400, 10));
    EXPECT_EQ(bar.Value(), 40000) << "dragged past the end";
    mouse(bar, QEvent::MouseMove, QPointF(10, 10));
    mouse(bar, QEvent::MouseButtonRelease, QPointF(10, 10));
    EXPECT_EQ(bar.Value(), 2000);
    EXPECT_EQ(log.take(), (QStringList{"ValueChanged", "ValueChanged", "ValueChanged",
                                       "ArrivedLast", "ValueChanged", "Click"}));

    mouse(bar, QEvent::MouseMove, QPointF(100, 10));
    EXPECT_EQ(bar.Value(), 2000) << "the release ended the drag";
    mouse(bar, QEvent::MouseButtonPress, QPointF(100, 10));
    mouse(bar, QEvent::MouseButtonRelease, QPointF(100, 50));
    EXPECT_EQ(log.take(), QStringList{"ValueChanged"}) << "released outside: no Click";
    mouse(bar, QEvent::MouseButtonPress, QPointF(150, 10), Qt::RightButton);
    mouse(bar, QEvent::MouseButtonRelease, QPointF(150, 10), Qt::RightButton);
    EXPECT_EQ(log.take(), QStringList()) << "only the left button drags";
}
