// contact_sheet <base folder> <sheet.png>: all 81 textures on one page for review, each
// labelled with its index and size.
#include <algorithm>
#include <cstdio>
#include <string>

#include "core/game_state.h"
#include "tools/assetgen/lettering.h"
#include "tools/assetgen/png_writer.h"
#include "tools/assetgen/review_image.h"

namespace {

using namespace assetgen;

constexpr int Columns = 9;
constexpr int BoxWide = 200, BoxHigh = 150, Label = 22, Gap = 10;
constexpr int TileWide = BoxWide + Gap, TileHigh = BoxHigh + Label + Gap;

struct Sheet {
  int width, height;
  std::vector<float> rgb;
  float* At(int x, int y) { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

// Draws the picture scaled to fit the box at (left, top), averaging 4 by 4 samples per pixel.
void Place(Sheet& s, const Picture& p, int left, int top) {
  const float fit = std::min(static_cast<float>(BoxWide) / p.width, static_cast<float>(BoxHigh) / p.height);
  const float zoom = p.width <= 8 ? 4.0f : std::min(fit, 2.0f);
  const int w = static_cast<int>(p.width * zoom), h = static_cast<int>(p.height * zoom);
  const int x0 = left + (BoxWide - w) / 2, y0 = top + (BoxHigh - h) / 2;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float sum[3] = {0, 0, 0};
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
          float c[3];
          const float u = (x + (sx + 0.5f) / 4) / w, v = 1 - (y + (sy + 0.5f) / 4) / h;
          SampleRepeat(p, std::clamp(u, 0.5f / p.width, 1 - 0.5f / p.width),
                       std::clamp(v, 0.5f / p.height, 1 - 0.5f / p.height), c);
          for (int i = 0; i < 3; ++i) sum[i] += c[i] / 16;
        }
      std::copy(sum, sum + 3, s.At(x0 + x, y0 + y));
    }
}

void Caption(Sheet& s, const std::string& text, int left, int baseline) {
  const Canvas scale(1, 1, 1);
  const Field f = TextCoverage(scale, text, {Face::Clear, 13}, static_cast<float>(left), static_cast<float>(baseline),
                               Align::Left);
  for (int y = 0; y < f.height; ++y)
    for (int x = 0; x < f.width; ++x) {
      const int sx = f.x0 + x, sy = f.y0 + y;
      if (sx < 0 || sy < 0 || sx >= s.width || sy >= s.height) continue;
      const float a = f.v[static_cast<size_t>(y) * f.width + x];
      for (int c = 0; c < 3; ++c) s.At(sx, sy)[c] = s.At(sx, sy)[c] * (1 - a) + a;
    }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: contact_sheet <base folder> <sheet.png>\n");
    return 2;
  }
  const std::filesystem::path base = argv[1];
  const int rows = (TextureCount + Columns - 1) / Columns;
  Sheet s{Columns * TileWide + Gap, rows * TileHigh + Gap, {}};
  s.rgb.assign(static_cast<size_t>(s.width) * s.height * 3, 0.32f);
  for (int i = 0; i < TextureCount; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "tex%02d.bmp", i);
    const Picture p = LoadPicture(base / name);
    const int left = Gap + (i % Columns) * TileWide, top = Gap + (i / Columns) * TileHigh;
    for (int y = top; y < top + BoxHigh; ++y)
      for (int x = left; x < left + BoxWide; ++x)
        for (int c = 0; c < 3; ++c) s.At(x, y)[c] = ((x / 8 + y / 8) % 2) ? 0.2f : 0.25f;
    std::string caption = std::to_string(i) + "  ";
    if (p.width == 0) {
      caption += "missing or unreadable";
    } else {
      Place(s, p, left, top);
      caption += std::to_string(p.width) + "x" + std::to_string(p.height);
    }
    Caption(s, caption, left + 2, top + BoxHigh + 16);
  }
  if (!WritePng(argv[2], s.width, s.height, s.rgb)) {
    std::fprintf(stderr, "contact_sheet: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
