#include "app/frame_pacing.h"

#include <SDL.h>

#include "core/game_state.h"

namespace {

constexpr int FallbackRefreshRate = 60;  // when the display does not tell its own

Uint64 LastFrameStart = 0;
bool PacingAllowed = true;

double RefreshPeriod() {
  SDL_Window* window = reinterpret_cast<SDL_Window*>(Game.Window);
  SDL_DisplayMode mode{};
  const int display = window ? SDL_GetWindowDisplayIndex(window) : 0;
  const bool known = display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 &&
                     mode.refresh_rate > 0;
  return 1.0 / (known ? mode.refresh_rate : FallbackRefreshRate);
}

}  // namespace

void AllowFramePacing(bool allowed) { PacingAllowed = allowed; }

void NoteFrameStart() { LastFrameStart = SDL_GetPerformanceCounter(); }

// Measured from the start of the previous frame, not from its swap: a swap that waits for the
// display returns a whole period after that start, so no time is left to wait and the loop
// keeps the display's rate instead of losing a frame to every wait.
bool AwaitFrameTime(bool atRest) {
  if (!PacingAllowed || LastFrameStart == 0) return true;
  if (atRest) {
    AwaitMessage();
    return false;
  }
  const double elapsed = static_cast<double>(SDL_GetPerformanceCounter() - LastFrameStart) /
                         static_cast<double>(SDL_GetPerformanceFrequency());
  const int milliseconds = static_cast<int>((RefreshPeriod() - elapsed) * 1000.0 + 0.5);
  return milliseconds <= 0 || SDL_WaitEventTimeout(nullptr, milliseconds) == 0;
}

// Woken each second to look at what came meanwhile without a message: a request to end that
// reached another thread as a signal is turned into a message only when events are looked at.
void AwaitMessage() {
  while (SDL_WaitEventTimeout(nullptr, 1000) == 0) {
  }
}
