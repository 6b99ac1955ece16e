// The window procedure's messages: the numbers and parameters of the original desktop API,
// so that input can be recorded, injected and replayed as plain records. No SDL here: the
// platform layer of app/ translates its events into these.
#pragma once

#include <cstdint>

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
// Flag of the high word of WM_KEYDOWN's second parameter: the key was already down, so the
// message repeats a held key.
constexpr int KF_REPEAT = 0x4000;

// Virtual-key codes of the keys the game reads; letters are their capitals' codes.
constexpr int VK_BACK = 8;
constexpr int VK_RETURN = 13;
constexpr int VK_ESCAPE = 27;
constexpr int VK_SPACE = 32;
constexpr int VK_LEFT = 37;
constexpr int VK_UP = 38;
constexpr int VK_RIGHT = 39;
constexpr int VK_DOWN = 40;
constexpr int VK_LWIN = 91;

constexpr intptr_t MakeLParam(int low, int high) {
  return static_cast<intptr_t>((static_cast<uint32_t>(low) & 0xFFFFu) |
                               ((static_cast<uint32_t>(high) & 0xFFFFu) << 16));
}
constexpr int LowWord(uintptr_t value) { return static_cast<int>(value & 0xFFFFu); }
constexpr int HighWord(uintptr_t value) { return static_cast<int>((value >> 16) & 0xFFFFu); }
