#include <SDL.h>
#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "app/window_messages.h"
#include "core/game_state.h"
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

// The messages the queue gives now, as (message, key, whether a repeat).
using Sequence = std::vector<std::tuple<uint32_t, uintptr_t, bool>>;
Sequence Messages() {
  Sequence messages;
  for (WindowMessage m; PeekWindowMessage(m);)
    messages.emplace_back(m.message, m.wParam, m.lParam == MakeLParam(0, KF_REPEAT));
  return messages;
}

// A game controller as SDL's virtual joystick with SDL's own mapping, so no hardware is
// needed, plugged in before the game listens for controllers.
TEST(GameController, ButtonsStickAndPadGiveKeyMessages) {
  Game = GameState{};
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  const int device = SDL_JoystickAttachVirtualEx(&desc);
  OpenGameControllers();
  EXPECT_TRUE(Messages().empty());
  SDL_Joystick* pad = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(device));
  ASSERT_NE(pad, nullptr) << "the game did not open the pad";

  // On the name entry, the buttons that stand for letters give nothing.
  const std::pair<int, uintptr_t> buttons[] = {
      {SDL_CONTROLLER_BUTTON_A, VK_RETURN}, {SDL_CONTROLLER_BUTTON_B, VK_ESCAPE},
      {SDL_CONTROLLER_BUTTON_Y, 'H'}, {SDL_CONTROLLER_BUTTON_START, 'P'},
      {SDL_CONTROLLER_BUTTON_BACK, 'O'}};
  for (const int screen : {int{Playing}, int{NameEntry}}) {
    Game.Screen = screen;
    for (const auto& [button, key] : buttons) {
      SDL_JoystickSetVirtualButton(pad, button, 1);
      const bool given = screen == Playing || key == VK_RETURN || key == VK_ESCAPE;
      EXPECT_EQ(Messages(), (given ? Sequence{{WM_KEYDOWN, key, false}} : Sequence{})) << button;
      SDL_JoystickSetVirtualButton(pad, button, 0);
      EXPECT_EQ(Messages(), (Sequence{{WM_KEYUP, key, false}})) << button;
    }
  }

  // The stick past its dead zone and the d-pad are arrows held down, repeating.
  SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, -12000);
  EXPECT_TRUE(Messages().empty());
  SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, -30000);
  EXPECT_EQ(Messages(), (Sequence{{WM_KEYDOWN, VK_LEFT, false}}));
  SDL_Delay(450);
  EXPECT_EQ(Messages(), (Sequence{{WM_KEYDOWN, VK_LEFT, true}}));
  SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 0);
  SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, 30000);
  EXPECT_EQ(Messages(), (Sequence{{WM_KEYUP, VK_LEFT, false}, {WM_KEYDOWN, VK_DOWN, false}}));
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_UP, 1);
  SDL_JoystickUpdate();  // queued before the next press
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 1);
  EXPECT_EQ(Messages(), (Sequence{{WM_KEYUP, VK_DOWN, false}, {WM_KEYDOWN, VK_UP, false},
                                  {WM_KEYDOWN, VK_RETURN, false}}))
      << "the d-pad goes before the stick, and before a later press";
  SDL_JoystickDetachVirtual(device);
  EXPECT_EQ(Messages(), (Sequence{{WM_KEYUP, VK_RETURN, false}, {WM_KEYUP, VK_UP, false}}))
      << "a pad pulled out lets go of everything";
}

}  // namespace
