#include "tests/core/core_test_support.h"

namespace {

class SelectionTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    SetBoard(NoMoveBoard);
    Game.ButtonReleased = true;
  }
  static void PressAt(int column, int row) {
    Game.HoverColumn = column;
    Game.HoverRow = row;
    PressCell();
    Game.ButtonReleased = false;
  }
  static void MoveTo(int column, int row) {
    Game.HoverColumn = column;
    Game.HoverRow = row;
    DragToCell();
  }
  static void Release() { Game.ButtonReleased = true; }
};

TEST_F(SelectionTest, PressOnAFruitSelectsItAndStartsTheChainAfresh) {
  Game.ChainCount = 2;
  Game.ChainScore = 40;
  Game.MarkerShown = true;
  Game.MarkerColumn = 1;
  Game.MarkerRow = 1;
  Game.MarkerAngle = 123.0f;
  PressAt(4, 5);
  EXPECT_TRUE(Game.SelectionActive);
  EXPECT_EQ(Game.SelectedColumn, 4);
  EXPECT_EQ(Game.SelectedRow, 5);
  EXPECT_EQ(Game.ChainCount, 0);
  EXPECT_EQ(Game.ChainScore, 0);
  EXPECT_TRUE(Game.ScoringEnabled);
  EXPECT_TRUE(Game.MarkerShown);
  EXPECT_FALSE(Game.MarkerStopping);
  EXPECT_EQ(Game.MarkerColumn, 4);
  EXPECT_EQ(Game.MarkerAngle, 123.0f) << "the spin angle carries over";
  EXPECT_TRUE(Game.FadingMarkerShown);
  EXPECT_TRUE(Game.FadingMarkerStopping);
  EXPECT_EQ(Game.FadingMarkerColumn, 1);
  EXPECT_EQ(Game.FadingMarkerAngle, 123.0f);
  EXPECT_EQ(PlayedSampleNames(), std::vector<std::string>{"select"});
}

TEST_F(SelectionTest, PressesThatAreIgnored) {
  for (auto block : {+[] { Game.Paused = true; }, +[] { Game.SwapBusy = true; },
                     +[] { Game.SwapReturning = true; }}) {
    Game.Paused = Game.SwapBusy = Game.SwapReturning = false;
    Game.SelectionActive = false;
    block();
    PressAt(2, 2);
    EXPECT_FALSE(Game.SelectionActive);
  }
  Game.Paused = Game.SwapBusy = Game.SwapReturning = false;
  PressAt(2, 0);  // spawn row
  PressAt(-1, 3);
  PressAt(3, 9);
  PressAt(NoCell, NoCell);
  EXPECT_FALSE(Game.SelectionActive);
  EXPECT_TRUE(fake_mixer::PlayedSamples().empty());
}

TEST_F(SelectionTest, PressOnTheSelectedFruitDeselectsItWithASound) {
  PressAt(4, 5);
  PressAt(4, 5);
  EXPECT_FALSE(Game.SelectionActive);
  EXPECT_EQ(Game.SelectedColumn, -600);
  EXPECT_TRUE(Game.MarkerStopping);
  EXPECT_TRUE(Game.MarkerShown) << "the marker finishes its turn";
  EXPECT_EQ(PlayedSampleNames(), (std::vector<std::string>{"select", "select"}));
}

TEST_F(SelectionTest, PressOnAnotherFruitMovesTheSelectionAndOnAnEmptyCellDropsIt) {
  PressAt(4, 5);
  PressAt(5, 6);  // diagonal: not a neighbour
  EXPECT_TRUE(Game.SelectionActive);
  EXPECT_EQ(Game.SelectedColumn, 5);
  EXPECT_EQ(Game.SelectedRow, 6);
  EXPECT_FALSE(Game.SwapBusy);

  Game.Board[2][2] = 0;
  PressAt(2, 2);
  EXPECT_FALSE(Game.SelectionActive);
  EXPECT_EQ(PlayedSampleNames(), (std::vector<std::string>{"select", "select"})) << "silently";

  PressAt(1, 1);
  PressAt(7, 9);  // just below row 8: the selection stays
  PressAt(-1, 4);
  EXPECT_TRUE(Game.SelectionActive);
  EXPECT_EQ(Game.SelectedColumn, 1);
}

TEST_F(SelectionTest, PressOnANeighbourStartsTheSwapTowardIt) {
  struct Case { int column, row; float sx, sy, wx, wy; };
  const Case cases[] = {{3, 5, -0.02f, 0, 0.02f, 0}, {5, 5, 0.02f, 0, -0.02f, 0},
                        {4, 4, 0, 0.02f, 0, -0.02f}, {4, 6, 0, -0.02f, 0, 0.02f}};
  for (const Case& k : cases) {
    SetUp();
    PressAt(4, 5);
    fake_mixer::Reset();
    PressAt(k.column, k.row);
    EXPECT_TRUE(Game.SwapBusy && Game.SwapActive && Game.SelectionActive);
    EXPECT_EQ(Game.SwapColumn, k.column);
    EXPECT_EQ(Game.SwapRow, k.row);
    EXPECT_EQ(Game.SelectedVelocityX, k.sx);
    EXPECT_EQ(Game.SelectedVelocityY, k.sy);
    EXPECT_EQ(Game.SwapVelocityX, k.wx);
    EXPECT_EQ(Game.SwapVelocityY, k.wy);
    EXPECT_TRUE(fake_mixer::PlayedSamples().empty()) << "no sound at the start of a swap";
  }
}

TEST_F(SelectionTest, DraggingOntoANeighbourSwapsWithoutASecondPress) {
  PressAt(4, 5);
  MoveTo(4, 5);
  EXPECT_FALSE(Game.MarkerStopping) << "still on the selected fruit";
  MoveTo(4, 4);
  EXPECT_TRUE(Game.SwapBusy);
  EXPECT_EQ(Game.SwapRow, 4);
}

TEST_F(SelectionTest, DraggingOntoAnythingElseStopsTheSpinButKeepsTheSelection) {
  Game.Board[5][5] = 0;
  PressAt(4, 5);
  MoveTo(5, 5);  // empty neighbour
  MoveTo(5, 6);  // diagonal
  MoveTo(8, 5);  // off the board
  EXPECT_FALSE(Game.SwapBusy);
  EXPECT_TRUE(Game.SelectionActive);
  EXPECT_TRUE(Game.MarkerStopping);

  SetUp();
  PressAt(3, 8);
  MoveTo(3, 9);  // below row 8: never swaps with the floor
  EXPECT_FALSE(Game.SwapBusy);

  SetUp();
  PressAt(3, 8);
  Release();
  MoveTo(3, 7);
  EXPECT_FALSE(Game.SwapBusy) << "with the button up a move is no drag";
}

TEST_F(SelectionTest, HintSelectsTheHintedFruitSoANeighbourPressSwapsAtOnce) {
  Game = GameState{};  // the stored starting layout
  AssignTestSoundHandles();
  Game.SoundOn = 1;
  Game.Level = 1;
  SetLevelBounds();
  Game.Score = 700;
  UseHint();
  EXPECT_TRUE(Game.SelectionActive && Game.MarkerShown);
  EXPECT_EQ(Game.SelectedColumn, 5);
  EXPECT_EQ(Game.SelectedRow, 4);
  EXPECT_EQ(Game.MarkerColumn, 5);
  EXPECT_EQ(Game.Score, 650);
  EXPECT_EQ(PlayedSampleNames(), std::vector<std::string>{"hint"});

  Game.HoverColumn = 4;
  Game.HoverRow = 4;
  PressCell();
  EXPECT_TRUE(Game.SwapBusy);
}

TEST_F(SelectionTest, HintWithoutMoveCostsButSelectsNothing) {
  Game.Level = 1;
  SetLevelBounds();
  Game.Score = 520;
  UseHint();
  EXPECT_FALSE(Game.SelectionActive);
  EXPECT_EQ(Game.Score, 500) << "never below the level's floor";

  Game.ModeIndex = Timed;
  Game.Score = 100;  // below the floor left from the Levels game
  Game.TimeLeft = 5.0f;
  UseHint();
  EXPECT_EQ(Game.TimeLeft, -5.0f) << "no lower bound: the bar ends the game";
  EXPECT_EQ(Game.Score, 100) << "Timed mode leaves the score alone";
  EXPECT_EQ(PlayedSampleNames(), (std::vector<std::string>{"hint", "hint"}));
}

TEST_F(SelectionTest, HintDuringASwapKeepsTheSwappingCellsFixed) {
  PressAt(4, 5);
  PressAt(5, 5);
  ASSERT_TRUE(Game.SwapBusy);
  Game.Board[1][0] = Game.Board[1][1] = Game.Board[2][2] = 9;  // a move elsewhere
  const int score = Game.Score;
  UseHint();
  EXPECT_EQ(Game.SelectedColumn, 4);
  EXPECT_EQ(Game.SwapColumn, 5);
  EXPECT_EQ(Game.Score, score);

  // The swap still runs to its end and comes back.
  Game.FrameSpeed = 1.0f;
  for (int frame = 0; frame < 200 && Game.SwapBusy; ++frame) AdvanceBoard();
  EXPECT_FALSE(Game.SwapBusy);
}

}  // namespace
