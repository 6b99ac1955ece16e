#include <cstdlib>

#include "core/game_state.h"
#include "core/rules.h"

void NewGame() {
  GameState& g = Game;
  g.ShownScore = 0.0f;
  for (auto& row : g.Board)
    for (int& cell : row) cell = 0;
  g.Score = 0;
  g.Level = 0;
  g.ChainCount = 0;
  g.TimeLeft = g.ModeIndex == Timed ? TimedStartTime : 0.0f;
  g.BarWidth = 0.0f;
  g.ScoringEnabled = false;
  SetLevelBounds();
  g.SelectionActive = false;
  g.SwapActive = false;
  g.MarkerShown = false;
  g.FadingMarkerShown = false;
  std::rand();
  g.BackgroundIndex = 0;
  // A reshuffle only ends in Timed mode once the board is empty; a new game must not inherit
  // it, or a Levels game started during a reshuffle would never refill.
  g.Reshuffling = false;
}
