// The game window's procedure: every window message of the game goes through it.
#pragma once

#include <cstdint>

#include "ui/window_message.h"

// Handles one message and returns its result, 0 for every message of this game. Creation
// starts the audio (a failure is reported and the game runs silent), activation, close and
// resize keep the shell's state, key messages the key flags and the key commands, pointer
// messages drive the screens.
intptr_t GameWindowProcedure(const WindowMessage& message);
