#include <GL/gl.h>
#include <SDL.h>

#include <cstring>

#include "app/window.h"
#include "assets/texture_index.h"
#include "core/game_state.h"
#include "render/overlay.h"
#include "tests/render/scene_fixture.h"

namespace {

constexpr const char* QuestionText =
    "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode "
    "Instead?";

// Each test runs its own X server of the screen size it needs: Xvfb offers its screen size as
// its display mode, so an 800 by 600 screen takes the switch and a smaller one refuses it.
class DisplayModeTest : public SceneTest {
 protected:
  void SetUp() override { PrepareWithoutWindow(); }
  bool StartServer(const char* geometry) {
    server_ = std::make_unique<OwnXServer>(geometry);
    return server_->Running();
  }
  void TearDown() override {
    SceneTest::TearDown();
    server_.reset();
  }
  std::unique_ptr<OwnXServer> server_;
};

TEST_F(DisplayModeTest, FullscreenSwitchesTo800By600WhereTheDisplayHasThatMode) {
  if (!StartServer("800x600x24")) GTEST_SKIP() << "Xvfb is not available";
  ASSERT_TRUE(OpenWindow(true));
  EXPECT_TRUE(Game.Fullscreen);
  EXPECT_TRUE(boxes_.empty());
  SDL_Window* window = reinterpret_cast<SDL_Window*>(Game.Window);
  EXPECT_TRUE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN);
  SDL_DisplayMode mode{};
  ASSERT_EQ(SDL_GetWindowDisplayMode(window, &mode), 0);
  EXPECT_EQ(mode.w, 800);
  EXPECT_EQ(mode.h, 600);
  EXPECT_EQ(ClientWidth(), 800);
  EXPECT_EQ(ClientHeight(), 600);
}

TEST_F(DisplayModeTest, RefusedSwitchAnsweredYesRunsWindowedAtTheSameSize) {
  if (!StartServer("640x480x24")) GTEST_SKIP() << "Xvfb is not available";
  answers_ = {MessageAnswer::Yes};
  ASSERT_TRUE(OpenWindow(true));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, QuestionText);
  EXPECT_EQ(boxes_[0].caption, "Vantor GL");
  EXPECT_EQ(boxes_[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(boxes_[0].icon, MessageIcon::Exclamation);
  EXPECT_FALSE(Game.Fullscreen);
  EXPECT_FALSE(SDL_GetWindowFlags(reinterpret_cast<SDL_Window*>(Game.Window)) &
               SDL_WINDOW_FULLSCREEN);
  EXPECT_EQ(ClientWidth(), 800);
  EXPECT_EQ(ClientHeight(), 600);

  // The small layout is drawn stretched over the 800 by 600 client area: the Quit button's
  // middle (110, 40) of 640 by 480 lies at pixel (137, 550).
  Game.Screen = Playing;
  ClearFrame();
  glEnable(GL_DEPTH_TEST);
  DrawOverlay();
  EXPECT_EQ(ClientPixel(137, 550), TextureColour(TexQuitIdle));
}

TEST_F(DisplayModeTest, RefusedSwitchAnsweredNoClosesTheProgram) {
  if (!StartServer("640x480x24")) GTEST_SKIP() << "Xvfb is not available";
  answers_ = {MessageAnswer::No};
  EXPECT_FALSE(OpenWindow(true));
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].text, QuestionText);
  EXPECT_EQ(boxes_[1].text, "Program Will Now Close.");
  EXPECT_EQ(boxes_[1].caption, "ERROR");
  EXPECT_EQ(boxes_[1].buttons, MessageButtons::Ok);
  EXPECT_EQ(boxes_[1].icon, MessageIcon::Stop);
  EXPECT_EQ(Game.Window, nullptr);
}

void SetUpGameInProgress() {
  Game.Screen = Options;
  Game.Score = 4321;
  Game.Level = 3;
  Game.Board[5][2] = 7;
  std::strcpy(Game.HighScoreTables[1][0].name, "Zed$$$$$$");
  Game.HighScoreTables[1][0].score = 999;
  Game.DisplayModeSetting = 1;
}

void ExpectGameKept() {
  EXPECT_EQ(Game.Screen, Options);
  EXPECT_EQ(Game.Score, 4321);
  EXPECT_EQ(Game.Level, 3);
  EXPECT_EQ(Game.Board[5][2], 7);
  EXPECT_STREQ(Game.HighScoreTables[1][0].name, "Zed$$$$$$");
  EXPECT_EQ(Game.HighScoreTables[1][0].score, 999);
  EXPECT_EQ(Game.QuitRequested, 0);
}

TEST_F(DisplayModeTest, ChangingModeRebuildsEveryGlResourceAndKeepsTheGame) {
  if (!StartServer("800x600x24")) GTEST_SKIP() << "Xvfb is not available";
  ASSERT_TRUE(OpenWindow(false));
  SetUpGameInProgress();

  ChangeDisplayMode();
  ASSERT_TRUE(Game.Fullscreen);
  EXPECT_EQ(ClientWidth(), 800);
  ExpectGameKept();
  EXPECT_TRUE(boxes_.empty());
  // Textures, lists and font of the new context: the options panel, its rows and the score
  // are drawn from them.
  for (int index = 0; index < TextureCount; ++index) EXPECT_TRUE(glIsTexture(Game.TextureSet[index]));
  EXPECT_TRUE(glIsList(Game.BackgroundQuadList));
  EXPECT_TRUE(glIsList(Game.FontBase + 255));
  ClearFrame();
  glEnable(GL_DEPTH_TEST);
  DrawOverlay();
  EXPECT_EQ(LayoutPixel(287 + 128, 350 + 16), TextureColour(TexDisplayRowFullscreen));
  EXPECT_EQ(LayoutPixel(5, 5), TextureColour(TexBackdropImage));

  Game.DisplayModeSetting = 0;
  ChangeDisplayMode();
  ASSERT_FALSE(Game.Fullscreen);
  EXPECT_EQ(ClientWidth(), 640);
  EXPECT_EQ(ClientHeight(), 480);
  Game.DisplayModeSetting = 1;
  ExpectGameKept();
  ClearFrame();
  glEnable(GL_DEPTH_TEST);
  DrawOverlay();
  EXPECT_EQ(LayoutPixel(287 + 128, 350 + 16), TextureColour(TexDisplayRowFullscreen));
}

TEST_F(DisplayModeTest, RefusedChangeAnsweredNoEndsTheProgram) {
  if (!StartServer("640x480x24")) GTEST_SKIP() << "Xvfb is not available";
  ASSERT_TRUE(OpenWindow(false));
  answers_ = {MessageAnswer::No};
  ChangeDisplayMode();
  EXPECT_EQ(Game.QuitRequested, 1);
  EXPECT_EQ(Game.Window, nullptr);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[1].text, "Program Will Now Close.");
}

}  // namespace
