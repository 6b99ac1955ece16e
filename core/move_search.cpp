#include "core/game_state.h"
#include "core/rules.h"

namespace {

struct Offset {
  int row;
  int column;
};

// A pair of equal cells starting at the visited cell, and the third cells that would complete
// a run once moved next to the pair. The third cell is the one that has to move.
struct PatternGroup {
  Offset partner;
  Offset thirds[6];
  int thirdCount;
};

// In search order: a horizontal pair, a horizontal pair with a gap, a vertical pair with a gap,
// a vertical pair. Each pattern applies only where its cells lie on the play field, which is
// exactly the bound that each pattern carries.
constexpr PatternGroup Patterns[] = {
    {{0, 1}, {{-1, -1}, {1, -1}, {0, -2}, {-1, 2}, {1, 2}, {0, 3}}, 6},
    {{0, 2}, {{-1, 1}, {1, 1}}, 2},
    {{2, 0}, {{1, 1}, {1, -1}}, 2},
    {{1, 0}, {{-2, 0}, {-1, -1}, {-1, 1}, {3, 0}, {2, -1}, {2, 1}}, 6},
};

bool OnPlayField(int row, int column) {
  return row >= 1 && row <= 8 && column >= 0 && column < BoardColumns;
}

}  // namespace

bool FindMove() {
  const auto& b = Game.Board;
  for (int r = 1; r <= 8; ++r) {
    for (int c = 0; c < BoardColumns; ++c) {
      // Cells compare by value alone: an empty cell matches another empty cell.
      const int value = b[r][c];
      for (const PatternGroup& group : Patterns) {
        const int pr = r + group.partner.row;
        const int pc = c + group.partner.column;
        if (!OnPlayField(pr, pc) || b[pr][pc] != value) continue;
        for (int i = 0; i < group.thirdCount; ++i) {
          const int tr = r + group.thirds[i].row;
          const int tc = c + group.thirds[i].column;
          if (!OnPlayField(tr, tc) || b[tr][tc] != value) continue;
          Game.HintColumn = static_cast<float>(tc);
          Game.HintRow = static_cast<float>(tr);
          return true;
        }
      }
    }
  }
  return false;
}
