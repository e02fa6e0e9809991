// The play queue without windows: playlist files, the folder listing, how the queue moves on.
#include "player/playback.h"
#include "playlist/folder_listing.h"
#include "playlist/play_queue.h"
#include "playlist/playlist_file.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <utility>

using namespace testsupport;

namespace {

struct RecordingHost : PlayQueueHost {
    explicit RecordingHost(Playback& playback) : playback(playback) {}
    bool openMovie(const QString& file, bool loop) override {
        opened.append(QFileInfo(file).fileName());
        playback.setLoopMovie(loop);
        playback.setPlayState(playable ? PlayRunning : PlayStopped);
        return playable;
    }
    void stopMovie() override {
        ++stops;
        playback.setPlayState(PlayStopped);
    }
    void jump(const QString& timeText) override { jumps.append(timeText); }
    void showCurtain(bool shown) override { curtain.append(shown ? "1" : "0"); }
    bool runPendingTransition() override {
        transitions += transitionPending;
        return std::exchange(transitionPending, false);
    }
    bool fullScreen() const override { return fullScreenOn; }
    void setTitle(const QString& text) override { title = text; }
    void warn(const QString& text) override { warnings.append(text); }

    Playback& playback;
    bool playable = true, transitionPending = false, fullScreenOn = false;
    QStringList opened, jumps, warnings, curtain; // curtain: shown 1, lifted 0
    QString title;
    int stops = 0, transitions = 0;
};

// A queue of real (empty) files "0.avi", "1.avi", ...
struct QueueRig {
    void fill(int count) {
        QStringList entries;
        for (int i = 0; i < count; ++i)
            entries.append(writeFile(dir.filePath(QStringLiteral("%1.avi").arg(i)), "x"));
        queue.List1.setItems(entries);
        queue.file2.setItems(entries);
    }
    // A natural end, and the event loop that handles it.
    void end() {
        queue.movieEnded();
        QCoreApplication::processEvents();
    }

    QTemporaryDir dir;
    Playback playback;
    SelectableList list;
    RecordingHost host{playback};
    PlayQueue queue{playback, list, host};
};

class PlayQueueTest : public ::testing::Test, protected QueueRig {};

} // namespace

TEST(PlaylistFile, ListsSaveWithCrLfReadBackTheSameAndM3uEntriesResolveAgainstTheirFolder) {
    QTemporaryDir dir;
    const QString path = dir.filePath("list.lst");
    const QStringList entries{"/films/a b.avi", "", "/films/é.mpg"};
    EXPECT_EQ(writePlaylistFile(path, entries), QString());
    EXPECT_EQ(readFile(path), QByteArray("/films/a b.avi\r\n\r\n/films/\xc3\xa9.mpg\r\n"));
    EXPECT_EQ(readPlaylistFile(path).entries, entries);
    // An empty list comes back empty; one empty entry stays one.
    for (const QStringList& few : {QStringList{}, QStringList{""}}) {
        EXPECT_EQ(writePlaylistFile(path, few), QString());
        EXPECT_EQ(readPlaylistFile(path).entries, few) << few.size();
    }

    // LF alone, a last line without an end, and an older list in Latin-1.
    EXPECT_EQ(parseLstText("a\nb\r\nc"), (QStringList{"a", "b", "c"}));
    writeFile(path, "/films/\xe9t\xe9.avi\r\n");
    EXPECT_EQ(readPlaylistFile(path).entries, QStringList{"/films/été.avi"});
    EXPECT_TRUE(isPlaylistFile("/x/LIST.M3U8") && isPlaylistFile("a.Lst"));
    EXPECT_FALSE(isPlaylistFile("a.avi"));

    // M3U: comments skipped, entries resolved against its folder.
    const QString m3u = dir.filePath("sub/list.m3u8");
    QDir().mkpath(dir.filePath("sub"));
    writeFile(m3u, "\xef\xbb\xbf#EXTM3U\r\n#EXTINF:12,Première\r\nfilms/un.avi\r\n\r\n"
                   "  ../deux.mp4  \n/abs/trois.mpg\nfile:///abs/quatre%20q.avi\n"
                   "http://example.org/cinq.mp4\nAlien: Covenant.avi\nrtsp://cam/six\n"
                   "http:sept.avi\n");
    const QString base = QDir(dir.path()).absolutePath();
    EXPECT_EQ(readPlaylistFile(m3u).entries,
              (QStringList{base + "/sub/films/un.avi", base + "/deux.mp4", "/abs/trois.mpg",
                           "/abs/quatre q.avi", "http://example.org/cinq.mp4",
                           base + "/sub/Alien: Covenant.avi", "rtsp://cam/six",
                           base + "/sub/http:sept.avi"}));

    // Written back: a header and one line each, read the same.
    const QString copy = dir.filePath("copy.m3u8");
    const QStringList m3uEntries{"/films/un.avi", "/films/Ünïcode.mp4"};
    EXPECT_EQ(writePlaylistFile(copy, m3uEntries), QString());
    EXPECT_TRUE(readFile(copy).startsWith("#EXTM3U\n"));
    EXPECT_EQ(readPlaylistFile(copy).entries, m3uEntries);
}

TEST(PlaylistFile, FilesThatCannotBeReadOrWrittenSayWhyAndKeepTheOldList) {
    QTemporaryDir dir;
    const PlaylistRead missing = readPlaylistFile(dir.filePath("none.lst"));
    EXPECT_FALSE(missing.entries);
    EXPECT_TRUE(missing.problem.startsWith("The playlist none.lst cannot be read"));

    const QString huge = writeFile(dir.filePath("huge.lst"), {});
    ASSERT_TRUE(QFile::resize(huge, 17 << 20));
    EXPECT_FALSE(readPlaylistFile(huge).entries);
    EXPECT_TRUE(readPlaylistFile(huge).problem.contains("far too big"));

    // A line longer than any path is no entry: skipped, with a word.
    for (const char* name : {"long.lst", "long.m3u"}) {
        const QString path = dir.filePath(name);
        writeFile(path, "/films/a.avi\n" + QByteArray(4097, 'x') + "\n/films/b.avi\n" +
                            QByteArray(8 << 20, 'y'));
        const PlaylistRead read = readPlaylistFile(path);
        EXPECT_EQ(read.entries, (QStringList{"/films/a.avi", "/films/b.avi"})) << name;
        EXPECT_EQ(read.problem, QStringLiteral("2 line(s) of %1 are too long to be playlist "
                                               "entries: skipped.")
                                    .arg(name));
    }

    // A place beneath a file is refused with the reason, and the file in the way is untouched.
    const QString blocker = dir.filePath("plain");
    writeFile(blocker, "old");
    EXPECT_TRUE(writePlaylistFile(blocker + "/list.lst", {"new"})
                    .startsWith("The playlist list.lst could not be saved"));
    EXPECT_EQ(readFile(blocker), QByteArray("old"));
}

TEST(FolderListing, SizesAtTheirThresholdsAndFilesInPatternOrder) {
    const std::pair<qint64, const char*> sizes[] = {{0, " 0 Octets"},  {1024, " 1024 Octets"},
                                                    {1025, "1 Ko"},    {1048576, "1024 Ko"},
                                                    {1048577, "1 Mo"}, {5000000, "4 Mo"}};
    for (const auto& [bytes, text] : sizes)
        EXPECT_EQ(sizeText(bytes).toStdString(), text) << bytes;

    QTemporaryDir dir;
    for (const char* name : {"b.mpeg", "notes.txt", "c.MP4", "a.AVI", "d.divx", "e.asf"})
        writeFile(dir.filePath(name), QByteArray(2048, 'x'));
    QDir().mkpath(dir.filePath("folder.avi")); // a folder is no file
    const QList<ListedFile> files = listMediaFiles(dir.path());
    QStringList names;
    for (const ListedFile& f : files)
        names.append(f.name);
    EXPECT_EQ(names, (QStringList{"a.AVI", "d.divx", "b.mpeg", "e.asf", "c.MP4"}));
    EXPECT_EQ(files[1].icon, MediaIcon::Avi);
    EXPECT_EQ(files[2].icon, MediaIcon::Mpg);
    EXPECT_EQ(files[0].size, "2 Ko");
    EXPECT_EQ(files[0].time.size(), 5); // "hh:mm"
    EXPECT_EQ(mediaFilesIn(dir.path()),
              (QStringList{dir.filePath("a.AVI"), dir.filePath("b.mpeg"), dir.filePath("c.MP4"),
                           dir.filePath("d.divx"), dir.filePath("e.asf")}));
}

// Each end plays the next entry; repeat, the same; a transition runs first; full screen hides it.
TEST(PlayQueue, EndsMoveOnInOrder) {
    const struct {
        const char* what;
        int count, index, ends;
        bool repeat, transition, fullScreen;
        const char *opened, *jumps, *curtain;
    } cases[] = {
        {"from none", 3, -1, 4, false, false, false, "0.avi 1.avi 2.avi", "", "0 0 0"},
        {"from the middle", 3, 1, 1, false, false, false, "2.avi", "", "0"},
        {"from the last", 3, 2, 1, false, false, false, "", "", ""},
        {"an empty queue", 0, -1, 1, false, false, false, "", "", ""},
        {"repeat", 2, 0, 2, true, false, false, "", "00:00:00 00:00:00", "0 0"},
        {"a transition first", 3, 0, 2, false, true, false, "1.avi", "", "0"},
        {"full screen", 3, 0, 1, false, false, true, "1.avi", "", "1 0"},
    };
    for (const auto& c : cases) {
        QueueRig rig;
        rig.fill(c.count);
        rig.queue.List1.setListIndex(c.index);
        if (c.repeat)
            rig.queue.RepMode();
        rig.host.transitionPending = c.transition;
        rig.host.fullScreenOn = c.fullScreen;
        for (int i = 0; i < c.ends; ++i)
            rig.end();
        EXPECT_EQ(rig.host.opened.join(' '), c.opened) << c.what;
        EXPECT_EQ(rig.host.jumps.join(' '), c.jumps) << c.what;
        EXPECT_EQ(rig.host.stops, c.repeat ? 0 : c.ends) << c.what;
        EXPECT_EQ(rig.host.transitions, c.transition ? 1 : 0) << c.what;
        EXPECT_EQ(rig.host.curtain.join(' '), c.curtain) << c.what;
    }
}

TEST_F(PlayQueueTest, AnEndReportedTwiceMovesOnOnceAndRepeatOutlivesAnOpen) {
    fill(3);
    queue.List1.setListIndex(0);
    queue.movieEnded();
    queue.movieEnded(); // Next pressed as the movie ended
    pumpEvents(20);
    EXPECT_EQ(host.opened, QStringList{"1.avi"});
    queue.RepMode();
    EXPECT_TRUE(queue.repeatChecked() && playback.LoopMovie());
    queue.PlayMyList();
    EXPECT_FALSE(playback.LoopMovie()) << "an open clears the loop flag";
    EXPECT_TRUE(queue.repeatChecked());
}

TEST_F(PlayQueueTest, ShuffleDrawsAmongTheOthers) {
    const struct {
        int current, count, drawn, entry;
    } draws[] = {{2, 5, 0, 0},  {2, 5, 1, 1},   {2, 5, 2, 3}, {2, 5, 3, 4}, {-1, 3, 2, 2},
                 {0, 1, 0, -1}, {-1, 0, 0, -1}, {4, 3, 2, 2}, {0, 2, 0, 1}};
    for (const auto& d : draws)
        EXPECT_EQ(PlayQueue::shuffleDraw(d.current, d.count, [&](int) { return d.drawn; }), d.entry)
            << d.current << " of " << d.count << ", drawn " << d.drawn;
    // The draw plays and a pending transition waits.
    fill(2);
    queue.setShuffle(true);
    queue.List1.setListIndex(0);
    host.transitionPending = true;
    end();
    EXPECT_EQ(host.transitions, 0);
    EXPECT_EQ(host.opened, QStringList{"1.avi"});
}

// Missing entries are skipped at once: a list of holes ends quickly.
TEST_F(PlayQueueTest, NothingButMissingOrEmptyEntriesTriesEachOnceAndStops) {
    fill(3);
    for (int i = 0; i < 3; ++i)
        QFile::remove(queue.List1.item(i));
    queue.List1.setListIndex(-1);
    end();
    pumpEvents(300);
    EXPECT_EQ(host.title, "2.avi was not found: skipped");
    EXPECT_EQ(queue.List1.listIndex(), 2);
    EXPECT_TRUE(host.opened.isEmpty());

    // An empty line in a list does not start anything through Play.
    queue.List1.setItems({""});
    queue.List1.setListIndex(0);
    queue.PlayMyList();
    EXPECT_TRUE(host.opened.isEmpty());
}

TEST_F(PlayQueueTest, AMovieThatCannotPlayIsSkippedButAChoiceMeanwhileWins) {
    fill(3);
    host.playable = false;
    queue.List1.setListIndex(-1);
    queue.PlayMyList();
    EXPECT_EQ(host.opened, QStringList{"0.avi"});
    host.playable = true;
    EXPECT_TRUE(waitUntil([&] { return host.opened.size() == 2; }, 3000));
    EXPECT_EQ(host.opened.last(), "1.avi");

    // The user picks another entry before the skip: the skip is dropped.
    host.playable = false;
    end();
    host.playable = true;
    queue.List1.setListIndex(0);
    pumpEvents(2000);
    EXPECT_EQ(host.opened.size(), 3);
}

TEST_F(PlayQueueTest, LoadingAppendsAndOkRebuildsTheQueue) {
    const QString path = dir.filePath("list.lst");
    writeFile(path, "/a.avi\r\n\r\n/b.avi\r\n");
    EXPECT_TRUE(queue.LoadPlayList(path));
    EXPECT_TRUE(queue.LoadPlayList(path));
    EXPECT_EQ(queue.file2.items(), (QStringList{"/a.avi", "", "/b.avi", "/a.avi", "", "/b.avi"}));
    EXPECT_FALSE(queue.LoadPlayList(dir.filePath("none.lst")));
    EXPECT_EQ(host.warnings.size(), 1);
    EXPECT_EQ(queue.file2.count(), 6);

    // No movie open: Ok plays from the first entry; the remembered index wins.
    fill(3);
    queue.List1.clear();
    queue.rebuildFromEditList(2);
    EXPECT_EQ(host.opened, QStringList{"0.avi"});
    EXPECT_EQ(queue.List1.count(), 3);
    EXPECT_EQ(queue.List1.listIndex(), 2);
    // A remembered index the queue no longer has: the first plays, and the end goes to the second.
    queue.rebuildFromEditList(5);
    end();
    EXPECT_EQ(host.opened, (QStringList{"0.avi", "0.avi", "1.avi"}));
}
