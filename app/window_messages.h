// The window procedure's messages. SDL events are translated into the messages of the
// original desktop API, with their numbers and parameters, and handed to one settable window
// procedure, so input can be recorded, injected and replayed as plain records.
#pragma once

#include <cstdint>

union SDL_Event;

struct WindowMessage {
  uint32_t message = 0;
  uintptr_t wParam = 0;
  intptr_t lParam = 0;
};

constexpr uint32_t WM_CREATE = 0x0001;
constexpr uint32_t WM_SIZE = 0x0005;
constexpr uint32_t WM_ACTIVATE = 0x0006;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_SYSCOMMAND = 0x0112;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;

// First parameter of WM_ACTIVATE (low word; the high word is 1 while minimised).
constexpr uintptr_t WA_INACTIVE = 0;
constexpr uintptr_t WA_ACTIVE = 1;
// System commands that would start the screen saver or power the monitor down.
constexpr uintptr_t SC_SCREENSAVE = 0xF140;
constexpr uintptr_t SC_MONITORPOWER = 0xF170;
// First parameter of the mouse messages: the left button is down.
constexpr uintptr_t MK_LBUTTON = 0x0001;

// Virtual-key codes of the keys the game reads.
constexpr int VK_BACK = 8;
constexpr int VK_RETURN = 13;
constexpr int VK_ESCAPE = 27;
constexpr int VK_SPACE = 32;
constexpr int VK_LWIN = 91;

constexpr intptr_t MakeLParam(int low, int high) {
  return static_cast<intptr_t>((static_cast<uint32_t>(low) & 0xFFFFu) |
                               ((static_cast<uint32_t>(high) & 0xFFFFu) << 16));
}
constexpr int LowWord(uintptr_t value) { return static_cast<int>(value & 0xFFFFu); }
constexpr int HighWord(uintptr_t value) { return static_cast<int>((value >> 16) & 0xFFFFu); }

// The game's window procedure; returns the message's result.
using WindowProcedure = intptr_t (*)(const WindowMessage& message);

// Installs the procedure that receives every message; null restores the default procedure.
void SetWindowProcedure(WindowProcedure procedure);
// Hands one message to the installed procedure.
intptr_t DispatchWindowMessage(const WindowMessage& message);
// Default processing: the window messages of the shell (HandleWindowMessage); 0 for the rest.
intptr_t DefaultWindowProcedure(const WindowMessage& message);

// Turns one SDL event into a message; false when the event means nothing to the game.
bool TranslateEvent(const SDL_Event& event, WindowMessage& message);

// Asks the loop to end: the next PeekWindowMessage that finds no other message returns
// WM_QUIT with the exit code as its first parameter.
void PostQuitMessage(int exitCode);
// Takes the next message off the queue; false when the queue is empty.
bool PeekWindowMessage(WindowMessage& message);
