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

// Defines the bound texture from the image with its whole mipmap chain, as the set's textures
// are made.
void DefineMipmappedTexture(const RgbImage& image) {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
  gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE,
                    image.pixels.get());
}

// Defines the bound texture from the image as it is: no scaling and no mipmaps, so its sides
// must be powers of two.
void DefinePlainTexture(const RgbImage& image) {
  glTexImage2D(GL_TEXTURE_2D, 0, 3, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
               image.pixels.get());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

// Makes one texture from the picture at `path`, defined by `define`; 0 when it does not load.
unsigned MakeSingleTexture(const char* path, void (*define)(const RgbImage&)) {
  const std::unique_ptr<RgbImage> image = LoadImageFile(path);
  if (!image || !image->pixels) return 0;
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  BeginPackedUpload();
  define(*image);
  EndPackedUpload();
  return name;
}

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
    DefineMipmappedTexture(*images[n]);
  }
  EndPackedUpload();
  return true;
}

unsigned LoadPlainTexture(const char* path) { return MakeSingleTexture(path, DefinePlainTexture); }

unsigned LoadMipmappedTexture(const char* path) {
  return MakeSingleTexture(path, DefineMipmappedTexture);
}
