#include "tests/assetgen/generated_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace assetgen_test {

std::filesystem::path GeneratedDir() { return QUILLARY_GENERATED_DIR; }
std::filesystem::path BaseDir() { return GeneratedDir() / "base"; }

const assetgen::Picture& Texture(int index) {
  static std::map<int, assetgen::Picture> cache;
  auto found = cache.find(index);
  if (found != cache.end()) return found->second;
  char name[16];
  std::snprintf(name, sizeof name, "tex%02d.bmp", index);
  return cache[index] = assetgen::LoadPicture(BaseDir() / name);
}

int Texel(const assetgen::Picture& p, int x, int y, int c) {
  return static_cast<int>(std::lround(p.rgb[(static_cast<size_t>(y) * p.width + x) * 3 + c] * 255));
}

int TexelAt(const assetgen::Picture& p, double u, double v, int c) {
  const int x = std::clamp(static_cast<int>(u * p.width), 0, p.width - 1);
  const int y = std::clamp(static_cast<int>(v * p.height), 0, p.height - 1);
  return Texel(p, x, y, c);
}

}  // namespace assetgen_test
