// Play without a mouse, through real key events, the real loop and its checks after frames.
#include <string>
#include <utility>
#include <vector>

#include "core/game_state.h"
#include "tests/app/game_session.h"

namespace {

class KeyPlay : public GameSessionTest {
 protected:
  // Starts the game with the desktop's pointer resting beside the window, where no window of
  // another test can uncover it over the board.
  bool StartWithPointerAside() {
    if (!Start()) return false;
    SDL_WarpMouseGlobal(1000, 740);
    return RunFrames(1);
  }
};

// A key pressed on a screen of a Timed game with Score 100 (a new game gives 0), paused or
// ending in the game-over banner when asked: the screen that follows, and a field that the key
// sets or keeps.
struct KeyCase {
  int screen;
  SDL_Keycode key;
  int after;
  int GameState::*field;
  int expected;
  bool paused = false;
  bool ending = false;
};
constexpr auto Score = &GameState::Score;
constexpr auto Hover = &GameState::HoverColumn;

const KeyCase KeyCases[] = {
    {Playing, SDLK_n, ConfirmNewGame, Score, 100}, {Playing, SDLK_t, Playing, Score, 0},
    {Playing, SDLK_l, Playing, &GameState::ModeIndex, Levels},
    {Playing, SDLK_h, Playing, &GameState::SelectedColumn, 1},  // the hint: (1, 8) up
    {Playing, SDLK_o, Options, Score, 100},        {Playing, SDLK_q, ConfirmQuit, Score, 100},
    {Playing, SDLK_RIGHT, Playing, Hover, 3},      {Playing, SDLK_RIGHT, Playing, Hover, NoCell, true},
    {ConfirmNewGame, SDLK_y, Playing, Score, 0},   {ConfirmNewGame, SDLK_RETURN, Playing, Score, 0},
    {ConfirmNewGame, SDLK_n, Playing, Score, 100}, {ConfirmNewGame, SDLK_ESCAPE, Playing, Score, 100},
    {ResumePrompt, SDLK_y, Playing, Score, 100},   {ResumePrompt, SDLK_RETURN, Playing, Score, 100},
    {ResumePrompt, SDLK_n, Playing, Score, 0},     {ResumePrompt, SDLK_ESCAPE, ResumePrompt, Score, 100},
    {ConfirmQuit, SDLK_n, Playing, Score, 100},    {ConfirmQuit, SDLK_ESCAPE, Playing, Score, 100},
    {HighScores, SDLK_RETURN, Playing, Score, 0},  {HighScores, SDLK_SPACE, Playing, Score, 0},
    {HighScores, SDLK_ESCAPE, Playing, Score, 0},  {Options, SDLK_h, HighScores, Score, 100},
    {Options, SDLK_m, Options, &GameState::MusicOn, 0},
    {Options, SDLK_s, Options, &GameState::SoundOn, 0},
    {Options, SDLK_RETURN, Playing, Score, 100},   {Options, SDLK_ESCAPE, Playing, Score, 100},
    {Options, SDLK_d, Options, &GameState::DisplayModeSetting, 1},
    {NameEntry, SDLK_y, NameEntry, &GameState::NameCursor, 2},
    {NameEntry, SDLK_ESCAPE, NameEntry, &GameState::NameCursor, 1},
    // A name typed early, during the game-over banner, neither starts a game nor opens a panel.
    {Playing, SDLK_t, Playing, Score, 100, false, true},
    {Playing, SDLK_o, Playing, Score, 100, false, true},
    {Playing, SDLK_RIGHT, Playing, Hover, NoCell, false, true},
    {Playing, SDLK_n, Playing, Score, 100, false, true},
};

TEST_F(KeyPlay, EveryKeyOnEveryScreen) {
  ASSERT_TRUE(StartWithPointerAside());
  Game.MusicOn = Game.SoundOn = 1;
  for (const KeyCase& c : KeyCases) {
    Game.Screen = c.screen;
    Game.ModeIndex = Timed;
    Game.TimedButton = ButtonPressed;
    Game.LevelsButton = ButtonIdle;
    Game.TimeLeft = TimedStartTime;
    Game.Paused = c.paused;
    Game.BoardPhase = c.ending ? GameOver : Play;
    Game.GameOverLatch = c.ending;
    Game.Score = 100;
    Game.NameCursor = 1;
    Game.HighScoresReturn = 0;
    Game.HoverColumn = NoCell;
    Game.SelectionActive = Game.KeyCursorShown = false;
    SetBoardWithOneKnownMove();
    // Down over a frame: a key that acted, Esc among them, acts no further through the checks.
    TypeKey(c.key);
    const std::string name = std::to_string(c.screen) + " " + SDL_GetKeyName(c.key);
    EXPECT_EQ(Game.Screen, c.after) << name;
    EXPECT_EQ(Game.*c.field, c.expected) << name;
    EXPECT_EQ(Game.Paused, c.paused) << name;
  }
  Game.Screen = ConfirmQuit;
  KeyDown(SDLK_y);
  EXPECT_EQ(Finish(), 0);
}

TEST_F(KeyPlay, AGameFromTheStartUpQuestionToAHighScore) {
  ASSERT_TRUE(StartWithPointerAside());
  TypeKey(SDLK_n);
  TypeKey(SDLK_t);
  ASSERT_EQ(Game.ModeIndex, Timed);
  SetBoardWithOneKnownMove();
  // A click after arrows, with no move between, acts on the fruit under the pointer.
  MovePointer(CellX(5), CellY(3));
  TypeKey(SDLK_LEFT);
  Click(CellX(5), CellY(3));
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(std::pair(Game.SelectedColumn, Game.SelectedRow), std::pair(5, 3));
  Click(CellX(5), CellY(3));
  // The cursor shows at the centre, walks to (2, 7) and picks the fruit up. The pointer takes
  // the hover back, so the next arrow shows the cursor on the fruit again; the pointer
  // reported again in place leaves it there, and Down swaps.
  for (const SDL_Keycode key : {SDLK_LEFT, SDLK_LEFT, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_SPACE})
    TypeKey(key);
  MovePointer(CellX(6), CellY(2));
  TypeKey(SDLK_DOWN);
  MovePointer(CellX(6), CellY(2));
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(std::pair(Game.HoverColumn, Game.HoverRow), std::pair(2, 7));
  TypeKey(SDLK_DOWN);
  ASSERT_TRUE(RunUntil([] { return Game.ChainScore > 0; }, 2000)) << "the keys made no run";
  const int score = Game.Score;

  for (int hint = 0; hint < 5; ++hint) TypeKey(SDLK_h);
  ASSERT_TRUE(RunUntil([] { return Game.Screen == NameEntry; }));
  for (const SDL_Keycode key : {SDLK_t, SDLK_o, SDLK_m, SDLK_RETURN}) TypeKey(key);
  ASSERT_EQ(Game.Screen, HighScores);
  EXPECT_EQ(Game.HighScoreTables[Timed][0].score, score);
  TypeKey(SDLK_RETURN);
  TypeKey(SDLK_q);
  KeyDown(SDLK_RETURN);
  EXPECT_EQ(Finish(), 0);
  const std::vector<uint8_t> stored = UserFile("hiscores");
  ASSERT_EQ(stored.size(), 130u);
  EXPECT_EQ(std::string(stored.begin() + 65, stored.begin() + 74), "Tom$$$$$$") << "Timed, best";
}

}  // namespace
