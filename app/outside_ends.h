// How the program meets what happens to it from outside: no display, a file-size limit, the
// terminal closed, the X server gone, a request to end while a message box shows.
#pragma once

// Ignores SIGXFSZ, so that a write beyond a file-size limit fails as on a full disk; makes
// SIGHUP end the game as SIGTERM does; and stores the game and the settings before the program
// ends while a message box shows or when the connection to the X server is lost.
void PrepareForEndsFromOutside();

// Whether a display shows the game's window. Without one SDL falls back to drivers that show
// nothing (offscreen, dummy): false then, with a line on stderr. Otherwise the video stays
// started, and every later window is made through the driver found here, or not at all.
bool FindVisibleDisplay();
