// Textures made from BMP files: the 81 of the texture set and single material textures.
#pragma once

#include <functional>
#include <vector>

#include "assets/bmp.h"

// A picture of the texture set read ahead of its texture: the decoded image, or why there is
// none, and its smaller mipmap levels where they could be built beforehand.
struct TexturePicture {
  ImageRead read;
  std::vector<RgbImage> smallerLevels;
  bool grey = false;  // every texel grey
};

// Reads picture n of the texture set (base/tex00.bmp to base/tex80.bmp) and builds its levels,
// showing nothing and calling no GL, so that any thread may read the pictures.
TexturePicture ReadTexturePicture(int n);

// Makes the texture set from the pictures that `take` hands over for n = 0, 1, ... in order;
// it may wait for each. At the first picture that failed, shows what LoadImageFile shows and
// returns false with no texture made; else makes the 81 mipmapped textures in Game.TextureSet,
// the backdrop's fitted to the picture of the window's client area (Game.ClientWidth and
// ClientHeight). Every picture is in hand before the first texture is made.
bool LoadTextureSet(const std::function<TexturePicture(int n)>& take);
// The same, reading the pictures here.
bool LoadTextureSet();

// Makes the textures that a short picture never draws at full size (the backdrop's and the font
// sheet) again with their largest level once a picture of `pictureHeight` pixels draws it;
// they are made without it while no picture does.
void FitTexturesToPicture(int pictureHeight);

// Makes one texture without mipmaps from a BMP whose sides are powers of two; 0 on failure.
unsigned LoadPlainTexture(const char* path);
// The same from a picture read ahead, showing what LoadPlainTexture shows when it failed.
unsigned MakePlainTexture(const char* path, ImageRead read);

// Makes one mipmapped texture, as those of the set, from a BMP of any size; 0 on failure.
unsigned LoadMipmappedTexture(const char* path);
