#include <GL/gl.h>
#include <SDL.h>

#include <cstdlib>

#include "app/frame.h"
#include "app/frame_timer.h"
#include "assets/texture_index.h"
#include "core/game_state.h"
#include "core/rules.h"
#include "render/picture.h"
#include "tests/render/scene_fixture.h"

namespace {

class FrameTest : public SceneTest {};

TEST_F(FrameTest, TimerCountsMillisecondsFromItsStart) {
  StartFrameTimer();
  EXPECT_TRUE(Game.FrameTimer.highResolution);
  EXPECT_FLOAT_EQ(Game.FrameTimer.resolution,
                  static_cast<float>(1.0 / static_cast<double>(Game.FrameTimer.frequency)));
  const float start = FrameTimerMilliseconds();
  EXPECT_LT(start, 5.0f);
  SDL_Delay(30);
  const float later = FrameTimerMilliseconds();
  EXPECT_GE(later, 29.0f);
  EXPECT_LT(later, 1000.0f);
  StartFrameTimer();
  EXPECT_LT(FrameTimerMilliseconds(), later);
}

TEST_F(FrameTest, FrameSpeedIsMeasuredOverTenFrameIntervals) {
  Game.Screen = Playing;
  EXPECT_EQ(Game.SpeedSampleCounter, 0);
  for (int frame = 0; frame < 10; ++frame) {
    ASSERT_TRUE(DrawFrame());
    EXPECT_EQ(Game.FrameSpeed, 0.0f) << "frame " << frame;
    SDL_Delay(5);
  }
  EXPECT_EQ(Game.SpeedSampleCounter, 10);
  ASSERT_TRUE(DrawFrame());
  EXPECT_EQ(Game.SpeedSampleCounter, 0);
  // Ten intervals of at least 5 ms: at least 0.105 x 5.
  EXPECT_GE(Game.FrameSpeed, 0.52f);
  EXPECT_LT(Game.FrameSpeed, 20.0f);
  const float measured = Game.FrameSpeed;
  // It holds through the next measurement of eleven frames.
  for (int frame = 0; frame < 10; ++frame) {
    DrawFrame();
    EXPECT_EQ(Game.FrameSpeed, measured);
  }
  DrawFrame();
  EXPECT_NE(Game.FrameSpeed, measured);
}

TEST_F(FrameTest, LevelsTargetReachedCompletesTheLevel) {
  Game.Screen = Playing;
  Game.ModeIndex = Levels;
  Game.LevelsButton = 2;
  Game.Level = 0;
  Game.Score = 500;
  DrawFrame();
  EXPECT_EQ(Game.LevelTarget, 500);
  EXPECT_EQ(Game.BoardPhase, LevelComplete);
}

TEST_F(FrameTest, FrameDrawsBoardOverlayAndBarInOrder) {
  // The start board, settled on a solid floor.
  Game.Screen = Playing;
  for (int& floor : Game.FloorRow) floor = SolidFloor;
  Game.FallOffset = 0.0f;
  Game.Score = 250;
  Game.ShownScore = 250.0f;
  Game.BarWidth = 195.75f;  // at rest: half of the way to the level's target of 500
  DrawFrame();
  // The backdrop, the side panel, a fruit seen through the board window, the score and the
  // bar.
  EXPECT_EQ(LayoutPixel(5, 5), TextureColour(TexBackdropImage));
  EXPECT_EQ(LayoutPixel(110, 40), TextureColour(TexQuitIdle));
  EXPECT_EQ(LayoutPixel(110, 80), TextureColour(TexOptionsIdle));
  const int kind = Game.Board[4][4];
  ASSERT_GE(kind, 1);
  if (kind != 7) {
    EXPECT_EQ(ClientPixel(211 + 54 * 4, 41 + 54 * 3), FruitColour(kind));
  }
  EXPECT_EQ(TextPixel(103 + 9.5f, 446.5f), (Rgb{255, 255, 255}));
  EXPECT_FLOAT_EQ(Game.BarWidth, 195.75f);
  EXPECT_EQ(SpacePixel(306.5f + Game.BarWidth / 2, 17, 800, 600), TextureColour(TexTimeBar));
  EXPECT_EQ(SpacePixel(306.5f + Game.BarWidth + 2, 17, 800, 600), TextureColour(TexBackdropImage));
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Keeping pictures changes nothing of the game: an idle Timed game drains to its end in as
// many frames, and with the same score, as when every frame is drawn.
TEST_F(FrameTest, AnIdleTimedGameEndsInTheSameFrameWhetherItsPicturesAreKeptOrDrawn) {
  Game.Screen = Playing;
  Game.ModeIndex = Timed;
  Game.TimedButton = ButtonPressed;
  Game.LevelsButton = ButtonIdle;
  Game.Score = 1234;
  Game.ShownScore = 1234.0f;
  Game.TimeLeft = 0.5f;
  for (int& floor : Game.FloorRow) floor = SolidFloor;
  Game.FallOffset = 0.0f;
  for (const int level : {0, 5}) {
    Game.Level = level;
    const GameState start = Game;
    int frames[2] = {};
    for (const bool kept : {false, true}) {
      Game = start;
      std::srand(1);
      ForgetShownPicture();
      for (; Game.Screen == Playing && frames[kept] < 5000; ++frames[kept]) {
        Game.FrameSpeed = 1.75f;
        Game.SpeedSampleCounter = 1;
        kept ? DrawChangedFrame() : DrawFrame();
      }
      EXPECT_EQ(Game.Score, 1234) << "level " << level;
    }
    EXPECT_LT(frames[0], 5000) << "level " << level;
    EXPECT_EQ(frames[1], frames[0]) << "level " << level;
  }
}

}  // namespace
