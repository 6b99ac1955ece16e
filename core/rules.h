// The board game's operations. Each works on the global `Game` and is called by the frame
// driver, the window procedure or another rule, as noted.
#pragma once

// New game, modes and levels (new_game.cpp, level.cpp).
void NewGame();
void SetLevelBounds();
void CheckLevelTarget();  // the frame driver's Levels-mode target check
void UpdateTimeBar();
void AdvanceLevel();      // the level advance at the end of the level-complete banner
// Levels 0 to 5 each have their own background; later ones take one at random. Draws the
// random number in every case, so the sequence does not depend on the level.
void ChooseBackground();

// Runs, scoring and chains (match.cpp).
void ScanForRuns(bool afterSwap);
bool RunOnBoard();  // whether the next scan would find a run

// Gravity, refill, animations and board phases (gravity.cpp, phase.cpp).
void AdvanceBoard();
void FinishPhase();

// Move search (move_search.cpp).
bool FindMove();

// The player's hand on the board (selection.cpp).
void PressCell();
void DragToCell();
void UseHint();
