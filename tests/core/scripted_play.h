// Plays the core the way the frame driver and the player do, without drawing: one frame is
// the core's share of a drawn frame, and a move is the player's two presses.
#pragma once

#include <utility>

#include "core/game_state.h"
#include "core/rules.h"

// The core's part of one frame, in the frame driver's order; the phase banner's countdown
// stands in for the overlay, which ends a phase when its banner has run.
inline void RunCoreFrame() {
  SetLevelBounds();
  CheckLevelTarget();
  AdvanceBoard();
  if (Game.BoardPhase > Play) {
    if (Game.BannerProgress < 1.0f) {
      Game.BannerProgress += static_cast<float>(0.003 * Game.FrameSpeed);
    } else {
      Game.BannerProgress = 0.0f;
      FinishPhase();
    }
  }
  UpdateTimeBar();
}

inline bool BoardHasRun() {
  const auto& b = Game.Board;
  for (int r = 1; r <= 8; ++r)
    for (int c = 0; c < BoardColumns; ++c) {
      const int v = b[r][c];
      if (v == 0) continue;
      if (r <= 6 && v == b[r + 1][c] && v == b[r + 2][c]) return true;
      if (c <= 5 && v == b[r][c + 1] && v == b[r][c + 2]) return true;
    }
  return false;
}

// The neighbour that the hinted fruit must swap with, or false when none makes a run.
inline bool HintTarget(int column, int row, int& targetColumn, int& targetRow) {
  const int steps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  for (const auto& step : steps) {
    const int c = column + step[0], r = row + step[1];
    if (c < 0 || c >= BoardColumns || r < 1 || r > 8) continue;
    std::swap(Game.Board[row][column], Game.Board[r][c]);
    const bool run = BoardHasRun();
    std::swap(Game.Board[row][column], Game.Board[r][c]);
    if (run) {
      targetColumn = c;
      targetRow = r;
      return true;
    }
  }
  return false;
}

inline void PressAtCell(int column, int row) {
  Game.HoverColumn = column;
  Game.HoverRow = row;
  PressCell();
  Game.ButtonReleased = true;
}

// Plays the move the search finds, as a player would: a press on the fruit, then on its
// neighbour. Returns false when the board offers none or is busy.
inline bool PlayFoundMove() {
  const GameState& g = Game;
  if (g.SwapBusy || g.RemovalActive || !FindMove()) return false;
  const int column = static_cast<int>(g.HintColumn), row = static_cast<int>(g.HintRow);
  int targetColumn, targetRow;
  if (!HintTarget(column, row, targetColumn, targetRow)) return false;
  PressAtCell(column, row);
  PressAtCell(targetColumn, targetRow);
  return g.SwapBusy;
}

inline bool BoardSettled() {
  for (const auto& row : Game.Board)
    for (int cell : row)
      if (cell == 0) return false;
  return !Game.RemovalActive && !Game.SwapBusy;
}
