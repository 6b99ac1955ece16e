#include "app/frame_pacing.h"

#include <SDL.h>

#include "core/game_state.h"

namespace {

constexpr int FallbackRefreshRate = 60;  // when the display does not tell its own
// Swaps that come back this much faster than the refresh period, over this many frames in a
// row, do not wait for the display.
constexpr double UnpacedShare = 0.6;
constexpr int UnpacedFrames = 8;

struct PacingState {
  Uint64 lastSwap = 0;
  int quickSwaps = 0;
  bool loopPaces = false;  // learnt: the swap does not wait, so the loop must
};

PacingState Pacing;
bool PacingAllowed = true;

double Seconds(Uint64 ticks) {
  return static_cast<double>(ticks) / static_cast<double>(SDL_GetPerformanceFrequency());
}

double RefreshPeriod() {
  SDL_Window* window = reinterpret_cast<SDL_Window*>(Game.Window);
  SDL_DisplayMode mode{};
  const int display = window ? SDL_GetWindowDisplayIndex(window) : 0;
  const bool known = display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 &&
                     mode.refresh_rate > 0;
  return 1.0 / (known ? mode.refresh_rate : FallbackRefreshRate);
}

}  // namespace

void ResetFramePacing() { Pacing = PacingState{}; }

void AllowFramePacing(bool allowed) { PacingAllowed = allowed; }

void NoteSwap() {
  const Uint64 now = SDL_GetPerformanceCounter();
  if (Pacing.lastSwap != 0 && !Pacing.loopPaces) {
    const bool quick = Seconds(now - Pacing.lastSwap) < UnpacedShare * RefreshPeriod();
    Pacing.quickSwaps = quick ? Pacing.quickSwaps + 1 : 0;
    Pacing.loopPaces = Pacing.quickSwaps >= UnpacedFrames || SDL_GL_GetSwapInterval() == 0;
  }
  Pacing.lastSwap = now;
}

bool AwaitFrameTime() {
  if (!Pacing.loopPaces || !PacingAllowed) return true;
  const double remaining =
      RefreshPeriod() - Seconds(SDL_GetPerformanceCounter() - Pacing.lastSwap);
  if (remaining <= 0.0) return true;
  const int milliseconds = static_cast<int>(remaining * 1000.0 + 0.5);
  return milliseconds == 0 || SDL_WaitEventTimeout(nullptr, milliseconds) == 0;
}

void AwaitMessage() { SDL_WaitEvent(nullptr); }
