// Pictures for reviewing the generated artwork: reading BMP files with the game's own decoder
// and sampling them as the game's textures are sampled. PNG files are written by png_writer.h.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace assetgen {

// An RGB picture with its first row at the bottom, as the game's textures are.
struct Picture {
  int width = 0, height = 0;
  std::vector<float> rgb;  // 0..1
};

// Reads a BMP file through the game's decoder; an empty picture when it cannot be read.
Picture LoadPicture(const std::filesystem::path& path);

// Bilinear sample at texture coordinates (u, v), repeating outside 0..1 like GL_REPEAT.
void SampleRepeat(const Picture& p, float u, float v, float out[3]);

}  // namespace assetgen
