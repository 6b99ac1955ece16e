// Play without a mouse: keys that do what a click does. On Playing the arrows move a cursor
// over the board, Space or Enter press its cell, and letters press the side buttons; on the
// panels letters, Enter, Space and Esc press their buttons. A key acts only on a screen where
// the pause key and name entry give it no meaning, and on Playing not while a game is ending.
#pragma once

#include <cstdint>

// A key went down (after KeyState took it): its command on the screen on show, if it has one.
// A held arrow repeats its step; every other key acts once per press.
void TakeKeyDown(uintptr_t code, bool repeated);
// A key went up: its press is over.
void ReleaseKey(uintptr_t code);
// The pointer reports its position: whether it moved. On Playing a move gives the hover back
// to the pointer. The desktop also reports a pointer that a closing window uncovers, in place;
// while the keyboard's cursor holds the hover, that is no move.
bool PointerMoved(int x, int y);

// The left button went down at (x, y): while the keyboard's cursor holds the hover, the
// pointer takes it back first, so the press acts on the fruit under the pointer.
void TakeHoverForPress(int x, int y);

// The keyboard checks of the main loop after a drawn frame, the pause key then name entry,
// with every key press that a command took hidden from them: it has acted once already.
void RunKeyChecks();
