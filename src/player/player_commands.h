#pragma once
// Every command the keys and the pop-up menus give the player, as data: the
// key table and the menus name a command, and one runner carries it out,
// so keys, menus and tests share one path.
#include <QString>

enum class Command {
    None,
    FullScreen,      // in and out
    LeaveFullScreen, // argument 1: the key came to the video or subtitle window
    PlayPause,
    ChapterNext,
    ChapterPrevious,
    NextMovie,
    Previous,
    PlayMovie,
    PauseMovie,
    StopMovie,
    LoadMenuDlg,
    ShuffMode,
    RepMode,
    MuteSound,
    OpenMovie,
    ShowPlayLst,
    OpenSubDlg,
    VolumeUp,
    VolumeDown,
    ShowOptions,
    FilterProperties,
    VideoRendererProperties,
    ShowMe,
    ShowJump,
    AspectOriginal,
    AspectPreset, // argument: the preset, 1 to 9
    Rate,         // argument: 0 half, 1 normal, 2 double
    AudioStream,  // argument: the stream item, 1 to 5
    AudioOutput,  // argument: the output's row in the device box, from 1
    ShowSubtitles,
    SubtitleTrack, // argument: the movie's subtitle track, from 1; 0 none
    Exit,
};

class PlayerCommands {
  public:
    virtual ~PlayerCommands() = default;
    virtual void run(Command command, int argument = 0) = 0;
    // False when what the command needs is absent (no movie, no subtitles):
    // its menu item is then disabled.
    virtual bool available(Command command, int argument = 0) const = 0;
    // The check mark of Repeat, Shuffle, Show Subtitles, and of the rate,
    // aspect and audio stream in use.
    virtual bool checked(Command command, int argument = 0) const = 0;
};
