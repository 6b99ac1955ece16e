#include <SDL.h>
#include <gtest/gtest.h>

#include "app/window_messages.h"
#include "ui/platform.h"

namespace {

SDL_Event KeyEvent(Uint32 type, SDL_Keycode key, Uint16 modifiers = KMOD_NONE) {
  SDL_Event event{};
  event.type = type;
  event.key.type = type;
  event.key.keysym.sym = key;
  event.key.keysym.mod = modifiers;
  return event;
}

SDL_Event WindowEvent(Uint8 what, int data1 = 0, int data2 = 0) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = what;
  event.window.data1 = data1;
  event.window.data2 = data2;
  return event;
}

TEST(TranslateEvent, KeysBecomeVirtualKeyCodes) {
  const struct {
    SDL_Keycode key;
    int code;
  } keys[] = {{SDLK_ESCAPE, 27}, {SDLK_RETURN, 13}, {SDLK_KP_ENTER, 13}, {SDLK_SPACE, 32},
              {SDLK_BACKSPACE, 8}, {SDLK_a, 65},     {SDLK_p, 80},        {SDLK_z, 90},
              {SDLK_LGUI, 91}};
  for (const auto& key : keys) {
    WindowMessage message;
    ASSERT_TRUE(TranslateEvent(KeyEvent(SDL_KEYDOWN, key.key), message)) << key.code;
    EXPECT_EQ(message.message, WM_KEYDOWN);
    EXPECT_EQ(message.wParam, static_cast<uintptr_t>(key.code));
    ASSERT_TRUE(TranslateEvent(KeyEvent(SDL_KEYUP, key.key), message));
    EXPECT_EQ(message.message, WM_KEYUP);
    EXPECT_EQ(message.wParam, static_cast<uintptr_t>(key.code));
  }
}

TEST(TranslateEvent, SystemKeysAndUnknownKeysAreNotGameKeys) {
  WindowMessage message;
  EXPECT_FALSE(TranslateEvent(KeyEvent(SDL_KEYDOWN, SDLK_a, KMOD_LALT), message));
  EXPECT_FALSE(TranslateEvent(KeyEvent(SDL_KEYDOWN, SDLK_F10), message));
  EXPECT_FALSE(TranslateEvent(KeyEvent(SDL_KEYDOWN, SDLK_LALT), message));
  EXPECT_FALSE(TranslateEvent(KeyEvent(SDL_KEYUP, SDLK_F10), message));
  EXPECT_FALSE(TranslateEvent(KeyEvent(SDL_KEYDOWN, SDLK_AUDIOPLAY), message));
  // A key let go while Alt is held still comes up, so that it cannot stay down in the game.
  ASSERT_TRUE(TranslateEvent(KeyEvent(SDL_KEYUP, SDLK_a, KMOD_LALT), message));
  EXPECT_EQ(message.message, WM_KEYUP);
  // Auto-repeat arrives as further key-down messages.
  SDL_Event repeat = KeyEvent(SDL_KEYDOWN, SDLK_p);
  repeat.key.repeat = 1;
  ASSERT_TRUE(TranslateEvent(repeat, message));
  EXPECT_EQ(message.message, WM_KEYDOWN);
  EXPECT_EQ(message.lParam, MakeLParam(0, KF_REPEAT));
  // Shift or Caps Lock do not change the letter's code.
  ASSERT_TRUE(TranslateEvent(KeyEvent(SDL_KEYDOWN, SDLK_q, KMOD_LSHIFT), message));
  EXPECT_EQ(message.wParam, 81u);
}

TEST(TranslateEvent, PointerPositionIsPackedIntoTheSecondParameter) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.x = 612;
  event.motion.y = 447;
  event.motion.state = SDL_BUTTON_LMASK;
  WindowMessage message;
  ASSERT_TRUE(TranslateEvent(event, message));
  EXPECT_EQ(message.message, WM_MOUSEMOVE);
  EXPECT_EQ(message.wParam, MK_LBUTTON);
  EXPECT_EQ(message.lParam, 612 | (447 << 16));

  event = {};
  event.type = SDL_MOUSEBUTTONDOWN;
  event.button.button = SDL_BUTTON_LEFT;
  event.button.x = 3;
  event.button.y = 599;
  ASSERT_TRUE(TranslateEvent(event, message));
  EXPECT_EQ(message.message, WM_LBUTTONDOWN);
  EXPECT_EQ(LowWord(static_cast<uintptr_t>(message.lParam)), 3);
  EXPECT_EQ(HighWord(static_cast<uintptr_t>(message.lParam)), 599);
  event.type = SDL_MOUSEBUTTONUP;
  ASSERT_TRUE(TranslateEvent(event, message));
  EXPECT_EQ(message.message, WM_LBUTTONUP);
  event.button.button = SDL_BUTTON_RIGHT;
  EXPECT_FALSE(TranslateEvent(event, message));
}

TEST(TranslateEvent, WindowEventsBecomeCloseActivateAndSize) {
  WindowMessage message;
  ASSERT_TRUE(TranslateEvent(WindowEvent(SDL_WINDOWEVENT_CLOSE), message));
  EXPECT_EQ(message.message, WM_CLOSE);
  ASSERT_TRUE(TranslateEvent(WindowEvent(SDL_WINDOWEVENT_MINIMIZED), message));
  EXPECT_EQ(message.message, WM_ACTIVATE);
  EXPECT_EQ(HighWord(message.wParam), 1);
  ASSERT_TRUE(TranslateEvent(WindowEvent(SDL_WINDOWEVENT_RESTORED), message));
  EXPECT_EQ(message.message, WM_ACTIVATE);
  EXPECT_EQ(HighWord(message.wParam), 0);
  EXPECT_EQ(LowWord(message.wParam), static_cast<int>(WA_ACTIVE));
  ASSERT_TRUE(TranslateEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), message));
  EXPECT_EQ(message.message, WM_ACTIVATE);
  EXPECT_EQ(message.wParam, WA_INACTIVE);
  ASSERT_TRUE(TranslateEvent(WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 800, 600), message));
  EXPECT_EQ(message.message, WM_SIZE);
  EXPECT_EQ(message.lParam, MakeLParam(800, 600));
  EXPECT_FALSE(TranslateEvent(WindowEvent(SDL_WINDOWEVENT_MOVED), message));

  SDL_Event quit{};
  quit.type = SDL_QUIT;
  ASSERT_TRUE(TranslateEvent(quit, message));
  EXPECT_EQ(message.message, WM_CLOSE);
}

TEST(PeekWindowMessage, QuitComesAfterThePendingMessagesWithItsExitCode) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);
  WindowMessage message;
  while (PeekWindowMessage(message)) {
  }
  PostQuitMessage(3);
  SDL_Event event = KeyEvent(SDL_KEYDOWN, SDLK_b);
  SDL_PushEvent(&event);
  ASSERT_TRUE(PeekWindowMessage(message));
  EXPECT_EQ(message.message, WM_KEYDOWN);
  ASSERT_TRUE(PeekWindowMessage(message));
  EXPECT_EQ(message.message, WM_QUIT);
  EXPECT_EQ(message.wParam, 3u);
  EXPECT_FALSE(PeekWindowMessage(message));
  SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

intptr_t Doubling(const WindowMessage& message) { return static_cast<intptr_t>(message.wParam) * 2; }

TEST(DispatchWindowMessage, GoesToTheInstalledProcedure) {
  SetWindowProcedure(Doubling);
  EXPECT_EQ(DispatchWindowMessage({WM_KEYDOWN, 21, 0}), 42);
  SetWindowProcedure(nullptr);
  EXPECT_EQ(DispatchWindowMessage({WM_KEYDOWN, 21, 0}), 0);
}

}  // namespace
