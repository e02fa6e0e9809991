#include "app/main_commands.h"

#include "app/frm_main.h"
#include "playlist/play_queue.h"
#include "subtitles/subtitle_display.h"
#include "subtitles/subtitle_table.h"

void MainCommands::run(Command command, int argument) {
    PlayerState& state = main_.state;
    switch (command) {
    case Command::FullScreen:
        main_.FullScrMode();
        return;
    case Command::LeaveFullScreen:
        if (argument)
            state.VideoFocused = false;
        if (state.FullScreenOn)
            main_.FullScrMode();
        return;
    case Command::PlayPause:
        if (state.Paused)
            main_.PlayMovie();
        else
            main_.PauseMovie();
        return;
    case Command::ChapterNext:
        main_.transport.ChapNext();
        return;
    case Command::ChapterPrevious:
        main_.transport.ChapPrev();
        return;
    case Command::VolumeUp:
        main_.VolumeUp();
        return;
    case Command::VolumeDown:
        main_.VolumeDown();
        return;
    case Command::MuteSound:
        main_.MuteSound();
        return;
    case Command::ShuffMode:
        main_.ShuffMode();
        return;
    case Command::RepMode:
        main_.RepMode();
        return;
    case Command::Exit:
        main_.ExitMe();
        return;
    default:
        break;
    }
    runPlayback(command, argument);
    runWindows(command, argument);
}

void MainCommands::runPlayback(Command command, int argument) {
    switch (command) {
    case Command::NextMovie:
        main_.NextMovie();
        return;
    case Command::Previous:
        main_.Previous();
        return;
    case Command::PlayMovie:
        main_.PlayMovie();
        return;
    case Command::PauseMovie:
        main_.PauseMovie();
        return;
    case Command::StopMovie:
        main_.StopMovie();
        return;
    case Command::AspectOriginal:
        main_.Mnu_DAROr_Click();
        return;
    case Command::AspectPreset:
        main_.Mnu_DAR_Click(argument);
        return;
    case Command::Rate:
        main_.transport.PlaybackRate(argument);
        return;
    case Command::AudioStream:
        main_.Mnu_As_Click(argument - 1);
        return;
    case Command::ShowSubtitles:
        main_.subtitles().Mnu_ShowSub_Click();
        return;
    default:
        return;
    }
}

void MainCommands::runWindows(Command command, int /*argument*/) {
    switch (command) {
    case Command::LoadMenuDlg:
        main_.LoadMenuDlg();
        return;
    case Command::OpenMovie:
        main_.cmdSource_Click();
        return;
    case Command::ShowPlayLst:
        main_.ShowPlayLst();
        return;
    case Command::OpenSubDlg:
        main_.OpenSubDlg();
        return;
    case Command::ShowOptions:
        main_.showConfiguration();
        return;
    case Command::FilterProperties:
        main_.showFilterProperties();
        return;
    case Command::VideoRendererProperties:
        showVideoRendererPage();
        return;
    case Command::ShowJump:
        main_.showJump();
        return;
    case Command::ShowMe:
        if (main_.isMinimized())
            main_.showNormal();
        main_.show();
        main_.raise();
        return;
    default:
        return;
    }
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
    const PlayerState& state = main_.state;
    switch (command) {
    case Command::PlayMovie:
    case Command::PauseMovie:
    case Command::StopMovie:
    case Command::ShowJump:
    case Command::FullScreen:
    case Command::AspectOriginal:
    case Command::AspectPreset:
    case Command::Rate:
    case Command::OpenSubDlg:
        return state.MovieOpen;
    case Command::NextMovie:
    case Command::Previous:
        return state.MovieOpen || main_.List1.count() > 0;
    case Command::VideoRendererProperties:
        return main_.inspector.listFilters.count() > 0;
    case Command::ShowSubtitles:
        return main_.subtitles().table().count() > 0;
    case Command::AudioStream: {
        const QStringList streams = main_.audioStreamItems();
        const auto none = QStringLiteral("None");
        return streams.value(1, none) != none && streams.value(argument - 1, none) != none;
    }
    default:
        return true;
    }
}

bool MainCommands::checked(Command command) const {
    switch (command) {
    case Command::RepMode:
        return const_cast<frmMain&>(main_).queue().repeatChecked();
    case Command::ShuffMode:
        return const_cast<frmMain&>(main_).queue().shuffleChecked();
    case Command::ShowSubtitles:
        return const_cast<frmMain&>(main_).subtitles().showChecked();
    default:
        return false;
    }
}
