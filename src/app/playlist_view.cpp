#include "app/playlist_view.h"

#include "app/frm_main.h"
#include "app/menu_view.h"
#include "playlist/frm_play_list.h"
#include "playlist/playlist_file.h"
#include "video/video_display.h"

#include <QFileInfo>

PlaylistView::PlaylistView(frmMain& window, SettingsStore& settings)
    : main_(window), settings_(settings), queue_(window.playback, window.List1, *this) {}

PlaylistView::~PlaylistView() = default;

void PlaylistView::ShowPlayLst() {
    if (!window_) {
        FrmPlayList::Hooks hooks;
        hooks.warn = [this](const QString& text) { warn(text); };
        window_ = std::make_unique<FrmPlayList>(queue_, settings_, hooks);
    }
    window_->ShowPlayLst();
}

void PlaylistView::openDropped(const QStringList& paths) {
    QStringList entries;
    bool lists = false;
    for (const QString& path : paths) {
        if (!isPlaylistFile(path)) {
            entries.append(path);
            continue;
        }
        lists = true;
        const PlaylistRead read = readPlaylistFile(path);
        if (read.entries)
            entries += *read.entries;
        if (!read.problem.isEmpty())
            warn(read.problem);
    }
    if (!lists) {
        main_.opener.openDropped(paths, queue_.repeatChecked(), main_.List1);
        // Those that exist play; the others are named, not passed over.
        QStringList missing;
        for (const QString& path : paths)
            if (!QFileInfo::exists(path))
                missing << QFileInfo(path).fileName();
        if (!missing.isEmpty())
            warn(QStringLiteral("Not found: %1").arg(missing.join(QStringLiteral(", "))));
        return;
    }
    queue_.playEntries(entries);
}

// The queue's movies end the menu shown, if any.
bool PlaylistView::openMovie(const QString& file, bool loop) {
    main_.menus().leave();
    return main_.OpenaMovie(file, loop);
}

bool PlaylistView::runPendingTransition() {
    return main_.menus().menu().runPendingTransition();
}

bool PlaylistView::fullScreen() const {
    return main_.video().state().FullScreenOn;
}

void PlaylistView::stopMovie() {
    main_.StopMovie();
}

void PlaylistView::jump(const QString& timeText) {
    main_.Jump(timeText);
}

void PlaylistView::showCurtain(bool shown) {
    if (shown)
        main_.video().showCurtain();
    else
        main_.video().hideCurtain();
}

void PlaylistView::setTitle(const QString& title) {
    main_.setTitle(title);
}

void PlaylistView::warn(const QString& text) {
    main_.warn(text);
}
