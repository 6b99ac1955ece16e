// The PNG writer of the artwork: the generator's icons and the review tools' pictures.
#pragma once

#include <filesystem>
#include <vector>

namespace assetgen {

// Writes an 8-bit PNG from values 0..1: `channels` 3 gives RGB, 4 gives RGBA with straight
// (not premultiplied) alpha. Rows of `pixels` run from the top. Returns false on failure.
bool WritePng(const std::filesystem::path& path, int width, int height, const std::vector<float>& pixels,
              int channels = 3);

}  // namespace assetgen
