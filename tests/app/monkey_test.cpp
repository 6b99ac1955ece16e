// Tens of thousands of frames of random pointer moves, presses, drags and keys on every screen,
// with the frame speed varied: after every frame the game's state is one the game can be in.
#include <algorithm>
#include <bit>
#include <cstdlib>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <GL/gl.h>

#include "app/frame.h"
#include "core/game_state.h"
#include "core/rules.h"
#include "render/picture.h"
#include "storage/saved_game.h"
#include "storage/settings.h"
#include "tests/app/game_session.h"
#include "ui/hit_test.h"

namespace {

// QUILLARY_MONKEY_FRAMES sets another length: the release's soak runs a million frames, its
// memory check a few hundred.
int MonkeyFrames() {
  const char* frames = std::getenv("QUILLARY_MONKEY_FRAMES");
  return frames ? std::atoi(frames) : 20000;
}

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

void ExpectSoundState(int frame) {
  const GameState& g = Game;
  const int screens[] = {Playing, ConfirmNewGame, Options, ConfirmQuit, ResumePrompt, HighScores,
                         NameEntry};
  ASSERT_NE(std::find(std::begin(screens), std::end(screens), g.Screen), std::end(screens))
      << "frame " << frame;
  for (const auto& row : g.Board)
    for (const int cell : row) ASSERT_TRUE(InRange(cell, 0, FruitKinds)) << "frame " << frame;
  // Solid, or open while the board drains, when a fruit falling out passes through it.
  for (const int floor : g.FloorRow) ASSERT_TRUE(floor == SolidFloor || InRange(floor, 0, FruitKinds));
  ASSERT_TRUE(InRange(g.NameCursor, 1, HighScoreNameLength + 1)) << "frame " << frame;
  ASSERT_EQ(g.EntryName[HighScoreNameLength], '\0');
  ASSERT_TRUE(InRange(g.BoardPhase, Play, Excellent));
  ASSERT_TRUE(InRange(g.BackgroundIndex, 0, BackgroundCount - 1));
  ASSERT_TRUE(g.HoverColumn == NoCell || InRange(g.HoverColumn, -1, BoardColumns));
  ASSERT_TRUE(g.HoverRow == NoCell || InRange(g.HoverRow, 1, BoardRows));
  for (const int button : {g.NewGameButton, g.TimedButton, g.LevelsButton, g.OptionsButton,
                           g.QuitButton})
    ASSERT_TRUE(InRange(button, ButtonIdle, ButtonPressed));
  ASSERT_TRUE(g.TimedButton == ButtonPressed || g.LevelsButton == ButtonPressed);
  ASSERT_GE(g.Score, 0);
}

// Presses that would end the game or re-create the window are left to the sessions: Yes of
// the quit question, and the Display and Help rows of the options. The press is at client
// pixel (x, y); the rows and the button are the layout's.
bool EndsOrSwitches(int clientX, int clientY) {
  const auto [x, y] = PointerInLayout(clientX, clientY);
  const auto In = [x, y](const PixelRect& r) {
    return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
  };
  const ScreenLayout& layout = CurrentLayout();
  return (Game.Screen == ConfirmQuit && In(layout.yes)) ||
         (Game.Screen == Options && (In(layout.displayRow) || In(layout.helpRow)));
}
// Enter answers Yes to the quit question as well.
bool KeyEnds(SDL_Keycode key) { return Game.Screen == ConfirmQuit && key == SDLK_RETURN; }

// Every picture drawn is compared with the one on show before it: a kept picture must equal
// it, pixel for pixel.
struct PictureCheck {
  std::vector<uint8_t> shown;
  int kept = 0;
  int timedKept = 0;  // a bit for each of: running or paused, at the first level or the fifth on
  std::string fault;
};
PictureCheck Pictures;

void CheckPicture(bool kept) {
  std::vector<uint8_t> picture(static_cast<size_t>(Game.ClientWidth) * Game.ClientHeight * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, Game.ClientWidth, Game.ClientHeight, GL_RGB, GL_UNSIGNED_BYTE, picture.data());
  if (!kept) {
    Pictures.shown = std::move(picture);
    return;
  }
  ++Pictures.kept;
  const GameState& g = Game;
  if (g.ModeIndex == Timed && g.Screen == Playing && (g.Level == 0 || g.Level >= 4))
    Pictures.timedKept |= 1 << ((g.Paused ? 2 : 0) + (g.Level >= 4 ? 1 : 0));
  if (Pictures.fault.empty() && picture != Pictures.shown) {
    Pictures.fault = "a kept picture differs from the one on show, on screen " +
                     std::to_string(Game.Screen);
  }
}

// A new Timed game at `level`, left alone for a while: its clock drains and its bar steps.
void StartIdleTimedGame(int level) {
  Game.Screen = Playing;
  Game.Paused = false;
  Game.ModeIndex = Timed;
  Game.TimedButton = ButtonPressed;
  Game.LevelsButton = ButtonIdle;
  NewGame();
  Game.Level = level;
}

// Run in the windowed layout and in the fullscreen one.
class MonkeyTest : public GameSessionTest, public ::testing::WithParamInterface<bool> {};

TEST_P(MonkeyTest, RandomPlayOnEveryScreenKeepsTheStateSoundAndEveryKeptPictureTrue) {
  ASSERT_TRUE(Start());
  // The window is made small: the software renderer's pixel work would otherwise take most of
  // the run, and what is tested here is the state. Positions are given in its client pixels,
  // eight or ten layout pixels to one, so every one of them goes through the mapping.
  SDL_SetWindowSize(reinterpret_cast<SDL_Window*>(Game.Window), 80, 60);
  ASSERT_TRUE(RunFrames(1));
  ASSERT_EQ(Game.ClientWidth, 80);
  Game.Fullscreen = GetParam();  // the layout; the window stays as it is

  // Every frame whose picture the loop keeps is drawn anyway, and must equal the one on show.
  Pictures = PictureCheck{};
  CheckFrames(CheckPicture);
  ForgetShownPicture();  // the next frames are drawn, and read
  std::mt19937 random(20261208);
  const auto Pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const SDL_Keycode keys[] = {SDLK_a, SDLK_m,      SDLK_z,      SDLK_p,         SDLK_ESCAPE,
                              SDLK_RETURN, SDLK_SPACE, SDLK_BACKSPACE, SDLK_LGUI, SDLK_t};
  int screensSeen = 0;
  int modesSeen = 0;
  const int frames = MonkeyFrames();
  for (int frame = 0; frame < frames; ++frame) {
    const int x = Pick(-3, 83);
    const int y = Pick(-3, 63);
    // The last thousand of every four thousand frames, a Timed game idles at the first level
    // or the sixth, paused for its second half.
    const int stretch = frame % 4000 - 3000;
    if (stretch == 0) StartIdleTimedGame(frame / 4000 % 2 ? 5 : 0);
    if (stretch == 500) KeyDown(SDLK_p);
    if (stretch == 501) KeyUp(SDLK_p);
    // About a third of the other frames bring input; in the rest the game runs on its own.
    switch (stretch >= 0 ? -1 : Pick(0, 19)) {
      case 0:
      case 1:
      case 2: MovePointer(x, y, Pick(0, 3) == 0); break;
      case 3:
        if (!EndsOrSwitches(x, y)) Click(x, y);
        break;
      case 4: {
        const int column = Pick(0, 7), row = Pick(1, 8);
        const int toColumn = std::clamp(column + Pick(-1, 1), 0, 7);
        const int toRow = std::clamp(row + Pick(-1, 1), 1, 8);
        const SDL_Point from = ClientPoint(CellX(column), CellY(row));
        const SDL_Point to = ClientPoint(CellX(toColumn), CellY(toRow));
        if (!EndsOrSwitches(from.x, from.y)) Drag(from.x, from.y, to.x, to.y);
        break;
      }
      case 5: {
        const SDL_Keycode key = keys[Pick(0, 9)];
        if (!KeyEnds(key)) KeyDown(key);
        break;
      }
      case 6: KeyUp(keys[Pick(0, 9)]); break;
      default: break;
    }
    // Half the run at speeds from a crawl to a slide show; the other half as measured, but for
    // the idle Timed games, which run at the speed of 60 frames a second.
    if (frame % 2000 < 1000 || stretch >= 0) {
      Game.FrameSpeed = stretch >= 0 ? 1.75f : static_cast<float>(Pick(0, 80)) / 10.0f;
      Game.SpeedSampleCounter = 1;
    }
    ASSERT_TRUE(RunFrames(1)) << "the game ended at frame " << frame;
    ASSERT_NO_FATAL_FAILURE(ExpectSoundState(frame));
    ASSERT_EQ(Pictures.fault, "") << "frame " << frame;
    screensSeen |= 1 << (Game.Screen % 31);
    modesSeen |= 1 << Game.ModeIndex;
  }
  CheckFrames(nullptr);
  if (frames >= 10000) {
    EXPECT_GE(std::popcount(static_cast<unsigned>(screensSeen)), 5) << "the monkey saw too few screens";
    EXPECT_EQ(modesSeen, 3) << "the monkey played one mode only";
    EXPECT_GT(Pictures.kept, frames / 20) << "hardly a picture was kept";
    EXPECT_EQ(Pictures.timedKept, 15) << "no picture of some idle Timed game was kept";
  }

  PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  EXPECT_EQ(Finish(), 0);
  // The files read back into the game that wrote them (unless it quit on the start-up question).
  const GameState written = Game;
  Game = GameState{};
  ReadSettings();
  EXPECT_EQ(Game.MusicOn, written.MusicOn);
  EXPECT_EQ(Game.SoundOn, written.SoundOn);
  if (written.Screen != ResumePrompt) {
    ReadSavedGame();
    EXPECT_EQ(Game.Score, written.Score);
    EXPECT_EQ(Game.ModeIndex, written.ModeIndex);
    for (int row = 1; row < BoardRows; ++row)
      for (int column = 0; column < BoardColumns; ++column)
        EXPECT_EQ(Game.Board[row][column], written.Board[row][column]);
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, MonkeyTest, ::testing::Values(false, true),
                         [](const auto& layout) { return layout.param ? "800x600" : "640x480"; });

}  // namespace
