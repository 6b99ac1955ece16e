#include <algorithm>
#include <limits>

#include "core/sound_bank.h"
#include "core/game_state.h"
#include "core/rules.h"
#include "core/swap_motion.h"

namespace {

struct Cell {
  int row;
  int column;
};

// The state of one scan: its running total and where its next mark goes.
struct Scan {
  int total = 0;
  int markPosition = 0;
};

// Adds points without overflowing: a long cascade while nothing is scored doubles the chain
// bonus at every scan, and a sum past the largest int stays at the largest int.
int SaturatingAdd(int a, long long b) {
  return static_cast<int>(std::min<long long>(a + b, std::numeric_limits<int>::max()));
}

// Marks a cell for removal. Marks past the 19th are not kept: their cells stay on the board
// and are found again by a later scan if they still form a run.
void Mark(Scan& scan, Cell cell) {
  if (scan.markPosition < RemovalMarkCount) {
    RemovalMark& mark = Game.RemovalMarks[scan.markPosition];
    mark.active = true;
    mark.column = cell.column;
    mark.row = cell.row;
  }
  ++scan.markPosition;
}

void ShowPopup(int x, int y, int value) {
  for (ScorePopup& popup : Game.ScorePopups) {
    if (popup.active) continue;
    popup.x = x;
    popup.y = y;
    popup.value = value;
    popup.active = true;
    return;
  }
}

// Scores one run of three cells, listed top to bottom or left to right. The chain bonus is
// the previous scan's whole total, added to every run of this scan.
void ScoreRun(Scan& scan, const Cell (&cells)[3], bool vertical) {
  GameState& g = Game;
  scan.total = SaturatingAdd(scan.total, 5LL * g.Level + 10);
  if (g.ChainCount > 0) scan.total = SaturatingAdd(scan.total, g.ChainScore);
  for (const Cell& cell : cells) Mark(scan, cell);
  g.RemovalActive = true;
  g.RemovalFade = 1.0f;
  if (!g.ScoringEnabled) return;
  const Cell& first = cells[0];
  if (vertical)
    ShowPopup(200 + 52 * first.column, 450 - 52 * first.row, scan.total);
  else
    ShowPopup(260 + 52 * first.column, 480 - 52 * first.row, scan.total);
}

bool SameFruit(int a, int b, int c) { return a != 0 && a == b && a == c; }

// Calls found(cells, vertical) for every run of three, the columns' first, top to bottom.
template <typename Found>
void ForEachRun(Found found) {
  const auto& b = Game.Board;
  for (int r = 1; r <= 6; ++r)
    for (int c = 0; c < BoardColumns; ++c)
      if (SameFruit(b[r][c], b[r + 1][c], b[r + 2][c]))
        found({{r, c}, {r + 1, c}, {r + 2, c}}, true);
  for (int r = 1; r <= 8; ++r)
    for (int c = 0; c <= 5; ++c)
      if (SameFruit(b[r][c], b[r][c + 1], b[r][c + 2]))
        found({{r, c}, {r, c + 1}, {r, c + 2}}, false);
}

void FindRuns(Scan& scan) {
  ForEachRun([&scan](const Cell(&cells)[3], bool vertical) { ScoreRun(scan, cells, vertical); });
}

void CountChain(int total) {
  GameState& g = Game;
  if (g.ScoringEnabled) {
    g.Score = SaturatingAdd(g.Score, total);
    g.TimeLeft += 2.5f;
  }
  g.ChainCount += 1;
  if (g.ChainCount <= 1)
    PlayEffect(g.Sounds.Combo);
  else if (g.ChainCount == 2)
    PlayEffect(g.Sounds.Combo2);
  else
    PlayEffect(g.Sounds.Combo3);
  g.ChainScore = total;
  if (g.ChainCount > 3 && g.ScoringEnabled) {
    g.ChainCount = 0;
    g.BoardPhase = Excellent;
    PlayEffect(g.Sounds.Exel);
  }
}

// Sends the two fruits of a swap that made no run back to their places.
void StartReturnSwap() {
  GameState& g = Game;
  AimSwapVelocities(0.015f);
  g.SwapReturning = true;
  g.SwapBusy = true;
  PlayEffect(g.Sounds.Bad);
}

}  // namespace

void ScanForRuns(bool afterSwap) {
  Scan scan;
  FindRuns(scan);
  // A removal still shrinking from an earlier scan also counts as found runs here.
  if (Game.RemovalActive)
    CountChain(scan.total);
  else if (afterSwap)
    StartReturnSwap();
}

bool RunOnBoard() {
  bool found = false;
  ForEachRun([&found](const Cell(&)[3], bool) { found = true; });
  return found;
}
