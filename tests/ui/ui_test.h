// Shared set-up for the tests of ui/: a fresh game on the 640 by 480 layout, Levels the mode,
// music and effects on; recording mixer, platform and message boxes; a private user folder.
// Input goes in as window messages.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "tests/support/fake_message_box.h"
#include "tests/support/fake_mixer.h"
#include "tests/support/fake_platform.h"
#include "ui/window_procedure.h"

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::remove_all(dataHome);
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    Game = GameState{};
    Game.SoundOn = Game.MusicOn = 1;
    Game.LevelsButton = ButtonPressed;
    fake_mixer::Reset();
    AssignTestSoundHandles();
    fake_platform::Reset();
    fake_message_box::Reset();
  }
  void TearDown() override { std::filesystem::remove_all(dataHome); }

  const std::filesystem::path dataHome =
      std::filesystem::temp_directory_path() / ("quillary-ui-test-" + std::to_string(getpid()));
};

inline void Send(uint32_t message, uintptr_t wParam, intptr_t lParam = 0) {
  GameWindowProcedure({message, wParam, lParam});
}
inline void Move(int x, int y) { Send(WM_MOUSEMOVE, 0, MakeLParam(x, y)); }
inline void Press(int x, int y) {
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y));
  Send(WM_LBUTTONUP, 0, MakeLParam(x, y));
}
