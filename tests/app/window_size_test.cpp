// The window at any size: where the picture lies, where the pointer lands, and the size the
// window opens at.
#include "app/window_size.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cstdlib>
#include <memory>

#include "assets/texture_index.h"
#include "core/game_state.h"
#include "core/picture_rect.h"
#include "render/board_scene.h"
#include "render/overlay.h"
#include "tests/render/scene_fixture.h"
#include "ui/hit_test.h"
#include "ui/window_procedure.h"

namespace {

void Send(uint32_t message, SDL_Point at) {
  const uintptr_t buttons = message == WM_LBUTTONDOWN ? MK_LBUTTON : 0;
  GameWindowProcedure({message, buttons, MakeLParam(at.x, at.y)});
}

// A press on the control, from a Levels game scoring 1234 on the screen named, and what the
// screen, the mode and the score must be afterwards.
struct PressCase {
  int from;
  PixelRect ScreenLayout::*control;
  int screen, mode, score;
};
const PressCase Presses[] = {
    {Playing, &ScreenLayout::newGame, ConfirmNewGame, Levels, 1234},
    {Playing, &ScreenLayout::levels, Playing, Levels, 0},
    {Playing, &ScreenLayout::timed, Playing, Timed, 0},
    {Playing, &ScreenLayout::hint, Playing, Levels, 1184},
    {Playing, &ScreenLayout::options, Options, Levels, 1234},
    {Playing, &ScreenLayout::quit, ConfirmQuit, Levels, 1234},
    {ConfirmNewGame, &ScreenLayout::yes, Playing, Levels, 0},
    {ConfirmQuit, &ScreenLayout::no, Playing, Levels, 1234},
    {HighScores, &ScreenLayout::ok, Playing, Levels, 0},
    {Options, &ScreenLayout::highScoresRow, HighScores, Levels, 1234},
    {Options, &ScreenLayout::back, Playing, Levels, 1234},
};

int CellCentre(const BoardAxis& axis, int cell) {
  return (cell - axis.base) * axis.cellSize - axis.shift + axis.cellSize / 2;
}

TEST(OpeningSize, TheDesktopsWholeScaleAsFarAsTheDisplayHasRoom) {
  // GDK_SCALE, DPI, usable width and height, scale of 640 by 480.
  const struct {
    const char* gdk;
    float dpi;
    int width, height, scale;
  } cases[] = {{nullptr, 0, 1920, 1080, 1},      {"2", 0, 1920, 1080, 2},
               {"3", 0, 1920, 1040, 2},          {"2", 0, 1280, 900, 1},
               {nullptr, 192, 2560, 1440, 2},    {nullptr, 191, 2560, 1440, 1},
               {"1", 192, 2560, 1440, 1},        {"2.5", 0, 2560, 1440, 1},
               {"99999999999", 0, 9999, 9999, 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(FittingScale(AnnouncedScale(c.gdk, c.dpi), 640, 480, c.width, c.height), c.scale)
        << (c.gdk ? c.gdk : "unset") << ", " << c.dpi << " dpi, " << c.width << "x" << c.height;
  }
}

class WindowSizeTest : public SceneTest {
 protected:
  void SetUp() override { PrepareWithoutWindow(); }
  void TearDown() override {
    SceneTest::TearDown();  // the window goes before its X server
    unsetenv("GDK_SCALE");
    server_.reset();
  }
  std::unique_ptr<OwnXServer> server_;
};

TEST_F(WindowSizeTest, ThePictureKeepsItsShapeAndClicksLandWhereThingsAreDrawn) {
  server_ = std::make_unique<OwnXServer>("1600x1024x24");
  if (!server_->Running()) GTEST_SKIP() << "Xvfb is not available";
  setenv("GDK_SCALE", "2", 1);
  ASSERT_TRUE(OpenWindow(false));
  EXPECT_EQ(ClientWidth(), 1280) << "twice the size, as the desktop asks";
  // Client size, layout, and where the picture must lie.
  const struct {
    int width, height;
    bool fullscreen;
    PictureRect p;
  } windows[] = {{640, 480, false, {0, 0, 640, 480}},     {800, 600, true, {0, 0, 800, 600}},
                 {800, 600, false, {0, 0, 800, 600}},     {1280, 720, false, {160, 0, 960, 720}},
                 {1280, 1024, false, {0, 32, 1280, 960}}, {1600, 900, false, {200, 0, 1200, 900}},
                 {1280, 1024, true, {0, 32, 1280, 960}}};
  for (const auto& [width, height, fullscreen, p] : windows) {
    SCOPED_TRACE(testing::Message() << width << "x" << height << (fullscreen ? " large" : ""));
    // As in the game, a frame is presented before the size changes: the software renderer
    // takes up a window's new size after a swap.
    SwapGameWindow();
    SDL_SetWindowSize(reinterpret_cast<SDL_Window*>(Game.Window), width, height);
    GameWindowProcedure({WM_SIZE, 0, MakeLParam(width, height)});
    Game.Fullscreen = fullscreen;
    const ScreenLayout& layout = CurrentLayout();
    const auto client = [&](int x, int y) {
      return SDL_Point{ClientOnAxis(x, p.left, p.width, layout.width),
                       ClientOnAxis(y, p.top, p.height, layout.height)};
    };
    Game.Screen = Playing;
    for (int row = 0; row < BoardRows; ++row)
      for (int column = 0; column < BoardColumns; ++column)
        Game.Board[row][column] = (row + column) % 6 + 1;  // kind 7 is dim
    for (int& floor : Game.FloorRow) floor = SolidFloor;
    Game.HoverColumn = Game.HoverRow = NoCell;
    ClearFrame();
    DrawBoard();
    glDisable(GL_LIGHTING);
    DrawOverlay();
    DrawTimeBar();

    // On each side the picture's last pixel shows the backdrop and the layout's edge; the next
    // one out, where there is a bar, is black and lies outside the layout.
    const int midX = p.left + p.width / 2, midY = p.top + p.height / 2;
    const int w = layout.width, h = layout.height;
    const int sides[][6] = {{p.left, midY, 0, h / 2, -1, 0},
                            {p.left + p.width - 1, midY, w - 1, h / 2, 1, 0},
                            {midX, p.top, w / 2, 0, 0, -1},
                            {midX, p.top + p.height - 1, w / 2, h - 1, 0, 1}};
    for (const auto& [x, y, layoutX, layoutY, outX, outY] : sides) {
      EXPECT_TRUE(Near(ClientPixel(x, y), TextureColour(TexBackdropImage))) << x << "," << y;
      Send(WM_MOUSEMOVE, {x, y});
      EXPECT_EQ(Game.PointerX, layoutX);
      EXPECT_EQ(Game.PointerY, layoutY);
      const SDL_Point bar{x + outX, y + outY};
      if (bar.x < 0 || bar.y < 0 || bar.x >= width || bar.y >= height) continue;
      EXPECT_EQ(ClientPixel(bar.x, bar.y), Rgb{}) << bar.x << "," << bar.y;
      Send(WM_MOUSEMOVE, bar);
      EXPECT_TRUE(Game.PointerX < 0 || Game.PointerX >= w || Game.PointerY < 0 ||
                  Game.PointerY >= h);
    }

    // Each fruit lies at the centre of its cell, and the pointer there is over that cell.
    for (int row = 1; row < BoardRows; ++row) {
      for (int column = 0; column < BoardColumns; ++column) {
        const SDL_Point at =
            client(CellCentre(layout.columns, column), CellCentre(layout.rows, row));
        EXPECT_EQ(ClientPixel(at.x, at.y), FruitColour(Game.Board[row][column]));
        Send(WM_MOUSEMOVE, at);
        EXPECT_EQ(Game.HoverColumn, column);
        EXPECT_EQ(Game.HoverRow, row);
      }
    }

    for (const PressCase& press : Presses) {
      Game.Screen = press.from;
      Game.ModeIndex = Levels;
      Game.LevelsButton = ButtonPressed;
      Game.TimedButton = ButtonIdle;
      Game.Score = 1234;
      Game.HighScoresReturn = 0;
      const PixelRect& r = layout.*press.control;
      const SDL_Point at = client((r.left + r.right) / 2, (r.top + r.bottom) / 2);
      Send(WM_MOUSEMOVE, at);
      Send(WM_LBUTTONDOWN, at);
      Send(WM_LBUTTONUP, at);
      const auto index = &press - Presses;
      EXPECT_EQ(Game.Screen, press.screen) << "press " << index;
      EXPECT_EQ(Game.ModeIndex, press.mode) << "press " << index;
      EXPECT_EQ(Game.Score, press.score) << "press " << index;
    }
  }
}

}  // namespace
