// The main window wearing hand-made skins, and the title strip.
#include "app/frm_main.h"
#include "app/playlist_view.h"
#include "config/frm_config.h"
#include "playlist/frm_play_list.h"
#include "skin/skin_image.h"
#include "skin/text_scroller.h"
#include "support/controls/progress_bar.h"
#include "test_support.h"
#include "video/pic_video_window.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr QRgb kMagenta = 0xffff00ff;

QImage filled(QSize size, QRgb colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A skin folder: a grey base of `size` with a magenta top-left corner,
// meter picture n coloured n, and the given description.
struct HandMadeSkin {
    HandMadeSkin(QSize size, const QByteArray& description, bool withQ3d = true) {
        QImage base = filled(size, 0xff808080);
        QPainter(&base).fillRect(0, 0, 4, 4, QColor(kMagenta));
        base.save(file("base.bmp"), "BMP");
        filled({20, 20}, 0xffff0000).save(file("bplay.bmp"), "BMP");
        for (int n = 1; n <= 22; ++n)
            filled({10, 5}, qRgb(n, 0, 0))
                .save(file(QString("Volume_Slider_Bitmap_%1.BMP").arg(n)));
        const char* modes[] = {"41CH", "51CH", "DBSR", "MONO", "Q3D", "SPDIF", "STEREO"};
        for (int i = 0; i < 7; ++i)
            if (withQ3d || QString(modes[i]) != "Q3D")
                filled({10, 5}, qRgb(0, 23 + i, size.width() % 256))
                    .save(file(QString("Audio_Mode_%1.BMP").arg(modes[i])), "BMP");
        filled({100, 6}, 0xff202020).save(file("ProgressBack.bmp"), "BMP");
        filled({100, 6}, 0xff2060ff).save(file("ProgressBar.bmp"), "BMP");
        testsupport::writeFile(file("VSkin.ini"), description);
    }
    QString file(const QString& name) const { return dir.filePath(name); }
    QString path() const { return dir.path(); }
    QTemporaryDir dir;
};

const QByteArray kDarkSkin =
    "[Skin]\r\nname=Dark\r\nAuthor=Tester\r\n"
    "Play.top=300\r\nPlay.left=1050.5\r\nPlay.Height=300\r\nPlay.Width=300\r\n"
    "Stop.top=450\r\nStop.left=1500\r\nStop.Height=300\r\nStop.Width=300\r\n"
    "Pbar.top=150\r\nPbar.left=150\r\nPbar.Height=15\r\nPbar.Width=15\r\nElapsedTime.top=600\r\n"
    "ClosePlayer.top=60\r\nClosePlayer.left=2700\r\nClosePlayer.Height=150\r\n"
    "ClosePlayer.Width=150\r\n"
    "Config.top=450\r\nConfig.left=2400\r\nConfig.Height=300\r\nConfig.Width=300\r\n"
    "FontColorR=255\r\nScrollNameB=200\r\n";

std::unique_ptr<frmMain> startWith(const QString& skinFolder, const QString& commandLine = {}) {
    QFile::remove(SettingsStore::defaultFilePath());
    SettingsStore().write("Skin", skinFolder);
    SettingsStore().write("Volume", "-2270");
    auto window = std::make_unique<frmMain>(commandLine);
    window->Form_Load();
    return window;
}

void mouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPoint at = {2, 2}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

SkinImage* image(const frmMain& window, const char* name) {
    return qobject_cast<SkinImage*>(window.control(name));
}

// The player wearing the dark skin, closed at the end.
class SkinnedWindow : public ::testing::Test {
  protected:
    void start(const QString& commandLine = {}) { window = startWith(skin.path(), commandLine); }
    void TearDown() override {
        if (window)
            window->ExitMe();
    }
    HandMadeSkin skin{{200, 60}, kDarkSkin};
    std::unique_ptr<frmMain> window;
};

} // namespace

// Loaded twice the same; dragged by its body with the left button only; reskinned at once.
TEST_F(SkinnedWindow, TakesTheSkinsPictureOutlineGeometryColoursAndMetersReskinsButtonsAct) {
    start(testsupport::mediaPath("one-audio.avi"));
    EXPECT_EQ(window->control("play")->geometry(), QRect(70, 20, 20, 20)) << "1050.5 twips";
    EXPECT_EQ(window->control("stopbt")->geometry(), QRect(100, 30, 20, 20));
    // The bar takes its background picture's size whatever the keys say.
    EXPECT_EQ(window->seekBar()->geometry(), QRect(10, 10, 100, 6));
    EXPECT_EQ(window->control("tempslbl")->y(), 40);

    for (const char* label : {"tempslbl", "tempec", "vsize"})
        EXPECT_EQ(window->control(label)->palette().color(QPalette::WindowText), QColor(255, 0, 0))
            << label;
    auto* config = window->config();
    EXPECT_EQ(config->findChild<QLabel*>("SkinName")->text(), "Name: Dark");
    EXPECT_EQ(config->findChild<QLabel*>("SkinDesc")->text(), "Author: Tester");
    EXPECT_EQ(SettingsStore().read("PbarBack"), skin.file("ProgressBack.bmp"));
    // The stored level's picture of the skin (the steps and the mute: VolumeControl).
    EXPECT_EQ(image(*window, "VolSlider")->picture().pixel(0, 0), qRgb(18, 0, 0));

    window->config()->findChild<QComboBox*>("Combo1")->setCurrentIndex(6);
    window->config()->Spkup();
    EXPECT_EQ(image(*window, "SoundType")->picture().pixel(0, 0), qRgb(0, 28, 200)) << "SPDIF";

    auto snapshot = [&] {
        QList<QRect> rects;
        for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            rects.append(child->geometry());
        return std::tuple(rects, window->mask(), window->size(), window->volume.level());
    };
    const auto once = snapshot();
    window->SkinLoad();
    EXPECT_EQ(snapshot(), once);

    const QPoint start = window->pos();
    const QPoint surface(150, 5);
    EXPECT_FALSE(window->isDragSurface(window->control("play")->geometry().center()));

    auto drag = [&](Qt::MouseButton button) {
        mouse(window.get(), QEvent::MouseButtonPress, button, surface);
        mouse(window.get(), QEvent::MouseMove, button, surface + QPoint(30, 20));
        mouse(window.get(), QEvent::MouseButtonRelease, button, surface + QPoint(30, 20));
    };
    drag(Qt::RightButton);
    EXPECT_EQ(window->pos(), start);
    drag(Qt::LeftButton);
    EXPECT_EQ(window->pos(), start + QPoint(30, 20));

    // Another skin takes over at once; what it lacks keeps the old place and picture.
    HandMadeSkin second({150, 40},
                        "Name=Light\nPlay.top=150\nFontColorG=128\nClosePlayer.left=1950\n"
                        "Config.top=150\nConfig.left=1650\n",
                        false);
    const QImage firstQ3d = window->pictures.picture(27);
    ASSERT_FALSE(firstQ3d.isNull());
    const QRect pauseBefore = window->control("pause")->geometry();

    window->config()->setSkinFolder(second.path());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->size(), QSize(150, 40));
    EXPECT_EQ(window->control("play")->geometry(), QRect(70, 10, 20, 20))
        << "keys the new skin leaves out keep the old place";
    EXPECT_EQ(window->control("pause")->geometry(), pauseBefore);
    EXPECT_EQ(window->pictures.picture(27), firstQ3d) << "no Q3D picture in the new skin";
    EXPECT_EQ(window->pictures.picture(28).pixel(0, 0), qRgb(0, 28, 150));
    EXPECT_EQ(window->control("tempec")->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_EQ(window->config()->findChild<QLabel*>("SkinName")->text(), "Name: Light");

    ASSERT_EQ(window->playback.PlayState(), PlayRunning);
    // Minimise takes the video window down with the bar.
    ASSERT_TRUE(
        testsupport::waitUntil([&] { return window->videoWindowForm()->isVisible(); }, 5000));
    testsupport::click(image(*window, "Image7"));
    EXPECT_TRUE(window->isMinimized());
    EXPECT_TRUE(window->videoWindowForm()->isMinimized());
    // No "bstop.bmp": no feedback, and the click still stops.
    auto* stop = image(*window, "stopbt");
    mouse(stop, QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_TRUE(stop->picture().isNull());
    mouse(stop, QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_EQ(window->playback.PlayState(), PlayStopped);
    // Each tooltip names the button's key, as the README lists them.
    const std::pair<const char*, const char*> promised[] = {
        {"play", "(X)"}, {"pause", "(C)"},  {"stopbt", "(V)"},  {"nextbt", "(B)"},
        {"prev", "(W)"}, {"ouvrir", "(O)"}, {"playlbt", "(P)"}, {"enablefs", "(Z)"}};
    for (const auto& [name, key] : promised)
        EXPECT_TRUE(image(*window, name)->toolTip().endsWith(key))
            << name << ": " << image(*window, name)->toolTip().toStdString();
    testsupport::click(image(*window, "playlbt"));
    ASSERT_NE(window->playlist().window(), nullptr);
    EXPECT_TRUE(window->playlist().window()->isVisible());
}

// Refused, naming the skin and why; the player's own skin stands in with close and setup.
TEST_F(SkinnedWindow, BrokenSkinsAreRefusedAndThePlayersOwnSkinStandsIn) {
    const QSize screen = QApplication::primaryScreen()->availableGeometry().size();
    const QByteArray cutout = "Config.top=0\nConfig.left=0\nConfig.Width=50\nConfig.Height=50\n";
    const struct {
        const char* name;
        QSize size;
        QByteArray description;
        const char* reason;
    } cases[] = {
        // clang-format off
        {"garbage", {200, 60}, "\x01\xff garbage ===\nPlay.top=nine\n", "places none of the controls"},
        {"giant", {200, 60}, "ClosePlayer.left=1e300\nConfig.top=99999999999\n", "places none of the controls"},
        {"outside", {200, 60}, kDarkSkin + "ClosePlayer.left=3600\n", "close button lies outside"},
        {"cutout", {200, 60}, kDarkSkin + cutout, "configuration button is cut out"},
        {"huge", {screen.width() + 10, 60}, kDarkSkin, "larger than the screen"},
        {"nobase", {200, 60}, kDarkSkin, "base.bmp is missing"},
        {"unreadable", {200, 60}, kDarkSkin, "base.bmp cannot be read"},
        {"nodescription", {200, 60}, "", "close button lies outside"},
        // clang-format on
    };
    for (const auto& broken : cases) {
        SCOPED_TRACE(broken.name);
        HandMadeSkin skin(broken.size, broken.description);
        if (QByteArray(broken.name) == "nobase")
            QFile::remove(skin.file("base.bmp"));
        if (QByteArray(broken.name) == "unreadable")
            testsupport::writeFile(skin.file("base.bmp"), "BM not a picture");
        if (QByteArray(broken.name) == "nodescription")
            QFile::remove(skin.file("VSkin.ini"));
        auto window = startWith(skin.path());
        QMessageBox* box = window->findChild<QMessageBox*>();
        ASSERT_NE(box, nullptr) << "refused without a word";
        EXPECT_TRUE(box->text().contains(QFileInfo(skin.path()).fileName()))
            << box->text().toStdString();
        EXPECT_TRUE(box->text().contains(broken.reason)) << box->text().toStdString();
        EXPECT_TRUE(window->config()->skinFolder().endsWith("Skins/WinDVD"));
        for (const char* control : {"Image6", "conf"}) {
            const QRect at = window->control(control)->geometry();
            EXPECT_TRUE(window->rect().contains(at)) << control;
            EXPECT_TRUE(window->mask().isEmpty() || window->mask().contains(at.center()))
                << control;
        }
        window->ExitMe();
    }
}

TEST(TextScroller, OnlyATitleTooWideForTheStripScrollsAndItComesRound) {
    TextScroller scroller;
    scroller.resize(120, 16);
    scroller.setText("short.avi");
    scroller.show();
    EXPECT_FALSE(scroller.scrolling()) << "a title that fits stands still";

    scroller.setText(QString("A.Rather.Long.Movie.Title.That.Does.Not.Fit.avi"));
    EXPECT_TRUE(scroller.scrolling());
    for (int i = 0; i < 5; ++i)
        scroller.advance();
    EXPECT_EQ(scroller.offset(), 5);
    const int period = scroller.fontMetrics().horizontalAdvance(scroller.text()) + 40;
    for (int i = 5; i < period; ++i)
        scroller.advance();
    EXPECT_EQ(scroller.offset(), 0) << "one period later the text is back";
    scroller.advance();
    scroller.setText("Another.Rather.Long.Movie.Title.That.Does.Not.Fit.Either.avi");
    EXPECT_EQ(scroller.offset(), 0) << "a new title starts at its beginning";

    // A title of any length costs what a long one does.
    scroller.setText(QString(100000, 'x'));
    EXPECT_EQ(scroller.shownText().size(), TextScroller::kMaxShownCharacters);

    scroller.resize(2000, 16);
    EXPECT_FALSE(scroller.scrolling()) << "a wider strip holds the whole title";

    // Off, a title too wide stands still at its start, shown again or not.
    scroller.resize(120, 16);
    scroller.advance();
    scroller.setScrolling(false);
    scroller.hide();
    scroller.show();
    EXPECT_FALSE(scroller.scrolling());
    EXPECT_EQ(scroller.offset(), 0);
}
