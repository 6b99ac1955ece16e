#include "assets/textures.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <memory>

#include "assets/bmp.h"
#include "core/game_state.h"

namespace {

// Decoded rows are tightly packed; GL's default row alignment of 4 bytes would skew every
// picture whose row is not a multiple of 4 bytes, so uploads read with alignment 1.
void BeginPackedUpload() {
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

void EndPackedUpload() { glPopClientAttrib(); }

}  // namespace

bool LoadTextureSet() {
  // All pictures are decoded before any texture is made, so a missing file leaves no
  // texture behind.
  std::unique_ptr<RgbImage> images[TextureCount];
  for (int n = 0; n < TextureCount; ++n) {
    char path[32];
    std::snprintf(path, sizeof path, "base/tex%02d.bmp", n);
    images[n] = LoadImageFile(path);
    if (!images[n]) return false;
  }
  glGenTextures(TextureCount, Game.TextureSet);
  BeginPackedUpload();
  for (int n = 0; n < TextureCount; ++n) {
    glBindTexture(GL_TEXTURE_2D, Game.TextureSet[n]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, images[n]->width, images[n]->height, GL_RGB,
                      GL_UNSIGNED_BYTE, images[n]->pixels.get());
  }
  EndPackedUpload();
  return true;
}

unsigned LoadPlainTexture(const char* path) {
  const std::unique_ptr<RgbImage> image = LoadImageFile(path);
  if (!image || !image->pixels) return 0;
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  BeginPackedUpload();
  glTexImage2D(GL_TEXTURE_2D, 0, 3, image->width, image->height, 0, GL_RGB, GL_UNSIGNED_BYTE,
               image->pixels.get());
  EndPackedUpload();
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  return name;
}
