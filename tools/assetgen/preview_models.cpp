// preview_models <base folder> <picture.png> [board]: loads the seven fruit models with the
// game's loader and draws them the way the board does (the game's three lights and GL state,
// 45-degree perspective, one-unit cells, scale 0.3)
// in rows turned to several angles about y, one row with the hover light, a close-up row and
// the skins themselves, and writes the frame as a PNG. With "board", it draws a full board in
// the 640 x 480 window instead, on the game's board background, fruit as small as a player
// sees them. Run it under Xvfb:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tools/assetgen/preview_models build/base p.png
#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/model.h"
#include "assets/texture_index.h"
#include "assets/textures.h"
#include "core/game_state.h"
#include "tools/assetgen/png_writer.h"

namespace {

struct FrameSize {
  int width, height;
};
constexpr FrameSize RowsFrame{1280, 800};
constexpr FrameSize BoardFrame{640, 480};

// The fixed lights and state of the game's scene set-up.
void SetGameState() {
  const GLfloat light1[3][4] = {{0.9f, 0.9f, 0.9f, 1}, {1, 1, 1, 1}, {0, 0, -10, 1}};
  const GLfloat light2[3][4] = {{0, 0, 0, 1}, {0.2f, 0, 0, 1}, {0.5f, 0, 0, 1}};
  const GLfloat light3[3][4] = {{0.1f, 0.1f, 0.1f, 1}, {0.7f, 0.7f, 0.7f, 1}, {0, 0, -5, 1}};
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(0, 0, 0, 0);
  glClearDepth(1.0);
  glDepthFunc(GL_LEQUAL);
  glShadeModel(GL_SMOOTH);
  const GLenum lights[] = {GL_LIGHT1, GL_LIGHT2, GL_LIGHT3};
  const GLfloat(*values[])[4] = {light1, light2, light3};
  for (int i = 0; i < 3; ++i) {
    glLightfv(lights[i], GL_AMBIENT, values[i][0]);
    glLightfv(lights[i], GL_DIFFUSE, values[i][1]);
    glLightfv(lights[i], GL_POSITION, values[i][2]);
  }
  glEnable(GL_LIGHT1);
  glEnable(GL_LIGHT2);
  glEnable(GL_LIGHTING);
  glEnable(GL_COLOR_MATERIAL);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_DEPTH_TEST);
}

// A dark checker of cells behind the fruit, drawn unlit, its cells where the board's are.
void DrawBoardBackdrop() {
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_QUADS);
  for (int row = -6; row < 6; ++row)
    for (int column = -9; column < 10; ++column) {
      const float shade = ((row + column) & 1) ? 0.16f : 0.12f;
      glColor3f(shade * 0.8f, shade, shade * 1.3f);
      const float x = column - 0.5f, y = row + 0.15f, z = -11.7f;
      glVertex3f(x, y, z);
      glVertex3f(x + 1, y, z);
      glVertex3f(x + 1, y + 1, z);
      glVertex3f(x, y + 1, z);
    }
  glEnd();
  glColor4f(1, 1, 1, 1);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_LIGHTING);
}

// The game's first board background tiled five times over the 10.7-unit square behind the
// board, unlit, where the board scene draws it.
void DrawBoardBackground() {
  glDisable(GL_LIGHTING);
  glBindTexture(GL_TEXTURE_2D, Game.TextureSet[TexBoardBackground0]);
  glPushMatrix();
  glTranslatef(1.4f + 0.2f, -0.32f + 0.5f, -11.7f);
  glBegin(GL_TRIANGLE_STRIP);
  glNormal3f(0, 0, 1);
  glTexCoord2f(5, 5), glVertex3f(5.35f, 5.35f, 0);
  glTexCoord2f(0, 5), glVertex3f(-5.35f, 5.35f, 0);
  glTexCoord2f(5, 0), glVertex3f(5.35f, -5.35f, 0);
  glTexCoord2f(0, 0), glVertex3f(-5.35f, -5.35f, 0);
  glEnd();
  glPopMatrix();
  glEnable(GL_LIGHTING);
}

void DrawFruitRow(MilkshapeModel* models, float y, float spacing, float scale,
                  float angle, bool hover) {
  for (int k = 0; k < FruitKinds; ++k) {
    glPushMatrix();
    glTranslatef((k - 3) * spacing, y, -11.0f);
    if (hover) glEnable(GL_LIGHT3);
    glRotatef(angle, 0, 1, 0);
    glScalef(scale, scale, scale);
    models[k].Draw();
    if (hover) glDisable(GL_LIGHT3);
    glPopMatrix();
  }
}

// The skins flat, unlit, in a row at the bottom.
void DrawSkins(const MilkshapeModel* models, float y, float size) {
  glDisable(GL_LIGHTING);
  for (int k = 0; k < FruitKinds; ++k) {
    if (models[k].materialCount == 0 || models[k].materials[0].textureId == 0) continue;
    glBindTexture(GL_TEXTURE_2D, models[k].materials[0].textureId);
    const float x = (k - 3) * 2.0f - size / 2;
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0), glVertex3f(x, y, -11.0f);
    glTexCoord2f(1, 0), glVertex3f(x + size, y, -11.0f);
    glTexCoord2f(1, 1), glVertex3f(x + size, y + size, -11.0f);
    glTexCoord2f(0, 1), glVertex3f(x, y + size, -11.0f);
    glEnd();
  }
  glEnable(GL_LIGHTING);
}

// The rows: at rest, turned, lit by the hover light, close up; then the skins.
void DrawRows(MilkshapeModel* models) {
  DrawFruitRow(models, 3.4f, 1.0f, 0.3f, 0.0f, false);
  DrawFruitRow(models, 2.4f, 1.0f, 0.3f, 60.0f, false);
  DrawFruitRow(models, 1.4f, 1.0f, 0.3f, 150.0f, false);
  DrawFruitRow(models, 0.4f, 1.0f, 0.3f, 270.0f, true);
  DrawFruitRow(models, -1.3f, 2.0f, 0.62f, -20.0f, false);
  DrawSkins(models, -4.2f, 1.8f);
}

// A full board in the cells of the game: row r, column c at (c - 2, 4.65 - r, -11), fruit
// picked by a fixed sequence, with one fruit under the hover light and one turned part way
// through its marker spin.
void DrawBoard(MilkshapeModel* models) {
  uint32_t sequence = 12345;
  for (int row = 1; row <= 8; ++row)
    for (int column = 0; column < 8; ++column) {
      const bool hover = row == 3 && column == 4;
      glPushMatrix();
      glTranslatef(column - 2.0f, 4.65f - row, -11.0f);
      if (hover) glEnable(GL_LIGHT3);
      if (row == 6 && column == 1) glRotatef(50.0f, 0, 1, 0);
      glScalef(0.3f, 0.3f, 0.3f);
      sequence = sequence * 1103515245u + 12345u;
      models[(sequence >> 16) % FruitKinds].Draw();
      if (hover) glDisable(GL_LIGHT3);
      glPopMatrix();
    }
}

}  // namespace

int main(int argc, char** argv) {
  const bool board = argc == 4 && std::string(argv[3]) == "board";
  if (argc != 3 && !board) {
    std::fprintf(stderr, "usage: preview_models <base folder> <picture.png> [board]\n");
    return 2;
  }
  const FrameSize size = board ? BoardFrame : RowsFrame;
  const std::filesystem::path base = std::filesystem::absolute(argv[1]);
  const std::filesystem::path picture = std::filesystem::absolute(argv[2]);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
    return 1;
  }
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_Window* window = SDL_CreateWindow("fruit preview", SDL_WINDOWPOS_UNDEFINED,
                                        SDL_WINDOWPOS_UNDEFINED, size.width, size.height,
                                        SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
  if (!context) {
    std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
    SDL_Quit();
    return 1;
  }

  // The game's own loader, from the folder that holds base/, as the game runs.
  std::filesystem::current_path(base.parent_path());
  MilkshapeModel models[FruitKinds];
  bool loaded = true;
  for (int k = 0; k < FruitKinds; ++k) {
    const std::string file = "base/" + std::to_string(k + 1) + ".ms3d";
    if (!models[k].Load(file.c_str())) {
      std::fprintf(stderr, "%s does not load\n", file.c_str());
      loaded = false;
    }
  }

  // The board shows on the game's own background when the texture set is there.
  const bool background = board && LoadTextureSet();

  glViewport(0, 0, size.width, size.height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(size.width) / size.height, 0.1, 100.0);
  SetGameState();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (background)
    DrawBoardBackground();
  else
    DrawBoardBackdrop();
  glColor4f(1, 1, 1, 1);
  if (board)
    DrawBoard(models);
  else
    DrawRows(models);
  glFinish();

  std::vector<float> pixels(static_cast<size_t>(size.width) * size.height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, size.width, size.height, GL_RGB, GL_FLOAT, pixels.data());
  // GL's rows run from the bottom, the picture's from the top.
  const size_t rowSize = static_cast<size_t>(size.width) * 3;
  for (int row = 0; row < size.height / 2; ++row)
    std::swap_ranges(pixels.begin() + row * rowSize, pixels.begin() + (row + 1) * rowSize,
                     pixels.begin() + (size.height - 1 - row) * rowSize);
  const bool written = assetgen::WritePng(picture, size.width, size.height, pixels);
  if (!written) std::fprintf(stderr, "cannot write %s\n", picture.c_str());

  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return loaded && written ? 0 : 1;
}
