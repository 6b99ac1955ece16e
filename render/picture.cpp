#include "render/picture.h"

#include "render/board_scene.h"
#include "render/effects.h"
#include "render/overlay.h"

GameState PictureInputs() {
  GameState inputs = Game;
  inputs.FrameTimer = FrameTimerRecord{};
  inputs.SpeedSampleCounter = 0;
  inputs.SpeedSampleStart = 0.0f;
  inputs.FrameSpeed = 0.0f;  // steps only what DrawingAdvancesState tells of
  inputs.HintColumn = 0.0f;
  inputs.HintRow = 0.0f;
  // The Timed clock shows only through the bar's width, and the bar, drawn last from the
  // width after the frame's update, is compared on its own.
  inputs.TimeLeft = 0.0f;
  inputs.BarWidth = 0.0f;
  if (!FruitFalling()) inputs.FallOffset = 0.0f;
  return inputs;
}

bool DrawingAdvancesState() { return MarkersMove() || ShownScoreMoves() || EffectsRun(); }

namespace {

struct ShownPictureRecord {
  GameState inputs;
  float barWidth = 0.0f;
  bool known = false;
  bool steady = false;  // drawn twice from the same inputs
};

ShownPictureRecord ShownPicture;

}  // namespace

void NoteShownPicture(const GameState& inputs, float barWidth, bool advancedState) {
  ShownPicture.steady = !advancedState && ShownPicture.known && inputs == ShownPicture.inputs;
  ShownPicture.known = !advancedState;
  ShownPicture.inputs = inputs;
  ShownPicture.barWidth = barWidth;
}

bool ShowsSamePicture(const GameState& inputs) {
  return ShownPicture.steady && inputs == ShownPicture.inputs;
}

float ShownBarWidth() { return ShownPicture.barWidth; }

void ForgetShownPicture() {
  ShownPicture.known = false;
  ShownPicture.steady = false;
}
