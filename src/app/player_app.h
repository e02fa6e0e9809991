#pragma once
// Starts the player: framework, application object, main window, and the
// signal handling that lets a logout save what an exit saves.
int runPlayer(int argc, char** argv);

// Keeps the memory of closed graphs reusable: every streaming thread would
// otherwise get a malloc arena of its own, each holding on to what earlier
// graphs freed, and the player would grow with every movie opened. Call
// before any thread starts.
void limitMallocArenas();
