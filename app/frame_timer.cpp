#include "app/frame_timer.h"

#include <SDL.h>

#include "core/game_state.h"

void StartFrameTimer() {
  FrameTimerRecord& timer = Game.FrameTimer;
  timer = FrameTimerRecord{};
  const Uint64 frequency = SDL_GetPerformanceFrequency();
  if (frequency != 0) {
    timer.frequency = static_cast<int64_t>(frequency);
    timer.counterStart = static_cast<int64_t>(SDL_GetPerformanceCounter());
    timer.highResolution = true;
    timer.resolution = static_cast<float>(1.0 / static_cast<double>(frequency));
  } else {
    timer.clockStart = SDL_GetTicks();
    timer.resolution = 0.001f;
    timer.frequency = 1000;
  }
}

float FrameTimerMilliseconds() {
  const FrameTimerRecord& timer = Game.FrameTimer;
  if (timer.highResolution) {
    const int64_t ticks = static_cast<int64_t>(SDL_GetPerformanceCounter()) - timer.counterStart;
    return static_cast<float>(static_cast<double>(ticks) * timer.resolution * 1000.0);
  }
  // Unsigned difference: the millisecond clock's wrap-around still gives a positive span.
  const uint32_t ticks = SDL_GetTicks() - timer.clockStart;
  return static_cast<float>(static_cast<double>(ticks) * timer.resolution * 1000.0);
}
