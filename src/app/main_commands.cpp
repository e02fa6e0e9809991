#include "app/main_commands.h"

#include "app/frm_main.h"
#include "config/frm_config.h"
#include "playlist/play_queue.h"
#include "subtitles/subtitle_display.h"
#include "subtitles/subtitle_table.h"
#include "video/video_display.h"

MainCommands::MainCommands(frmMain& window) : main_(window) {
    addPlayback();
    addWindows();
}

void MainCommands::addPlayback() {
    frmMain& m = main_;
    auto movieOpen = [&m](int) { return m.playback.MovieOpen(); };
    auto movieOrQueue = [&m](int) { return m.playback.MovieOpen() || m.List1.count() > 0; };
    rows_.insert(
        rows_.end(),
        {
            {Command::PlayPause, [&m](int) { m.transport.playPause(); }, {}, {}},
            {Command::PlayMovie, [&m](int) { m.transport.play_Click(); }, movieOpen, {}},
            {Command::PauseMovie, [&m](int) { m.transport.pause_Click(); }, movieOpen, {}},
            {Command::StopMovie, [&m](int) { m.transport.stopbt_Click(); }, movieOpen, {}},
            {Command::NextMovie, [&m](int) { m.transport.nextbt_Click(); }, movieOrQueue, {}},
            {Command::Previous, [&m](int) { m.transport.prev_Click(); }, movieOrQueue, {}},
            {Command::ChapterNext, [&m](int) { m.transport.ChapNext(); }, {}, {}},
            {Command::ChapterPrevious, [&m](int) { m.transport.ChapPrev(); }, {}, {}},
            {Command::Rate, [&m](int rate) { m.transport.PlaybackRate(rate); }, movieOpen,
             [&m](int rate) {
                 const auto& graph = m.playback.MediaPosition();
                 return graph && graph->rate() == Transport::rateOf(rate);
             }},
            {Command::VolumeUp, [&m](int) { m.volume.VolumeUp(); }, {}, {}},
            {Command::VolumeDown, [&m](int) { m.volume.VolumeDown(); }, {}, {}},
            {Command::MuteSound, [&m](int) { m.volume.MuteSound(); }, {}, {}},
            {Command::ShuffMode,
             [&m](int) { m.ShuffMode(); },
             {},
             [&m](int) { return m.queue().shuffleChecked(); }},
            {Command::RepMode,
             [&m](int) { m.RepMode(); },
             {},
             [&m](int) { return m.queue().repeatChecked(); }},
            {Command::AudioStream, [&m](int item) { m.Mnu_As_Click(item - 1); },
             [&m](int item) {
                 const QStringList streams = m.audioStreamItems();
                 const auto none = QStringLiteral("None");
                 return streams.value(1, none) != none && streams.value(item - 1, none) != none;
             },
             [&m](int item) {
                 return m.playback.MovieOpen() &&
                        m.audioStreamItems().value(item - 1).startsWith(m.opener.audioStream());
             }},
            {Command::AudioOutput, [&m](int item) { m.chooseAudioOutput(item - 1); },
             [&m](int item) { return item <= m.audioOutputNames().size(); },
             [&m](int item) { return m.audioOutputIndex() == item - 1; }},
            {Command::ShowSubtitles, [&m](int) { m.subtitles().Mnu_ShowSub_Click(); },
             [&m](int) {
                 return m.subtitles().table().count() > 0 || m.subtitles().shownTrack() > 0;
             },
             [&m](int) { return m.subtitles().showChecked(); }},
            {Command::SubtitleTrack, [&m](int item) { m.subtitles().chooseTrack(item); },
             [&m](int item) {
                 const QList<MediaStream> tracks = m.subtitles().tracks();
                 return item == 0 ? !tracks.isEmpty()
                                  : tracks.value(item - 1).kind == StreamKind::Text;
             },
             [&m](int item) {
                 return !m.subtitles().tracks().isEmpty() && m.subtitles().shownTrack() == item &&
                        (item > 0 || m.subtitles().table().isEmpty());
             }},
        });
}

void MainCommands::addWindows() {
    frmMain& m = main_;
    auto movieOpen = [&m](int) { return m.playback.MovieOpen(); };
    rows_.insert(
        rows_.end(),
        {
            {Command::FullScreen, [&m](int) { m.FullScrMode(); }, movieOpen, {}},
            // Argument 1: the key came to the video or subtitle window.
            {Command::LeaveFullScreen,
             [&m](int fromVideo) {
                 if (fromVideo)
                     m.video().setVideoFocused(false);
                 if (m.video().state().FullScreenOn)
                     m.FullScrMode();
             },
             {},
             {}},
            {Command::AspectOriginal, [&m](int) { m.Mnu_DAROr_Click(); }, movieOpen,
             [&m](int) { return m.config() && m.config()->DAR.listIndex() < 0; }},
            {Command::AspectPreset, [&m](int item) { m.Mnu_DAR_Click(item); }, movieOpen,
             [&m](int item) { return m.config() && m.config()->DAR.listIndex() == item - 1; }},
            {Command::ShowJump, [&m](int) { m.showJump(); }, movieOpen, {}},
            {Command::OpenSubDlg, [&m](int) { m.OpenSubDlg(); }, movieOpen, {}},
            {Command::LoadMenuDlg, [&m](int) { m.LoadMenuDlg(); }, {}, {}},
            {Command::OpenMovie, [&m](int) { m.cmdSource_Click(); }, {}, {}},
            {Command::ShowPlayLst, [&m](int) { m.ShowPlayLst(); }, {}, {}},
            {Command::ShowOptions, [&m](int) { m.showConfiguration(); }, {}, {}},
            {Command::FilterProperties, [&m](int) { m.showFilterProperties(); }, {}, {}},
            {Command::VideoRendererProperties,
             [this](int) { showVideoRendererPage(); },
             [&m](int) { return m.inspector.listFilters.count() > 0; },
             {}},
            {Command::ShowMe,
             [&m](int) {
                 if (m.isMinimized())
                     m.showNormal();
                 m.show();
                 m.raise();
             },
             {},
             {}},
            {Command::Exit, [&m](int) { m.ExitMe(); }, {}, {}},
        });
}

const MainCommands::Row* MainCommands::row(Command command) const {
    for (const Row& r : rows_)
        if (r.command == command)
            return &r;
    return nullptr;
}

void MainCommands::run(Command command, int argument) {
    const Row* r = row(command);
    if (!r)
        return;
    r->run(argument);
    Q_EMIT ran(command);
}

void MainCommands::showVideoRendererPage() {
    GraphInspector& inspector = main_.inspector;
    if (inspector.listFilters.count() == 0 ||
        !inspector.listFilters.selectText(QStringLiteral("Video Renderer")))
        return;
    inspector.listFilters_Click();
    inspector.Command4_Click();
}

bool MainCommands::available(Command command, int argument) const {
    const Row* r = row(command);
    return r && (!r->available || r->available(argument));
}

bool MainCommands::checked(Command command, int argument) const {
    const Row* r = row(command);
    return r && r->checked && r->checked(argument);
}
