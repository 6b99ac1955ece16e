// Access to the files the build generated, for the artwork tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "tests/support/test_files.h"
#include "tools/assetgen/review_image.h"

namespace assetgen_test {

// The build folder that holds base/ and help.htm.
std::filesystem::path GeneratedDir();
std::filesystem::path BaseDir();

// Texture N as decoded from base/texNN.bmp (first row at the bottom); empty when unreadable.
const assetgen::Picture& Texture(int index);
// Channel c (0 red, 1 green, 2 blue) of texel (x, y) as a byte, y counted from the bottom.
int Texel(const assetgen::Picture& p, int x, int y, int c);
// The texel under the point (u, v) of the texture, both 0..1 from the bottom left.
int TexelAt(const assetgen::Picture& p, double u, double v, int c);


}  // namespace assetgen_test
