#include "tests/core/core_test_support.h"
#include "storage/high_scores.h"

namespace {

class GravityTest : public CoreTest {
 protected:
  // Runs frames at speed 1 until the next gravity step has happened (one step every 9 frames).
  static void GravityStep() {
    Game.FrameSpeed = 1.0f;
    Game.FallOffset = -0.95f;
    AdvanceBoard();
  }
  static int StepsUntil(bool (*done)(), int limit = 100) {
    for (int steps = 1; steps <= limit; ++steps) {
      GravityStep();
      if (done()) return steps;
    }
    return -1;
  }
};

std::string Column(int c) {
  std::string text;
  for (int r = 0; r < BoardRows; ++r) text += static_cast<char>('0' + Game.Board[r][c]);
  return text;
}

TEST_F(GravityTest, FallOneRowPerStepAndGapsClimb) {
  SetBoard(NoMoveBoard);
  Game.Board[6][2] = Game.Board[7][2] = 0;
  const std::string start = Column(2);  // "3 6 5 3 2 7 0 0 4" from the top
  GravityStep();
  EXPECT_EQ(Column(2), start.substr(0, 5) + "0" + start[5] + "0" + start[8]);
  GravityStep();
  EXPECT_EQ(Column(2), start.substr(0, 4) + "0" + start[4] + "0" + start[5] + start[8]);
  EXPECT_EQ(PlayedSampleNames(), (std::vector<std::string>{"new", "new"}));
  for (int i = 0; i < 10 && EmptyCells() > 0; ++i) GravityStep();
  EXPECT_EQ(EmptyCells(), 0) << "the spawn row refills whenever it is empty";
  EXPECT_EQ(Column(2).substr(2), start.substr(0, 6) + start[8]) << "the fruit keep their order";
}

TEST_F(GravityTest, EmptyBoardSettlesAtTheSeventeenthStepWithoutScanningBefore) {
  NewGame();
  Game.ScoringEnabled = true;
  for (int step = 1; step <= 16; ++step) {
    EXPECT_FALSE(Game.RemovalActive) << "no scan while fruit are falling";
    GravityStep();
  }
  EXPECT_EQ(EmptyCells(), 0);
  EXPECT_EQ(fake_mixer::PlayedSamples().size(), 16u) << "every step that moved fruit";
  fake_mixer::Reset();
  GravityStep();  // nothing moves: the settled board is scanned
  for (const std::string& name : PlayedSampleNames()) EXPECT_NE(name, "new");
  for (int c = 0; c < BoardColumns; ++c) EXPECT_EQ(Game.FloorRow[c], SolidFloor);
}

TEST_F(GravityTest, FallTimerStepsEveryNinthFrameAtSpeedOne) {
  SetBoard(NoMoveBoard);
  Game.Board[8][0] = 0;
  Game.FrameSpeed = 1.0f;
  Game.FallOffset = -1.0f;
  AdvanceBoard();  // -1.12: the first step
  EXPECT_EQ(Game.FallOffset, 0.0f);
  int frames = 0;
  do {
    AdvanceBoard();
    ++frames;
  } while (Game.FallOffset != 0.0f && frames < 50);
  EXPECT_EQ(frames, 9);

  Game.FrameSpeed = 0.0f;  // the first frames after start-up: nothing moves
  Game.FallOffset = -1.0f;
  for (int i = 0; i < 20; ++i) AdvanceBoard();
  EXPECT_EQ(Game.FallOffset, -1.0f);
}

TEST_F(GravityTest, LevelCompleteDrainsTheFullBoardInSeventeenStepsWithoutRefill) {
  SetBoard(NoMoveBoard);
  Game.BoardPhase = LevelComplete;
  EXPECT_EQ(StepsUntil([] { return EmptyCells() == 72; }), 17);
  GravityStep();  // the last fruit to leave sat in the open floor until now
  for (int c = 0; c < BoardColumns; ++c) EXPECT_EQ(Game.FloorRow[c], 0);
  EXPECT_EQ(EmptyCells(), 72);
  EXPECT_TRUE(fake_mixer::PlayedSamples().empty()) << "no falling sound while draining a level";
}

TEST_F(GravityTest, GameOverDrainsThroughTheLatchAndPlaysFallingSounds) {
  SetBoard(NoMoveBoard);
  Game.BoardPhase = GameOver;
  Game.GameOverLatch = true;
  EXPECT_EQ(StepsUntil([] { return EmptyCells() == 72; }), 17);
  EXPECT_EQ(fake_mixer::PlayedSamples().size(), 17u);
}

TEST_F(GravityTest, LevelsBoardWithoutMovesEndsTheGameOnceNothingMoves) {
  SetBoard(NoMoveBoard);
  Game.SwapBusy = true;
  Game.SelectedVelocityX = 0.0f;  // a swap held still for this frame
  Game.FrameSpeed = 0.0f;
  AdvanceBoard();
  EXPECT_EQ(Game.BoardPhase, Play) << "not while a swap runs";
  Game.SwapBusy = false;
  Game.Screen = Options;
  AdvanceBoard();
  EXPECT_EQ(Game.BoardPhase, Play) << "not while a panel is open";
  Game.Screen = Playing;
  AdvanceBoard();
  EXPECT_EQ(Game.BoardPhase, GameOver);
  EXPECT_TRUE(Game.GameOverLatch);
  EXPECT_TRUE(Game.NoMovesGameOver);
  AdvanceBoard();
  EXPECT_EQ(PlayedSampleNames(), std::vector<std::string>{"gameover"});
}

TEST_F(GravityTest, TimedBoardWithoutMovesReshufflesWithoutBanner) {
  SetBoard(NoMoveBoard);
  Game.ModeIndex = Timed;
  Game.TimedButton = 2;
  Game.LevelsButton = 0;
  Game.ScoringEnabled = true;
  Game.FrameSpeed = 0.0f;
  AdvanceBoard();
  EXPECT_TRUE(Game.Reshuffling);
  EXPECT_EQ(Game.BoardPhase, Play);

  EXPECT_EQ(StepsUntil([] { return !Game.Reshuffling; }), 17);
  EXPECT_EQ(EmptyCells(), 72);
  EXPECT_FALSE(Game.ScoringEnabled);
  GravityStep();
  EXPECT_EQ(EmptyCells(), 64) << "refill resumes at the next step";
  EXPECT_EQ(Game.BoardPhase, Play);
}

TEST_F(GravityTest, ScoreScreensHoldGravityButAnimationsFinish) {
  SetBoard(NoMoveBoard);
  Game.Board[8][3] = 0;
  Game.Screen = HighScores;
  Game.RemovalActive = true;
  Game.RemovalFade = 0.11f;
  Game.RemovalMarks[0] = {true, 5, 5, 0.0f};
  GravityStep();
  EXPECT_EQ(Game.Board[8][3], 0) << "no gravity";
  EXPECT_FALSE(Game.RemovalActive) << "the removal completes";
  EXPECT_EQ(Game.Board[5][5], 0);
}

TEST_F(GravityTest, SwapWithoutRunTradesAndComesBackWithOneBadSample) {
  SetBoard(NoMoveBoard);
  const std::string before = BoardText();
  Game.SelectionActive = true;
  Game.SelectedColumn = 3;
  Game.SelectedRow = 4;
  Game.HoverColumn = 4;
  Game.HoverRow = 4;
  PressCell();
  ASSERT_TRUE(Game.SwapBusy);
  Game.FrameSpeed = 1.0f;
  Game.FallOffset = 0.0f;

  int forward = 0;
  float highest = 0.0f;
  while (!Game.SwapReturning && forward < 200) {
    AdvanceBoard();
    highest = std::max(highest, Game.SelectedLift);
    EXPECT_EQ(Game.SwapLift, -Game.SelectedLift);
    ++forward;
  }
  EXPECT_EQ(forward, 51);
  EXPECT_NEAR(highest, 0.5f, 0.01f);
  EXPECT_EQ(Game.Board[4][3], before[4 * 9 + 4] - '0') << "the cells were traded";
  int back = 0;
  while (Game.SwapBusy && back < 200) {
    AdvanceBoard();
    ++back;
  }
  EXPECT_EQ(back, 67);
  EXPECT_EQ(BoardText(), before);
  EXPECT_FALSE(Game.SwapReturning || Game.SelectionActive || Game.SwapActive);
  EXPECT_EQ(Game.SelectedOffsetX, 0.0f);
  EXPECT_EQ(PlayedSampleNames(), std::vector<std::string>{"bad"});
}

TEST_F(GravityTest, RemovalShrinksAndEmptiesEveryMarkedCellAndDropsTheSelection) {
  SetBoard(NoMoveBoard);
  Game.RemovalActive = true;
  Game.RemovalFade = 1.0f;
  for (int i = 0; i < RemovalMarkCount; ++i)
    Game.RemovalMarks[i] = {true, i % 8, 1 + i / 8, 0.0f};
  Game.SelectionActive = Game.SwapActive = true;
  Game.FrameSpeed = 1.0f;
  int frames = 0;
  while (Game.RemovalActive && frames < 100) {
    AdvanceBoard();
    ++frames;
  }
  EXPECT_EQ(frames, 46);
  EXPECT_EQ(EmptyCells(), 19);
  for (const RemovalMark& m : Game.RemovalMarks) EXPECT_FALSE(m.active);
  EXPECT_FALSE(Game.SelectionActive || Game.SwapActive);
}

TEST_F(GravityTest, FinishPhaseEndsEachPhase) {
  Game.BoardPhase = Excellent;
  FinishPhase();
  EXPECT_EQ(Game.BoardPhase, Play);

  Game.BoardPhase = LevelComplete;
  FinishPhase();
  EXPECT_EQ(Game.Level, 1);
  EXPECT_EQ(Game.BoardPhase, Play);

  // A game over whose score does not beat the fifth entry: new game and the score table.
  for (auto& entry : Game.HighScoreTables[Levels]) entry.score = 300;
  Game.Score = 300;
  Game.BoardPhase = LevelComplete;
  Game.GameOverLatch = true;
  Game.NoMovesGameOver = true;
  FinishPhase();
  EXPECT_EQ(Game.Screen, HighScores);
  EXPECT_EQ(Game.Score, 0);
  EXPECT_EQ(Game.Level, 0);
  EXPECT_FALSE(Game.GameOverLatch || Game.NoMovesGameOver);
  EXPECT_EQ(Game.BoardPhase, Play);

  Game.Screen = Playing;
  Game.Score = 301;
  Game.BoardPhase = GameOver;
  FinishPhase();
  EXPECT_EQ(Game.Screen, NameEntry);
  EXPECT_EQ(Game.Score, 301) << "the score waits for the name";
}

}  // namespace
