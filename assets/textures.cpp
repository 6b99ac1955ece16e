#include "assets/textures.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>

#include "assets/mipmaps.h"
#include "assets/texture_index.h"
#include "core/game_state.h"
#include "core/picture_rect.h"

namespace {

// Some textures are never drawn at their full size in a short picture, so they are made
// without their largest level, which holds three quarters of their memory, and made again with
// it once the picture grows tall enough to draw it. What decides is how many of the texture's
// texels one pixel of the picture spans: from 1.414 up (the square root of 2) the driver draws
// from the second level or a smaller one. A margin keeps clear of that point.
//   the backdrop's mask and image: their height spans the picture's height;
//   the font sheet: one of its 16 rows of glyphs spans 19 of the 480 text units down the
//   picture, so its height spans 16 x 19 / 480 of the picture's.
struct Shrinkable {
  int texture;
  double pictureHeightsPerImageHeight;
};
constexpr Shrinkable ShrinkableTextures[] = {
    {TexBackdropMask, 1.0}, {TexBackdropImage, 1.0}, {TexFontSheet, 16.0 * 19.0 / 480.0}};
constexpr int ShrinkableCount = sizeof ShrinkableTextures / sizeof ShrinkableTextures[0];
constexpr double TexelsPerPixelWithoutLargest = 1.5;
// The height of the picture each shrinkable texture was made from without its largest level;
// 0 while it has that level.
int MadeWithoutLargestFrom[ShrinkableCount] = {};

bool LargestLevelDrawn(const Shrinkable& shrinkable, int imageHeight, int pictureHeight) {
  return pictureHeight <= 0 || imageHeight <= TexelsPerPixelWithoutLargest * pictureHeight *
                                                   shrinkable.pictureHeightsPerImageHeight;
}

// The entry of texture n in ShrinkableTextures; -1 when it is always made whole.
int ShrinkableIndex(int n) {
  for (int i = 0; i < ShrinkableCount; ++i) {
    if (ShrinkableTextures[i].texture == n) return i;
  }
  return -1;
}

// Decoded rows are tightly packed; GL's default row alignment of 4 bytes would skew every
// picture whose row is not a multiple of 4 bytes, so uploads read with alignment 1.
void BeginPackedUpload() {
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

void EndPackedUpload() { glPopClientAttrib(); }

void TexturePath(int n, char (&path)[32]) { std::snprintf(path, sizeof path, "base/tex%02d.bmp", n); }

// A grey picture makes a texture of one channel, a quarter of the memory, that draws the same:
// the driver takes the red of each texel as its grey.
GLint InternalFormat(bool grey) { return grey ? GL_LUMINANCE8 : 3; }

void DefineLevel(int level, const RgbImage& image, bool grey) {
  glTexImage2D(GL_TEXTURE_2D, level, InternalFormat(grey), image.width, image.height, 0, GL_RGB,
               GL_UNSIGNED_BYTE, image.pixels.get());
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
  DefineLevel(0, image, false);
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
    gluBuild2DMipmaps(GL_TEXTURE_2D, InternalFormat(picture.grey), image.width, image.height,
                      GL_RGB, GL_UNSIGNED_BYTE, image.pixels.get());
    return true;
  }
  if (!withLargest && picture.smallerLevels.empty()) return false;
  if (withLargest) DefineLevel(0, image, picture.grey);
  const int first = withLargest ? 1 : 0;
  for (size_t level = 0; level < picture.smallerLevels.size(); ++level) {
    DefineLevel(static_cast<int>(level) + first, picture.smallerLevels[level], picture.grey);
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

bool IsGrey(const RgbImage& image) {
  const uint8_t* texel = image.pixels.get();
  if (!texel) return false;
  const uint8_t* const end = texel + static_cast<size_t>(image.width) * image.height * 3;
  for (; texel != end; texel += 3) {
    if (texel[0] != texel[1] || texel[1] != texel[2]) return false;
  }
  return true;
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
  if (!image) return picture;
  if (HasPowerOfTwoSides(*image)) picture.smallerLevels = BuildMipmaps(*image);
  // The font sheet keeps three channels although it is grey: text is then blended from a
  // texture of the same format as the side panel's pictures, and the driver needs no shader
  // of its own for it.
  picture.grey = n != TexFontSheet && IsGrey(*image);
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
  glGenTextures(TextureCount, Game.TextureSet);
  BeginPackedUpload();
  for (int n = 0; n < TextureCount; ++n) {
    BeginMipmappedTexture(n);
    const int height = pictures[n].read.image->height;
    const int shrinkable = ShrinkableIndex(n);
    const bool withLargest =
        shrinkable < 0 || LargestLevelDrawn(ShrinkableTextures[shrinkable], height, pictureHeight);
    const bool withoutLargest = !withLargest && DefineMipmaps(pictures[n], largestSide, false);
    if (!withoutLargest) DefineMipmaps(pictures[n], largestSide, true);
    if (shrinkable >= 0) MadeWithoutLargestFrom[shrinkable] = withoutLargest ? height : 0;
    // Freed at once, so that the driver can make the next textures in its memory.
    pictures[n] = TexturePicture{};
  }
  EndPackedUpload();
  return true;
}

void FitTexturesToPicture(int pictureHeight) {
  for (int i = 0; i < ShrinkableCount; ++i) {
    const Shrinkable& shrinkable = ShrinkableTextures[i];
    // Checked before anything is read: a window dragged to a new size resizes the scene often.
    if (MadeWithoutLargestFrom[i] == 0 ||
        !LargestLevelDrawn(shrinkable, MadeWithoutLargestFrom[i], pictureHeight) ||
        !glIsTexture(Game.TextureSet[shrinkable.texture]))
      continue;
    const TexturePicture picture = ReadTexturePicture(shrinkable.texture);
    // A file gone or damaged since the load: the texture stays as it is, without a word.
    if (!picture.read.image ||
        !LargestLevelDrawn(shrinkable, picture.read.image->height, pictureHeight))
      continue;
    BeginPackedUpload();
    BeginMipmappedTexture(shrinkable.texture);
    DefineMipmaps(picture, LargestTextureSide(), true);
    EndPackedUpload();
    MadeWithoutLargestFrom[i] = 0;
  }
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
