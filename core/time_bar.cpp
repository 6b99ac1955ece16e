#include "core/sound_bank.h"
#include "core/game_state.h"
#include "core/rules.h"

namespace {

// The bar's value, 0 to 100 before clamping: the time left in Timed mode, the whole percentage
// of the way from the level's floor to its target in Levels mode.
float BarValue() {
  const GameState& g = Game;
  if (g.ModeIndex != Levels) return g.TimeLeft;
  const int onePercent = (g.LevelTarget - g.LevelFloor) / 100;
  // Bounds that were never set (a level without bounds) give no progress rather than a
  // division by zero.
  if (onePercent <= 0) return 0.0f;
  return static_cast<float>((g.Score - g.LevelFloor) / onePercent);
}

}  // namespace

void UpdateTimeBar() {
  GameState& g = Game;
  if (g.TimedButton == ButtonPressed && g.Screen == Playing && g.BoardPhase != LevelComplete && !g.Paused)
    g.TimeLeft -= static_cast<float>(0.001 * (g.Level + 1.0) * g.FrameSpeed);

  float value = BarValue();
  if (value > 100.0f) {
    value = 100.0f;
  } else if (value < 0.0f) {
    if (g.TimedButton == ButtonPressed && !g.GameOverLatch && g.Screen != HighScores &&
        g.Screen != NameEntry) {
      g.GameOverLatch = true;
      g.BoardPhase = GameOver;
      PlayEffect(g.Sounds.Gameover);
    }
    value = 0.0f;
  }
  if (value > 99.9f && g.BoardPhase == Play && g.Screen == Playing) {
    g.BoardPhase = LevelComplete;
    PlayEffect(g.Sounds.Levelup);
  }

  // The bar eases toward its width in half-pixel steps and rests within one step below it.
  const float target = static_cast<float>(value * 3.915);
  if (target > g.BarWidth) g.BarWidth += static_cast<float>(0.5 * g.FrameSpeed);
  if (g.BarWidth > target) g.BarWidth -= static_cast<float>(0.5 * g.FrameSpeed);
}
