#pragma once
// Movie after movie through the main window's own path, for the reopen test and benchmark.
class frmMain;

namespace reopen {
// Open number `n`: five kinds of movie in turn, or an audio-stream switch.
void openNumber(frmMain& window, int n);
// Waits (10 s) until the movie plays its picture and its streams are known.
bool settled(frmMain& window);
// A seek each time, a rate change every other, a stop and start every seventh.
void exercise(frmMain& window, int n);
} // namespace reopen
