#pragma once
// The video window's state: full screen or not, the focus, the still
// pointer, and the full-screen picture's place. The video display is its
// one writer; full screen's entry and exit set it.

struct VideoState {
    bool FullScreenOn = false;
    // The video window (or the subtitles over it) has the focus.
    bool VideoFocused = false;
    // How long the pointer has stood still, and where.
    int CursorIdleMs = 0;
    int LastPointerX = 0;
    int LastPointerY = 0;
    // The full-screen picture (pixels) and the frame it shows.
    int FsVideoTop = 0;
    int FsVideoWidth = 0;
    int FsVideoHeight = 0;
    int FsSourceWidth = 0;
    int FsSourceHeight = 0;
};
