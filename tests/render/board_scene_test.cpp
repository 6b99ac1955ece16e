#include <GL/gl.h>

#include <string>

#include "assets/texture_index.h"
#include "core/game_state.h"
#include "render/board_scene.h"
#include "tests/render/scene_fixture.h"

namespace {

// The board cell centre in client pixels, from the pointer's hit-testing of each layout: a
// cell spans 54 pixels from (185, 15) in the small layout and 67 from (233, 22) in the large.
struct CellCentre {
  int x;
  int y;
};
CellCentre HitTestCentre(int column, int row, bool large) {
  if (large) return {(233 + 67 * column + 299 + 67 * column) / 2, (22 + 88) / 2 + 67 * (row - 1)};
  return {(185 + 54 * column + 238 + 54 * column) / 2, (15 + 68) / 2 + 54 * (row - 1)};
}
int CellPixels(bool large) { return large ? 67 : 54; }

class BoardSceneTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    FillBoard();
  }
  void FillBoard() {
    Game.Screen = Playing;
    for (int row = 0; row < BoardRows; ++row) {
      for (int column = 0; column < BoardColumns; ++column) {
        Game.Board[row][column] = (row + column) % 6 + 1;
      }
    }
    for (int& floor : Game.FloorRow) floor = SolidFloor;
    Game.FallOffset = 0.0f;
  }
  void Draw() {
    ClearFrame();
    DrawBoard();
  }
  Rgb Cell(int column, int row, float offsetX = 0, float offsetY = 0) const {
    const bool large = ClientWidth() == 800;
    const CellCentre centre = HitTestCentre(column, row, large);
    return ClientPixel(centre.x + static_cast<int>(offsetX * CellPixels(large)),
                       centre.y + static_cast<int>(offsetY * CellPixels(large)));
  }
  const Rgb background = TextureColour(TexBoardBackground0);
};

TEST_F(BoardSceneTest, EveryFruitLiesOnItsHitTestCellInBothLayouts) {
  for (const bool large : {false, true}) {
    if (large) {
      ReopenInLargeLayout();
      FillBoard();
    }
    Draw();
    for (int row = 1; row < BoardRows; ++row) {
      for (int column = 0; column < BoardColumns; ++column) {
        EXPECT_EQ(Cell(column, row), FruitColour(Game.Board[row][column]))
            << "column " << column << " row " << row << (large ? " large" : " small");
        // Between the fruit the background shows.
        EXPECT_EQ(Cell(column, row, 0.45f, 0.45f), background);
      }
    }
  }
}

TEST_F(BoardSceneTest, TheKeyboardCursorFramesItsCellBehindTheFruitInBothLayouts) {
  for (const bool large : {false, true}) {
    if (large) {
      ReopenInLargeLayout();
      FillBoard();
    }
    Game.HoverColumn = 3;
    Game.HoverRow = 4;
    for (const bool shown : {false, true}) {
      Game.KeyCursorShown = shown;
      Draw();
      const std::string name = std::string(large ? "large" : "small") + (shown ? " shown" : "");
      EXPECT_EQ(Cell(3, 4), FruitColour(Game.Board[4][3])) << name;
      EXPECT_EQ(Cell(3, 4, 0.45f, 0.45f), shown ? CursorMarkColour : background) << name;
      EXPECT_EQ(Cell(3, 4, -0.45f, -0.45f), shown ? CursorMarkColour : background) << name;
      EXPECT_EQ(Cell(4, 4, 0.45f, 0.45f), background) << name;
    }
  }
}

TEST_F(BoardSceneTest, SpawnRowShowsOnlyAFruitAboutToFall) {
  Game.Board[1][3] = 0;
  Game.Board[0][3] = 2;
  Game.FallOffset = -1.0f;  // the fruit above a gap is lowered by a whole cell
  Draw();
  EXPECT_EQ(Cell(3, 1), FruitColour(2));

  // Above a filled cell the spawn row is hidden: with a gap under row 1, row 1's fruit is the
  // one lowered, and the spawn fruit of the same column stays out of sight.
  Game.Board[1][3] = 5;
  Game.Board[2][3] = 0;
  Draw();
  EXPECT_EQ(Cell(3, 2), FruitColour(5));
  EXPECT_EQ(Cell(3, 1), background);
}

TEST_F(BoardSceneTest, BottomRowSinksWhileTheFloorIsOpen) {
  Game.FloorRow[4] = 0;
  Game.FallOffset = -0.5f;
  Draw();
  EXPECT_EQ(Cell(4, 8), background);
  EXPECT_EQ(Cell(4, 8, 0.0f, 0.5f), FruitColour(Game.Board[8][4]));
  EXPECT_EQ(Cell(5, 8), FruitColour(Game.Board[8][5]));
}

TEST_F(BoardSceneTest, SwappingFruitAreDrawnAtTheirOffsets) {
  Game.SwapBusy = true;
  Game.SelectedColumn = 2;
  Game.SelectedRow = 4;
  Game.SwapColumn = 3;
  Game.SwapRow = 4;
  Game.SelectedOffsetX = 1.0f;
  Game.SwapOffsetX = -1.0f;
  Draw();
  EXPECT_EQ(Cell(3, 4), FruitColour(Game.Board[4][2]));
  EXPECT_EQ(Cell(2, 4), FruitColour(Game.Board[4][3]));

  // Without a swap under way the offsets are not applied.
  Game.SwapBusy = false;
  Draw();
  EXPECT_EQ(Cell(2, 4), FruitColour(Game.Board[4][2]));
}

TEST_F(BoardSceneTest, MarkedFruitShrinkByTheRemovalFade) {
  Game.RemovalMarks[3] = {true, 5, 6, 0.0f};
  Game.RemovalActive = true;
  Game.RemovalFade = 0.5f;
  Draw();
  EXPECT_EQ(Cell(5, 6), FruitColour(Game.Board[6][5]));
  EXPECT_EQ(Cell(5, 6, 0.2f, 0.0f), background);
  EXPECT_EQ(Cell(4, 6, 0.2f, 0.0f), FruitColour(Game.Board[6][4]));

  Game.RemovalActive = false;
  Draw();
  EXPECT_EQ(Cell(5, 6, 0.2f, 0.0f), FruitColour(Game.Board[6][5]));
}

TEST_F(BoardSceneTest, MarkerSpinsAboutTheUprightAxis) {
  Game.FrameSpeed = 1.0f;
  Game.MarkerShown = true;
  Game.MarkerColumn = 1;
  Game.MarkerRow = 2;
  Game.MarkerAngle = 85.0f;
  Draw();
  EXPECT_FLOAT_EQ(Game.MarkerAngle, 90.0f);
  // Turned a quarter, the flat test fruit is seen edge on.
  EXPECT_EQ(Cell(1, 2, 0.2f, 0.0f), background);
  EXPECT_EQ(Cell(2, 2, 0.2f, 0.0f), FruitColour(Game.Board[2][2]));
}

TEST_F(BoardSceneTest, StoppingMarkerFinishesItsTurnAndStopsAtZero) {
  Game.FrameSpeed = 4.0f;
  Game.MarkerShown = true;
  Game.MarkerStopping = true;
  Game.MarkerColumn = 1;
  Game.MarkerRow = 2;
  Game.MarkerAngle = 200.0f;
  int frames = 0;
  while (Game.MarkerAngle < 360.0f && frames < 100) {
    Draw();
    ++frames;
    EXPECT_TRUE(Game.MarkerShown);
  }
  EXPECT_EQ(frames, 8);  // 160 degrees at 20 per frame
  Draw();
  EXPECT_FLOAT_EQ(Game.MarkerAngle, 0.0f);
  EXPECT_FALSE(Game.MarkerShown);
  EXPECT_FALSE(Game.MarkerStopping);
}

TEST_F(BoardSceneTest, FadingMarkerSpinsOnItsOwnAndHiddenMarkersRestartFromZero) {
  Game.FrameSpeed = 1.0f;
  Game.FadingMarkerShown = true;
  Game.FadingMarkerColumn = 6;
  Game.FadingMarkerRow = 7;
  Game.FadingMarkerAngle = 10.0f;
  Game.MarkerShown = false;
  Game.MarkerAngle = 123.0f;
  Draw();
  EXPECT_FLOAT_EQ(Game.FadingMarkerAngle, 15.0f);
  EXPECT_FLOAT_EQ(Game.MarkerAngle, 0.0f);
}

TEST_F(BoardSceneTest, HoverLightBrightensTheFruitUnderThePointerOnly) {
  // With the current colour governing the material, light 1's ambient term alone saturates
  // the lighting and no light can add to it; the fruit's own dim material shows the hover
  // light.
  glDisable(GL_COLOR_MATERIAL);
  Game.Board[5][5] = 7;
  Game.Board[5][6] = 7;
  Draw();
  const Rgb unlit = Cell(5, 5);
  const Rgb neighbour = Cell(6, 5);
  Game.HoverColumn = 5;
  Game.HoverRow = 5;
  Draw();
  EXPECT_GT(Cell(5, 5).r, unlit.r + 20);
  EXPECT_EQ(Cell(6, 5), neighbour);
  EXPECT_FALSE(glIsEnabled(GL_LIGHT3));

  // No hover light while fruit are swapping or being removed.
  Game.SwapBusy = true;
  Draw();
  EXPECT_EQ(Cell(5, 5), unlit);
}

TEST_F(BoardSceneTest, OnlyTheBackgroundShowsOffThePlayingScreenOrWhilePaused) {
  Game.FrameSpeed = 1.0f;
  Game.MarkerShown = true;
  Game.MarkerAngle = 30.0f;
  for (const int screen : {ConfirmNewGame, Options, ConfirmQuit, ResumePrompt, HighScores,
                           NameEntry}) {
    Game.Screen = screen;
    Draw();
    EXPECT_EQ(Cell(3, 3), background) << "screen " << screen;
  }
  Game.Screen = Playing;
  Game.Paused = true;
  Draw();
  EXPECT_EQ(Cell(3, 3), background);
  EXPECT_FLOAT_EQ(Game.MarkerAngle, 30.0f);
}

TEST_F(BoardSceneTest, BackgroundFollowsTheBackgroundIndex) {
  constexpr TextureIndex Textures[] = {TexBoardBackground0, TexBoardBackground1,
                                       TexBoardBackground2, TexBoardBackground3,
                                       TexBoardBackground4, TexBoardBackground5};
  Game.Screen = Options;
  for (int index = 0; index < 6; ++index) {
    Game.BackgroundIndex = index;
    Draw();
    EXPECT_EQ(Cell(0, 1), TextureColour(Textures[index]));
  }
  Game.BackgroundIndex = 41;  // from a damaged saved game
  Draw();
  EXPECT_EQ(Cell(0, 1), TextureColour(TexBoardBackground0));
}

TEST_F(BoardSceneTest, LeavesNoGlErrorAndLightingOff) {
  while (glGetError() != GL_NO_ERROR) {
  }
  Draw();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  ExpectIdentity(CurrentMatrix(GL_MODELVIEW_MATRIX), 1e-5f);
}

class TimeBarTest : public SceneTest {
 protected:
  Rgb BarPixel(float x, float y) const { return SpacePixel(x, y, 800, 600); }
  void Draw(float width) {
    ClearFrame();
    Game.BarWidth = width;
    DrawTimeBar();
  }
  const Rgb bar = TextureColour(TexTimeBar);
  const Rgb black = {};
};

TEST_F(TimeBarTest, LitWidthFollowsBarWidthInTheLargeLayout) {
  ReopenInLargeLayout();
  Draw(195.75f);
  EXPECT_EQ(BarPixel(305.2f, 17), black);
  EXPECT_EQ(BarPixel(306.2f, 17), bar);
  EXPECT_EQ(BarPixel(501.2f, 17), bar);
  EXPECT_EQ(BarPixel(502.2f, 17), black);
  EXPECT_EQ(BarPixel(400, 11.2f), black);
  EXPECT_EQ(BarPixel(400, 12.2f), bar);
  EXPECT_EQ(BarPixel(400, 22.2f), bar);
  EXPECT_EQ(BarPixel(400, 23.2f), black);
}

TEST_F(TimeBarTest, BarSpaceIsStretchedOverTheSmallLayout) {
  Draw(391.5f);
  // 306 to 697.5 of 800 units is pixels 244.8 to 558 of 640.
  EXPECT_EQ(ClientPixel(244, 480 - 1 - 14), black);
  EXPECT_EQ(ClientPixel(246, 480 - 1 - 14), bar);
  EXPECT_EQ(ClientPixel(557, 480 - 1 - 14), bar);
  EXPECT_EQ(ClientPixel(559, 480 - 1 - 14), black);
  Draw(0.0f);
  EXPECT_EQ(ClientPixel(300, 480 - 1 - 14), black);
}

TEST_F(TimeBarTest, RestoresTheProjectionAndLeavesTheModelViewAtIdentity) {
  const GlMatrix projection = CurrentMatrix(GL_PROJECTION_MATRIX);
  glTranslatef(1, 2, 3);
  DrawTimeBar();
  EXPECT_EQ(CurrentMatrix(GL_PROJECTION_MATRIX), projection);
  ExpectIdentity(CurrentMatrix(GL_MODELVIEW_MATRIX));
}

}  // namespace
