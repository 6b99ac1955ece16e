#include <climits>
#include <cstdlib>
#include <cstring>

#include "core/game_state.h"
#include "storage/saved_game.h"
#include "tests/storage/storage_test.h"

namespace {

using SavedGameTest = StorageTest;

constexpr int SavedGameWords = 85;

// A board that uses every fruit kind and the empty cell, with a different value in column 0
// of neighbouring rows, so that a row shifted by one word shows.
int PatternCell(int row, int column) { return (row * 3 + column * 5) % 8; }

void FillPatternBoard() {
  for (int row = 0; row < BoardRows; ++row) {
    for (int column = 0; column < BoardColumns; ++column) Game.Board[row][column] = PatternCell(row, column);
  }
  for (int& cell : Game.FloorRow) cell = SolidFloor;
}

// The words of a saved game written out by hand: each row's eight cells, then column 0 of the
// next row, the floor after the last row.
std::vector<int> SavedWords(int mode, int level, int timeLeft, int score, int floor = SolidFloor) {
  std::vector<int> words{mode, level, timeLeft, score};
  for (int row = 0; row < BoardRows; ++row) {
    for (int column = 0; column < BoardColumns; ++column) words.push_back(PatternCell(row, column));
    words.push_back(row + 1 < BoardRows ? PatternCell(row + 1, 0) : floor);
  }
  return words;
}

void StartTimedGameAtLevelFour() {
  Game.ModeIndex = Timed;
  Game.Level = 4;
  Game.TimeLeft = 37.9f;
  Game.Score = 1234;
  FillPatternBoard();
}

void ExpectPatternBoard() {
  for (int row = 0; row < BoardRows; ++row) {
    for (int column = 0; column < BoardColumns; ++column) {
      EXPECT_EQ(Game.Board[row][column], PatternCell(row, column)) << "row " << row << " column " << column;
    }
  }
}

void ExpectSolidFloor() {
  for (int cell : Game.FloorRow) EXPECT_EQ(cell, SolidFloor);
}

void ExpectStartBoard() {
  const GameState start;
  EXPECT_EQ(std::memcmp(Game.Board, start.Board, sizeof Game.Board), 0);
}

TEST_F(SavedGameTest, WritesEightyFiveWordsWithTheRepeatedFirstColumn) {
  StartTimedGameAtLevelFour();
  WriteSavedGame();
  const Bytes written = ReadBytes(UserFile("data.inf"));
  ASSERT_EQ(written.size(), SavedGameWords * 4u);
  EXPECT_EQ(written, Words(SavedWords(Timed, 4, 37, 1234)));
}

TEST_F(SavedGameTest, TheTimeBarIsTruncatedTowardZeroAndKeptWithinAWord) {
  const auto storedTimeLeft = [this] {
    const Bytes written = ReadBytes(UserFile("data.inf"));
    return Bytes(written.begin() + 8, written.begin() + 12);
  };
  Game.TimeLeft = -2.7f;
  WriteSavedGame();
  EXPECT_EQ(storedTimeLeft(), Words({-2}));
  Game.TimeLeft = 3.0e9f;
  WriteSavedGame();
  EXPECT_EQ(storedTimeLeft(), Words({INT_MAX}));
}

TEST_F(SavedGameTest, ATimedGameResumesWithEveryCellAndTheTimedButton) {
  StartTimedGameAtLevelFour();
  WriteSavedGame();

  Game = GameState{};
  ReadSavedGame();
  EXPECT_EQ(Game.ModeIndex, Timed);
  EXPECT_EQ(Game.TimedButton, 2);
  EXPECT_EQ(Game.LevelsButton, 0);
  EXPECT_EQ(Game.Level, 4);
  EXPECT_EQ(Game.TimeLeft, 37.0f);
  EXPECT_EQ(Game.Score, 1234);
  EXPECT_EQ(Game.ShownScore, 1234.0f);
  EXPECT_EQ(Game.BackgroundIndex, 4);
  EXPECT_EQ(Game.LevelTarget, 0);  // Timed mode has no level bounds
  ExpectPatternBoard();
  ExpectSolidFloor();
}

TEST_F(SavedGameTest, ALevelsGameBeyondLevelFiveGetsARandomBackgroundAndItsBounds) {
  WriteBytes(UserFile("data.inf"), Words(SavedWords(Levels, 7, 0, 17000)));
  Game.TimedButton = 2;
  std::srand(99);
  const int expectedBackground = std::rand() % 6;
  std::srand(99);
  ReadSavedGame();
  EXPECT_EQ(Game.LevelsButton, 2);
  EXPECT_EQ(Game.TimedButton, 0);
  EXPECT_EQ(Game.BackgroundIndex, expectedBackground);
  EXPECT_EQ(Game.LevelFloor, 16000);
  EXPECT_EQ(Game.LevelTarget, 21000);
}

TEST_F(SavedGameTest, OnlyTheLastCopyOfARepeatedWordCountsAndTheFloorIsAlwaysSolid) {
  std::vector<int> words = SavedWords(Levels, 2, 0, 1600, 12345);
  words[4 + 9 * 2 + 8] = 99;  // the copy of row 3, column 0 at the end of row 2's group
  WriteBytes(UserFile("data.inf"), Words(words));
  ReadSavedGame();
  EXPECT_EQ(Game.Level, 2);
  ExpectPatternBoard();
  ExpectSolidFloor();
}

TEST_F(SavedGameTest, WithoutAFileTheStartBoardIsPlayedOnASolidFloor) {
  ReadSavedGame();
  ExpectStartBoard();
  ExpectSolidFloor();
  EXPECT_EQ(Game.BackgroundIndex, 0);
  EXPECT_EQ(Game.LevelTarget, 500);
}

struct DamagedFile {
  const char* what;
  Bytes bytes;
};

Bytes Truncated(size_t size) {
  Bytes bytes = Words(SavedWords(Levels, 1, 0, 700));
  bytes.resize(size);
  return bytes;
}

Bytes WithWord(int index, int value) {
  std::vector<int> words = SavedWords(Levels, 1, 0, 700);
  words[index] = value;
  return Words(words);
}

TEST_F(SavedGameTest, ADamagedFileCountsAsNoSavedGame) {
  const DamagedFile files[] = {
      {"empty", Bytes{}},
      {"one byte short", Truncated(SavedGameWords * 4 - 1)},
      {"header only", Truncated(16)},
      {"mode 2", WithWord(0, 2)},
      {"mode -1", WithWord(0, -1)},
      {"negative level", WithWord(1, -1)},
      {"level past any game", WithWord(1, INT_MAX)},
      {"negative score", WithWord(3, -5)},
      {"score past any game", WithWord(3, INT_MAX)},
      {"kind 8 in column 0 of row 3", WithWord(4 + 9 * 3, 8)},
      {"kind -1 in the spawn row", WithWord(4 + 7, -1)},
      {"huge kind in the last cell", WithWord(4 + 9 * 8 + 7, INT_MIN)},
  };
  for (const DamagedFile& file : files) {
    SCOPED_TRACE(file.what);
    WriteBytes(UserFile("data.inf"), file.bytes);
    Game = GameState{};
    Game.Score = 77;
    ReadSavedGame();
    EXPECT_EQ(Game.Score, 77);
    EXPECT_EQ(Game.Level, 0);
    EXPECT_EQ(Game.ModeIndex, Levels);
    EXPECT_EQ(Game.ShownScore, 0.0f);
    ExpectStartBoard();
    ExpectSolidFloor();
    EXPECT_EQ(Game.LevelTarget, 500);
  }
}

TEST_F(SavedGameTest, TheUserSavedGameTakesPrecedenceOverTheShippedOne) {
  WriteBytes(BaseFile("data.inf"), Words(SavedWords(Levels, 2, 0, 1600)));
  ReadSavedGame();
  EXPECT_EQ(Game.Level, 2);

  Game.Level = 5;
  WriteSavedGame();
  Game = GameState{};
  ReadSavedGame();
  EXPECT_EQ(Game.Level, 5);
}

TEST_F(SavedGameTest, AWriteCutShortKeepsThePreviousSavedGame) {
  Game.Score = 1;
  WriteSavedGame();
  const Bytes previous = ReadBytes(UserFile("data.inf"));
  const int status = RunWithFileSizeLimit(100, [] {
    Game.Score = 999;
    WriteSavedGame();
    return 0;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadBytes(UserFile("data.inf")), previous);
  EXPECT_EQ(UserFolderNames(), std::vector<std::string>{"data.inf"});
}

}  // namespace
