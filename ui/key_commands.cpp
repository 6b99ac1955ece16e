#include "ui/key_commands.h"

#include <algorithm>
#include <iterator>

#include "core/game_state.h"
#include "core/rules.h"
#include "ui/keyboard.h"
#include "ui/screens.h"
#include "ui/window_message.h"

namespace {

// Where the cursor starts when no fruit is selected: one of the four cells at the centre.
constexpr int CentreColumn = 3;
constexpr int CentreRow = 4;
constexpr int FirstPlayingRow = 1;
constexpr int LastPlayingRow = 8;

// An arrow key and its step over the board, in cells; rows are counted downwards.
struct Arrow {
  int key;
  int columns;
  int rows;
};
constexpr Arrow Arrows[] = {
    {VK_LEFT, -1, 0}, {VK_UP, 0, -1}, {VK_RIGHT, 1, 0}, {VK_DOWN, 0, 1}};

// A key and a control it presses. A key presses the control of its first entry that the
// screen on show has, so a letter can mean one thing on Playing and another on a panel.
struct KeyControl {
  int key;
  PixelRect ScreenLayout::*area;
  int notOn = -1;  // a screen on which the key leaves the control alone
};
constexpr KeyControl KeyControls[] = {
    // Playing: the side buttons by their initials.
    {'N', &ScreenLayout::newGame},
    {'L', &ScreenLayout::levels},
    {'T', &ScreenLayout::timed},
    {'H', &ScreenLayout::hint},
    {'O', &ScreenLayout::options},
    {'Q', &ScreenLayout::quit},
    // The three questions.
    {'Y', &ScreenLayout::yes},
    {VK_RETURN, &ScreenLayout::yes},
    {'N', &ScreenLayout::no},
    // Esc puts a box out of the way; on the start-up question No would throw the stored game
    // away, so there only N or a click declines it.
    {VK_ESCAPE, &ScreenLayout::no, ResumePrompt},
    // HighScores.
    {VK_RETURN, &ScreenLayout::ok},
    {VK_SPACE, &ScreenLayout::ok},
    {VK_ESCAPE, &ScreenLayout::ok},
    // Options. No key opens the help page, since opening it ends the game.
    {'H', &ScreenLayout::highScoresRow},
    {'D', &ScreenLayout::displayRow},
    {'M', &ScreenLayout::musicRow},
    {'S', &ScreenLayout::soundRow},
    {VK_RETURN, &ScreenLayout::back},
    {VK_ESCAPE, &ScreenLayout::back},
};

// The cursor is the hover cell, which the board lights.
void PlaceCursor(int column, int row) {
  Game.HoverColumn = column;
  Game.HoverRow = row;
  Game.KeyCursorShown = true;
}

// The first arrow shows the cursor, on the selected fruit or at the centre. After that, with
// a fruit selected, an arrow presses its neighbour, which starts a swap as a click there
// does; without one the cursor steps, stopping at the edges.
void StepCursor(const Arrow& arrow) {
  const GameState& g = Game;
  if (!g.KeyCursorShown) {
    if (g.SelectionActive) {
      PlaceCursor(g.SelectedColumn, g.SelectedRow);
    } else {
      PlaceCursor(CentreColumn, CentreRow);
    }
  } else if (g.SelectionActive) {
    const int column = g.SelectedColumn + arrow.columns;
    const int row = g.SelectedRow + arrow.rows;
    if (!IsPlayingCell(column, row)) return;
    PlaceCursor(column, row);
    PressCell();
  } else {
    PlaceCursor(std::clamp(g.HoverColumn + arrow.columns, 0, BoardColumns - 1),
                std::clamp(g.HoverRow + arrow.rows, FirstPlayingRow, LastPlayingRow));
  }
}

// From the moment a game ends until the name entry or the table shows, the board and the side
// buttons take no key: a player typing a name early would otherwise start a new game or open
// a panel, and the qualifying score would never reach the table.
bool GameEnding() {
  return Game.Screen == Playing && (Game.BoardPhase == GameOver || Game.GameOverLatch);
}

// The board's keys, taken on Playing unless paused: the board then takes no key, as it takes
// no click. Space and Enter press the cursor's cell once however long they are held.
bool TakeBoardKey(int key, bool repeated) {
  if (Game.Screen != Playing || Game.Paused) return false;
  for (const Arrow& arrow : Arrows) {
    if (arrow.key == key) {
      StepCursor(arrow);
      return true;
    }
  }
  if (key != VK_SPACE && key != VK_RETURN) return false;
  if (!repeated) PressCell();
  return true;
}

bool PressKeyControl(int key) {
  for (const KeyControl& entry : KeyControls) {
    if (entry.key == key && entry.notOn != Game.Screen && PressControl(entry.area)) return true;
  }
  return false;
}

}  // namespace

void TakeKeyDown(uintptr_t code, bool repeated) {
  if (code >= std::size(Game.KeyTaken)) return;
  const int key = static_cast<int>(code);
  const bool took =
      !GameEnding() && (TakeBoardKey(key, repeated) || (!repeated && PressKeyControl(key)));
  // The repeats of a held key belong to the press that a command took.
  Game.KeyTaken[code] = took || (repeated && Game.KeyTaken[code]);
}

void ReleaseKey(uintptr_t code) {
  if (code < std::size(Game.KeyTaken)) Game.KeyTaken[code] = false;
}

void TakeHoverForPress(int x, int y) {
  GameState& g = Game;
  if (!g.KeyCursorShown || g.Screen != Playing) return;
  g.KeyCursorShown = false;
  g.PointerX = x;
  g.PointerY = y;
  UpdatePlayingHover();
}

bool PointerMoved(int x, int y) {
  GameState& g = Game;
  if (g.Screen != Playing) return true;
  if (g.KeyCursorShown && x == g.PointerX && y == g.PointerY) return false;
  g.KeyCursorShown = false;
  return true;
}

// A taken key is hidden rather than released: KeyState keeps following the keys, and the
// checks, unchanged, see only the presses that no command took. Esc that answered a question
// during a Timed game thus does not pause it, and Space or Enter held from the board into the
// name entry does not confirm the name.
void RunKeyChecks() {
  GameState& g = Game;
  bool hidden[std::size(g.KeyState)] = {};
  for (size_t code = 0; code < std::size(g.KeyState); ++code) {
    hidden[code] = g.KeyTaken[code] && g.KeyState[code];
    if (hidden[code]) g.KeyState[code] = 0;
  }
  PauseKeyCheck();
  NameEntryChecks();
  for (size_t code = 0; code < std::size(g.KeyState); ++code) {
    if (hidden[code]) g.KeyState[code] = 1;
  }
}
