#include "tests/ui/ui_test.h"

namespace {

using WindowProcedure = UiTest;

TEST_F(WindowProcedure, AudioThatCannotStartIsReportedAndTheGameRunsOn) {
  for (bool started : {true, false}) {
    SetUp();
    fake_mixer::SetStartResult(started);
    Send(WM_CREATE, 0);
    EXPECT_EQ(fake_message_box::Shown().size(), started ? 0u : 1u);
  }
  const ShownBox& box = fake_message_box::Shown().at(0);
  EXPECT_EQ(box.text, "ERROR: Device is not found or busy.");
  EXPECT_EQ(box.caption, "DirectSound");
  EXPECT_EQ(box.buttons, MessageButtons::Ok);
  EXPECT_EQ(box.icon, MessageIcon::Error);
}

TEST_F(WindowProcedure, ShellAndKeyMessages) {
  Send(WM_ACTIVATE, WA_INACTIVE | 1u << 16);  // minimised
  EXPECT_FALSE(Game.WindowActive);
  Send(WM_ACTIVATE, WA_INACTIVE);  // another program in front, not minimised
  EXPECT_TRUE(Game.WindowActive);
  Send(WM_CLOSE, 0);
  EXPECT_EQ(fake_platform::Calls(), std::vector<std::string>{"PostQuitMessage(0)"});
  Send(WM_KEYDOWN, 256 + 'A');
  EXPECT_EQ(Game.KeyState['A'], 0) << "a code beyond the table";
  Send(WM_KEYDOWN, 'A');
  EXPECT_EQ(Game.KeyState['A'], 1);
  Send(WM_KEYUP, 'A');
  EXPECT_EQ(Game.KeyState['A'], 0);
}

}  // namespace
