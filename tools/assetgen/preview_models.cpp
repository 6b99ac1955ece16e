// preview_models <base folder> <picture.png>: draws the seven fruit models the way the board
// does (the game's three lights and GL state, 45-degree perspective, one-unit cells, scale 0.3)
// in rows turned to several angles about y, one row with the hover light, a close-up row and
// the skins themselves, and writes the frame as a PNG. Run it under Xvfb:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tools/assetgen/preview_models build/base p.png
#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/assetgen/model_reader.h"

namespace {

constexpr int Width = 1280;
constexpr int Height = 800;
constexpr int FruitKinds = 7;

struct PreviewModel {
  assetgen::Ms3dModel model;
  std::vector<GLuint> textures;  // one per material, 0 when it has none
};

GLuint MakeSkinTexture(const std::filesystem::path& path) {
  assetgen::Bmp24 image;
  std::string error;
  if (!assetgen::ReadBmp24(assetgen::ReadWholeFile(path), image, error)) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
    return 0;
  }
  // As the game makes model textures: level 0 only, linear filtering, no scaling.
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexImage2D(GL_TEXTURE_2D, 0, 3, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
               image.rgb.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  return name;
}

bool LoadPreviewModel(const std::filesystem::path& base, int kind, PreviewModel& out) {
  const auto path = base / (std::to_string(kind) + ".ms3d");
  std::string error;
  if (!assetgen::ReadMs3d(assetgen::ReadWholeFile(path), out.model, error)) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
    return false;
  }
  // Texture names are relative to the folder the game runs in, the parent of base/.
  for (const auto& m : out.model.materials)
    out.textures.push_back(m.texture.empty() ? 0 : MakeSkinTexture(base.parent_path() / m.texture));
  return true;
}

// Draws mesh by mesh as the game's model drawing does.
void DrawPreviewModel(const PreviewModel& p) {
  const auto& model = p.model;
  for (const auto& group : model.groups) {
    if (group.material >= 0) {
      const auto& m = model.materials[group.material];
      glMaterialfv(GL_FRONT, GL_AMBIENT, m.ambient);
      glMaterialfv(GL_FRONT, GL_DIFFUSE, m.diffuse);
      glMaterialfv(GL_FRONT, GL_SPECULAR, m.specular);
      glMaterialfv(GL_FRONT, GL_EMISSION, m.emissive);
      glMaterialf(GL_FRONT, GL_SHININESS, m.shininess);
      if (p.textures[group.material] != 0) {
        glBindTexture(GL_TEXTURE_2D, p.textures[group.material]);
        glEnable(GL_TEXTURE_2D);
      } else {
        glDisable(GL_TEXTURE_2D);
      }
    } else {
      glDisable(GL_TEXTURE_2D);
    }
    glBegin(GL_TRIANGLES);
    for (uint16_t index : group.triangles) {
      const auto& t = model.triangles[index];
      for (int c = 0; c < 3; ++c) {
        glNormal3fv(t.normals[c]);
        glTexCoord2f(t.s[c], t.t[c]);
        glVertex3fv(&model.positions[t.vertices[c] * 3]);
      }
    }
    glEnd();
  }
  glEnable(GL_TEXTURE_2D);
}

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

// A dark board of cells behind the fruit, drawn unlit.
void DrawBoardBackdrop() {
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_QUADS);
  for (int row = -5; row < 5; ++row)
    for (int column = -8; column < 8; ++column) {
      const float shade = ((row + column) & 1) ? 0.16f : 0.12f;
      glColor3f(shade * 0.8f, shade, shade * 1.3f);
      const float x = column + 0.5f, y = row + 0.5f, z = -11.7f;
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

void DrawFruitRow(std::vector<PreviewModel>& models, float y, float spacing, float scale,
                  float angle, bool hover) {
  for (int k = 0; k < FruitKinds; ++k) {
    glPushMatrix();
    glTranslatef((k - 3) * spacing, y, -11.0f);
    if (hover) glEnable(GL_LIGHT3);
    glRotatef(angle, 0, 1, 0);
    glScalef(scale, scale, scale);
    DrawPreviewModel(models[k]);
    if (hover) glDisable(GL_LIGHT3);
    glPopMatrix();
  }
}

// The skins flat, unlit, in a row at the bottom.
void DrawSkins(const std::vector<PreviewModel>& models, float y, float size) {
  glDisable(GL_LIGHTING);
  for (int k = 0; k < FruitKinds; ++k) {
    if (models[k].textures.empty() || models[k].textures[0] == 0) continue;
    glBindTexture(GL_TEXTURE_2D, models[k].textures[0]);
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

bool WritePng(const char* path, const std::vector<uint8_t>& bottomUpRgb) {
  FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, Width, Height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int row = Height - 1; row >= 0; --row)
    png_write_row(png, &bottomUpRgb[static_cast<size_t>(row) * Width * 3]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: preview_models <base folder> <picture.png>\n");
    return 2;
  }
  const std::filesystem::path base = std::filesystem::absolute(argv[1]);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
    return 1;
  }
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_Window* window = SDL_CreateWindow("fruit preview", SDL_WINDOWPOS_UNDEFINED,
                                        SDL_WINDOWPOS_UNDEFINED, Width, Height,
                                        SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
  if (!context) {
    std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
    SDL_Quit();
    return 1;
  }

  std::vector<PreviewModel> models(FruitKinds);
  bool loaded = true;
  for (int k = 0; k < FruitKinds; ++k) loaded = LoadPreviewModel(base, k + 1, models[k]) && loaded;

  glViewport(0, 0, Width, Height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(Width) / Height, 0.1, 100.0);
  SetGameState();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  DrawBoardBackdrop();
  glColor4f(1, 1, 1, 1);
  DrawFruitRow(models, 3.4f, 1.0f, 0.3f, 0.0f, false);
  DrawFruitRow(models, 2.4f, 1.0f, 0.3f, 60.0f, false);
  DrawFruitRow(models, 1.4f, 1.0f, 0.3f, 150.0f, false);
  DrawFruitRow(models, 0.4f, 1.0f, 0.3f, 270.0f, true);
  DrawFruitRow(models, -1.3f, 2.0f, 0.62f, -20.0f, false);
  DrawSkins(models, -4.2f, 1.8f);
  glFinish();

  std::vector<uint8_t> pixels(static_cast<size_t>(Width) * Height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, Width, Height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  const bool written = WritePng(argv[2], pixels);
  if (!written) std::fprintf(stderr, "cannot write %s\n", argv[2]);

  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return loaded && written ? 0 : 1;
}
