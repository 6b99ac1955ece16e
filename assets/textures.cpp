#include "assets/textures.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>

#include "assets/mipmaps.h"
#include "core/game_state.h"

namespace {

// Decoded rows are tightly packed; GL's default row alignment of 4 bytes would skew every
// picture whose row is not a multiple of 4 bytes, so uploads read with alignment 1.
void BeginPackedUpload() {
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

void EndPackedUpload() { glPopClientAttrib(); }

void TexturePath(int n, char (&path)[32]) { std::snprintf(path, sizeof path, "base/tex%02d.bmp", n); }

void DefineLevel(int level, const RgbImage& image) {
  glTexImage2D(GL_TEXTURE_2D, level, 3, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
               image.pixels.get());
}

// The full mipmap chain of the bound texture: the levels built beforehand where there are
// any and the picture fits the driver; otherwise GLU scales and builds them here.
void DefineMipmaps(const TexturePicture& picture, GLint largestSide) {
  const RgbImage& image = *picture.read.image;
  if (!HasPowerOfTwoSides(image) || image.width > largestSide || image.height > largestSide) {
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE,
                      image.pixels.get());
    return;
  }
  DefineLevel(0, image);
  for (size_t level = 0; level < picture.smallerLevels.size(); ++level) {
    DefineLevel(static_cast<int>(level) + 1, picture.smallerLevels[level]);
  }
}

}  // namespace

TexturePicture ReadTexturePicture(int n) {
  char path[32];
  TexturePath(n, path);
  TexturePicture picture;
  picture.read = ReadImageFile(path);
  const RgbImage* image = picture.read.image.get();
  if (image && HasPowerOfTwoSides(*image)) picture.smallerLevels = BuildMipmaps(*image);
  return picture;
}

bool LoadTextureSet(const std::function<TexturePicture(int n)>& take) {
  // All pictures are in hand before any texture is made, so a missing file leaves no
  // texture behind.
  TexturePicture pictures[TextureCount];
  for (int n = 0; n < TextureCount; ++n) {
    pictures[n] = take(n);
    char path[32];
    TexturePath(n, path);
    std::unique_ptr<RgbImage> image = ReportImageRead(path, std::move(pictures[n].read));
    if (!image) return false;
    pictures[n].read.image = std::move(image);
  }
  GLint largestSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largestSide);
  glGenTextures(TextureCount, Game.TextureSet);
  BeginPackedUpload();
  for (int n = 0; n < TextureCount; ++n) {
    glBindTexture(GL_TEXTURE_2D, Game.TextureSet[n]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    DefineMipmaps(pictures[n], largestSide);
  }
  EndPackedUpload();
  return true;
}

bool LoadTextureSet() { return LoadTextureSet(ReadTexturePicture); }

unsigned LoadPlainTexture(const char* path) { return MakePlainTexture(path, ReadImageFile(path)); }

unsigned MakePlainTexture(const char* path, ImageRead read) {
  const std::unique_ptr<RgbImage> image = ReportImageRead(path, std::move(read));
  if (!image || !image->pixels) return 0;
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  BeginPackedUpload();
  DefineLevel(0, *image);
  EndPackedUpload();
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  return name;
}
