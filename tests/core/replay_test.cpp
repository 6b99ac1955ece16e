// Whole games played through the core's calls with a fixed seed: the same seed and the same
// moves always give the same board, score and sounds.
#include <algorithm>
#include <cstdlib>

#include "tests/core/core_test_support.h"
#include "tests/core/scripted_play.h"

namespace {

class ReplayTest : public CoreTest {
 protected:
  void StartGame(int mode, unsigned seed) {
    std::srand(seed);
    Game.ModeIndex = mode;
    Game.LevelsButton = mode == Levels ? 2 : 0;
    Game.TimedButton = mode == Timed ? 2 : 0;
    NewGame();
    Game.FrameSpeed = 1.0f;
  }
  static int FramesUntil(bool (*done)(), int limit) {
    for (int frame = 1; frame <= limit; ++frame) {
      RunCoreFrame();
      if (done()) return frame;
    }
    return -1;
  }
};

int Count(const std::vector<std::string>& names, const std::string& name) {
  return static_cast<int>(std::count(names.begin(), names.end(), name));
}

TEST_F(ReplayTest, LevelsGamePlaysThroughALevelAndTheBoardRefills) {
  StartGame(Levels, 2024);
  ASSERT_GT(FramesUntil(BoardSettled, 5000), 0);
  EXPECT_EQ(Game.Score, 0) << "runs of the first fill earn nothing";

  int moves = 0;
  while (Game.BoardPhase != LevelComplete && moves < 200) {
    if (BoardSettled() && Game.BoardPhase == Play && PlayFoundMove()) ++moves;
    RunCoreFrame();
  }
  ASSERT_EQ(Game.Level, 0) << "the level ends only after its banner";
  ASSERT_EQ(Game.BoardPhase, LevelComplete);
  EXPECT_GE(Game.Score, 500);
  ASSERT_GT(FramesUntil([] { return Game.Level == 1; }, 2000), 0);
  EXPECT_EQ(Game.LevelFloor, 500);
  EXPECT_EQ(Game.LevelTarget, 1500);
  EXPECT_EQ(Game.BackgroundIndex, 1);
  EXPECT_FALSE(Game.ScoringEnabled);
  ASSERT_GT(FramesUntil(BoardSettled, 5000), 0) << "the drained board refills";

  const auto sounds = PlayedSampleNames();
  EXPECT_EQ(Count(sounds, "levelup"), 1);
  EXPECT_EQ(Count(sounds, "select"), moves);
  EXPECT_GE(Count(sounds, "combo"), moves);
  // The recorded outcome of this seed and these moves.
  EXPECT_EQ(moves, 15);
  EXPECT_EQ(Game.Score, 530);
}

TEST_F(ReplayTest, TimedBarDrainsToGameOverAndTheScoreTableFollows) {
  StartGame(Timed, 7);
  Game.FrameSpeed = 10.0f;
  // 50 units of time at 0.01 a frame: 5000 frames, then the banner of about 34 frames.
  const int frames = FramesUntil([] { return Game.GameOverLatch; }, 10000);
  EXPECT_NEAR(frames, 5000, 2);
  EXPECT_EQ(Game.BoardPhase, GameOver);
  ASSERT_GT(FramesUntil([] { return Game.Screen == HighScores; }, 1000), 0);
  EXPECT_EQ(Game.BoardPhase, Play);
  EXPECT_FALSE(Game.GameOverLatch);
  EXPECT_EQ(Game.TimeLeft, 50.0f) << "a new game waits behind the score table";
  EXPECT_EQ(Count(PlayedSampleNames(), "gameover"), 1);
}

TEST_F(ReplayTest, TimedBoardWithoutMovesIsReshuffledAndPlayGoesOn) {
  StartGame(Timed, 99);
  SetBoard(NoMoveBoard);
  Game.ScoringEnabled = true;
  RunCoreFrame();
  ASSERT_TRUE(Game.Reshuffling);
  ASSERT_GT(FramesUntil([] { return !Game.Reshuffling; }, 1000), 0);
  EXPECT_EQ(EmptyCells(), 72);
  ASSERT_GT(FramesUntil(BoardSettled, 5000), 0);
  EXPECT_EQ(Game.BoardPhase, Play);
  EXPECT_FALSE(Game.GameOverLatch);
  EXPECT_TRUE(PlayFoundMove()) << "the new board can be played";
}

TEST_F(ReplayTest, SwapWithoutRunReturnsAndCostsNothing) {
  StartGame(Levels, 31);
  ASSERT_GT(FramesUntil(BoardSettled, 5000), 0);
  // Find a neighbour pair whose exchange makes no run.
  int column = -1, row = -1;
  for (int r = 1; r <= 8 && column < 0; ++r)
    for (int c = 0; c < 7 && column < 0; ++c) {
      std::swap(Game.Board[r][c], Game.Board[r][c + 1]);
      if (!BoardHasRun()) column = c, row = r;
      std::swap(Game.Board[r][c], Game.Board[r][c + 1]);
    }
  ASSERT_GE(column, 0);
  const std::string before = BoardText();
  fake_mixer::Reset();
  PressAtCell(column, row);
  PressAtCell(column + 1, row);
  ASSERT_GT(FramesUntil([] { return !Game.SwapBusy; }, 500), 0);
  EXPECT_EQ(BoardText(), before);
  EXPECT_EQ(Game.Score, 0);
  EXPECT_EQ(PlayedSampleNames(), (std::vector<std::string>{"select", "bad"}));
}

TEST_F(ReplayTest, FourthScanOfAChainShowsExcellentAndPlayResumes) {
  StartGame(Levels, 5);
  ASSERT_GT(FramesUntil(BoardSettled, 5000), 0);
  Game.ScoringEnabled = true;
  Game.ChainCount = 3;  // the next scoring scan is the fourth of its chain
  Game.ChainScore = 10;
  ASSERT_TRUE(PlayFoundMove());
  Game.ChainCount = 3;  // the press started a new chain; continue the old one instead
  ASSERT_GT(FramesUntil([] { return Game.BoardPhase == Excellent; }, 500), 0);
  ASSERT_GT(FramesUntil([] { return Game.BoardPhase == Play; }, 1000), 0);
  EXPECT_EQ(Count(PlayedSampleNames(), "exel"), 1);
  ASSERT_GT(FramesUntil(BoardSettled, 5000), 0) << "the board keeps refilling";
}

}  // namespace
