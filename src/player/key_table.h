#pragma once
// The player's keys, one table for the main, video and subtitle windows,
// read by the dispatcher, the configuration dialog's key list, "--help" and
// the tests.
#include "player/player_commands.h"

#include <Qt>
#include <vector>

struct KeyBinding {
    int key;             // Qt::Key
    bool alt = false;    // only with Alt
    bool keypad = false; // only on the numeric keypad
    Command command;
    const char* keyName;
    const char* description;
};

const std::vector<KeyBinding>& keyTable();

// The command of a key press; Command::None for keys the table does not
// name. Letters act with or without Shift, Ctrl and Alt.
Command commandForKey(int key, Qt::KeyboardModifiers modifiers);
