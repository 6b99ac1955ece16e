// The screen state machine: what a pointer move and a left-button press do on each screen.
#pragma once

#include "ui/hit_test.h"

// The pointer moved to (x, y) in layout pixels: on Playing the board cell and side buttons
// under it, then a drag on the board; on the other screens the hover flags of their controls.
void MovePointer(int x, int y);

// The left button went down at (x, y): the board takes the press on Playing, then the control
// under the pointer, if any, does its part and may change the screen.
void PressPointer(int x, int y);

// Presses the control of the screen on show that lies in `area` of the layout, as a click
// inside it does; false when the screen on show has no such control.
bool PressControl(PixelRect ScreenLayout::*area);
