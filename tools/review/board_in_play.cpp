#include "tools/review/board_in_play.h"

#include "core/game_state.h"

void FillBoardWithShrinkingRun(float removalFade) {
  for (int row = 0; row < BoardRows; ++row) {
    for (int column = 0; column < BoardColumns; ++column) {
      Game.Board[row][column] = (row * 3 + column * 5 + row * column) % 7 + 1;
    }
  }
  for (int& floor : Game.FloorRow) floor = SolidFloor;
  for (int column = 2; column <= 4; ++column) {
    Game.Board[7][column] = 6;
    Game.RemovalMarks[column - 2] = {true, column, 7, 0.0f};
  }
  Game.RemovalActive = true;
  Game.RemovalFade = removalFade;
}
