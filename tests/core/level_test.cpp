#include "tests/core/core_test_support.h"

namespace {

class LevelTest : public CoreTest {};

TEST_F(LevelTest, BoundsFollowTheLevelTableOnlyInLevelsMode) {
  const int expected[][3] = {{0, 0, 500}, {1, 500, 1500}, {9, 27000, 34000}, {20, 500000, 1000000}};
  for (const auto& row : expected) {
    Game.Level = row[0];
    SetLevelBounds();
    EXPECT_EQ(Game.LevelFloor, row[1]) << "level " << row[0];
    EXPECT_EQ(Game.LevelTarget, row[2]) << "level " << row[0];
  }
  Game.Level = 21;
  SetLevelBounds();
  EXPECT_EQ(Game.LevelFloor, 500000);
  EXPECT_EQ(Game.LevelTarget, 1000000);

  Game.ModeIndex = Timed;
  Game.Level = 3;
  SetLevelBounds();
  EXPECT_EQ(Game.LevelFloor, 500000) << "Timed mode keeps the bounds of the last Levels game";
}

TEST_F(LevelTest, NewGameResetsTheGameButNotPhaseOrAnimations) {
  Game.ModeIndex = Timed;
  Game.Score = 900;
  Game.Level = 4;
  Game.ChainCount = 2;
  Game.ChainScore = 70;
  Game.ShownScore = 800.0f;
  Game.BarWidth = 120.0f;
  Game.ScoringEnabled = true;
  Game.BackgroundIndex = 4;
  Game.BoardPhase = LevelComplete;
  Game.GameOverLatch = true;
  Game.SwapBusy = true;
  Game.SelectionActive = Game.SwapActive = Game.MarkerShown = Game.FadingMarkerShown = true;
  Game.FloorRow[3] = 555;
  Game.Reshuffling = true;

  std::srand(77);
  std::rand();
  const int second = std::rand();
  std::srand(77);
  NewGame();

  EXPECT_EQ(EmptyCells(), BoardRows * BoardColumns);
  EXPECT_EQ(Game.FloorRow[3], 555);
  EXPECT_EQ(Game.Score, 0);
  EXPECT_EQ(Game.Level, 0);
  EXPECT_EQ(Game.ChainCount, 0);
  EXPECT_EQ(Game.ChainScore, 70);
  EXPECT_EQ(Game.ShownScore, 0.0f);
  EXPECT_EQ(Game.TimeLeft, 50.0f);
  EXPECT_EQ(Game.BarWidth, 0.0f);
  EXPECT_FALSE(Game.ScoringEnabled);
  EXPECT_EQ(Game.BackgroundIndex, 0);
  EXPECT_FALSE(Game.SelectionActive || Game.SwapActive || Game.MarkerShown ||
               Game.FadingMarkerShown);
  EXPECT_EQ(Game.BoardPhase, LevelComplete);
  EXPECT_TRUE(Game.GameOverLatch);
  EXPECT_TRUE(Game.SwapBusy);
  EXPECT_FALSE(Game.Reshuffling);
  EXPECT_EQ(std::rand(), second) << "NewGame draws exactly one random value";

  Game.ModeIndex = Levels;
  NewGame();
  EXPECT_EQ(Game.TimeLeft, 0.0f);
  EXPECT_EQ(Game.LevelTarget, 500);
}

TEST_F(LevelTest, LevelTargetCheckNeedsLevelsPlayAndPlaying) {
  Game.LevelTarget = 500;
  Game.Score = 499;
  CheckLevelTarget();
  EXPECT_EQ(Game.BoardPhase, Play);

  Game.Score = 500;
  Game.Screen = Options;
  CheckLevelTarget();
  EXPECT_EQ(Game.BoardPhase, Play);

  Game.Screen = Playing;
  Game.LevelsButton = 0;
  Game.TimedButton = 2;
  CheckLevelTarget();
  EXPECT_EQ(Game.BoardPhase, Play);

  Game.LevelsButton = 2;
  CheckLevelTarget();
  EXPECT_EQ(Game.BoardPhase, LevelComplete);
  CheckLevelTarget();
  EXPECT_EQ(PlayedSampleNames(), std::vector<std::string>{"levelup"}) << "fires once";
}

TEST_F(LevelTest, TimedBarDrainsOnlyWhilePlayingUnpausedAndNotCompleting) {
  Game.ModeIndex = Timed;
  Game.TimedButton = 2;
  Game.LevelsButton = 0;
  Game.TimeLeft = 50.0f;
  Game.FrameSpeed = 1.0f;
  UpdateTimeBar();
  EXPECT_NEAR(Game.TimeLeft, 49.999f, 1e-5);

  Game.Level = 9;
  UpdateTimeBar();
  EXPECT_NEAR(Game.TimeLeft, 49.989f, 1e-4) << "ten times faster at level 9";

  for (auto hold : {+[] { Game.Paused = true; }, +[] { Game.Screen = Options; },
                    +[] { Game.BoardPhase = LevelComplete; }}) {
    Game.Paused = false;
    Game.Screen = Playing;
    Game.BoardPhase = Play;
    hold();
    const float before = Game.TimeLeft;
    UpdateTimeBar();
    EXPECT_EQ(Game.TimeLeft, before);
  }

  Game.Screen = Playing;
  Game.BoardPhase = GameOver;
  Game.Paused = false;
  const float before = Game.TimeLeft;
  UpdateTimeBar();
  EXPECT_LT(Game.TimeLeft, before) << "the drain goes on during a game over";
}

TEST_F(LevelTest, LevelsBarIsTheWholePercentageTowardTheTarget) {
  Game.Level = 1;
  SetLevelBounds();
  Game.Score = 1000;
  Game.FrameSpeed = 1.0f;
  Game.BarWidth = 0.0f;
  for (int frame = 0; frame < 1000; ++frame) UpdateTimeBar();
  // Target 50% of 391.5 pixels = 195.75; the bar rests within one step below it.
  EXPECT_LE(Game.BarWidth, 195.75f);
  EXPECT_GT(Game.BarWidth, 195.25f);

  Game.Score = 1009;  // 50.9 percent truncates to 50
  const float rested = Game.BarWidth;
  UpdateTimeBar();
  EXPECT_EQ(Game.BarWidth, rested);

  Game.Score = 900;
  UpdateTimeBar();
  EXPECT_EQ(Game.BarWidth, rested - 0.5f) << "falls in half-pixel steps";
}

TEST_F(LevelTest, FullBarCompletesTheLevelInBothModes) {
  Game.Level = 1;
  SetLevelBounds();
  Game.Score = 1499;
  UpdateTimeBar();
  EXPECT_EQ(Game.BoardPhase, Play) << "99 percent";
  Game.Score = 1500;
  UpdateTimeBar();
  EXPECT_EQ(Game.BoardPhase, LevelComplete);

  Game.BoardPhase = Play;
  Game.ModeIndex = Timed;
  Game.TimedButton = 2;
  Game.TimeLeft = 130.0f;
  Game.Screen = Options;
  UpdateTimeBar();
  EXPECT_EQ(Game.BoardPhase, Play) << "only while playing";
  Game.Screen = Playing;
  UpdateTimeBar();
  EXPECT_EQ(Game.BoardPhase, LevelComplete);
  EXPECT_EQ(Game.TimeLeft, 130.0f) << "the value is clamped for the bar only";
  EXPECT_EQ(PlayedSampleNames(), (std::vector<std::string>{"levelup", "levelup"}));
}

TEST_F(LevelTest, EmptyTimedBarEndsTheGameOnceOnAnyScreenButTheScoreScreens) {
  Game.ModeIndex = Timed;
  Game.TimedButton = 2;
  Game.TimeLeft = -0.5f;
  Game.Screen = HighScores;
  UpdateTimeBar();
  EXPECT_FALSE(Game.GameOverLatch);

  Game.Screen = Options;
  Game.BoardPhase = Excellent;
  UpdateTimeBar();
  EXPECT_TRUE(Game.GameOverLatch);
  EXPECT_EQ(Game.BoardPhase, GameOver);
  UpdateTimeBar();
  EXPECT_EQ(PlayedSampleNames(), std::vector<std::string>{"gameover"});

  // Levels mode never ends the game by the bar.
  Game = GameState{};
  AssignTestSoundHandles();
  Game.Level = 2;
  SetLevelBounds();
  Game.Score = 100;  // below the floor after a hint in Timed mode and a mode change
  UpdateTimeBar();
  EXPECT_FALSE(Game.GameOverLatch);
}

TEST_F(LevelTest, BoundsThatWereNeverSetGiveAnEmptyBar) {
  Game.Level = -3;
  SetLevelBounds();
  Game.Score = 40;
  Game.FrameSpeed = 1.0f;
  UpdateTimeBar();
  EXPECT_EQ(Game.BoardPhase, Play);
  EXPECT_EQ(Game.BarWidth, 0.0f);
}

TEST_F(LevelTest, LevelAdvanceResetsTheLevelAndPicksItsBackground) {
  Game.ModeIndex = Timed;
  Game.BoardPhase = LevelComplete;
  Game.BarWidth = 391.0f;
  Game.ScoringEnabled = true;
  Game.ChainCount = 3;
  Game.ChainScore = 90;
  Game.TimeLeft = 104.0f;
  AdvanceLevel();
  EXPECT_EQ(Game.Level, 1);
  EXPECT_EQ(Game.BackgroundIndex, 1);
  EXPECT_EQ(Game.BarWidth, 0.0f);
  EXPECT_FALSE(Game.ScoringEnabled);
  EXPECT_EQ(Game.ChainCount, 0);
  EXPECT_EQ(Game.ChainScore, 0);
  EXPECT_EQ(Game.BoardPhase, Play);
  EXPECT_EQ(Game.TimeLeft, 50.0f);

  Game.Level = 5;
  std::srand(9);
  const int expected = std::rand() % 6;
  std::srand(9);
  AdvanceLevel();
  EXPECT_EQ(Game.Level, 6);
  EXPECT_EQ(Game.BackgroundIndex, expected);
}

}  // namespace
