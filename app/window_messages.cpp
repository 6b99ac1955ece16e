#include "app/window_messages.h"

#include <SDL.h>

#include "app/window.h"
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

bool PeekWindowMessage(WindowMessage& message) {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    HoldOffScreenSaverWhileFocused(event);
    if (TranslateEvent(event, message)) return true;
  }
  if (!QuitPosted) return false;
  QuitPosted = false;
  message = {WM_QUIT, static_cast<uintptr_t>(QuitCode), 0};
  return true;
}
