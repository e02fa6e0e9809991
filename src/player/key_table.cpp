#include "player/key_table.h"

const std::vector<KeyBinding>& keyTable() {
    using C = Command;
    static const std::vector<KeyBinding> table = {
        {Qt::Key_Return, true, false, C::FullScreen, "Alt+Enter", "full screen on and off"},
        {Qt::Key_Enter, true, true, C::FullScreen, "Alt+Enter (keypad)", "full screen on and off"},
        {Qt::Key_Escape, false, false, C::LeaveFullScreen, "Escape", "leave full screen"},
        {Qt::Key_Space, false, false, C::PlayPause, "Space", "pause, or play when paused"},
        {Qt::Key_PageUp, false, false, C::ChapterNext, "Page Up", "next chapter"},
        {Qt::Key_PageDown, false, false, C::ChapterPrevious, "Page Down", "previous chapter"},
        {Qt::Key_B, false, false, C::NextMovie, "B", "next file"},
        {Qt::Key_C, false, false, C::PauseMovie, "C", "pause"},
        {Qt::Key_D, false, false, C::LoadMenuDlg, "D", "open a menu file"},
        {Qt::Key_F, false, false, C::ShuffMode, "F", "shuffle on and off"},
        {Qt::Key_M, false, false, C::MuteSound, "M", "mute on and off"},
        {Qt::Key_O, false, false, C::OpenMovie, "O", "open a movie"},
        {Qt::Key_P, false, false, C::ShowPlayLst, "P", "the playlist window"},
        {Qt::Key_R, false, false, C::RepMode, "R", "repeat on and off"},
        {Qt::Key_S, false, false, C::OpenSubDlg, "S", "open a subtitle file"},
        {Qt::Key_V, false, false, C::StopMovie, "V", "stop"},
        {Qt::Key_W, false, false, C::Previous, "W", "previous file"},
        {Qt::Key_X, false, false, C::PlayMovie, "X", "play"},
        {Qt::Key_Z, false, false, C::FullScreen, "Z", "full screen on and off"},
        {Qt::Key_Plus, false, true, C::VolumeUp, "+ (keypad)", "volume up"},
        {Qt::Key_Minus, false, true, C::VolumeDown, "- (keypad)", "volume down"},
        {Qt::Key_VolumeMute, false, false, C::MuteSound, "Volume Mute", "mute on and off"},
        {Qt::Key_VolumeDown, false, false, C::VolumeDown, "Volume Down", "volume down"},
        {Qt::Key_VolumeUp, false, false, C::VolumeUp, "Volume Up", "volume up"},
        {Qt::Key_MediaTogglePlayPause, false, false, C::PlayPause, "Play/Pause",
         "pause, or play when paused"},
        {Qt::Key_MediaPlay, false, false, C::PlayMovie, "Play", "play"},
        {Qt::Key_MediaPause, false, false, C::PauseMovie, "Pause", "pause"},
        {Qt::Key_MediaStop, false, false, C::StopMovie, "Stop", "stop"},
        {Qt::Key_MediaNext, false, false, C::NextMovie, "Next", "next file"},
        {Qt::Key_MediaPrevious, false, false, C::Previous, "Previous", "previous file"},
    };
    return table;
}

Command commandForKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool alt = modifiers & Qt::AltModifier;
    const bool keypad = modifiers & Qt::KeypadModifier;
    for (const KeyBinding& binding : keyTable()) {
        if (binding.key != key || (binding.alt && !alt) || (binding.keypad && !keypad))
            continue;
        return binding.command;
    }
    return Command::None;
}
