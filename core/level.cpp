#include <cstdlib>
#include <iterator>

#include "core/sound_bank.h"
#include "core/game_state.h"
#include "core/rules.h"

namespace {

// Floor and target score of levels 0 to 20 in Levels mode; each floor is the previous target.
constexpr int LevelBounds[][2] = {
    {0, 500},           {500, 1500},        {1500, 3000},       {3000, 5500},
    {5500, 8000},       {8000, 12000},      {12000, 16000},     {16000, 21000},
    {21000, 27000},     {27000, 34000},     {34000, 45000},     {45000, 55000},
    {55000, 70000},     {70000, 90000},     {90000, 115000},    {115000, 155000},
    {155000, 190000},   {190000, 250000},   {250000, 350000},   {350000, 500000},
    {500000, 1000000},
};
constexpr int LastBoundedLevel = static_cast<int>(std::size(LevelBounds)) - 1;

}  // namespace

void SetLevelBounds() {
  if (Game.ModeIndex != Levels) return;
  // Past level 20 the bounds of level 20 stay; a negative level has none either.
  if (Game.Level < 0 || Game.Level > LastBoundedLevel) return;
  Game.LevelFloor = LevelBounds[Game.Level][0];
  Game.LevelTarget = LevelBounds[Game.Level][1];
}

void CheckLevelTarget() {
  GameState& g = Game;
  if (g.Score >= g.LevelTarget && g.BoardPhase == Play && g.Screen == Playing &&
      g.LevelsButton == ButtonPressed) {
    g.BoardPhase = LevelComplete;
    PlayEffect(g.Sounds.Levelup);
  }
}

void ChooseBackground() {
  constexpr int LastLevelWithOwnBackground = 5;
  Game.BackgroundIndex = std::rand() % BackgroundCount;
  if (Game.Level >= 0 && Game.Level <= LastLevelWithOwnBackground) Game.BackgroundIndex = Game.Level;
}

void AdvanceLevel() {
  GameState& g = Game;
  g.Level += 1;
  SetLevelBounds();
  g.BarWidth = 0.0f;
  g.ScoringEnabled = false;
  g.ChainCount = 0;
  g.ChainScore = 0;
  ChooseBackground();
  g.BoardPhase = Play;
  g.TimeLeft = g.ModeIndex == Timed ? TimedStartTime : 0.0f;
}
