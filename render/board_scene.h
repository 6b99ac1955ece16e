// The 3D part of the picture: the background plane, the fruit with their animations, and the
// time / progress bar.
#pragma once

#include <memory>

#include "assets/model.h"
#include "core/game_state.h"

// The seven fruit models; index k - 1 draws fruit kind k. Made by the scene load.
extern std::unique_ptr<MilkshapeModel> FruitModels[FruitKinds];

// Compiles each loaded fruit model into a display list that the board replays.
void CompileFruitLists();
// The fruit models are new, or the context that held their lists is gone: the lists are
// compiled again when a fruit is next drawn.
void ForgetFruitLists();
// Replays the list of fruit kind 1 to 7 in the current matrix; draws nothing for a kind
// whose model did not load.
void DrawFruitModel(int kind);
// Makes the keyboard cursor's mark from base/cursormask.bmp and base/cursor.bmp; without
// them the cursor shows no mark.
void LoadCursorMark();
// Compiles the textured square behind the board into Game.BackgroundQuadList.
void BuildBackgroundList();
// Draws the background and, while playing and not paused, the keyboard cursor's mark and
// every fruit; spins the markers.
void DrawBoard();
// Draws the bar, BarWidth units long, in its own 800 by 600 space.
void DrawTimeBar();

// Whether a fruit is drawn above an empty cell, where the fall offset shows.
bool FruitFalling();
// Whether drawing the board would change the markers: one is turning, or an angle is reset.
bool MarkersMove();
