// The game window and its OpenGL context: 640 by 480 windowed (or a whole multiple of it on a
// desktop that scales), or 800 by 600 fullscreen.
#pragma once

#include "app/window_messages.h"
#include "ui/platform.h"

// Starts SDL's video, or counts one more user of it, with the hints the game's window needs.
bool StartVideo();

// Creates the window, its GL context and the scene; false after telling the player why. A
// windowed window opens at the desktop's whole-number scale, within the usable display area.
bool CreateGameWindow(const char* title, int width, int height, int bits, bool fullscreen);
// Takes down whatever exists of the window, reporting each part that fails to go.
void DestroyGameWindow();
// Presents the frame just drawn.
void SwapGameWindow();
