#pragma once
// Starts the player: framework, application object, main window, and the
// signal handling that lets a logout save what an exit saves.
int runPlayer(int argc, char** argv);
