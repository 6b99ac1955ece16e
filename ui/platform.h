// What the screens need of the platform, without SDL: declared here, defined by app/ (tests
// may link stand-ins, as they do for the mixer and the message box).
#pragma once

#include "core/message_box.h"

// Re-creates the window in the other display mode; the game state is kept. Sets
// QuitRequested when the new window cannot be made.
void ChangeDisplayMode();
// Asks the main loop to end: the next message it takes is the quit message, whose first
// parameter is the exit code.
void PostQuitMessage(int exitCode);
// Opens help.htm beside the game's data with the desktop's opener; the result is ignored.
void OpenHelpPage();
