#include "app/scene.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "app/frame_timer.h"
#include "assets/model.h"
#include "assets/textures.h"
#include "core/game_state.h"
#include "render/board_scene.h"
#include "render/font.h"
#include "render/picture.h"
#include "storage/high_scores.h"

namespace {

// Loads a fresh set of the seven fruit models into the current context. The previous set,
// whose textures went with the old context, is deleted once the new one exists.
void LoadFruitModels() {
  std::unique_ptr<MilkshapeModel> models[FruitKinds];
  for (int kind = 1; kind <= FruitKinds; ++kind) {
    char path[32];
    std::snprintf(path, sizeof path, "base/%d.ms3d", kind);
    models[kind - 1] = std::make_unique<MilkshapeModel>();
    models[kind - 1]->Load(path);  // a model that fails to load stays empty and draws nothing
  }
  for (int index = 0; index < FruitKinds; ++index) FruitModels[index] = std::move(models[index]);
  CompileFruitLists();
}

void SetLights() {
  // Set with the model-view matrix at identity: the positions are in eye coordinates.
  const GLfloat light1Ambient[] = {0.9f, 0.9f, 0.9f, 1.0f};
  const GLfloat light1Diffuse[] = {1.0f, 1.0f, 1.0f, 1.0f};
  const GLfloat light1Position[] = {0.0f, 0.0f, -10.0f, 1.0f};
  const GLfloat light2Ambient[] = {0.0f, 0.0f, 0.0f, 1.0f};
  const GLfloat light2Diffuse[] = {0.2f, 0.0f, 0.0f, 1.0f};
  const GLfloat light2Position[] = {0.5f, 0.0f, 0.0f, 1.0f};
  const GLfloat light3Ambient[] = {0.1f, 0.1f, 0.1f, 1.0f};
  const GLfloat light3Diffuse[] = {0.7f, 0.7f, 0.7f, 1.0f};
  const GLfloat light3Position[] = {0.0f, 0.0f, -5.0f, 1.0f};
  glLightfv(GL_LIGHT1, GL_AMBIENT, light1Ambient);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, light1Diffuse);
  glLightfv(GL_LIGHT1, GL_POSITION, light1Position);
  glLightfv(GL_LIGHT2, GL_AMBIENT, light2Ambient);
  glLightfv(GL_LIGHT2, GL_DIFFUSE, light2Diffuse);
  glLightfv(GL_LIGHT2, GL_POSITION, light2Position);
  glLightfv(GL_LIGHT3, GL_AMBIENT, light3Ambient);
  glLightfv(GL_LIGHT3, GL_DIFFUSE, light3Diffuse);
  glLightfv(GL_LIGHT3, GL_POSITION, light3Position);
}

void SetFixedState() {
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClearDepth(1.0);
  glDepthFunc(GL_LEQUAL);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);  // additive; blending is switched on where needed
  glShadeModel(GL_SMOOTH);
  SetLights();
  glEnable(GL_LIGHT1);
  glEnable(GL_LIGHT2);
  glEnable(GL_LIGHTING);
  glEnable(GL_COLOR_MATERIAL);
  glEnable(GL_TEXTURE_2D);
}

}  // namespace

bool InitScene() {
  ForgetShownPicture();
  LoadFruitModels();
  if (!LoadTextureSet()) return false;
  LoadCursorMark();
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  BuildBackgroundList();
  CreateFontLists();
  StartFrameTimer();
  SetFixedState();
  if (!Game.FirstSceneInit) return true;

  Game.ModeIndex = Levels;
  Game.LevelsButton = ButtonPressed;
  Game.TimedButton = ButtonIdle;
  ReadHighScores();
  SortSaveReloadHighScores();
  Game.Screen = ResumePrompt;
  Game.FirstSceneInit = false;
  return true;
}
