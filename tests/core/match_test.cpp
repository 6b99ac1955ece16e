#include "tests/core/core_test_support.h"

namespace {

class MatchTest : public CoreTest {};

// A quiet board: no runs anywhere, so each test adds only the runs it is about.
const BoardRowsText QuietBoard = {
    "12121212", "34343434", "12121212", "34343434", "12121212",
    "34343434", "12121212", "34343434", "56565656",
};

int ActiveMarks() {
  int count = 0;
  for (const RemovalMark& mark : Game.RemovalMarks) count += mark.active;
  return count;
}

TEST_F(MatchTest, LineOfFiveScoresThreeOverlappingRunsWithRisingPopups) {
  SetBoard(QuietBoard);
  for (int c = 0; c < 5; ++c) Game.Board[8][c] = 7;
  Game.Level = 2;
  Game.ScoringEnabled = true;
  ScanForRuns(false);

  EXPECT_EQ(Game.Score, 60);
  EXPECT_EQ(Game.ChainScore, 60);
  EXPECT_EQ(Game.TimeLeft, 2.5f);
  EXPECT_EQ(ActiveMarks(), 9);
  EXPECT_EQ(Game.RemovalMarks[3].column, 1);
  EXPECT_EQ(Game.RemovalMarks[3].row, 8);
  const int expected[][3] = {{260, 64, 20}, {312, 64, 40}, {364, 64, 60}};
  for (int i = 0; i < 3; ++i) {
    const ScorePopup& p = Game.ScorePopups[i];
    EXPECT_TRUE(p.active);
    EXPECT_EQ(p.x, expected[i][0]);
    EXPECT_EQ(p.y, expected[i][1]);
    EXPECT_EQ(p.value, expected[i][2]);
  }
  EXPECT_FALSE(Game.ScorePopups[3].active);
  EXPECT_TRUE(Game.RemovalActive);
  EXPECT_EQ(Game.RemovalFade, 1.0f);
  EXPECT_EQ(PlayedSampleNames(), std::vector<std::string>{"combo"});
}

TEST_F(MatchTest, VerticalRunsComeFirstAndSpawnRowNeverCounts) {
  SetBoard(QuietBoard);
  Game.Board[6][7] = Game.Board[7][7] = Game.Board[8][7] = 7;  // vertical, top cell row 6
  Game.Board[0][0] = Game.Board[1][0] = Game.Board[2][0] = 6;  // rows 0 to 2: not a run
  Game.Board[2][3] = Game.Board[2][4] = Game.Board[2][5] = 5;  // horizontal, scanned after
  Game.ScoringEnabled = true;
  ScanForRuns(false);

  EXPECT_EQ(ActiveMarks(), 6);
  EXPECT_EQ(Game.RemovalMarks[0].row, 6);
  EXPECT_EQ(Game.RemovalMarks[0].column, 7);
  EXPECT_EQ(Game.RemovalMarks[3].row, 2);
  EXPECT_EQ(Game.RemovalMarks[3].column, 3);
  EXPECT_EQ(Game.ScorePopups[0].x, 564);
  EXPECT_EQ(Game.ScorePopups[0].y, 138);

  Game = GameState{};
  SetBoard(QuietBoard);
  Game.Board[1][2] = Game.Board[2][2] = Game.Board[3][2] = 6;
  ScanForRuns(false);
  EXPECT_EQ(ActiveMarks(), 3) << "rows 1 to 3 form a run";
}

TEST_F(MatchTest, ChainBonusAddsThePreviousScanToEveryRunUntilTheExcellentScan) {
  Game.ScoringEnabled = true;
  auto scanWithRuns = [](int runs) {
    SetBoard(QuietBoard);
    for (int i = 0; i < runs; ++i)
      Game.Board[1 + 2 * i][0] = Game.Board[1 + 2 * i][1] = Game.Board[1 + 2 * i][2] = 7;
    Game.RemovalActive = false;
    ScanForRuns(false);
  };
  scanWithRuns(1);
  EXPECT_EQ(Game.Score, 10);
  scanWithRuns(1);
  EXPECT_EQ(Game.Score, 30);
  scanWithRuns(2);
  EXPECT_EQ(Game.ScorePopups[2].value, 30);
  EXPECT_EQ(Game.ScorePopups[3].value, 60);
  EXPECT_EQ(Game.Score, 90);
  EXPECT_EQ(Game.BoardPhase, Play);
  scanWithRuns(1);
  EXPECT_EQ(Game.Score, 160);
  EXPECT_EQ(Game.BoardPhase, Excellent);
  EXPECT_EQ(Game.ChainCount, 0);
  EXPECT_EQ(Game.ChainScore, 70);
  scanWithRuns(1);
  EXPECT_EQ(Game.Score, 170) << "the scan after the excellent bonus starts a new chain";
  EXPECT_EQ(PlayedSampleNames(), (std::vector<std::string>{"combo", "combo2", "combo3",
                                                           "combo3", "exel", "combo"}));
}

TEST_F(MatchTest, WithoutScoringRunsAreRemovedAndChainedButEarnNothing) {
  SetBoard(QuietBoard);
  Game.Board[4][0] = Game.Board[4][1] = Game.Board[4][2] = 7;
  Game.ChainCount = 3;
  ScanForRuns(false);
  EXPECT_EQ(Game.Score, 0);
  EXPECT_EQ(Game.TimeLeft, 0.0f);
  EXPECT_FALSE(Game.ScorePopups[0].active);
  EXPECT_EQ(ActiveMarks(), 3);
  EXPECT_EQ(Game.ChainCount, 4) << "no excellent bonus while refilling";
  EXPECT_EQ(Game.BoardPhase, Play);
}

TEST_F(MatchTest, FullPopupTableStillScoresAndMarks) {
  for (ScorePopup& p : Game.ScorePopups) p.active = true;
  SetBoard(QuietBoard);
  Game.Board[4][0] = Game.Board[4][1] = Game.Board[4][2] = 7;
  Game.ScoringEnabled = true;
  ScanForRuns(false);
  EXPECT_EQ(Game.Score, 10);
  EXPECT_EQ(ActiveMarks(), 3);
  for (const ScorePopup& p : Game.ScorePopups) EXPECT_EQ(p.value, 0);
}

TEST_F(MatchTest, SurplusMarksNeverOverrunTheListAndLaterEntriesKeepTheirState) {
  // Eight horizontal runs of alternating kinds (so no vertical runs): 24 marks for 19 places.
  SetBoard(QuietBoard);
  for (int r = 1; r <= 8; ++r)
    Game.Board[r][0] = Game.Board[r][1] = Game.Board[r][2] = r % 2 ? 7 : 8;
  Game.ScoringEnabled = true;
  ScanForRuns(false);
  EXPECT_EQ(Game.Score, 80) << "every run scores";
  EXPECT_EQ(ActiveMarks(), 19);
  EXPECT_EQ(Game.RemovalMarks[18].row, 7);
  EXPECT_EQ(Game.RemovalMarks[18].column, 0);

  // A later scan with one run rewrites only the first three entries.
  Game.RemovalActive = false;
  SetBoard(QuietBoard);
  Game.Board[5][5] = Game.Board[6][5] = Game.Board[7][5] = 7;
  ScanForRuns(false);
  EXPECT_EQ(Game.RemovalMarks[0].column, 5);
  EXPECT_EQ(Game.RemovalMarks[3].row, 2);
  EXPECT_TRUE(Game.RemovalMarks[18].active);
}

TEST_F(MatchTest, SwapWithoutRunStartsTheReturnSwap) {
  SetBoard(QuietBoard);
  struct Case { int selectedColumn, selectedRow, swapColumn, swapRow; float sx, sy, wx, wy; };
  const Case cases[] = {
      {3, 4, 2, 4, -0.015f, 0, 0.015f, 0}, {2, 4, 3, 4, 0.015f, 0, -0.015f, 0},
      {3, 4, 3, 3, 0, 0.015f, 0, -0.015f}, {3, 3, 3, 4, 0, -0.015f, 0, 0.015f}};
  for (const Case& k : cases) {
    Game.SelectedColumn = k.selectedColumn;
    Game.SelectedRow = k.selectedRow;
    Game.SwapColumn = k.swapColumn;
    Game.SwapRow = k.swapRow;
    Game.SelectedVelocityX = Game.SelectedVelocityY = Game.SwapVelocityX = Game.SwapVelocityY = 0;
    Game.SwapBusy = Game.SwapReturning = false;
    ScanForRuns(true);
    EXPECT_EQ(Game.SelectedVelocityX, k.sx);
    EXPECT_EQ(Game.SelectedVelocityY, k.sy);
    EXPECT_EQ(Game.SwapVelocityX, k.wx);
    EXPECT_EQ(Game.SwapVelocityY, k.wy);
    EXPECT_TRUE(Game.SwapBusy && Game.SwapReturning);
  }
  EXPECT_EQ(PlayedSampleNames().size(), 4u);
  EXPECT_EQ(PlayedSampleNames()[0], "bad");

  fake_mixer::Reset();
  Game.SwapBusy = Game.SwapReturning = false;
  ScanForRuns(false);
  EXPECT_FALSE(Game.SwapBusy) << "a gravity scan without runs starts nothing";
  EXPECT_TRUE(fake_mixer::PlayedSamples().empty());
}

TEST_F(MatchTest, SwapEndingDuringAnEarlierRemovalTakesTheFoundRunsBranch) {
  SetBoard(QuietBoard);
  Game.RemovalActive = true;
  Game.ScoringEnabled = true;
  Game.ChainCount = 1;
  Game.ChainScore = 10;
  ScanForRuns(true);
  EXPECT_FALSE(Game.SwapBusy);
  EXPECT_EQ(Game.ChainCount, 2);
  EXPECT_EQ(Game.TimeLeft, 2.5f);
  EXPECT_EQ(Game.ChainScore, 0);
  EXPECT_EQ(PlayedSampleNames(), std::vector<std::string>{"combo2"});
}

TEST_F(MatchTest, EndlessUnscoredCascadeSaturatesInsteadOfOverflowing) {
  SetBoard(QuietBoard);
  Game.Board[4][0] = Game.Board[4][1] = Game.Board[4][2] = 7;
  Game.Board[6][0] = Game.Board[6][1] = Game.Board[6][2] = 8;
  Game.ChainCount = 1;
  Game.ChainScore = 2000000000;
  ScanForRuns(false);
  EXPECT_EQ(Game.ChainScore, 2147483647);
  Game.ScoringEnabled = true;
  Game.ChainCount = 1;
  Game.Score = 2147483000;
  ScanForRuns(false);
  EXPECT_EQ(Game.Score, 2147483647);
}

TEST_F(MatchTest, StoredStartingLayoutHoldsNoRun) {
  ScanForRuns(false);
  EXPECT_FALSE(Game.RemovalActive);
}

}  // namespace
