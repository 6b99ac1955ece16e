#include "app/window_messages.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>

#include "app/window.h"
#include "core/game_state.h"
#include "render/picture.h"
#include "ui/platform.h"

namespace {

WindowProcedure Procedure = nullptr;
bool QuitPosted = false;
int QuitCode = 0;

// Virtual-key code of a key, 0 for keys the game has no code for. Letters go by the key's
// meaning on the player's keyboard layout, not by its place on the keyboard.
int VirtualKey(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return 112 + (key - SDLK_F1);
  switch (key) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return 9;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return 16;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return 17;
    case SDLK_PAUSE: return 19;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_PAGEUP: return 33;
    case SDLK_PAGEDOWN: return 34;
    case SDLK_END: return 35;
    case SDLK_HOME: return 36;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_INSERT: return 45;
    case SDLK_DELETE: return 46;
    case SDLK_LGUI: return VK_LWIN;
    case SDLK_RGUI: return 92;
    default: return 0;
  }
}

// F10, and keys pressed with Alt held, are system keys: they never reach the game as key
// messages. A release always does, so that no key stays down in the game's key flags when
// Alt goes down before the key comes up.
bool TranslateKey(const SDL_KeyboardEvent& key, WindowMessage& message) {
  if (key.keysym.sym == SDLK_F10) return false;
  if (key.type == SDL_KEYDOWN && (key.keysym.mod & KMOD_ALT)) return false;
  const int code = VirtualKey(key.keysym.sym);
  if (code == 0) return false;
  message.message = key.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP;
  message.wParam = static_cast<uintptr_t>(code);
  message.lParam = key.type == SDL_KEYDOWN && key.repeat ? MakeLParam(0, KF_REPEAT) : 0;
  return true;
}

// A game controller's buttons and the keys they stand for: A for Enter, B for Esc, Y for
// the Hint button's H, Start for the pause key P and Back for the Options button's O.
struct PadButton {
  Uint8 button;
  int key;
};
constexpr PadButton PadButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, VK_RETURN}, {SDL_CONTROLLER_BUTTON_B, VK_ESCAPE},
    {SDL_CONTROLLER_BUTTON_Y, 'H'},       {SDL_CONTROLLER_BUTTON_START, 'P'},
    {SDL_CONTROLLER_BUTTON_BACK, 'O'},
};

// A pad has no letters to type: on the name entry the buttons that stand for letters give
// nothing, and A confirms the name. A release always comes through, as for the keyboard.
bool TranslatePadButton(const SDL_ControllerButtonEvent& event, WindowMessage& message) {
  const bool down = event.type == SDL_CONTROLLERBUTTONDOWN;
  for (const PadButton& pad : PadButtons) {
    if (pad.button != event.button) continue;
    if (down && Game.Screen == NameEntry && pad.key >= 'A' && pad.key <= 'Z') return false;
    message = {down ? WM_KEYDOWN : WM_KEYUP, static_cast<uintptr_t>(pad.key), 0};
    return true;
  }
  return false;
}

// The arrow that the pads hold: the d-pad's, else the left stick's once tilted past the dead
// zone along its larger axis. It goes down, repeats and comes up as a held arrow key does.
constexpr int StickDeadZone = 16000;    // of 32767: about half the tilt
constexpr Uint64 RepeatDelay = 400;     // milliseconds from the key-down to the first repeat
constexpr Uint64 RepeatInterval = 125;  // milliseconds between repeats

int DpadArrow = 0;
int StickX = 0;
int StickY = 0;
int ArrowDown = 0;  // the arrow given as down and not yet as up
Uint64 NextRepeat = 0;

int DpadButtonArrow(Uint8 button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return VK_LEFT;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return VK_UP;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return VK_RIGHT;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return VK_DOWN;
    default: return 0;
  }
}

int StickArrow() {
  if (std::max(std::abs(StickX), std::abs(StickY)) < StickDeadZone) return 0;
  if (std::abs(StickX) >= std::abs(StickY)) return StickX < 0 ? VK_LEFT : VK_RIGHT;
  return StickY < 0 ? VK_UP : VK_DOWN;
}

void FollowPadDirection(const SDL_Event& event) {
  if (event.type == SDL_CONTROLLERAXISMOTION) {
    if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) StickX = event.caxis.value;
    if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) StickY = event.caxis.value;
  } else if (event.type == SDL_CONTROLLERBUTTONDOWN || event.type == SDL_CONTROLLERBUTTONUP) {
    const int arrow = DpadButtonArrow(event.cbutton.button);
    if (arrow == 0) return;
    if (event.type == SDL_CONTROLLERBUTTONDOWN) {
      DpadArrow = arrow;
    } else if (DpadArrow == arrow) {
      DpadArrow = 0;
    }
  }
}

// The next message of the pads' arrow, if one is due: the old arrow up before a new one
// goes down, then repeats while it is held.
bool PadArrowMessage(WindowMessage& message) {
  const int held = DpadArrow != 0 ? DpadArrow : StickArrow();
  const Uint64 now = SDL_GetTicks64();
  if (ArrowDown != 0 && ArrowDown != held) {
    message = {WM_KEYUP, static_cast<uintptr_t>(ArrowDown), 0};
    ArrowDown = 0;
  } else if (ArrowDown == 0 && held != 0) {
    message = {WM_KEYDOWN, static_cast<uintptr_t>(held), 0};
    ArrowDown = held;
    NextRepeat = now + RepeatDelay;
  } else if (ArrowDown != 0 && now >= NextRepeat) {
    message = {WM_KEYDOWN, static_cast<uintptr_t>(ArrowDown), MakeLParam(0, KF_REPEAT)};
    NextRepeat = now + RepeatInterval;
  } else {
    return false;
  }
  return true;
}

// Pads are opened as they come, those present at start too (the subsystem announces them
// when it starts), and closed as they go.
void KeepControllersOpen(const SDL_Event& event) {
  if (event.type == SDL_CONTROLLERDEVICEADDED) SDL_GameControllerOpen(event.cdevice.which);
  if (event.type == SDL_CONTROLLERDEVICEREMOVED)
    SDL_GameControllerClose(SDL_GameControllerFromInstanceID(event.cdevice.which));
}

bool WindowMinimised(Uint32 windowId) {
  SDL_Window* window = SDL_GetWindowFromID(windowId);
  return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED);
}

bool TranslateWindowEvent(const SDL_WindowEvent& event, WindowMessage& message) {
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      message = {WM_CLOSE, 0, 0};
      return true;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      message = {WM_SIZE, 0, MakeLParam(event.data1, event.data2)};
      return true;
    case SDL_WINDOWEVENT_MINIMIZED:
      message = {WM_ACTIVATE, WA_INACTIVE | (1u << 16), 0};
      return true;
    case SDL_WINDOWEVENT_RESTORED:
      message = {WM_ACTIVATE, WA_ACTIVE, 0};
      return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST: {
      // Switching to another program without minimising keeps the game active.
      const uintptr_t minimised = WindowMinimised(event.windowID) ? 1 : 0;
      const uintptr_t state = event.event == SDL_WINDOWEVENT_FOCUS_GAINED ? WA_ACTIVE : WA_INACTIVE;
      message = {WM_ACTIVATE, state | (minimised << 16), 0};
      return true;
    }
    default:
      return false;
  }
}

// The screen saver and the monitor's power saving stay off only while the game window has the
// keyboard focus, as while it is the active window on the desktop.
void HoldOffScreenSaverWhileFocused(const SDL_Event& event) {
  if (event.type != SDL_WINDOWEVENT) return;
  if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) SDL_DisableScreenSaver();
  if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST ||
      event.window.event == SDL_WINDOWEVENT_MINIMIZED)
    SDL_EnableScreenSaver();
}

}  // namespace

void SetWindowProcedure(WindowProcedure procedure) { Procedure = procedure; }

intptr_t DispatchWindowMessage(const WindowMessage& message) {
  return Procedure ? Procedure(message) : DefaultWindowProcedure(message);
}

intptr_t DefaultWindowProcedure(const WindowMessage&) { return 0; }

bool TranslateEvent(const SDL_Event& event, WindowMessage& message) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      return TranslateKey(event.key, message);
    case SDL_MOUSEMOTION:
      message = {WM_MOUSEMOVE, (event.motion.state & SDL_BUTTON_LMASK) ? MK_LBUTTON : 0,
                 MakeLParam(event.motion.x, event.motion.y)};
      return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (event.button.button != SDL_BUTTON_LEFT) return false;
      message = {event.type == SDL_MOUSEBUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONUP,
                 event.type == SDL_MOUSEBUTTONDOWN ? MK_LBUTTON : 0,
                 MakeLParam(event.button.x, event.button.y)};
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      return TranslatePadButton(event.cbutton, message);
    case SDL_WINDOWEVENT:
      return TranslateWindowEvent(event.window, message);
    case SDL_QUIT:
      // A request to end from outside the window (a signal): handled like the close box.
      message = {WM_CLOSE, 0, 0};
      return true;
    default:
      return false;
  }
}

void PostQuitMessage(int exitCode) {
  QuitPosted = true;
  QuitCode = exitCode;
}

// The pads' arrow is taken up as its events come, so that presses keep their order.
bool PeekWindowMessage(WindowMessage& message) {
  if (PadArrowMessage(message)) return true;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    HoldOffScreenSaverWhileFocused(event);
    // Uncovered without a compositor, the window has lost its picture: the next frame draws.
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED)
      ForgetShownPicture();
    KeepControllersOpen(event);
    FollowPadDirection(event);
    if (TranslateEvent(event, message) || PadArrowMessage(message)) return true;
  }
  if (!QuitPosted) return false;
  QuitPosted = false;
  message = {WM_QUIT, static_cast<uintptr_t>(QuitCode), 0};
  return true;
}

void OpenGameControllers() {
  if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER)) SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
}
