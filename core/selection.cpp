#include <cstdlib>

#include "core/sound_bank.h"
#include "core/game_state.h"
#include "core/rules.h"
#include "core/swap_motion.h"

namespace {

// A column that is never a board column: the selection after its fruit was deselected.
constexpr int DeselectedColumn = -600;

bool HoldsFruit(int column, int row) {
  return IsPlayingCell(column, row) && Game.Board[row][column] > 0;
}

bool AreNeighbours(int column1, int row1, int column2, int row2) {
  return (row1 == row2 && std::abs(column1 - column2) == 1) ||
         (column1 == column2 && std::abs(row1 - row2) == 1);
}

bool HoverIsSelectedNeighbour() {
  const GameState& g = Game;
  return AreNeighbours(g.HoverColumn, g.HoverRow, g.SelectedColumn, g.SelectedRow) &&
         HoldsFruit(g.HoverColumn, g.HoverRow);
}

// Starts moving the selected fruit and the hovered neighbour toward each other's place.
void StartSwap() {
  GameState& g = Game;
  g.SwapActive = true;
  g.SwapBusy = true;
  g.SwapColumn = g.HoverColumn;
  g.SwapRow = g.HoverRow;
  AimSwapVelocities(0.02f);
}

void StopMarkers() {
  Game.MarkerStopping = true;
  Game.FadingMarkerStopping = true;
}

void SelectHoverCell() {
  GameState& g = Game;
  g.SelectionActive = true;
  g.SelectedColumn = g.HoverColumn;
  g.SelectedRow = g.HoverRow;
  PlayEffect(g.Sounds.Select);
  g.ChainCount = 0;
  g.ChainScore = 0;
  g.ScoringEnabled = true;
  // The previous marker finishes its turn while the new one starts spinning.
  if (g.MarkerShown && (g.MarkerColumn != g.SelectedColumn || g.MarkerRow != g.SelectedRow))
    g.FadingMarkerShown = true;
  g.FadingMarkerColumn = g.MarkerColumn;
  g.FadingMarkerRow = g.MarkerRow;
  g.FadingMarkerAngle = g.MarkerAngle;
  g.FadingMarkerStopping = true;
  g.MarkerShown = true;
  g.MarkerColumn = g.SelectedColumn;
  g.MarkerRow = g.SelectedRow;
  g.MarkerStopping = false;
}

// A press while a fruit is selected: swap with a neighbour, deselect, or drop the selection.
// Returns whether the press is fully handled.
bool PressWithSelection() {
  GameState& g = Game;
  if (g.SwapActive || !IsPlayingCell(g.HoverColumn, g.HoverRow)) return true;
  bool handled = false;
  if (HoverIsSelectedNeighbour()) {
    StartSwap();
    handled = true;
  } else {
    g.SelectionActive = false;
  }
  if (g.HoverColumn == g.SelectedColumn && g.HoverRow == g.SelectedRow &&
      HoldsFruit(g.HoverColumn, g.HoverRow)) {
    g.SelectedColumn = DeselectedColumn;
    PlayEffect(g.Sounds.Select);
    handled = true;
  }
  StopMarkers();
  return handled;
}

}  // namespace

void PressCell() {
  const GameState& g = Game;
  if (g.Paused || g.SwapReturning || g.SwapBusy) return;
  if (g.SelectionActive && PressWithSelection()) return;
  if (!g.SwapActive && HoldsFruit(g.HoverColumn, g.HoverRow)) SelectHoverCell();
}

void DragToCell() {
  const GameState& g = Game;
  if (g.SwapReturning || g.RemovalActive || g.SwapBusy || g.ButtonReleased ||
      !g.SelectionActive || g.SwapActive)
    return;
  if (g.HoverColumn == g.SelectedColumn && g.HoverRow == g.SelectedRow) return;
  if (HoverIsSelectedNeighbour()) StartSwap();
  StopMarkers();
}

void UseHint() {
  GameState& g = Game;
  // The two cells of a running swap must stay fixed until it ends, so the hint waits for
  // the fruit to settle: a press during the animation does nothing.
  if (g.SwapBusy) return;
  if (FindMove()) {
    g.MarkerShown = true;
    g.MarkerColumn = g.SelectedColumn = static_cast<int>(g.HintColumn);
    g.MarkerRow = g.SelectedRow = static_cast<int>(g.HintRow);
    g.SelectionActive = true;
  }
  if (g.ModeIndex == Levels) {
    g.Score -= 50;
    // The score never drops below the level's floor. The floor is kept only in Levels mode,
    // so in Timed mode (where the hint costs time) the score is left alone.
    if (g.Score < g.LevelFloor) g.Score = g.LevelFloor;
  } else {
    g.TimeLeft -= 10.0f;
  }
  PlayEffect(g.Sounds.Hint);
}
