// screen_mockup <base folder> <out.png> <640|800> <screen> [lit] [bg0..bg5]: composes one whole game
// screen from the generated textures the way the game draws it (masked elements, opaque
// quads, additive text from the font sheet, the tiled board background seen through the
// camera, the bar), with plain discs standing in for the fruit. For checking alignment and
// legibility in both layouts. Screens: playing, paused, newgame, quit, resume, options,
// highscores, nameentry, and banner58, banner59, banner60, banner74 (halfway up). With "lit"
// the controls show their hover and pressed pictures; bg0 to bg5 choose the board background.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/assetgen/review_image.h"

namespace {

using namespace assetgen;

enum class Blend { Opaque, Multiply, Add };

// A texture with the chain of box-filtered mipmaps the game's loader builds.
struct Texture {
  std::vector<Picture> levels;
};

Texture MakeTexture(Picture p) {
  Texture t;
  t.levels.push_back(std::move(p));
  while (t.levels.back().width > 1 || t.levels.back().height > 1) {
    const Picture& a = t.levels.back();
    Picture b{std::max(1, a.width / 2), std::max(1, a.height / 2), {}};
    b.rgb.resize(static_cast<size_t>(b.width) * b.height * 3);
    for (int y = 0; y < b.height; ++y)
      for (int x = 0; x < b.width; ++x)
        for (int c = 0; c < 3; ++c) {
          float sum = 0;
          for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx) {
              const int sx = std::min(a.width - 1, x * 2 + dx), sy = std::min(a.height - 1, y * 2 + dy);
              sum += a.rgb[(static_cast<size_t>(sy) * a.width + sx) * 3 + c];
            }
          b.rgb[(static_cast<size_t>(y) * b.width + x) * 3 + c] = sum / 4;
        }
    t.levels.push_back(std::move(b));
  }
  return t;
}

// The level GL_LINEAR_MIPMAP_NEAREST picks for `texelsPerPixel`.
const Picture& Level(const Texture& t, float texelsPerPixel) {
  const float lambda = std::log2(std::max(texelsPerPixel, 1e-6f));
  if (lambda <= 0.5f) return t.levels[0];
  const size_t level = std::min(t.levels.size() - 1, static_cast<size_t>(std::floor(lambda + 0.5f)));
  return t.levels[level];
}

struct Frame {
  int width, height;
  std::vector<float> rgb;  // rows from the top
  float* At(int x, int yFromBottom) {
    return &rgb[(static_cast<size_t>(height - 1 - yFromBottom) * width + x) * 3];
  }
};

// Draws the whole texture over the rectangle (x, y, w, h) of a space `unit` pixels per unit,
// origin bottom left, modulated by `colour` (alpha in colour[3] for additive fades).
void Quad(Frame& f, const Texture& t, float x, float y, float w, float h, float unit, Blend blend,
          std::array<float, 4> colour = {1, 1, 1, 1}) {
  const Picture& p = t.levels[0];
  const Picture& level = Level(t, std::max(p.width / (w * unit), p.height / (h * unit)));
  const int x0 = std::max(0, static_cast<int>(std::ceil(x * unit - 0.5f)));
  const int x1 = std::min(f.width, static_cast<int>(std::ceil((x + w) * unit - 0.5f)));
  const int y0 = std::max(0, static_cast<int>(std::ceil(y * unit - 0.5f)));
  const int y1 = std::min(f.height, static_cast<int>(std::ceil((y + h) * unit - 0.5f)));
  for (int py = y0; py < y1; ++py)
    for (int px = x0; px < x1; ++px) {
      float s[3];
      SampleRepeat(level, ((px + 0.5f) / unit - x) / w, ((py + 0.5f) / unit - y) / h, s);
      float* d = f.At(px, py);
      for (int c = 0; c < 3; ++c) {
        const float v = s[c] * colour[c];
        if (blend == Blend::Opaque) d[c] = v;
        if (blend == Blend::Multiply) d[c] *= v;
        if (blend == Blend::Add) d[c] = std::min(1.0f, d[c] + v * colour[3]);
      }
    }
}

// The board scene: the tiled background square at depth 11.7 seen through the game's camera,
// and a disc for each fruit at depth 11.
void DrawBoard(Frame& f, const Texture& background, bool fruit) {
  const double t = std::tan(22.5 * std::numbers::pi / 180), aspect = static_cast<double>(f.width) / f.height;
  const float tilePixels = static_cast<float>(10.7 / 5 / (2 * 11.7 * t) * f.height);
  const Picture& level = Level(background, background.levels[0].width / tilePixels);
  for (int py = 0; py < f.height; ++py)
    for (int px = 0; px < f.width; ++px) {
      const double nx = (px + 0.5) / f.width * 2 - 1, ny = (py + 0.5) / f.height * 2 - 1;
      const double wx = nx * t * aspect * 11.7, wy = ny * t * 11.7;
      const double u = (wx - (1.6 - 5.35)) / 10.7, v = (wy - (0.18 - 5.35)) / 10.7;
      float* d = f.At(px, py);
      if (u < 0 || u > 1 || v < 0 || v > 1) {
        d[0] = d[1] = d[2] = 0;
        continue;
      }
      SampleRepeat(level, static_cast<float>(u * 5), static_cast<float>(v * 5), d);
    }
  if (!fruit) return;
  static const float colours[7][3] = {{0.85f, 0.1f, 0.1f}, {1, 0.6f, 0.1f}, {0.95f, 0.9f, 0.2f}, {0.4f, 0.8f, 0.2f},
                                      {0.5f, 0.2f, 0.7f},  {0.9f, 0.4f, 0.6f}, {0.3f, 0.6f, 0.9f}};
  for (int r = 1; r <= 8; ++r)
    for (int c = 0; c < 8; ++c) {
      const float* col = colours[(r * 3 + c * 5 + (r * c) % 4) % 7];
      const double cx = ((c - 2) / (11 * t * aspect) + 1) / 2 * f.width;
      const double cy = ((4.65 - r) / (11 * t) + 1) / 2 * f.height;
      const double radius = 0.4 / (11 * t) / 2 * f.height;
      for (int py = static_cast<int>(cy - radius); py <= cy + radius; ++py)
        for (int px = static_cast<int>(cx - radius); px <= cx + radius; ++px) {
          const double d = std::hypot(px + 0.5 - cx, py + 0.5 - cy) / radius;
          if (d > 1 || px < 0 || py < 0 || px >= f.width || py >= f.height) continue;
          const float light = static_cast<float>(1.1 - 0.6 * std::hypot(px + 0.5 - (cx - radius * 0.3), py + 0.5 - (cy + radius * 0.3)) / radius);
          for (int k = 0; k < 3; ++k) f.At(px, py)[k] = std::clamp(col[k] * light, 0.0f, 1.0f);
        }
    }
}

// The game's text printer: 19 by 19 glyph quads every 14 units of the 640 by 480 text space.
void PrintText(Frame& f, const Texture& font, int x, int y, const std::string& text,
               std::array<float, 4> colour = {1, 1, 1, 1}) {
  const Picture& sheet = font.levels[0];
  const float unit = f.width / 640.0f;
  const Picture& level = Level(font, sheet.width / 16.0f / (19 * unit));
  for (size_t i = 0; i < text.size(); ++i) {
    const int g = static_cast<unsigned char>(text[i]) - 32;
    const float left = (g % 16) / 16.0f, bottom = 1 - (g / 16 + 1) / 16.0f;
    const float qx = x + 14.0f * i;
    for (int py = static_cast<int>(std::ceil(y * unit - 0.5f)); py < std::ceil((y + 19) * unit - 0.5f); ++py)
      for (int px = static_cast<int>(std::ceil(qx * unit - 0.5f)); px < std::ceil((qx + 19) * unit - 0.5f); ++px) {
        if (px < 0 || py < 0 || px >= f.width || py >= f.height) continue;
        float s[3];
        SampleRepeat(level, left + ((px + 0.5f) / unit - qx) / 19 / 16, bottom + ((py + 0.5f) / unit - y) / 19 / 16, s);
        float* d = f.At(px, py);
        for (int c = 0; c < 3; ++c) d[c] = std::min(1.0f, d[c] + s[c] * colour[c] * colour[3]);
      }
  }
}

std::string Format2i(int v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%2i", v);
  return buffer;
}

struct Rect {
  float x, y, w, h;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: screen_mockup <base folder> <out.png> <640|800> <screen> [lit] [bg0..bg5]\n");
    return 2;
  }
  const std::filesystem::path base = argv[1];
  const bool large = std::string(argv[3]) == "800";
  const std::string screen = argv[4];
  bool lit = false;
  int backgroundChoice = 0;
  for (int i = 5; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "lit") lit = true;
    if (option.size() == 3 && option.rfind("bg", 0) == 0) backgroundChoice = std::clamp(option[2] - '0', 0, 5);
  }
  const int backgrounds[] = {36, 61, 62, 63, 64, 65};

  std::vector<Texture> tex;
  for (int i = 0; i < 81; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "tex%02d.bmp", i);
    Picture p = ReadBmp24(base / name);
    if (p.width == 0) {
      std::fprintf(stderr, "screen_mockup: cannot read %s\n", name);
      return 1;
    }
    tex.push_back(MakeTexture(std::move(p)));
  }

  Frame f{large ? 800 : 640, large ? 600 : 480, {}};
  f.rgb.assign(static_cast<size_t>(f.width) * f.height * 3, 0.0f);
  const bool playing = screen == "playing" || screen == "paused" || screen.rfind("banner", 0) == 0;
  DrawBoard(f, tex[backgrounds[backgroundChoice]], playing && screen != "paused");

  auto masked = [&](Rect r, int mask, int image) {
    Quad(f, tex[mask], r.x, r.y, r.w, r.h, 1, Blend::Multiply);
    Quad(f, tex[image], r.x, r.y, r.w, r.h, 1, Blend::Add);
  };
  auto opaque = [&](Rect r, int image) { Quad(f, tex[image], r.x, r.y, r.w, r.h, 1, Blend::Opaque); };

  masked({0, 0, static_cast<float>(f.width), static_cast<float>(f.height)}, 1, 2);
  const int hover = lit ? 1 : 0;
  masked(large ? Rect{108, 175, 100, 150} : Rect{85, 140, 80, 120}, 51, 49 + hover);
  masked(large ? Rect{65, 475, 150, 50} : Rect{50, 380, 120, 40}, 6, 7 + hover);
  masked(large ? Rect{65, 370, 150, 50} : Rect{55, 295, 120, 40}, 10, 24 + hover);
  masked(large ? Rect{65, 415, 150, 50} : Rect{55, 330, 120, 40}, 10, 29);
  masked(large ? Rect{60, 75, 150, 50} : Rect{50, 60, 120, 40}, 6, 18 + 2 * hover);
  masked(large ? Rect{60, 20, 150, 50} : Rect{50, 20, 120, 40}, 6, 21);

  const int question = screen == "newgame" ? 30 : screen == "quit" ? 3 : screen == "resume" ? 52 : -1;
  if (question >= 0) {
    opaque({265, 240, 300, 150}, question);
    masked({283, 255, 128, 32}, 31, 32 + hover);
    masked({420, 255, 128, 32}, 31, 34);
  }
  if (screen == "options") {
    opaque({265, 150, 300, 330}, 4);
    masked({350, 165, 128, 32}, 31, 5 + 34 * hover);
    opaque({287, 385, 256, 32}, 79 + hover);
    opaque({287, 350, 256, 32}, 40 + hover);
    opaque({287, 315, 256, 32}, 42 + hover);
    opaque({287, 280, 256, 32}, 45 - hover);
    opaque({287, 245, 256, 32}, 71 + hover);
  }
  if (screen == "highscores") {
    opaque(large ? Rect{230, 60, 420, 510} : Rect{230, 40, 345, 420}, 78);
    masked(large ? Rect{380, 80, 128, 32} : Rect{340, 55, 128, 32}, 31, 5 + 34 * hover);
    std::ifstream in(base / "hiscores", std::ios::binary);
    const std::vector<uint8_t> b{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (int i = 0; i < 10 && b.size() >= 130; ++i) {
      const uint8_t* e = &b[i * 13];
      const int score = e[9] | e[10] << 8 | e[11] << 16 | e[12] << 24;
      const int row = i % 5;
      const int y = i < 5 ? 343 - 20 * row : (large ? 195 : 190) - 20 * row;
      PrintText(f, tex[0], large ? 240 : 290, y, std::string(e, e + 9));
      PrintText(f, tex[0], large ? 415 : 460, y, Format2i(score));
    }
  }
  if (screen == "nameentry") {
    opaque({265, 150, 300, 300}, 38);
    PrintText(f, tex[0], large ? 270 : 345, large ? 195 : 245, "Ada$$$$$$");
  }
  if (screen.rfind("banner", 0) == 0) {
    const int index = std::stoi(screen.substr(6));
    Quad(f, tex[index], 283, 550 * 0.5f, 256, 64, 1, Blend::Add, {1, 1, 1, 1});
  }
  if (screen == "paused") opaque({300, 250, 256, 64}, 75);

  const int score = lit ? 12345 : 480;
  const int x = score == 0 ? 103 : score < 100 ? 110 : score < 1000 ? 103 : score < 10000 ? 96 : 90;
  PrintText(f, tex[0], x, 437, Format2i(score));
  const int level = lit ? 11 : 3;
  PrintText(f, tex[0], level < 10 ? 580 : 587, 4, Format2i(level + 1));
  if (playing) {
    PrintText(f, tex[0], 300, 200, Format2i(30), {0.3f, 0.3f, 1, 0.8f});
    PrintText(f, tex[0], 420, 330, Format2i(60), {0.3f, 0.3f, 1, 0.5f});
  }
  Quad(f, tex[37], 306, 12, lit ? 391.5f : 195.75f, 11, f.width / 800.0f, Blend::Opaque);

  if (!WritePng(argv[2], f.width, f.height, f.rgb)) {
    std::fprintf(stderr, "screen_mockup: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
