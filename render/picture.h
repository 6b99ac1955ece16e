// What a frame's picture depends on. The frame driver compares it from frame to frame to tell
// a frame that would draw exactly the picture already on show.
#pragma once

#include "core/game_state.h"

// The game state as the picture sees it: a copy of Game in which the fields that cannot change
// what a frame draws hold fixed values. These are the frame-rate measurement, the hint's cell,
// which is shown only through the selection it makes, the fall offset while no fruit is drawn
// above an empty cell, the time left, which is shown only through the bar, and the bar's
// width, which the frame driver compares after the bar's update.
GameState PictureInputs();

// Whether drawing a frame now would change the game state: a marker turns, the shown score
// steps, a phase banner rises or a score pop-up floats.
bool DrawingAdvancesState();

// The record of the picture on show, kept by the frame driver. A frame drawn while drawing
// advanced the state is no basis for keeping a picture; nor is the first frame of a new
// picture, whose GL state was left by a different one.
void NoteShownPicture(const GameState& inputs, float barWidth, bool advancedState);
// Whether board and overlay drawn from `inputs` would show exactly what the window shows.
bool ShowsSamePicture(const GameState& inputs);
// The bar width of the picture on show.
float ShownBarWidth();
// Forgets the picture on show, so that the next frame is drawn whatever its inputs: after
// something outside the game state touched the window's contents (a new size, an exposure,
// a new context and scene).
void ForgetShownPicture();
