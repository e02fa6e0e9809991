#pragma once
// Opening movie after movie through the main window's own path, as the
// reopen test and the reopen benchmark do.
class frmMain;

namespace reopen {
// Open number `n` of a run: AVI, MP4, a multi-audio AVI under another name
// (opened again on the splitter path), one-audio AVI and DivX, with an
// audio-stream switch in place of every fifth open of the two-audio AVI.
void openNumber(frmMain& window, int n);
// Waits until the movie plays with its picture and the detector has told
// its streams; false after 10 s.
bool settled(frmMain& window);
// What a user does to a playing movie between opens: a seek every time, a
// rate change every other time, a stop and a new start every seventh.
void exercise(frmMain& window, int n);
} // namespace reopen
