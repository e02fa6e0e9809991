// The playlist window on a folder of many files: the time from choosing the
// folder to a filled file list (the listing, the texts and the view's one
// reset), and the reading of a long ".lst"; the median of five runs.
//   vantor_playlist_bench [FILES]
#include "player/playback.h"
#include "playlist/frm_play_list.h"
#include "playlist/play_queue.h"
#include "playlist/playlist_file.h"
#include "support/models/selectable_list.h"
#include "support/settings/settings_store.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct QuietHost : PlayQueueHost {
    bool openMovie(const QString&, bool) override { return true; }
    void stopMovie() override {}
    void jump(const QString&) override {}
    void showCurtain(bool) override {}
    bool runPendingTransition() override { return false; }
    bool fullScreen() const override { return false; }
    void setTitle(const QString&) override {}
    void warn(const QString&) override {}
};

template <typename F> double median(F run) {
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer clock;
        clock.start();
        run();
        times.push_back(clock.nsecsElapsed() / 1e9);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;

    QTemporaryDir folder;
    const char* suffixes[] = {"avi", "mpg", "mp4", "txt"};
    QStringList entries;
    for (int i = 0; i < count; ++i) {
        const QString path =
            folder.filePath(QStringLiteral("movie %1.%2").arg(i).arg(suffixes[i % 4]));
        QFile(path).open(QIODevice::WriteOnly);
        entries.append(path);
    }

    Playback playback;
    SelectableList queueList;
    QuietHost host;
    PlayQueue queue(playback, queueList, host);
    SettingsStore settings;
    FrmPlayList window(queue, settings);
    window.show();
    auto* view = window.findChild<QTreeView*>(QStringLiteral("ListViewCtl"));
    int rows = 0;
    const double listing = median([&] {
        window.setFolder(folder.path());
        QApplication::processEvents(); // the view lays out and paints
        rows = view->model()->rowCount();
    });
    std::printf("playlist window: %d files listed (%d media) in %.3f s\n", count, rows, listing);

    const QString list = home.filePath("long.lst");
    writePlaylistFile(list, entries);
    const double reading = median([&] {
        queue.file2.clear();
        queue.LoadPlayList(list);
        QApplication::processEvents();
    });
    std::printf("playlist window: a %d-line list loaded in %.3f s\n", count, reading);
    return 0;
}
