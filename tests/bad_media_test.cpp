// Bad input through the main window's own path: each file that cannot play
// is named in plain words in the title and the on-screen display, the
// player is stopped with no empty video window, and the next movie plays.
#include "app/frm_main.h"
#include "live_objects.h"
#include "support/media/media_detector.h"
#include "support/settings/settings_store.h"
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
#include <unistd.h>

using testsupport::mediaPath;

namespace {

// The 300 bytes this seed flips stop the Matroska demuxer's own parse at
// about 4 s of 8, as random damage does.
constexpr unsigned kDamageSeed = 6;

class BadMedia : public ::testing::Test {
  protected:
    void SetUp() override {
        QFile::remove(SettingsStore::defaultFilePath());
        window = std::make_unique<frmMain>(QString());
        window->Form_Load();
        // Descriptors are counted once a movie has played and stopped: the
        // first open sets up the sound output and the decoders for good.
        expectPlays(mediaPath("one-audio.avi"));
        window->StopMovie();
        MediaDetector::waitForReadings();
        testsupport::pumpEvents(300);
        descriptors = proc::openDescriptors();
        threads = proc::threads();
    }
    // Whatever the bad files did, the last good movie's graph is the only
    // one left, and no descriptor is held beyond the playing movie's.
    void TearDown() override {
        live.update();
        EXPECT_LE(live.alivePipelines(), 1);
        window->StopMovie();
        MediaDetector::waitForReadings();
        testsupport::pumpEvents(300);
        EXPECT_LE(proc::openDescriptors(), descriptors)
            << "descriptors after the first movie: " << descriptors;
        EXPECT_TRUE(testsupport::waitUntil([&] { return proc::threads() <= threads; }, 3000))
            << threads
            << " threads after the first movie; now: " << proc::threadNames().toStdString();
        window->ExitMe();
    }

    QString make(const QString& name, const QByteArray& bytes) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QByteArray media(const QString& name) {
        QFile file(mediaPath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    QWidget* osdWindow() const {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "Osd")
                return top;
        return nullptr;
    }

    // Opens `path`; true once the title says `words` and the player is
    // stopped with no video window, and the user was shown it.
    void expectRefused(const QString& path, const QString& words, int withinMs = 3000) {
        SCOPED_TRACE(path.toStdString());
        window->OpenaMovie(path, false);
        EXPECT_TRUE(
            testsupport::waitUntil([&] { return window->scrollTitle().contains(words); }, withinMs))
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
        EXPECT_TRUE(testsupport::waitUntil(
            [&] {
                return window->videoWindowForm()->isVisible() &&
                       window->playback.MediaControl()->currentPosition().valueOr(0) > 0.2;
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

TEST_F(BadMedia, FilesThatHoldNoMovieAreNamedAndTheNextPlays) {
    expectRefused(folder.filePath("gone.avi"), "gone.avi was not found.");
    expectRefused(folder.path(), "is a folder, not a movie.");
    expectRefused(make("empty.avi", {}), "empty.avi is empty");
    QByteArray noise(65536, '\0');
    QRandomGenerator random(7);
    for (char& byte : noise)
        byte = char(random.bounded(256));
    expectRefused(make("noise.avi", noise), "noise.avi is not a movie.");
    expectRefused(make("notes.mp4", "Plain text, not a movie.\n"), "notes.mp4 is not a movie.");
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
    ASSERT_TRUE(testsupport::waitUntil([&] { return window->opener.streamCount() > 0; }, 5000));
    EXPECT_TRUE(window->playback.FrameRate() >= 0 && window->playback.FrameRate() <= 1000)
        << window->playback.FrameRate();
    expectPlays(mediaPath("one-audio.avi"));
}

TEST_F(BadMedia, AFileCutWhileItPlaysStopsThePlayer) {
    const QString movie = make("demo.avi", media("demo.avi"));
    window->OpenaMovie(movie, false);
    ASSERT_TRUE(testsupport::waitUntil(
        [&] { return window->playback.MediaControl()->currentPosition().valueOr(0) > 1.0; }, 5000));
    ASSERT_TRUE(QFile::resize(movie, QFileInfo(movie).size() / 5));
    EXPECT_TRUE(testsupport::waitUntil([&] { return window->playback.PlayState() == PlayStopped; },
                                       StallWatch::kStillSeconds * 1000 + 10000));
    EXPECT_NE(window->scrollTitle(), "demo.avi") << "the user is told";
    expectPlays(mediaPath("one-audio.avi"));
}

// Files named for what they are not play by what they are, and awkward
// names open as they stand.
TEST_F(BadMedia, MoviesUnderOtherNamesAndAwkwardPathsPlay) {
    expectPlays(make("really-mp4.avi", media("movie.mp4")));
    expectPlays(make("really-mpeg-ps.avi", media("movie.mpg")));
    const QByteArray avi = media("one-audio.avi");
    for (const char* name : {"a film 'with' \"quotes\".avi", "-starts with a dash.avi",
                             "Фильм 映画 ταινία.avi", " spaces around .avi"})
        expectPlays(make(QString::fromUtf8(name), avi));
}

// Cut at 1 %, 10 %, 50 % and 99 %: each plays what it holds or is refused,
// stops (the player does not go on saying it plays), and the next plays.
TEST_F(BadMedia, MoviesCutAnywhereStopAndTheNextPlays) {
    const QByteArray avi = media("two-audio.avi");
    for (const int percent : {1, 10, 50, 99}) {
        SCOPED_TRACE(percent);
        window->OpenaMovie(
            make(QStringLiteral("cut-%1.avi").arg(percent), avi.left(avi.size() * percent / 100)),
            false);
        EXPECT_TRUE(
            testsupport::waitUntil([&] { return window->playback.PlayState() == PlayStopped; },
                                   StallWatch::kStillSeconds * 1000 + 8000))
            << window->scrollTitle().toStdString();
        expectPlays(mediaPath("one-audio.avi"));
    }
}

// Damage the demuxer cannot step over ends its data early; the player jumps
// to the next key frame and plays the rest, as mpv does. A movie of one
// picture is seen before it ends, and neither is reported as a failure.
TEST_F(BadMedia, DamagedMoviesPlayOnAndOnePictureIsSeen) {
    QByteArray mkv = media("clusters.mkv");
    std::mt19937 random(kDamageSeed);
    std::uniform_int_distribution<qsizetype> where(mkv.size() / 10, mkv.size() - 1);
    for (int i = 0; i < 300; ++i)
        mkv[where(random)] ^= char(0xff);
    window->OpenaMovie(make("damaged.mkv", mkv), false);
    double furthest = 0;
    testsupport::waitUntil(
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
    ASSERT_TRUE(testsupport::waitUntil([&] { return video->isVisible(); }, 3000));
    testsupport::pumpEvents(800); // long after its 40 ms
    ASSERT_TRUE(video->isVisible()) << "the picture is still on the screen";
    const QImage shot = video->grab().toImage();
    EXPECT_GT(qGray(shot.pixel(shot.width() / 20, shot.height() / 4)), 150) << "the white bar";
    EXPECT_TRUE(
        testsupport::waitUntil([&] { return window->playback.PlayState() == PlayStopped; }, 5000));
    EXPECT_EQ(window->scrollTitle(), "one-frame.avi") << "an end, not a failure";
    expectPlays(mediaPath("one-audio.avi"));
}

// A part of GStreamer that is not installed is named with the package that
// holds it, never blamed on the file, and leaves no graph behind.
TEST_F(BadMedia, MissingGStreamerPartsNameTheirPackage) {
    const struct {
        const char* feature;
        const char* told;
    } cases[] = {
        {"avdec_mpeg4", "No decoder is installed for DivX MPEG-4 Version 4 (one-audio.avi): "
                        "install gstreamer1.0-libav."},
    };
    for (const auto& missing : cases) {
        SCOPED_TRACE(missing.feature);
        {
            const testsupport::HiddenFeature hidden(missing.feature);
            window->OpenaMovie(mediaPath("one-audio.avi"), false);
            EXPECT_TRUE(testsupport::waitUntil(
                [&] { return window->scrollTitle().contains(missing.told); }, 5000))
                << window->scrollTitle().toStdString();
            EXPECT_EQ(window->playback.PlayState(), PlayStopped);
            EXPECT_FALSE(window->videoWindowForm()->isVisible());
        }
        expectPlays(mediaPath("one-audio.avi"));
    }
    // Without the sound output's parts the picture plays, and the title
    // says why there is no sound.
    const testsupport::HiddenFeature hidden("scaletempo");
    expectPlays(mediaPath("one-audio.avi"));
    EXPECT_EQ(window->scrollTitle(), "one-audio.avi needs GStreamer's \"scaletempo\", which is not "
                                     "installed: install gstreamer1.0-plugins-good.");
}

// A movie deleted, or replaced by something else, while it plays.
TEST_F(BadMedia, AMovieDeletedOrReplacedWhileItPlays) {
    for (const bool replaced : {false, true}) {
        SCOPED_TRACE(replaced ? "replaced" : "deleted");
        const QString movie = make("going.avi", media("demo.avi"));
        window->OpenaMovie(movie, false);
        ASSERT_TRUE(testsupport::waitUntil(
            [&] { return window->playback.MediaControl()->currentPosition().valueOr(0) > 0.5; },
            5000));
        ASSERT_TRUE(QFile::remove(movie));
        if (replaced)
            make("going.avi", QByteArray(1 << 20, 'x'));
        testsupport::pumpEvents(1500);
        expectPlays(mediaPath("one-audio.avi"));
    }
}

// A movie whose folder stops being readable while it plays. Permissions do
// not bind root: the suite runs this one again as an ordinary user
// (tests/e2e/as_user.sh).
TEST_F(BadMedia, AMovieWhoseFolderBecomesUnreadable) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    const QString locked = folder.filePath("locked");
    ASSERT_TRUE(QDir().mkpath(locked));
    const QString movie = locked + "/film.avi";
    ASSERT_TRUE(QFile::copy(mediaPath("demo.avi"), movie));
    window->OpenaMovie(movie, false);
    ASSERT_TRUE(testsupport::waitUntil(
        [&] { return window->playback.MediaControl()->currentPosition().valueOr(0) > 0.5; }, 5000));
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::Permissions()));
    testsupport::pumpEvents(1000);
    window->OpenaMovie(movie, false);
    EXPECT_TRUE(
        testsupport::waitUntil([&] { return window->playback.PlayState() == PlayStopped; }, 3000));
    EXPECT_TRUE(window->scrollTitle().contains("film.avi")) << window->scrollTitle().toStdString();
    EXPECT_NE(window->scrollTitle(), "film.avi") << "the user is told what went wrong";
    expectPlays(mediaPath("one-audio.avi"));
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
