#include "tests/core/core_test_support.h"

namespace {

class MoveSearchTest : public CoreTest {};

// A board of empty cells except those a test places: empty cells match each other, so the
// search would stop at row 1 at once; fill with a pattern that has no move instead.
void Clear() { SetBoard(NoMoveBoard); }

void ExpectHint(int column, int row) {
  EXPECT_TRUE(FindMove());
  EXPECT_EQ(Game.HintColumn, static_cast<float>(column));
  EXPECT_EQ(Game.HintRow, static_cast<float>(row));
}

// Swaps two cells and reports whether the board then holds a run in rows 1 to 8.
bool SwapMakesRun(int r1, int c1, int r2, int c2) {
  std::swap(Game.Board[r1][c1], Game.Board[r2][c2]);
  Game.RemovalActive = false;
  Game.ChainCount = 0;
  ScanForRuns(false);
  const bool run = Game.RemovalActive;
  std::swap(Game.Board[r1][c1], Game.Board[r2][c2]);
  Game.RemovalActive = false;
  for (RemovalMark& m : Game.RemovalMarks) m.active = false;
  return run;
}

bool AnySwapMakesRun() {
  for (int r = 1; r <= 8; ++r)
    for (int c = 0; c < 8; ++c)
      if ((c < 7 && SwapMakesRun(r, c, r, c + 1)) || (r < 8 && SwapMakesRun(r, c, r + 1, c)))
        return true;
  return false;
}

TEST_F(MoveSearchTest, StoredStartingLayoutHintsTheFruitThatCompletesThreeTwos) {
  ExpectHint(5, 4);
}

TEST_F(MoveSearchTest, BoardWithoutMoveKeepsThePreviousHint) {
  Clear();
  ASSERT_FALSE(AnySwapMakesRun());
  Game.HintColumn = 3.0f;
  Game.HintRow = 6.0f;
  EXPECT_FALSE(FindMove());
  EXPECT_EQ(Game.HintColumn, 3.0f);
  EXPECT_EQ(Game.HintRow, 6.0f);
}

TEST_F(MoveSearchTest, EachOfTheSixteenPatternsNamesItsThirdCell) {
  struct Case { int pr, pc, tr, tc; };  // partner and third cell, relative to (4, 3)
  const Case cases[] = {
      {0, 1, -1, -1}, {0, 1, 1, -1}, {0, 1, 0, -2}, {0, 1, -1, 2}, {0, 1, 1, 2}, {0, 1, 0, 3},
      {0, 2, -1, 1},  {0, 2, 1, 1},  {2, 0, 1, 1},  {2, 0, 1, -1}, {1, 0, -2, 0}, {1, 0, -1, -1},
      {1, 0, -1, 1},  {1, 0, 3, 0},  {1, 0, 2, -1}, {1, 0, 2, 1}};
  for (const Case& k : cases) {
    Clear();
    // Kind 9 appears nowhere else, so only the placed three can match.
    Game.Board[4][3] = Game.Board[4 + k.pr][3 + k.pc] = Game.Board[4 + k.tr][3 + k.tc] = 9;
    ExpectHint(3 + k.tc, 4 + k.tr);
  }
}

TEST_F(MoveSearchTest, LowerColumnThenLowerPatternWins) {
  Clear();
  // (1,0) and (1,1) equal and (2,2) equal to them: pattern 5 names column 2, row 2.
  Game.Board[1][0] = Game.Board[1][1] = Game.Board[2][2] = 9;
  ExpectHint(2, 2);

  Clear();
  // Two matches in row 5: the one visited at column 1 wins over column 4.
  Game.Board[5][4] = Game.Board[5][5] = Game.Board[6][6] = 9;
  Game.Board[5][1] = Game.Board[5][2] = Game.Board[4][0] = 8;
  ExpectHint(0, 4);

  Clear();
  // Within one cell: pattern 2 (below left) is tried before pattern 5 (below right).
  Game.Board[3][2] = Game.Board[3][3] = Game.Board[4][1] = Game.Board[4][4] = 9;
  ExpectHint(1, 4);
}

TEST_F(MoveSearchTest, PatternsNeverLookPastTheFieldOrIntoTheSpawnRow) {
  Clear();
  // Pair in columns 6 and 7 whose completing cells would lie past column 7.
  Game.Board[3][6] = Game.Board[3][7] = 9;
  EXPECT_FALSE(FindMove());
  Game.Board[2][5] = 9;  // pattern 1 from (3, 6)
  ExpectHint(5, 2);

  Clear();
  // Vertical pair in rows 7 and 8: nothing below row 8 is looked at.
  Game.Board[7][4] = Game.Board[8][4] = 9;
  EXPECT_FALSE(FindMove());
  Game.Board[6][5] = 9;  // pattern 13 from (7, 4)
  ExpectHint(5, 6);

  Clear();
  // The spawn row never completes a move.
  Game.Board[1][2] = Game.Board[1][3] = 9;
  Game.Board[0][1] = 9;
  EXPECT_FALSE(FindMove());
}

TEST_F(MoveSearchTest, EmptyCellsMatchEachOther) {
  Clear();
  Game.Board[1][0] = Game.Board[1][1] = Game.Board[1][3] = 0;
  ExpectHint(3, 1);
}

TEST_F(MoveSearchTest, AgreesWithTryingEverySwapOnRandomBoards) {
  std::srand(42);
  int withMove = 0;
  for (int round = 0; round < 300; ++round) {
    for (int r = 0; r < BoardRows; ++r)
      for (int c = 0; c < BoardColumns; ++c) Game.Board[r][c] = std::rand() % 7 + 1;
    Game.RemovalActive = false;
    ScanForRuns(false);
    if (Game.RemovalActive) continue;  // boards with a run already are not asked about
    const bool found = FindMove();
    ASSERT_EQ(found, AnySwapMakesRun()) << BoardText();
    if (found) {
      const int c = static_cast<int>(Game.HintColumn), r = static_cast<int>(Game.HintRow);
      const bool named = (c > 0 && SwapMakesRun(r, c, r, c - 1)) ||
                         (c < 7 && SwapMakesRun(r, c, r, c + 1)) ||
                         (r > 1 && SwapMakesRun(r, c, r - 1, c)) ||
                         (r < 8 && SwapMakesRun(r, c, r + 1, c));
      EXPECT_TRUE(named) << "the hinted fruit can move into a run\n" << BoardText();
      ++withMove;
    }
  }
  EXPECT_GT(withMove, 10);
}

}  // namespace
