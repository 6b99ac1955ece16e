// Shared set-up for the core's tests: a fresh game state, recognisable sound handles, effects
// switched on, and boards written as nine strings of digits.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "core/rules.h"
#include "tests/support/fake_mixer.h"

using BoardRowsText = std::array<const char*, BoardRows>;

inline void SetBoard(const BoardRowsText& rows) {
  for (int r = 0; r < BoardRows; ++r)
    for (int c = 0; c < BoardColumns; ++c) Game.Board[r][c] = rows[r][c] - '0';
}

inline std::string BoardText() {
  std::string text;
  for (int r = 0; r < BoardRows; ++r) {
    for (int c = 0; c < BoardColumns; ++c) text += static_cast<char>('0' + Game.Board[r][c]);
    text += '\n';
  }
  return text;
}

inline int EmptyCells() {
  int empty = 0;
  for (const auto& row : Game.Board)
    for (int cell : row) empty += cell == 0;
  return empty;
}

inline std::vector<std::string> PlayedSampleNames() {
  std::vector<std::string> names;
  for (int handle : fake_mixer::PlayedSamples()) names.push_back(SampleName(handle));
  return names;
}

class CoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Game = GameState{};
    fake_mixer::Reset();
    AssignTestSoundHandles();
    Game.SoundOn = 1;
    Game.LevelsButton = 2;
    std::srand(1234);
  }
};

// A full board without any run and without any move (found by search, checked against a
// brute-force test of every swap).
inline const BoardRowsText NoMoveBoard = {
    "34614517", "44313755", "16556247", "37363417", "11221751",
    "24714554", "57267332", "61652236", "47454217",
};
