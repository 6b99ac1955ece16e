// Fuzzes the saved-game reader: whatever the file holds, the game resumes in a mode that
// indexes the high-score tables, at a level and score of its own, on a board of fruit kinds
// over a solid floor, or keeps the state it had.
#include <cstdint>
#include <cstring>

#include "core/game_state.h"
#include "storage/saved_game.h"
#include "tests/fuzz/storage_fuzz.h"

namespace {

constexpr size_t SavedGameSize = 85 * 4;

bool BoardHoldsFruitKinds() {
  for (const auto& row : Game.Board) {
    for (int cell : row) {
      if (cell < 0 || cell > FruitKinds) return false;
    }
  }
  return true;
}

bool FloorIsSolid() {
  for (int cell : Game.FloorRow) {
    if (cell != SolidFloor) return false;
  }
  return true;
}

// The mode buttons are untouched (both 0 at program start) or mirror the mode read.
bool ButtonsMatchMode() {
  if (Game.LevelsButton == 0 && Game.TimedButton == 0) return true;
  if (Game.ModeIndex == Levels) return Game.LevelsButton == 2 && Game.TimedButton == 0;
  return Game.LevelsButton == 0 && Game.TimedButton == 2;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PutUserDataFile("data.inf", data, size);
  Game = GameState{};
  const GameState start;
  ReadSavedGame();
  Require(Game.ModeIndex == Levels || Game.ModeIndex == Timed);
  Require(Game.Level >= 0 && Game.Score >= 0);
  Require(Game.BackgroundIndex >= 0 && Game.BackgroundIndex < 6);
  Require(BoardHoldsFruitKinds() && FloorIsSolid() && ButtonsMatchMode());
  if (size < SavedGameSize) {
    Require(std::memcmp(Game.Board, start.Board, sizeof Game.Board) == 0);
    Require(Game.Score == 0 && Game.Level == 0 && Game.ModeIndex == Levels);
  }
  return 0;
}
