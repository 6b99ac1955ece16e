#include <cmath>
#include <cstdlib>

#include "core/sound_bank.h"
#include "core/game_state.h"
#include "core/rules.h"

namespace {

bool BoardFull() {
  for (const auto& row : Game.Board)
    for (int cell : row)
      if (cell == 0) return false;
  return true;
}

bool BoardEmpty() {
  for (const auto& row : Game.Board)
    for (int cell : row)
      if (cell != 0) return false;
  return true;
}

// The board drains at the end of a level, at game over and in a reshuffle: the floor opens
// and every fruit falls out through the bottom.
bool BoardDrains() {
  return Game.BoardPhase == LevelComplete || Game.Reshuffling || Game.GameOverLatch;
}

// The cell below row j of a column: row j + 1, or the floor below row 8.
int& CellBelow(int j, int column) {
  return j < BoardRows - 1 ? Game.Board[j + 1][column] : Game.FloorRow[column];
}

void TestForMoves() {
  GameState& g = Game;
  const bool full = BoardFull();
  const bool moveFound = FindMove();
  if (moveFound || g.BoardPhase != Play || g.Screen != Playing || !full || g.RemovalActive ||
      g.SwapBusy)
    return;
  if (g.ModeIndex == Levels && !g.GameOverLatch) {
    g.BoardPhase = GameOver;
    g.GameOverLatch = true;
    g.NoMovesGameOver = true;
    PlayEffect(g.Sounds.Gameover);
  } else if (g.ModeIndex == Timed) {
    g.Reshuffling = true;
  }
}

// Moves every fruit that has an empty cell below it down by one row and refills the spawn
// row. Returns whether the board is settled: nothing moved.
bool GravityStep() {
  GameState& g = Game;
  const bool drains = BoardDrains();
  const bool refills = (g.BoardPhase == Play || g.BoardPhase == Excellent) && !g.Reshuffling;
  bool settled = true;
  for (int c = 0; c < BoardColumns; ++c) {
    g.FloorRow[c] = drains ? 0 : SolidFloor;
    int last = -1;  // the row that last received a value in this column
    for (int j = 0; j < BoardRows; ++j) {
      int& target = CellBelow(j, c);
      if (target != 0 || j == last || (!drains && j == BoardRows - 1)) continue;
      // An empty source moves too: the gap climbs one row per step.
      target = g.Board[j][c];
      g.Board[j][c] = 0;
      last = j + 1;
      settled = false;
    }
    if (g.Board[0][c] == 0 && refills) g.Board[0][c] = std::rand() % FruitKinds + 1;
  }
  return settled;
}

void RunGravity() {
  GameState& g = Game;
  g.FallOffset -= static_cast<float>(0.12 * g.FrameSpeed);
  if (!(g.FallOffset < -1.0f)) return;
  g.FallOffset = 0.0f;
  if (GravityStep())
    ScanForRuns(false);
  else if (g.BoardPhase != LevelComplete && !g.Reshuffling)
    PlayEffect(g.Sounds.New);
  if (g.ModeIndex == Timed && g.Reshuffling && BoardEmpty()) {
    g.Reshuffling = false;
    g.ScoringEnabled = false;
  }
}

// The lift of a moving fruit: an arc from 0 up to 0.5 and back to 0 over one cell of travel.
float Lift(float velocityX, float velocityY, float offsetX, float offsetY, float lift) {
  constexpr double Pi = 3.14159;
  if (velocityX > 0) lift = static_cast<float>(0.5 * std::sin(Pi * offsetX));
  if (velocityX < 0) lift = static_cast<float>(-0.5 * std::sin(Pi * offsetX));
  if (velocityY > 0) lift = static_cast<float>(0.5 * std::sin(Pi * offsetY));
  if (velocityY < 0) lift = static_cast<float>(-0.5 * std::sin(Pi * offsetY));
  return lift;
}

void EndSwap() {
  GameState& g = Game;
  g.SelectedOffsetX = g.SelectedOffsetY = g.SelectedLift = 0.0f;
  g.SelectedVelocityX = g.SelectedVelocityY = 0.0f;
  g.SwapOffsetX = g.SwapOffsetY = g.SwapLift = 0.0f;
  g.SwapVelocityX = g.SwapVelocityY = 0.0f;
  int& selected = g.Board[g.SelectedRow][g.SelectedColumn];
  int& other = g.Board[g.SwapRow][g.SwapColumn];
  const int kind = selected;
  selected = other;
  other = kind;
  g.SelectionActive = false;
  g.SwapActive = false;
  g.SwapBusy = false;
  if (g.SwapReturning)
    g.SwapReturning = false;  // the fruits are back where they were
  else
    ScanForRuns(true);
}

void AnimateSwap() {
  GameState& g = Game;
  g.SelectedOffsetX += g.SelectedVelocityX * g.FrameSpeed;
  g.SelectedOffsetY += g.SelectedVelocityY * g.FrameSpeed;
  g.SelectedLift = Lift(g.SelectedVelocityX, g.SelectedVelocityY, g.SelectedOffsetX,
                        g.SelectedOffsetY, g.SelectedLift);
  g.SwapOffsetX += g.SwapVelocityX * g.FrameSpeed;
  g.SwapOffsetY += g.SwapVelocityY * g.FrameSpeed;
  g.SwapLift = -g.SelectedLift;
  if (std::fabs(g.SelectedOffsetX) > 1.0f || std::fabs(g.SelectedOffsetY) > 1.0f) EndSwap();
}

void ShrinkRemoval() {
  GameState& g = Game;
  g.RemovalFade -= static_cast<float>(0.02 * g.FrameSpeed);
  if (!(g.RemovalFade < 0.1f)) return;
  for (RemovalMark& mark : g.RemovalMarks) {
    if (!mark.active) continue;
    mark.active = false;
    g.Board[mark.row][mark.column] = 0;
  }
  g.SelectionActive = false;
  g.SwapActive = false;
  g.RemovalActive = false;
}

}  // namespace

void AdvanceBoard() {
  GameState& g = Game;
  TestForMoves();
  const bool gravityHeld = g.RemovalActive || g.Screen == ResumePrompt ||
                           g.Screen == HighScores || g.Screen == NameEntry;
  if (!gravityHeld) RunGravity();
  if (g.SwapBusy) AnimateSwap();
  if (g.RemovalActive) ShrinkRemoval();
}
