#include "app/outside_ends.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "app/main_loop.h"
#include "app/window.h"
#include "core/message_box.h"

namespace {

constexpr const char* HiddenDrivers[] = {"offscreen", "dummy", "evdev"};

pid_t GameProcess = 0;

// SDL turns SIGTERM into a request to close, which the loop takes like the close box.
void EndAsOnSigterm(int) { raise(SIGTERM); }

// Called by Xlib when the X server is gone. It must not return into Xlib, and no X call may
// follow: the files are written with file calls alone. Children forked by the game's libraries
// share the handler and only end.
int StoreOnLostDisplay(Display*) {
  if (getpid() != GameProcess) _exit(1);
  StoreFilesAtExit();
  std::fprintf(stderr, "quillary: the connection to the display was lost\n");
  _exit(1);
}

bool IsHiddenDriver(const char* driver) {
  for (const char* hidden : HiddenDrivers) {
    if (std::strcmp(driver, hidden) == 0) return true;
  }
  return false;
}

}  // namespace

void PrepareForEndsFromOutside() {
  GameProcess = getpid();
  signal(SIGXFSZ, SIG_IGN);
  // A game started to outlive its terminal (nohup) keeps SIGHUP ignored.
  struct sigaction action{};
  sigaction(SIGHUP, nullptr, &action);
  if (action.sa_handler != SIG_IGN) {
    action.sa_handler = EndAsOnSigterm;
    sigaction(SIGHUP, &action, nullptr);
  }
  StoreAndEndOnSignalDuringBoxes(StoreFilesAtExit);
  XSetIOErrorHandler(StoreOnLostDisplay);
}

bool FindVisibleDisplay() {
  if (!StartVideo()) {
    std::fprintf(stderr, "quillary: no display to show the game on: %s\n", SDL_GetError());
    return false;
  }
  const char* driver = SDL_GetCurrentVideoDriver();
  const bool visible = driver && !IsHiddenDriver(driver);
  if (visible) {
    // The video stays started for the game's windows, which saves starting it a second time.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
    return true;
  }
  std::fprintf(stderr, "quillary: no display to show the game on (is DISPLAY set?)\n");
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  return false;
}
