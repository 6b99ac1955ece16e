#include "assets/textures.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>

#include "assets/mipmaps.h"
#include "assets/texture_index.h"
#include "core/game_state.h"
#include "core/picture_rect.h"

namespace {

// The backdrop's mask and image cover the whole picture. A picture shorter than their side
// over the square root of 2 (1024 / 1.414 = 724 pixels) always draws them from their second
// level or a smaller one, so there, as in both native layouts, they are made without their
// largest level, which holds most of their memory. They are made again with it once the
// picture grows taller. A margin keeps clear of the point where the driver would switch.
constexpr int BackdropTextures[] = {TexBackdropMask, TexBackdropImage};
constexpr double SideOverPictureWithoutLargest = 1.5;
bool BackdropWithoutLargest = false;
int BackdropHeight = 0;  // of the pictures the backdrop was made from

bool LargestLevelDrawn(int imageHeight, int pictureHeight) {
  return pictureHeight <= 0 || imageHeight <= SideOverPictureWithoutLargest * pictureHeight;
}

bool IsBackdrop(int n) { return n == BackdropTextures[0] || n == BackdropTextures[1]; }

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
  DefineLevel(0, image);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

// Makes one texture from a picture read, defined by `define`; 0 when it did not load, after
// showing what LoadImageFile shows.
unsigned MakeSingleTexture(const char* path, ImageRead read, void (*define)(const RgbImage&)) {
  const std::unique_ptr<RgbImage> image = ReportImageRead(path, std::move(read));
  if (!image || !image->pixels) return 0;
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  BeginPackedUpload();
  define(*image);
  EndPackedUpload();
  return name;
}

// The full mipmap chain of the bound texture: the levels built beforehand where there are
// any and the picture fits the driver; otherwise GLU scales and builds them here. Without the
// largest level the chain starts at the second; false when there is none to start from.
bool DefineMipmaps(const TexturePicture& picture, GLint largestSide, bool withLargest) {
  const RgbImage& image = *picture.read.image;
  if (!HasPowerOfTwoSides(image) || image.width > largestSide || image.height > largestSide) {
    if (!withLargest) return false;
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE,
                      image.pixels.get());
    return true;
  }
  if (!withLargest && picture.smallerLevels.empty()) return false;
  if (withLargest) DefineLevel(0, image);
  const int first = withLargest ? 1 : 0;
  for (size_t level = 0; level < picture.smallerLevels.size(); ++level) {
    DefineLevel(static_cast<int>(level) + first, picture.smallerLevels[level]);
  }
  return true;
}

void BeginMipmappedTexture(int n) {
  glBindTexture(GL_TEXTURE_2D, Game.TextureSet[n]);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
}

// The height of the picture in the client area; 0 while no window has given its size.
int PictureHeight() {
  if (Game.ClientWidth <= 0 || Game.ClientHeight <= 0) return 0;
  return FitPicture(Game.ClientWidth, Game.ClientHeight).height;
}

GLint LargestTextureSide() {
  GLint side = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
  return side;
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
  const GLint largestSide = LargestTextureSide();
  const int pictureHeight = PictureHeight();
  BackdropWithoutLargest = false;
  glGenTextures(TextureCount, Game.TextureSet);
  BeginPackedUpload();
  for (int n = 0; n < TextureCount; ++n) {
    BeginMipmappedTexture(n);
    const int height = pictures[n].read.image->height;
    const bool withLargest = !IsBackdrop(n) || LargestLevelDrawn(height, pictureHeight);
    if (!DefineMipmaps(pictures[n], largestSide, withLargest)) {
      DefineMipmaps(pictures[n], largestSide, true);
    } else if (!withLargest) {
      BackdropWithoutLargest = true;
      BackdropHeight = height;
    }
  }
  EndPackedUpload();
  return true;
}

void FitBackdropToPicture(int pictureHeight) {
  // Checked before anything is read: a window dragged to a new size resizes the scene often.
  if (!BackdropWithoutLargest || !LargestLevelDrawn(BackdropHeight, pictureHeight) ||
      !glIsTexture(Game.TextureSet[BackdropTextures[0]]))
    return;
  TexturePicture pictures[2];
  for (int i = 0; i < 2; ++i) {
    pictures[i] = ReadTexturePicture(BackdropTextures[i]);
    // A file gone or damaged since the load: the backdrop stays as it is, without a word.
    if (!pictures[i].read.image) return;
    if (!LargestLevelDrawn(pictures[i].read.image->height, pictureHeight)) return;
  }
  const GLint largestSide = LargestTextureSide();
  BeginPackedUpload();
  for (int i = 0; i < 2; ++i) {
    BeginMipmappedTexture(BackdropTextures[i]);
    DefineMipmaps(pictures[i], largestSide, true);
  }
  EndPackedUpload();
  BackdropWithoutLargest = false;
}

bool LoadTextureSet() { return LoadTextureSet(ReadTexturePicture); }

unsigned LoadPlainTexture(const char* path) {
  return MakeSingleTexture(path, ReadImageFile(path), DefinePlainTexture);
}

unsigned MakePlainTexture(const char* path, ImageRead read) {
  return MakeSingleTexture(path, std::move(read), DefinePlainTexture);
}

unsigned LoadMipmappedTexture(const char* path) {
  return MakeSingleTexture(path, ReadImageFile(path), DefineMipmappedTexture);
}
