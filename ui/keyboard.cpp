#include "ui/keyboard.h"

#include "core/game_state.h"
#include "storage/high_scores.h"
#include "ui/window_message.h"

namespace {

constexpr int VK_P = 'P';
// The letter keys: A to Z, and the left Super key after Z, which types the characters that
// follow 'Z' and 'z' in the character table.
constexpr int FirstLetterKey = 'A';
constexpr int LastLetterKey = VK_LWIN;
constexpr int SmallLetterOffset = 'a' - 'A';
constexpr int NameEnd = HighScoreNameLength + 1;  // NameCursor once every character is typed
constexpr char ErasedCharacter = '$';             // the pad of the stored names

bool KeyDown(int code) { return Game.KeyState[code] != 0; }

bool AnyLetterKeyDown() {
  for (int code = FirstLetterKey; code <= LastLetterKey; ++code) {
    if (KeyDown(code)) return true;
  }
  return false;
}

// Every letter down at this check is typed, lowest code first; then nothing more until all
// letter keys have been up, so a held key or a key pressed beside it is not typed again.
void TypeLetters() {
  GameState& g = Game;
  if (g.LetterLatch || g.Screen != NameEntry) return;
  g.LetterLatch = true;
  for (int code = FirstLetterKey; code <= LastLetterKey && g.NameCursor < NameEnd; ++code) {
    if (!KeyDown(code)) continue;
    const int character = g.NameCursor == 1 ? code : code + SmallLetterOffset;
    g.EntryName[g.NameCursor - 1] = static_cast<char>(character);
    ++g.NameCursor;
  }
}

void EraseLetter() {
  GameState& g = Game;
  if (g.BackspaceLatch || !KeyDown(VK_BACK) || g.Screen != NameEntry || g.NameCursor <= 1) return;
  --g.NameCursor;
  g.BackspaceLatch = true;
  g.EntryName[g.NameCursor - 1] = ErasedCharacter;
}

void ConfirmName() {
  GameState& g = Game;
  if (!(KeyDown(VK_SPACE) || KeyDown(VK_RETURN)) || g.Screen != NameEntry) return;
  g.Screen = HighScores;
  InsertHighScore(g.ModeIndex);
  SortSaveReloadHighScores();
}

}  // namespace

void PauseKeyCheck() {
  GameState& g = Game;
  if (!(KeyDown(VK_ESCAPE) || KeyDown(VK_P))) return;
  if (g.TimedButton != ButtonPressed || g.Screen != Playing) return;
  g.KeyState[VK_ESCAPE] = 0;
  g.KeyState[VK_P] = 0;
  g.Paused = !g.Paused;
}

void NameEntryChecks() {
  TypeLetters();
  EraseLetter();
  ConfirmName();
  if (!KeyDown(VK_BACK)) Game.BackspaceLatch = false;
  if (!AnyLetterKeyDown()) Game.LetterLatch = false;
}
