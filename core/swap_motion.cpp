#include "core/swap_motion.h"

#include "core/game_state.h"

void AimSwapVelocities(float speed) {
  GameState& g = Game;
  // +x points toward higher columns, +y toward lower row numbers (up the screen).
  if (g.SelectedColumn == g.SwapColumn + 1) {
    g.SelectedVelocityX = -speed;
    g.SwapVelocityX = speed;
  } else if (g.SelectedColumn == g.SwapColumn - 1) {
    g.SelectedVelocityX = speed;
    g.SwapVelocityX = -speed;
  }
  if (g.SelectedRow == g.SwapRow + 1) {
    g.SelectedVelocityY = speed;
    g.SwapVelocityY = -speed;
  } else if (g.SelectedRow == g.SwapRow - 1) {
    g.SelectedVelocityY = -speed;
    g.SwapVelocityY = speed;
  }
}
