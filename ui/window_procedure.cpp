#include "ui/window_procedure.h"

#include "core/game_state.h"
#include "core/sound_bank.h"
#include "render/viewport.h"
#include "ui/hit_test.h"
#include "ui/key_commands.h"
#include "ui/platform.h"
#include "ui/screens.h"

namespace {

void StartGameAudio() {
  if (!StartAudio(Game.Window)) {
    ShowMessageBox("ERROR: Device is not found or busy.", "DirectSound", MessageButtons::Ok,
                   MessageIcon::Error);
  }
}

// Codes beyond the table are not the game's keys.
void SetKeyState(uintptr_t code, unsigned char down) {
  if (code < sizeof Game.KeyState) Game.KeyState[code] = down;
}

}  // namespace

intptr_t GameWindowProcedure(const WindowMessage& message) {
  // Pointer positions are the two unsigned words: a pointer left of or above the client area
  // gives large values, which lie inside no control.
  const auto position = static_cast<uintptr_t>(message.lParam);
  switch (message.message) {
    case WM_CREATE:
      StartGameAudio();
      break;
    case WM_ACTIVATE:
      Game.WindowActive = HighWord(message.wParam) == 0;  // the high word is set while minimised
      break;
    case WM_CLOSE:
      PostQuitMessage(0);
      break;
    case WM_SIZE:
      ResizeScene(LowWord(position), HighWord(position));
      break;
    case WM_KEYDOWN:
      SetKeyState(message.wParam, 1);
      TakeKeyDown(message.wParam, (HighWord(position) & KF_REPEAT) != 0);
      break;
    case WM_KEYUP:
      SetKeyState(message.wParam, 0);
      ReleaseKey(message.wParam);
      break;
    case WM_MOUSEMOVE: {
      const LayoutPoint at = PointerInLayout(LowWord(position), HighWord(position));
      if (PointerMoved(at.x, at.y)) MovePointer(at.x, at.y);
      break;
    }
    case WM_LBUTTONDOWN: {
      const LayoutPoint at = PointerInLayout(LowWord(position), HighWord(position));
      TakeHoverForPress(at.x, at.y);
      PressPointer(at.x, at.y);
      Game.ButtonReleased = false;
      break;
    }
    case WM_LBUTTONUP:
      Game.ButtonReleased = true;
      break;
    default:
      // Every other message needs nothing, the system commands among them: the screen-saver
      // and monitor-power ones are thus swallowed, so neither starts while the game has them.
      break;
  }
  return 0;
}
