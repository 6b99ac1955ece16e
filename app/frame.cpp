#include "app/frame.h"

#include <GL/gl.h>

#include <cmath>

#include "app/frame_timer.h"
#include "core/game_state.h"
#include "core/rules.h"
#include "render/board_scene.h"
#include "render/overlay.h"

namespace {

constexpr int SpeedSampleFrames = 10;

// FrameSpeed is 0.105 times the average frame time in milliseconds over ten frame intervals,
// measured from the start of one cycle of eleven frames to its end.
void MeasureFrameSpeed() {
  if (Game.SpeedSampleCounter == 0) {
    Game.SpeedSampleStart = FrameTimerMilliseconds() / 100.0f;
  } else if (Game.SpeedSampleCounter == SpeedSampleFrames) {
    const float now = FrameTimerMilliseconds() / 100.0f;
    // The absolute value keeps the factor positive across a clock restart.
    Game.FrameSpeed = static_cast<float>(std::fabs(static_cast<double>(now - Game.SpeedSampleStart)) *
                                         static_cast<double>(1.05f));
    Game.SpeedSampleCounter = -1;
  }
  ++Game.SpeedSampleCounter;
}

}  // namespace

bool DrawFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  MeasureFrameSpeed();
  SetLevelBounds();
  CheckLevelTarget();
  AdvanceBoard();
  DrawBoard();
  glDisable(GL_LIGHTING);
  DrawOverlay();
  UpdateTimeBar();
  DrawTimeBar();
  return true;
}
