#pragma once
// Once an exit has begun (a signal, the desktop's Quit, the close button),
// the process ends within a moment whatever the UI thread is doing: a
// watcher thread ends it if the orderly exit has not by then. The orderly
// exit saves the volume and restores the display; a UI thread stuck in a
// long read or in a modal loop that opens again must not keep a hidden
// player alive that holds the desktop's media-player name.
class ExitDeadline {
  public:
    // How long the orderly exit may take.
    static constexpr int kGraceMs = 1500;

    // Starts the watcher; the program calls it once, early. Without it
    // start() does nothing (tests raise signals in their own process).
    static void install();
    // The exit has begun. Safe to call from a signal handler.
    static void start();
};
