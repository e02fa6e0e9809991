#pragma once
// What is playing: the main window's one record, read and changed by every
// part of the player through the main window.
#include "support/media/filter_graph.h"

#include <QString>
#include <memory>
#include <optional>

class VideoWindow;

// 0 stopped, 1 paused, 2 running.
enum PlayStates : short { PlayStopped = 0, PlayPaused = 1, PlayRunning = 2 };

struct PlayerState {
    // The current graph; the five references are set and emptied together.
    // They name one object here, seen through its different duties.
    std::shared_ptr<FilterGraph> MediaControl;
    std::shared_ptr<FilterGraph> MediaPosition;
    std::shared_ptr<FilterGraph> BasicAudio;
    std::shared_ptr<FilterGraph> BasicVideo;
    ::VideoWindow* VideoWindow = nullptr; // owned by the graph

    short PlayState = PlayStopped;
    // Registered filters of the current graph manager; unset before one exists.
    std::optional<QList<RegFilterInfo>> RegFilters;
    FilterInfo SelectedFilter;
    PinInfo SelectedPin;

    QString CurrentFile;
    bool Muted = false;
    bool Paused = false;
    short SelectedHotSpot = -1; // -1 when no hot spot is under the pointer
    int FrameRate = 0;
    bool MultiStream = false;
    bool LoopMovie = false;
    bool MovieOpen = false;
    QString SubFileName;

    // Video window and full screen.
    bool FullScreenOn = false;
    bool VideoFocused = false;
    bool ConfigApplying = false;
    int CursorIdleMs = 0;
    int LastPointerX = 0;
    int LastPointerY = 0;

    // Full-screen layout (pixels).
    int FsVideoTop = 0;
    int FsVideoWidth = 0;
    int FsVideoHeight = 0;
    int FsSourceWidth = 0;
    int FsSourceHeight = 0;

    // Subtitle timing.
    int SubTicks = 0;
    int SubTicksMax = 0;
    bool SubDragging = false;

    // Interactive menus.
    bool MenuHover = false;
    bool TransitionPending = false;
    QString PendingAction;
    QString PendingParam;
    int MenuPointerX = 0;
    int MenuPointerY = 0;

    // Screen size in pixels taken at start-up, and whether the display mode
    // was switched since.
    short ScreenWidth = 0;
    short ScreenHeight = 0;
    bool ModeChanged = false;

    // Sets the five graph references to `graph` (or empties them).
    void attachGraph(const std::shared_ptr<FilterGraph>& graph);
    void releaseGraph() { attachGraph(nullptr); }
};
