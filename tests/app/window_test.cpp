#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "app/scene.h"
#include "app/window.h"
#include "assets/texture_index.h"
#include "render/viewport.h"
#include "ui/window_procedure.h"
#include "core/game_state.h"
#include "render/board_scene.h"
#include "storage/high_scores.h"
#include "tests/render/scene_fixture.h"

namespace {

class WindowTest : public SceneTest {};

TEST_F(WindowTest, OpensA640By480WindowWithACompatibilityContext) {
  SDL_Window* window = reinterpret_cast<SDL_Window*>(Game.Window);
  ASSERT_NE(window, nullptr);
  EXPECT_STREQ(SDL_GetWindowTitle(window), "Quillary");
  EXPECT_EQ(ClientWidth(), 640);
  EXPECT_EQ(ClientHeight(), 480);
  EXPECT_FALSE(Game.Fullscreen);
  EXPECT_FALSE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN);
  EXPECT_TRUE(SDL_GetWindowFlags(window) & SDL_WINDOW_RESIZABLE);
  int profile = 0;
  SDL_GL_GetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, &profile);
  EXPECT_NE(profile, SDL_GL_CONTEXT_PROFILE_CORE);
  GLint depthBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  EXPECT_GE(depthBits, 16);
  GLboolean doubleBuffer = GL_FALSE;
  glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffer);
  EXPECT_TRUE(doubleBuffer);
  GLint redBits = 0;
  glGetIntegerv(GL_RED_BITS, &redBits);
  EXPECT_GE(redBits, 8);
  // Immediate mode works: the fixed-function pipeline is there.
  glBegin(GL_QUADS);
  glVertex2f(0, 0);
  glVertex2f(1, 0);
  glVertex2f(1, 1);
  glVertex2f(0, 1);
  glEnd();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_TRUE(boxes_.empty());
}

void ExpectLight(GLenum light, GLenum name, std::vector<float> expected) {
  GLfloat value[4];
  glGetLightfv(light, name, value);
  for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(value[i], expected[i]) << "light " << light << " parameter " << name;
}

TEST_F(WindowTest, SceneLoadSetsTheFixedStateAndThreeLights) {
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  for (const float channel : clear) EXPECT_EQ(channel, 0.0f);
  GLint value = 0;
  glGetIntegerv(GL_DEPTH_FUNC, &value);
  EXPECT_EQ(value, GL_LEQUAL);
  glGetIntegerv(GL_BLEND_SRC, &value);
  EXPECT_EQ(value, GL_SRC_ALPHA);
  glGetIntegerv(GL_BLEND_DST, &value);
  EXPECT_EQ(value, GL_ONE);
  glGetIntegerv(GL_SHADE_MODEL, &value);
  EXPECT_EQ(value, GL_SMOOTH);
  for (const GLenum on :
       {GL_LIGHT1, GL_LIGHT2, GL_LIGHTING, GL_COLOR_MATERIAL, GL_TEXTURE_2D, GL_DEPTH_TEST}) {
    EXPECT_TRUE(glIsEnabled(on)) << on;
  }
  for (const GLenum off : {GL_LIGHT0, GL_LIGHT3, GL_BLEND}) {
    EXPECT_FALSE(glIsEnabled(off)) << off;
  }
  ExpectLight(GL_LIGHT1, GL_AMBIENT, {0.9f, 0.9f, 0.9f, 1.0f});
  ExpectLight(GL_LIGHT1, GL_DIFFUSE, {1.0f, 1.0f, 1.0f, 1.0f});
  ExpectLight(GL_LIGHT1, GL_POSITION, {0.0f, 0.0f, -10.0f, 1.0f});
  ExpectLight(GL_LIGHT2, GL_AMBIENT, {0.0f, 0.0f, 0.0f, 1.0f});
  ExpectLight(GL_LIGHT2, GL_DIFFUSE, {0.2f, 0.0f, 0.0f, 1.0f});
  ExpectLight(GL_LIGHT2, GL_POSITION, {0.5f, 0.0f, 0.0f, 1.0f});
  ExpectLight(GL_LIGHT3, GL_AMBIENT, {0.1f, 0.1f, 0.1f, 1.0f});
  ExpectLight(GL_LIGHT3, GL_DIFFUSE, {0.7f, 0.7f, 0.7f, 1.0f});
  ExpectLight(GL_LIGHT3, GL_POSITION, {0.0f, 0.0f, -5.0f, 1.0f});
  for (int index = 0; index < TextureCount; ++index) EXPECT_TRUE(glIsTexture(Game.TextureSet[index]));
  EXPECT_TRUE(glIsList(Game.BackgroundQuadList));
  EXPECT_TRUE(glIsList(Game.FontBase));
}

TEST_F(WindowTest, FirstSceneLoadChoosesLevelsAndAsksToResume) {
  EXPECT_EQ(Game.ModeIndex, Levels);
  EXPECT_EQ(Game.LevelsButton, 2);
  EXPECT_EQ(Game.TimedButton, 0);
  EXPECT_EQ(Game.Screen, ResumePrompt);
  EXPECT_FALSE(Game.FirstSceneInit);

  // A later load keeps the game's choices.
  Game.Screen = Options;
  Game.ModeIndex = Timed;
  Game.TimedButton = 2;
  Game.LevelsButton = 0;
  ASSERT_TRUE(InitScene());
  EXPECT_EQ(Game.Screen, Options);
  EXPECT_EQ(Game.ModeIndex, Timed);
  EXPECT_EQ(Game.TimedButton, 2);
}

TEST_F(WindowTest, FirstSceneLoadReadsSortsAndStoresTheHighScoresOnce) {
  DestroyGameWindow();
  Game = GameState{};
  std::strcpy(Game.HighScoreTables[1][0].name, "Low$$$$$$");
  Game.HighScoreTables[1][0].score = 10;
  std::strcpy(Game.HighScoreTables[1][3].name, "High$$$$$");
  Game.HighScoreTables[1][3].score = 900;
  SortSaveReloadHighScores();  // the player's file from an earlier run
  Game = GameState{};
  ASSERT_TRUE(OpenWindow(false));
  EXPECT_STREQ(Game.HighScoreTables[1][0].name, "High$$$$$");
  EXPECT_EQ(Game.HighScoreTables[1][0].score, 900);
  EXPECT_EQ(Game.HighScoreTables[1][1].score, 10);

  // A later scene load leaves the tables in memory alone.
  Game.HighScoreTables[1][0].score = 5;
  ASSERT_TRUE(InitScene());
  EXPECT_EQ(Game.HighScoreTables[1][0].score, 5);
}

// The picture of a client area one pixel high is a single pixel, square.
TEST_F(WindowTest, ResizeSetsViewportAndPerspectiveAndTakesZeroHeightAsOne) {
  ResizeScene(320, 0);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 1);
  EXPECT_EQ(viewport[3], 1);
  EXPECT_EQ(Game.ClientHeight, 1);
  const GlMatrix projection = CurrentMatrix(GL_PROJECTION_MATRIX);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, 1.0, 0.1f, 100.0);
  EXPECT_EQ(projection, CurrentMatrix(GL_PROJECTION_MATRIX));
  glMatrixMode(GL_MODELVIEW);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(WindowTest, TheGameProcedureActivatesResizesAndClosesThroughTheShell) {
  GameWindowProcedure({WM_ACTIVATE, WA_INACTIVE | (1u << 16), 0});
  EXPECT_FALSE(Game.WindowActive);
  GameWindowProcedure({WM_ACTIVATE, WA_ACTIVE, 0});
  EXPECT_TRUE(Game.WindowActive);

  GameWindowProcedure({WM_SIZE, 0, MakeLParam(300, 200)});
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[0], 16);  // the 4:3 picture, centred
  EXPECT_EQ(viewport[2], 267);
  EXPECT_EQ(viewport[3], 200);

  GameWindowProcedure({WM_CLOSE, 0, 0});
  WindowMessage message;
  bool quit = false;
  while (PeekWindowMessage(message)) quit = message.message == WM_QUIT;
  EXPECT_TRUE(quit);
  EXPECT_EQ(message.wParam, 0u);
}

std::vector<WindowMessage> Received;
bool ContextAtCreate = true;
intptr_t RecordingProcedure(const WindowMessage& message) {
  if (message.message == WM_CREATE) ContextAtCreate = Game.RenderingContext != nullptr;
  Received.push_back(message);
  return DefaultWindowProcedure(message);
}

TEST_F(WindowTest, CreationSendsCreateActivateAndSizeToTheProcedure) {
  DestroyGameWindow();
  Received.clear();
  SetWindowProcedure(RecordingProcedure);
  const bool created = OpenWindow(false);
  SetWindowProcedure(nullptr);
  ASSERT_TRUE(created);
  ASSERT_EQ(Received.size(), 3u);
  EXPECT_EQ(Received[0].message, WM_CREATE);
  EXPECT_FALSE(ContextAtCreate);  // the audio starts before the GL context exists
  EXPECT_EQ(Received[1].message, WM_ACTIVATE);
  EXPECT_EQ(HighWord(Received[1].wParam), 0);
  EXPECT_EQ(Received[2].message, WM_SIZE);
  EXPECT_EQ(LowWord(static_cast<uintptr_t>(Received[2].lParam)), 640);
  EXPECT_EQ(HighWord(static_cast<uintptr_t>(Received[2].lParam)), 480);
  EXPECT_TRUE(Game.WindowActive);
}

TEST_F(WindowTest, TeardownReleasesEverythingAndASecondOneReportsOnlyTheClass) {
  DestroyGameWindow();
  EXPECT_EQ(Game.Window, nullptr);
  EXPECT_EQ(Game.RenderingContext, nullptr);
  EXPECT_EQ(Game.FontBase, 0u);
  EXPECT_TRUE(boxes_.empty());
  DestroyGameWindow();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Could Not Unregister Class.");
  EXPECT_EQ(boxes_[0].caption, "SHUTDOWN ERROR");
  EXPECT_EQ(boxes_[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(boxes_[0].icon, MessageIcon::Information);
  boxes_.clear();
  ASSERT_TRUE(OpenWindow(false));
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(WindowTest, MissingTextureFailsCreationWithInitializationFailed) {
  DestroyGameWindow();
  boxes_.clear();
  std::remove("base/tex42.bmp");
  EXPECT_FALSE(OpenWindow(false));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Initialization Failed.");
  EXPECT_EQ(boxes_[0].caption, "ERROR");
  EXPECT_EQ(boxes_[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(Game.Window, nullptr);
  EXPECT_EQ(Game.RenderingContext, nullptr);
  boxes_.clear();
}

TEST_F(WindowTest, MissingModelLeavesThatFruitInvisible) {
  DestroyGameWindow();
  std::remove("base/3.ms3d");
  ASSERT_TRUE(OpenWindow(false));
  EXPECT_TRUE(boxes_.empty());
  Game.Screen = Playing;
  for (auto& row : Game.Board) {
    for (int& cell : row) cell = 3;
  }
  Game.Board[4][4] = 1;
  for (int& floor : Game.FloorRow) floor = SolidFloor;
  ClearFrame();
  DrawBoard();
  EXPECT_EQ(ClientPixel(211 + 54 * 3, 41 + 54 * 3), TextureColour(TexBoardBackground0));
  EXPECT_EQ(ClientPixel(211 + 54 * 4, 41 + 54 * 3), FruitColour(1));
}

}  // namespace
