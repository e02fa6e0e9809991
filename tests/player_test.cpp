// Opening and transport on real graphs, with a host that records what the windows would show.
#include "app/frm_main.h"
#include "graph_fixture.h"
#include "player/frm_jump_to.h"
#include "player/movie_opener.h"
#include "player/time_text.h"
#include "player/transport.h"
#include "video/pic_video_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cmath>

using namespace testsupport;

namespace {

struct RecordingHost : TransportHost, OpenerHost {
    QStringList osd, streamItems;
    int detached = 0, value = 0, max = 0, probed = 0, ends = 0, detections = 0;
    QString position = "00:00:00", device = "Null Audio Renderer";
    bool streamMenuOn = false, shuffle = false;
    double duration = -1;

    void AttachVideo() override {}
    void DetachVideo() override { ++detached; }
    void setOsdText(const QString& text) override { osd << text; }
    void applyVolume() override {}
    void hideCurtain() override {}
    void startOverlayDetection() override { ++detections; }
    void stopOverlayDetection() override {}
    int seekBarValue() const override { return value; }
    int seekBarMax() const override { return max; }
    void setSeekBarValue(int seconds) override { value = seconds; }
    QString positionText() const override { return position; }
    void setPositionText(const QString& text) override { position = text; }
    bool shuffleOn() const override { return shuffle; }
    void endMovieNow() override { ++ends; }
    QString audioDeviceName() const override { return device; }
    bool useDedynamic() const override { return false; }
    int probeFrameRate(const QString&) override { return ++probed, -1; }
    void setTitle(const QString&) override {}
    void setAudioStreamItems(const QStringList& captions, bool enabled) override {
        streamItems = captions;
        streamMenuOn = enabled;
    }
    void placeVideo() override {}
    bool fullScreen() const override { return false; }
    void showCurtain() override {}
    void beforeGraphBuilt() override {}
    void unloadSubtitles() override {}
    void loadSubtitles() override {}
    void openFailed(const QString&, const MediaError&) override {}
};

struct Player {
    Player() {
        QObject::connect(&playback, &Playback::durationChanged, [this](double seconds) {
            host.duration = seconds;
            host.max = int(seconds);
        });
    }
    Playback playback;
    GraphInspector inspector{playback};
    ChapterList chapters;
    SelectableList queue;
    RecordingHost host;
    Transport transport{playback, chapters, queue, host};
    MovieOpener opener{playback, inspector, chapters, transport, host};

    double position() const { return playback.MediaPosition()->currentPosition().valueOr(-1); }
    bool waitForPosition(double atLeast) {
        return waitUntil([&] { return position() >= atLeast; }, 5000);
    }
};

} // namespace

// Three streams take the AVI path on the first audio stream, two the generic; a refusal keeps none.
TEST(Opening, TheStreamCountDecidesThePathAndTheAudioStreamMenu) {
    Player player;
    ASSERT_TRUE(player.opener.OpenaMovie(mediaPath("two-audio.avi"), true));
    FilterGraph& graph = *player.playback.MediaControl();
    const FilterInfo splitter = findFilter(graph, "AVI Splitter");
    EXPECT_TRUE(findPin(splitter, "Stream 00").connectedTo());
    EXPECT_TRUE(findPin(splitter, "Stream 01").connectedTo());
    EXPECT_FALSE(findPin(splitter, "Stream 02").connectedTo());
    EXPECT_TRUE(findPin(findFilter(graph, "Null Audio Renderer"), "Input").connectedTo());
    EXPECT_TRUE(findFilter(graph, "Default Audio Output").isNull());
    EXPECT_EQ(player.host.osd.last(), "Play");
    EXPECT_TRUE(player.playback.LoopMovie());
    ASSERT_TRUE(waitUntil([&] { return player.host.streamItems.value(0) != "None"; }, 5000));
    EXPECT_EQ(player.host.streamItems,
              QStringList({"Stream 01", "Stream 02", "None", "None", "None"}));
    EXPECT_TRUE(player.host.streamMenuOn);
    EXPECT_EQ(player.playback.FrameRate(), 25);
    EXPECT_TRUE(waitUntil([&] { return std::abs(player.host.duration - 4.0) < 0.2; }, 5000));
    EXPECT_TRUE(player.waitForPosition(0.5));

    ASSERT_TRUE(player.opener.OpenaMovie(mediaPath("movie.divx"), false));
    const QStringList oneAudio = {"Stream 01", "None", "None", "None", "None"};
    EXPECT_TRUE(waitUntil([&] { return player.host.streamItems == oneAudio; }, 5000));
    EXPECT_TRUE(findFilter(*player.playback.MediaControl(), "AVI Splitter").isNull());
    EXPECT_FALSE(findFilter(*player.playback.MediaControl(), "Decoder").isNull());
    EXPECT_TRUE(findFilter(*player.playback.MediaControl(), "Default Audio Output").isNull());

    // 23.976 frames per second is 24 whole frames.
    ASSERT_TRUE(player.opener.OpenaMovie(mediaPath("rate-23976.avi"), false));
    ASSERT_TRUE(waitUntil([&] { return player.playback.FrameRate() == 24; }, 5000));
    EXPECT_EQ(player.host.probed, 0);

    EXPECT_FALSE(player.opener.OpenaMovie(mediaPath("missing.avi"), false));
    EXPECT_EQ(player.host.streamItems.value(0), "None");
    EXPECT_FALSE(player.host.streamMenuOn);
    EXPECT_EQ(player.playback.FrameRate(), 0);
    EXPECT_FALSE(player.playback.MovieOpen());
}

// Any container but AVI: tracks listed with language and title, switched in the running graph.
TEST(Opening, AudioTracksOfAContainerSwitchInThePlayingGraph) {
    Player player;
    ASSERT_TRUE(player.opener.OpenBivx(mediaPath("tracks.mkv"), "Stream 02", false));
    const std::shared_ptr<FilterGraph> graph = player.playback.MediaControl();
    ToneTap heard(findFilter(*graph, "Null Audio Renderer"));
    EXPECT_TRUE(heard.waitForTone(1000)) << heard.frequency();
    ASSERT_TRUE(waitUntil([&] { return player.host.streamItems.value(0) != "None"; }, 5000));
    EXPECT_EQ(player.host.streamItems,
              QStringList({"Stream 01 - English (Main)", "Stream 02 - French (Commentary)", "None",
                           "None", "None"}));
    EXPECT_EQ(player.opener.audioStream(), "Stream 02");

    const QStringList told = player.host.osd;
    const double before = player.position();
    ASSERT_TRUE(player.opener.switchAudioStream("Stream 01"));
    EXPECT_TRUE(heard.waitForTone(440)) << heard.frequency();
    // The same file asked for with a stream switches too.
    ASSERT_TRUE(player.opener.OpenBivx(mediaPath("tracks.mkv"), "Stream 02", false));
    EXPECT_TRUE(heard.waitForTone(1000)) << heard.frequency();
    EXPECT_EQ(player.playback.MediaControl(), graph) << "no reopen";
    EXPECT_EQ(player.playback.PlayState(), PlayRunning);
    EXPECT_GE(player.position(), before) << "the movie went on, not from the start";
    EXPECT_EQ(player.host.osd, told) << "neither stopped nor started again";
}

TEST(Opening, AudioTrackCaptionsNameWhatTheFileGives) {
    const std::tuple<int, const char*, const char*, const char*> cases[] = {
        {1, "", "", "Stream 01"},
        {2, "de", "", "Stream 02 - German"},
        {3, "fre", "Director", "Stream 03 - French (Director)"},
        {4, "", "Commentary", "Stream 04 - Commentary"},
        {5, "xx-unknown", "", "Stream 05 - xx-unknown"},
        {12, "en", "Main", "Stream 12 - English (Main)"},
    };
    for (const auto& [number, language, title, caption] : cases)
        EXPECT_EQ(audioTrackCaption(number, {StreamKind::Audio, language, title}), caption);
    for (auto [pin, number] : {std::pair{"Stream 02 - German", 2}, std::pair{"Stream 1", 1},
                               std::pair{"Stream 0x", 0}, std::pair{"None", 0}})
        EXPECT_EQ(audioTrackNumber(pin), number) << pin;
}

TEST(Opening, DroppedFilesOpenTheFirstAndQueueTheRest) {
    Player player;
    const QStringList dropped = {mediaPath("missing.avi"),   mediaPath(""),
                                 mediaPath("one-audio.avi"), mediaPath("movie.mp4"),
                                 mediaPath("gone.mpg"),      mediaPath("movie.mpg")};
    EXPECT_EQ(player.opener.openDropped(dropped, false, player.queue), 3);
    EXPECT_EQ(player.queue.items(), QStringList({mediaPath("movie.mp4"), mediaPath("movie.mpg")}));
}

TEST(Transport, PauseStopPlaySeekBarJumpAndRateFollowThePlayState) {
    Player player;
    player.transport.pause_Click();
    EXPECT_EQ(player.playback.PlayState(), PlayStopped) << "pause while stopped does nothing";
    ASSERT_TRUE(player.opener.OpenaMovie(mediaPath("two-audio.avi"), false));
    ASSERT_TRUE(player.waitForPosition(0.2));
    player.host.value = 2;
    player.transport.PBar1_Click();
    EXPECT_EQ(player.host.position, "00:00:02");
    pumpEvents(150);
    EXPECT_NEAR(player.position(), 2.1, 0.3);

    player.transport.pause_Click();
    EXPECT_EQ(player.playback.PlayState(), PlayPaused);
    pumpEvents(200);
    const double paused = player.position();
    player.transport.play_Click();
    EXPECT_EQ(player.playback.PlayState(), PlayRunning);
    pumpEvents(100);
    EXPECT_GE(player.position(), paused - 0.05) << "play after pause resumes";

    const int detections = player.host.detections;
    player.transport.pause_Click();
    player.transport.Jump("00:00:01");
    EXPECT_EQ(player.playback.PlayState(), PlayRunning);
    pumpEvents(150);
    EXPECT_NEAR(player.position(), 1.1, 0.3);
    EXPECT_EQ(player.host.value, 1);
    EXPECT_EQ(player.host.detections, detections) << "a jump is no new play";

    // An unknown index (3) changes nothing.
    for (const auto& [index, rate] : {std::pair{2, 2.0}, {3, 2.0}, {1, 1.0}}) {
        player.transport.PlaybackRate(index);
        EXPECT_EQ(player.playback.MediaPosition()->rate(), rate) << index;
    }

    const int detachedBefore = player.host.detached;
    player.transport.stopbt_Click();
    EXPECT_EQ(player.playback.PlayState(), PlayStopped);
    EXPECT_EQ(player.host.detached, detachedBefore + 1);
    EXPECT_EQ(player.host.osd.last(), "Stop");
    player.transport.playPause(); // Space
    EXPECT_EQ(player.playback.PlayState(), PlayRunning) << "one Space plays after Stop";
    pumpEvents(300);
    EXPECT_LT(player.position(), 0.9) << "play after stop starts at 0";
    player.transport.playPause();
    EXPECT_EQ(player.playback.PlayState(), PlayPaused);
}

// Next and Previous end the movie for the queue to move on; Previous first steps back two.
TEST(Transport, NextAndPreviousAgainstTheQueue) {
    const struct {
        bool previous, shuffle;
        int count, index;
        int ends, indexAfter;
    } cases[] = {
        {false, false, 3, 1, 1, 1},   {false, false, 3, 2, 0, 2}, {false, true, 3, 2, 1, 2},
        {false, false, 0, -1, 0, -1}, {false, false, 1, 0, 0, 0}, {true, false, 3, 2, 1, 0},
        {true, false, 3, 1, 1, -1},   {true, false, 3, 0, 0, 0},  {true, true, 3, 0, 1, 0},
        {true, false, 3, -1, 0, -1},  {true, true, 3, 1, 1, -1},
    };
    for (const auto& c : cases) {
        Player player;
        for (int i = 0; i < c.count; ++i)
            player.queue.addItem(QString::number(i));
        player.queue.setListIndex(c.index);
        player.host.shuffle = c.shuffle;
        c.previous ? player.transport.prev_Click() : player.transport.nextbt_Click();
        SCOPED_TRACE(&c - cases);
        EXPECT_EQ(player.host.ends, c.ends);
        EXPECT_EQ(player.queue.listIndex(), c.indexAfter);
        EXPECT_EQ(player.host.osd.contains("Previous"), c.previous && c.ends);
    }
}

TEST(TimeText, FormatsParsesAndJoinsAtFixedPlaces) {
    EXPECT_EQ(formatTime(3725), "01:02:05");
    EXPECT_EQ(formatTime(40000), "11:06:40") << "past 32767 seconds";
    EXPECT_EQ(formatTime(360000), "100:00:00");
    EXPECT_EQ(formatTime(-5), "00:00:00");
    EXPECT_EQ(HtoSec("01:02:05"), 3725);
    EXPECT_EQ(HtoSec("1:5:3"), 3600) << "the jump dialog's unpadded fields";
    EXPECT_EQ(HtoSec("ab:cd:ef"), 0);
    EXPECT_EQ(HtoSec(""), 0);
    EXPECT_EQ(leadingNumber(" 12x"), 12);
    EXPECT_EQ(leadingNumber("-3"), -3);
    EXPECT_EQ(leadingNumber(":5"), 0);

    QString asked;
    auto* dialog = new frmJumpTo([&](const QString& time) { asked = time; }, nullptr);
    dialog->hours->setText("1");
    dialog->minutes->setText("5");
    dialog->Seconds->setText("3");
    dialog->Command1_Click();
    EXPECT_EQ(asked, "01:05:03") << "the jump dialog joins its fields two digits wide";
}

TEST(Chapters, SideFileNamesAndEntries) {
    EXPECT_EQ(ChapterList::sideFileName("C:\\films\\Film.divx"), "Film..vcx")
        << "the last four characters go, whatever they are";
    QTemporaryDir folder;
    writeFile(folder.filePath("Movie.vcx"), "00:00:00, 00:10:00\n\"00:20:00\"\n\n");
    ChapterList chapters;
    chapters.load("/elsewhere/Movie.avi", folder.path());
    EXPECT_EQ(chapters.ListChap.items(), QStringList({"00:00:00", "00:10:00", "00:20:00"}));
    chapters.takeContainerChapters({5, 7}); // as the opener hands them over for every movie
    EXPECT_EQ(chapters.ListChap.count(), 3) << "the side file wins over the movie's own chapters";
    QStringList told;
    chapters.warn = [&told](const QString& text) { told << text; };
    chapters.load("/elsewhere/Other.avi", folder.path());
    // No side file: no chapters, and nothing told (below), as most movies have none.
    EXPECT_EQ(chapters.ListChap.count(), 0);

    writeFile(folder.filePath("Huge.vcx"), QByteArray(1024 * 1024 + 1, '0'));
    chapters.load("/elsewhere/Huge.avi", folder.path());
    EXPECT_EQ(chapters.ListChap.count(), 0);
    EXPECT_EQ(told, QStringList{"Huge.vcx is far too big to be a chapter file."});
    // A line of 4097 characters is skipped; 10000 entries are kept.
    writeFile(folder.filePath("Many.vcx"), "00:00:02\n" + QByteArray(4097, '1') + "\n" +
                                               QByteArray(4096, '2') + "\n" +
                                               QByteArray("00:00:01\n").repeated(10000));
    chapters.load("/elsewhere/Many.avi", folder.path());
    EXPECT_EQ(chapters.ListChap.count(), 10000);
    EXPECT_EQ(chapters.ListChap.items().mid(0, 3),
              QStringList({"00:00:02", QString(4096, '2'), "00:00:01"}));
    EXPECT_EQ(told.mid(1),
              QStringList{"1 line(s) of Many.vcx are too long to be chapters: skipped."});
}

// A movie's own chapters (unless a side file, above): Page Up the next, Page Down the one before.
TEST(Chapters, AMoviesOwnChaptersAreListedAndReachedByTheKeys) {
    QTemporaryDir folder;
    const QString movie = folder.filePath("chapters.mkv");
    ASSERT_TRUE(writeMovie(movie, {160, 120}, 200, {0, 2, 5}, "Three chapters"));
    auto player = freshPlayer();
    player->opener.chapterFolder = folder.path();
    ASSERT_TRUE(player->OpenaMovie(movie, false));
    ASSERT_TRUE(waitUntil([&] { return player->chapters.ListChap.count() == 3; }, 5000));
    EXPECT_EQ(player->playback.titleTag(), "Three chapters") << "for the desktop's players list";
    const auto position = [&] { return player->playback.position(); };
    for (const auto& [key, start] : {std::pair{Qt::Key_PageUp, 0.0},
                                     {Qt::Key_PageUp, 2.0},
                                     {Qt::Key_PageUp, 5.0},
                                     {Qt::Key_PageDown, 2.0},
                                     {Qt::Key_PageDown, 0.0}}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(player->videoWindowForm(), &press);
        EXPECT_TRUE(waitUntil([&] { return std::abs(position() - start) < 0.3; }, 3000))
            << start << " " << position();
        // The selection follows at the next tick of the position.
        EXPECT_TRUE(waitUntil(
            [&] { return player->chapters.ListChap.text() == formatTime(qint64(start)); }, 3000));
    }
    player->ExitMe();
}

TEST(Chapters, SelectionFollowsThePositionAndNavigates) {
    ChapterList chapters;
    chapters.ListChap.setItems({"00:00:00", "00:10:00", "00:20:00"});
    chapters.seekedTo(300);
    EXPECT_EQ(chapters.ListChap.listIndex(), 0);
    chapters.tick("00:05:00");
    EXPECT_EQ(chapters.ListChap.listIndex(), 1);
    chapters.tick("00:05:00");
    EXPECT_EQ(chapters.ListChap.listIndex(), 1);
    EXPECT_EQ(chapters.next("00:05:00"), "00:10:00");
    chapters.seekedTo(700);
    chapters.tick("00:11:40");
    EXPECT_EQ(chapters.ListChap.listIndex(), 2);
    EXPECT_TRUE(chapters.next("00:11:40").isEmpty()) << "the last chapter has no next";
    EXPECT_EQ(chapters.previous(), "00:10:00");
    EXPECT_EQ(chapters.previous(), "00:00:00");
    EXPECT_TRUE(chapters.previous().isEmpty()) << "the first chapter has no previous";
    chapters.ListChap.setListIndex(-1);
    chapters.tick("00:00:00");
    EXPECT_EQ(chapters.ListChap.listIndex(), -1);
    chapters.tick("00:00:01");
    EXPECT_EQ(chapters.ListChap.listIndex(), 1) << "one tick walks past every boundary behind";
    ChapterList none;
    EXPECT_TRUE(none.next("00:00:00").isEmpty());
    none.seekedTo(5);
    none.tick("00:00:10");
}
