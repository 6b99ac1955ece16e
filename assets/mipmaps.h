// The smaller mipmap levels of a picture, built without GL so that any thread may build them.
#pragma once

#include <vector>

#include "formats/bmp_decode.h"

// Whether BuildMipmaps can make the levels of `image`: both sides powers of two. Other sizes
// are scaled by GLU when the texture is made.
bool HasPowerOfTwoSides(const RgbImage& image);

// Levels 1, 2, ... of a picture whose sides are powers of two, each half the one before in
// each side that is not yet 1, down to 1 by 1. Each texel is the average of the two or four
// it covers, rounded as gluBuild2DMipmaps rounds, so the textures come out the same.
std::vector<RgbImage> BuildMipmaps(const RgbImage& image);
