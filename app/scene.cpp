#include "app/scene.h"

#include <GL/gl.h>

#include <cstdlib>
#include <ctime>
#include <memory>

#include "app/frame_timer.h"
#include "app/scene_files.h"
#include "app/startup_marks.h"
#include "assets/model.h"
#include "assets/textures.h"
#include "core/game_state.h"
#include "render/board_scene.h"
#include "render/font.h"
#include "render/picture.h"
#include "storage/high_scores.h"

namespace {

// Loads a fresh set of the seven fruit models into the current context, from the files read
// ahead; a model that fails to load stays empty and draws nothing. The previous set, whose
// textures went with the old context, is deleted once the new one exists.
void LoadFruitModels() {
  std::unique_ptr<MilkshapeModel> models[FruitKinds];
  for (int kind = 1; kind <= FruitKinds; ++kind) {
    FruitModelFiles files = TakeFruitModelFiles(kind);
    files.model->MakeTextures(std::move(files.materialPictures));
    models[kind - 1] = std::move(files.model);
  }
  for (int index = 0; index < FruitKinds; ++index) FruitModels[index] = std::move(models[index]);
  ForgetFruitLists();
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
  // Every frame leaves depth testing on, and the board is drawn assuming it; the first frame
  // after a load finds it on too, so that the driver shades the board as in every later frame
  // rather than building a shader for that frame alone.
  glEnable(GL_DEPTH_TEST);
}

// Takes the models and the texture set from the files read ahead, then ends the reading:
// a later load reads afresh.
bool LoadModelsAndTextures() {
  LoadFruitModels();
  NoteStartupMark(StartupMark::ModelsLoaded);
  const bool loaded = LoadTextureSet(TakeTexturePicture);
  EndReadingSceneFiles();
  return loaded;
}

}  // namespace

bool InitScene() {
  ForgetShownPicture();
  if (!LoadModelsAndTextures()) return false;
  NoteStartupMark(StartupMark::TexturesMade);
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
  NoteStartupMark(StartupMark::SceneLoaded);
  return true;
}
