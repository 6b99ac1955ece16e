#include "app/frame.h"

#include <GL/gl.h>

#include <cmath>
#include <utility>

#include "app/frame_timer.h"
#include "core/game_state.h"
#include "core/rules.h"
#include "render/board_scene.h"
#include "render/overlay.h"
#include "render/picture.h"

namespace {

constexpr int SpeedSampleFrames = 10;

// Set by tests: every drawn picture goes through it, a kept one drawn all the same.
FrameCheck Check = nullptr;

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

void ClearFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
}

// The game logic that comes before the drawing: the frame rate, the level, the board.
void RunFrameLogic() {
  MeasureFrameSpeed();
  SetLevelBounds();
  CheckLevelTarget();
  AdvanceBoard();
}

// The 3D board, then the flat overlay; drawing them also turns the markers, steps the shown
// score and moves the effects.
void DrawBoardAndOverlay() {
  DrawBoard();
  glDisable(GL_LIGHTING);
  DrawOverlay();
}

}  // namespace

bool DrawFrame() {
  ClearFrame();
  RunFrameLogic();
  DrawBoardAndOverlay();
  UpdateTimeBar();
  DrawTimeBar();
  return true;
}

// A software renderer keeps the commands it sorted into tiles for its last frame, several MB for
// a full board, until it starts its next one. Clearing the depth buffer, which every frame clears
// first anyway, starts that one: the old commands are freed, and the clear itself waits to join
// the clears of the next frame.
void LetGoOfShownFrame() { glClear(GL_DEPTH_BUFFER_BIT); }

// A picture is kept when the frame would draw from the same inputs as the picture on show and
// drawing would change nothing. The game logic runs all the same; the bar's update, which comes
// between the overlay and the bar, may still move the bar.
bool DrawChangedFrame() {
  RunFrameLogic();
  const GameState inputs = PictureInputs();
  const bool advances = DrawingAdvancesState();
  if (!advances && ShowsSamePicture(inputs)) {
    GameState beforeBar = Game;
    UpdateTimeBar();
    const bool barMoved = Game.BarWidth != ShownBarWidth();
    if (!barMoved && !Check) return false;
    // Board and overlay are drawn from the state before the bar's update, as in every frame;
    // drawing them changes nothing, so the state after the update is kept whole.
    std::swap(Game, beforeBar);
    ClearFrame();
    DrawBoardAndOverlay();
    std::swap(Game, beforeBar);
    DrawTimeBar();
    if (!barMoved) {
      Check(true);
      return false;
    }
  } else {
    ClearFrame();
    DrawBoardAndOverlay();
    UpdateTimeBar();
    DrawTimeBar();
  }
  NoteShownPicture(inputs, Game.BarWidth, advances);
  if (Check) Check(false);
  return true;
}

void CheckFrames(FrameCheck check) { Check = check; }
