#include "ui/hit_test.h"

#include <utility>

#include "tests/ui/ui_test.h"

namespace {

using HitTest = UiTest;

// Coordinates along one axis of the board, with the cell each lies over: every edge of the
// spans. The other coordinate stays at `across`, over column or row 2.
struct AxisProbes {
  bool fullscreen, rows;
  int across;
  std::vector<std::pair<int, int>> at;
};
const AxisProbes BoardEdges[] = {
    {false, false, 100,
     {{180, NoCell}, {181, -1}, {184, -1}, {185, 0}, {238, 0}, {239, 1}, {614, 7}, {615, NoCell}}},
    {false, true, 300,
     {{18, NoCell}, {19, 1}, {68, 1}, {69, 2}, {446, 8}, {447, 9}, {449, 9}, {450, NoCell}}},
    {true, false, 120,
     {{210, NoCell}, {211, -1}, {232, -1}, {233, 0}, {299, 0}, {300, 1}, {768, 7}, {769, 8},
      {789, 8}, {790, NoCell}}},
    {true, true, 370,
     {{20, NoCell}, {21, 1}, {88, 1}, {89, 2}, {557, 8}, {558, 9}, {574, 9}, {575, NoCell}}},
};

TEST_F(HitTest, CellUnderThePointerInBothLayouts) {
  for (const AxisProbes& axis : BoardEdges) {
    Game.Fullscreen = axis.fullscreen;
    for (const auto& [at, cell] : axis.at) {
      Move(axis.rows ? axis.across : at, axis.rows ? at : axis.across);
      EXPECT_EQ(axis.rows ? Game.HoverRow : Game.HoverColumn, cell) << at;
      EXPECT_EQ(axis.rows ? Game.HoverColumn : Game.HoverRow, 2) << at;
    }
  }
}

// A control's lit state and its rectangles, 640 by 480 then 800 by 600 (inclusive edges).
struct ControlProbe {
  int screen;
  int GameState::*state;
  PixelRect layouts[2];
};
const ControlProbe Controls[] = {
    {Playing, &GameState::NewGameButton, {{46, 164, 61, 99}, {66, 199, 76, 124}}},
    {Playing, &GameState::LevelsButton, {{51, 154, 111, 139}, {66, 194, 136, 174}}},
    {Playing, &GameState::TimedButton, {{51, 154, 146, 174}, {66, 194, 181, 219}}},
    {Playing, &GameState::HintButtonHover, {{86, 164, 221, 324}, {108, 206, 276, 405}}},
    {Playing, &GameState::OptionsButton, {{46, 164, 381, 419}, {61, 199, 476, 524}}},
    {Playing, &GameState::QuitButton, {{46, 164, 421, 459}, {61, 199, 531, 579}}},
    {ConfirmNewGame, &GameState::DialogButton1Hover, {{288, 409, 196, 224}, {288, 409, 311, 344}}},
    {ResumePrompt, &GameState::DialogButton2Hover, {{418, 539, 196, 224}, {418, 539, 311, 344}}},
    {ConfirmQuit, &GameState::DialogButton1Hover, {{288, 409, 196, 224}, {288, 409, 311, 344}}},
    {ConfirmQuit, &GameState::DialogButton2Hover, {{418, 539, 196, 224}, {418, 539, 311, 344}}},
    {HighScores, &GameState::DialogButton1Hover, {{341, 469, 391, 419}, {381, 509, 486, 514}}},
    {Options, &GameState::HighScoresRowHover, {{287, 544, 61, 94}, {287, 544, 181, 215}}},
    {Options, &GameState::HelpRowHover, {{287, 544, 203, 234}, {287, 544, 323, 353}}},
    {Options, &GameState::DialogButton1Hover, {{351, 477, 283, 314}, {351, 477, 403, 434}}},
};

TEST_F(HitTest, ControlsLightUpExactlyInsideTheirRectangles) {
  for (const ControlProbe& control : Controls) {
    for (bool fullscreen : {false, true}) {
      const PixelRect& r = control.layouts[fullscreen];
      const int probes[][3] = {{r.left, r.top, 1},         {r.right, r.bottom, 1},
                               {r.left - 1, r.top, 0},     {r.left, r.top - 1, 0},
                               {r.right + 1, r.bottom, 0}, {r.right, r.bottom + 1, 0}};
      for (const auto& [x, y, lit] : probes) {
        Game.Fullscreen = fullscreen;
        Game.Screen = control.screen;
        // The mode button under test is the other mode's, so that it can light up.
        Game.ModeIndex = control.state == &GameState::LevelsButton ? Timed : Levels;
        Game.*control.state = -1;
        Move(x, y);
        EXPECT_EQ(Game.*control.state, lit)
            << "screen " << control.screen << " at " << x << "," << y;
      }
    }
  }
}

TEST_F(HitTest, TheCurrentModesButtonStaysPressedUnderThePointer) {
  Game.ModeIndex = Timed;
  Game.TimedButton = ButtonPressed;
  Move(100, 160);  // Timed
  EXPECT_EQ(Game.TimedButton, ButtonPressed);
  Move(100, 120);  // Levels
  EXPECT_EQ(Game.LevelsButton, ButtonUnderPointer);
  Move(100, 200);
  EXPECT_EQ(Game.LevelsButton, ButtonIdle);
  EXPECT_EQ(Game.TimedButton, ButtonPressed);
}

TEST_F(HitTest, PanelsLeaveTheBoardCellAndTheOtherScreensStatesAlone) {
  Move(300, 100);
  Game.Screen = Options;
  Move(100, 80);   // over New game
  Move(400, 300);  // over the board, and Back
  EXPECT_EQ(Game.HoverColumn, 2);
  EXPECT_EQ(Game.HoverRow, 2);
  EXPECT_EQ(Game.NewGameButton, ButtonIdle);
  Game.Screen = NameEntry;
  Move(300, 200);  // where Yes lies on the questions
  EXPECT_EQ(Game.DialogButton1Hover, 1) << "still Back's on Options";
}

}  // namespace
