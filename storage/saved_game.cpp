#include "storage/saved_game.h"

#include <cmath>
#include <limits>

#include "core/game_state.h"
#include "core/rules.h"
#include "storage/high_scores.h"
#include "storage/user_data.h"

namespace {

constexpr char SavedGameFileName[] = "data.inf";

// The file is four header words, then the board in nine groups of nine words: the eight cells
// of a row followed by column 0 of the next row (of FloorRow after row 8), which the next
// group repeats. Cell (r, c) is therefore word 4 + 9r + c.
enum HeaderWord { ModeWord, LevelWord, TimeLeftWord, ScoreWord, HeaderWordCount };
constexpr int GroupWordCount = BoardColumns + 1;
constexpr int SavedGameWordCount = HeaderWordCount + BoardRows * GroupWordCount;
constexpr size_t SavedGameSize = SavedGameWordCount * WordSize;

// Far beyond any level or score reached in play, and low enough that the run points
// (5 * Level + 10) and the score that grows from here stay within an int.
constexpr int MaxSavedLevel = 1000000;
constexpr int MaxSavedScore = 1000000000;


// Board and FloorRow addressed as one block of rows 0 to 9, counted cell by cell.
int& BoardWord(int index) {
  constexpr int boardCells = BoardRows * BoardColumns;
  if (index < boardCells) return Game.Board[index / BoardColumns][index % BoardColumns];
  return Game.FloorRow[index - boardCells];
}

// The time bar truncated toward zero; a value beyond the range of a word stops at its edge.
int StoredTimeLeft() {
  const float value = std::trunc(Game.TimeLeft);
  if (std::isnan(value)) return 0;
  if (value <= static_cast<float>(std::numeric_limits<int>::min())) {
    return std::numeric_limits<int>::min();
  }
  if (value >= static_cast<float>(std::numeric_limits<int>::max())) {
    return std::numeric_limits<int>::max();
  }
  return static_cast<int>(value);
}

bool ReadSavedGameWords(int* words) {
  FILE* file = OpenDataFileWithFallback(SavedGameFileName);
  if (!file) return false;
  uint8_t bytes[SavedGameSize];
  const size_t size = std::fread(bytes, 1, SavedGameSize, file);
  std::fclose(file);
  if (size != SavedGameSize) return false;
  for (int i = 0; i < SavedGameWordCount; ++i) words[i] = DecodeWord(bytes + i * WordSize);
  return true;
}

bool SavedGameIsUsable(const int* words) {
  if (words[ModeWord] != Levels && words[ModeWord] != Timed) return false;
  if (words[LevelWord] < 0 || words[LevelWord] > MaxSavedLevel) return false;
  if (words[ScoreWord] < 0 || words[ScoreWord] > MaxSavedScore) return false;
  // The repeated column-0 words are overwritten when read, so only the last copy counts.
  for (int row = 0; row < BoardRows; ++row) {
    for (int column = 0; column < BoardColumns; ++column) {
      const int cell = words[HeaderWordCount + row * GroupWordCount + column];
      if (cell < 0 || cell > FruitKinds) return false;
    }
  }
  return true;
}

void ApplySavedGame(const int* words) {
  Game.ModeIndex = words[ModeWord];
  Game.LevelsButton = Game.ModeIndex == Levels ? ButtonPressed : ButtonIdle;
  Game.TimedButton = Game.ModeIndex == Timed ? ButtonPressed : ButtonIdle;
  Game.Level = words[LevelWord];
  Game.TimeLeft = static_cast<float>(words[TimeLeftWord]);
  Game.Score = words[ScoreWord];
  Game.ShownScore = static_cast<float>(Game.Score);  // shown at once, without counting up
  for (int group = 0; group < BoardRows; ++group) {
    for (int k = 0; k < GroupWordCount; ++k) {
      BoardWord(group * BoardColumns + k) = words[HeaderWordCount + group * GroupWordCount + k];
    }
  }
}

// The game has ended: its game-over phase was reached with a score that enters no table, or
// the table shows after the game's end (not opened from Options). A qualifying game on its way
// to the name entry has not: stored as it is, it asks for the name at the next start.
bool GameHasEnded() {
  const GameState& g = Game;
  if (g.Screen == HighScores && g.HighScoresReturn != OpenedFromOptions) return true;
  return (g.BoardPhase == GameOver || g.GameOverLatch) && !ScoreQualifiesForHighScores();
}

// Done whether or not a game was read: the resumed board stands on a solid floor.
void SettleResumedGame() {
  for (int& cell : Game.FloorRow) cell = SolidFloor;
  ChooseBackground();
  SetLevelBounds();
}

}  // namespace

void WriteSavedGame() {
  DataFileImage<SavedGameSize> image;
  image.PutWord(Game.ModeIndex);
  image.PutWord(Game.Level);
  image.PutWord(StoredTimeLeft());
  image.PutWord(Game.Score);
  for (int group = 0; group < BoardRows; ++group) {
    for (int k = 0; k < GroupWordCount; ++k) image.PutWord(BoardWord(group * BoardColumns + k));
  }
  image.WriteAs(SavedGameFileName);
}

void StoreGameAtExit() {
  // A question never answered leaves the stored game as it was: writing here would replace it
  // by the built-in start board.
  if (Game.Screen == ResumePrompt) return;
  // A finished game stored as it is would be played to its end again at the next start, and
  // its score entered in the table once more; what the table's OK leads to is stored instead:
  // a fresh game of the same mode, whose board fills from the top when it is resumed.
  if (GameHasEnded()) {
    NewGame();
    for (int& cell : Game.FloorRow) cell = SolidFloor;
  }
  WriteSavedGame();
}

// The file is checked whole before anything is applied, so a damaged file never leaves a
// half-loaded game or a board cell that names no fruit model.
void ReadSavedGame() {
  int words[SavedGameWordCount];
  if (ReadSavedGameWords(words) && SavedGameIsUsable(words)) ApplySavedGame(words);
  SettleResumedGame();
}
