// Bad input through the main window: named in the title and the OSD, stopped; the next plays.
#include "app/frm_main.h"
#include "live_objects.h"
#include "support/media/media_detector.h"
#include "test_support.h"
#include "video/pic_video_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>
#include <string_view>
#include <unistd.h>

using namespace testsupport;

namespace {

// The 300 bytes this seed flips stop the demuxer's parse at about 4 s of 8.
constexpr unsigned kDamageSeed = 6;

class BadMedia : public ::testing::Test {
  protected:
    void SetUp() override {
        window = freshPlayer();
        // Counted after a first movie: it sets up sound and decoders for good.
        expectPlays(mediaPath("one-audio.avi"));
        window->StopMovie();
        MediaDetector::waitForReadings();
        pumpEvents(300);
        descriptors = proc::openDescriptors();
        threads = proc::threads();
    }
    // Only the last good movie's graph and descriptors are left.
    void TearDown() override {
        EXPECT_LE(live.alivePipelines(), 1);
        window->StopMovie();
        MediaDetector::waitForReadings();
        pumpEvents(300);
        EXPECT_LE(proc::openDescriptors(), descriptors);
        EXPECT_TRUE(waitUntil([&] { return proc::threads() <= threads; }, 3000)) << threads;
        window->ExitMe();
    }

    QString make(const QString& name, const QByteArray& bytes) {
        return writeFile(folder.filePath(name), bytes);
    }
    static QByteArray media(const QString& name) { return readFile(mediaPath(name)); }
    QWidget* osdWindow() const {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "Osd")
                return top;
        return nullptr;
    }

    void expectRefused(const QString& path, const QString& words, int withinMs = 3000) {
        SCOPED_TRACE(path.toStdString());
        window->OpenaMovie(path, false);
        EXPECT_TRUE(waitUntil([&] { return window->scrollTitle().contains(words); }, withinMs))
            << window->scrollTitle().toStdString();
        EXPECT_EQ(window->playback.PlayState(), PlayStopped);
        EXPECT_FALSE(window->videoWindowForm()->isVisible());
        ASSERT_NE(osdWindow(), nullptr);
        EXPECT_TRUE(osdWindow()->isVisible());
        EXPECT_EQ(window->osdText(), window->scrollTitle());
        expectPlays(mediaPath("one-audio.avi"));
    }
    void expectPlays(const QString& path) {
        window->OpenaMovie(path, false);
        EXPECT_TRUE(waitUntil(
            [&] {
                return window->videoWindowForm()->isVisible() && window->playback.position() > 0.2;
            },
            5000))
            << path.toStdString() << ": " << window->scrollTitle().toStdString();
    }

    QTemporaryDir folder;
    std::unique_ptr<frmMain> window;
    LiveObjects live;
    int descriptors = 0;
    int threads = 0;
};

} // namespace

TEST_F(BadMedia, FilesAreJudgedByWhatTheyHoldNotByTheirNames) {
    expectRefused(folder.filePath("gone.avi"), "gone.avi was not found.");
    expectRefused(folder.path(), "is a folder, not a movie.");
    expectRefused(make("empty.avi", {}), "empty.avi is empty");
    QByteArray noise(65536, '\0');
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    expectRefused(make("noise.avi", noise), "noise.avi is not a movie.");
    expectRefused(make("notes.mp4", "Plain text, not a movie.\n"), "notes.mp4 is not a movie.");
    // Movies under other names and awkward paths play.
    expectPlays(make("really-mp4.avi", media("movie.mp4")));
    expectPlays(make("really-mpeg-ps.avi", media("movie.mpg")));
    const QByteArray avi = media("one-audio.avi");
    for (const char* name : {"a film 'with' \"quotes\".avi", "-starts with a dash.avi",
                             "Фильм 映画 ταινία.avi", " spaces around .avi"})
        expectPlays(make(QString::fromUtf8(name), avi));
}

TEST_F(BadMedia, AbsurdHeadersGiveNoAbsurdFrameRate) {
    QByteArray avi = media("one-audio.avi");
    const auto put = [&](const char* chunk, int offset, quint32 value) {
        const qsizetype at = avi.indexOf(chunk) + 8 + offset;
        for (int i = 0; i < 4; ++i)
            avi[at + i] = char(value >> (8 * i));
    };
    put("avih", 0, 0);           // microseconds per frame
    put("avih", 16, 0xffffffff); // frames
    put("avih", 24, 0xffff);     // streams
    put("avih", 32, 0x7fffffff); // width
    put("strh", 20, 0);          // scale
    put("strh", 24, 0xffffffff); // rate
    put("strf", 4, 100000);      // picture width
    window->OpenaMovie(make("absurd.avi", avi), false);
    ASSERT_TRUE(waitUntil([&] { return window->opener.streamCount() > 0; }, 5000));
    EXPECT_TRUE(window->playback.FrameRate() >= 0 && window->playback.FrameRate() <= 1000)
        << window->playback.FrameRate();
    expectPlays(mediaPath("one-audio.avi"));
}

// Cut anywhere: each plays what it holds or is refused, then stops.
TEST_F(BadMedia, MoviesCutAnywhereStopAndTheNextPlays) {
    const QByteArray avi = media("two-audio.avi");
    for (const int percent : {1, 10, 50, 99}) {
        SCOPED_TRACE(percent);
        window->OpenaMovie(
            make(QStringLiteral("cut-%1.avi").arg(percent), avi.left(avi.size() * percent / 100)),
            false);
        EXPECT_TRUE(waitUntil([&] { return window->playback.PlayState() == PlayStopped; },
                              StallWatch::kStillSeconds * 1000 + 8000))
            << window->scrollTitle().toStdString();
        expectPlays(mediaPath("one-audio.avi"));
    }
}

// Damage is stepped over to the next key frame; a one-picture movie is seen; neither fails.
TEST_F(BadMedia, DamagedMoviesPlayOnAndOnePictureIsSeen) {
    QByteArray mkv = media("clusters.mkv");
    std::mt19937 random(kDamageSeed);
    std::uniform_int_distribution<qsizetype> where(mkv.size() / 10, mkv.size() - 1);
    for (int i = 0; i < 300; ++i)
        mkv[where(random)] ^= char(0xff);
    window->OpenaMovie(make("damaged.mkv", mkv), false);
    double furthest = 0;
    waitUntil(
        [&] {
            if (window->playback.PlayState() == PlayRunning)
                furthest = std::max(furthest, window->playback.position());
            return window->playback.PlayState() == PlayStopped;
        },
        20000);
    EXPECT_GT(furthest, 6.0) << window->scrollTitle().toStdString();
    EXPECT_EQ(window->scrollTitle(), "damaged.mkv") << "played to its end";

    window->OpenaMovie(mediaPath("one-frame.avi"), false);
    PicVideoWindow* video = window->videoWindowForm();
    ASSERT_TRUE(waitUntil([&] { return video->isVisible(); }, 3000));
    pumpEvents(800); // long after its 40 ms
    ASSERT_TRUE(video->isVisible()) << "the picture is still on the screen";
    const QImage shot = video->grab().toImage();
    EXPECT_GT(qGray(shot.pixel(shot.width() / 20, shot.height() / 4)), 150) << "the white bar";
    EXPECT_TRUE(waitUntil([&] { return window->playback.PlayState() == PlayStopped; }, 5000));
    EXPECT_EQ(window->scrollTitle(), "one-frame.avi") << "an end, not a failure";
    expectPlays(mediaPath("one-audio.avi"));
}

// A GStreamer part not installed is named with its package, not blamed on the file.
TEST_F(BadMedia, MissingGStreamerPartsNameTheirPackage) {
    {
        const HiddenFeature hidden("avdec_mpeg4");
        window->OpenaMovie(mediaPath("one-audio.avi"), false);
        EXPECT_TRUE(waitUntil(
            [&] {
                return window->scrollTitle().contains(
                    "No decoder is installed for DivX MPEG-4 Version 4 (one-audio.avi): "
                    "install gstreamer1.0-libav.");
            },
            5000))
            << window->scrollTitle().toStdString();
    }
    const HiddenFeature hidden("scaletempo");
    expectPlays(mediaPath("one-audio.avi"));
    EXPECT_EQ(window->scrollTitle(), "one-audio.avi needs GStreamer's \"scaletempo\", which is not "
                                     "installed: install gstreamer1.0-plugins-good.");
}

// Cut short, the movie stops and the user is told; deleted or replaced, the next plays.
TEST_F(BadMedia, AMovieCutDeletedOrReplacedWhileItPlays) {
    for (const char* change : {"cut", "deleted", "replaced"}) {
        SCOPED_TRACE(change);
        const QString movie = make("going.avi", media("demo.avi"));
        window->OpenaMovie(movie, false);
        ASSERT_TRUE(waitUntil([&] { return window->playback.position() > 1.0; }, 5000));
        if (change == std::string_view("cut")) {
            ASSERT_TRUE(QFile::resize(movie, QFileInfo(movie).size() / 5));
            EXPECT_TRUE(waitUntil([&] { return window->playback.PlayState() == PlayStopped; },
                                  StallWatch::kStillSeconds * 1000 + 10000));
            EXPECT_NE(window->scrollTitle(), "going.avi") << "the user is told";
        } else {
            ASSERT_TRUE(QFile::remove(movie));
            if (change == std::string_view("replaced"))
                make("going.avi", QByteArray(1 << 20, 'x'));
            pumpEvents(1500);
        }
        expectPlays(mediaPath("one-audio.avi"));
    }
}

// Permissions do not bind root: as_user.sh runs this again as an ordinary user.
TEST_F(BadMedia, AMovieWhoseFolderBecomesUnreadable) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    const QString locked = folder.filePath("locked");
    ASSERT_TRUE(QDir().mkpath(locked));
    const QString movie = locked + "/film.avi";
    ASSERT_TRUE(QFile::copy(mediaPath("demo.avi"), movie));
    window->OpenaMovie(movie, false);
    ASSERT_TRUE(waitUntil([&] { return window->playback.position() > 0.5; }, 5000));
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::Permissions()));
    pumpEvents(1000);
    window->OpenaMovie(movie, false);
    EXPECT_TRUE(waitUntil([&] { return window->playback.PlayState() == PlayStopped; }, 3000));
    EXPECT_TRUE(window->scrollTitle().contains("film.avi")) << window->scrollTitle().toStdString();
    EXPECT_NE(window->scrollTitle(), "film.avi") << "the user is told what went wrong";
    expectPlays(mediaPath("one-audio.avi"));
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
