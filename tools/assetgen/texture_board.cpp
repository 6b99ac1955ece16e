// The six board backgrounds, tiled five times across the square behind the fruit, and the
// time / progress bar. Backgrounds are quiet and fairly dark so the fruit and the light-blue
// score numbers stand out on them.
#include <cmath>
#include <functional>
#include <numbers>

#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/orchard_style.h"
#include "tools/assetgen/texture_art.h"

namespace assetgen {

using namespace orchard;

namespace {

namespace fs = std::filesystem;

// Tiles repeat five times across the board, so every pattern wraps at the tile's edges:
// noise has a period that divides the tile and repeated shapes are drawn once per neighbour.
constexpr float Tile = 128;

Rgb Grain(Rgb base, float x, float y, uint32_t seed, float amount) {
  const float n = Fbm(x / 8, y / 8, seed, 3, 16) - 0.5f;
  return Scale(base, 1 + n * amount);
}

void DrawWrapped(const std::function<void(float dx, float dy)>& draw) {
  for (float dy : {-Tile, 0.0f, Tile})
    for (float dx : {-Tile, 0.0f, Tile}) draw(dx, dy);
}

void MakeWalnut(Canvas& c) {
  c.Flood([](float x, float y) {
    const float warp = Fbm(x / 32, y / 16, 361, 3, 4);
    const float rings = 0.5f + 0.5f * std::sin((y / Tile * 5 + warp * 0.7f) * 2 * std::numbers::pi_v<float>);
    const float streak = Fbm(x / 64, y / 2, 362, 3, 2) - 0.5f;
    return Mix(Rgb8(52, 34, 24), Rgb8(78, 54, 38), Clamp01(0.4f + 0.25f * rings + streak * 0.6f));
  });
}

void MakeLinen(Canvas& c) {
  c.Flood([](float x, float y) {
    const float warpThread = 0.5f + 0.5f * std::sin(x / Tile * 64 * std::numbers::pi_v<float>);
    const float weftThread = 0.5f + 0.5f * std::sin(y / Tile * 64 * std::numbers::pi_v<float>);
    const float slub = Fbm(x / 4, y / 32, 611, 3, 32) - 0.5f;
    const float t = 0.45f + 0.18f * (warpThread - weftThread) + slub * 0.35f;
    return Grain(Mix(Rgb8(34, 64, 42), Rgb8(62, 98, 66), Clamp01(t)), x, y, 612, 0.15f);
  });
}

void MakeLeafPattern(Canvas& c) {
  c.Flood([](float x, float y) { return Grain(Rgb8(40, 72, 38), x, y, 621, 0.25f); });
  for (int i = 0; i < 9; ++i) {
    const float x = ValueNoise(i * 3.7f, 0.5f, 622) * Tile, y = (i + ValueNoise(i * 2.3f, 1.5f, 623) * 0.6f) * Tile / 9;
    const float angle = ValueNoise(i * 5.1f, 2.5f, 624) * 2 * std::numbers::pi_v<float>;
    const float len = 26 + ValueNoise(i * 1.9f, 3.5f, 625) * 12;
    const Rgb tone = i % 2 ? Rgb8(50, 88, 44) : Rgb8(34, 62, 32);
    DrawWrapped([&](float dx, float dy) {
      const float ax = x + dx, ay = y + dy;
      const float bx = ax + std::cos(angle) * len, by = ay + std::sin(angle) * len;
      const Shape leaf = Leaf(ax, ay, bx, by, len * 0.42f);
      c.Fill(leaf, Solid(tone));
      c.Fill(Segment(ax, ay, ax + (bx - ax) * 0.85f, ay + (by - ay) * 0.85f, 0.5f), Solid(Rgb8(60, 100, 52)), 0.8f);
    });
  }
}

void MakeChecker(Canvas& c) {
  c.Flood([](float x, float y) {
    const bool odd = (static_cast<int>(x / 32) + static_cast<int>(y / 32)) % 2;
    return Grain(odd ? Rgb8(78, 40, 52) : Rgb8(64, 32, 44), x, y, 631, 0.2f);
  });
}

void MakeBlossoms(Canvas& c) {
  c.Flood([](float x, float y) { return Grain(Rgb8(30, 52, 66), x, y, 641, 0.2f); });
  for (int i = 0; i < 8; ++i) {
    const float x = (i % 4) * 32 + 16 + (i / 4) * 16, y = (i / 4) * 64 + 20 + ValueNoise(i * 1.3f, 0.2f, 642) * 20;
    DrawWrapped([&](float dx, float dy) {
      for (int petal = 0; petal < 5; ++petal) {
        const float a = petal * 2 * std::numbers::pi_v<float> / 5 + i;
        c.Fill(Circle(x + dx + std::cos(a) * 3.2f, y + dy + std::sin(a) * 3.2f, 2.6f), Solid(Rgb8(52, 80, 96)));
      }
      c.Fill(Circle(x + dx, y + dy, 1.6f), Solid(Rgb8(84, 96, 84)));
    });
  }
}

void MakeBasket(Canvas& c) {
  c.Flood([](float x, float y) {
    const int bx = static_cast<int>(x / 16), by = static_cast<int>(y / 16);
    const bool across = (bx + by) % 2;
    const float along = across ? std::fmod(y, 16.0f) : std::fmod(x, 16.0f);
    const float strand = std::sin(along / 16 * 3 * std::numbers::pi_v<float>);
    const float t = 0.55f + 0.35f * std::fabs(strand) - (std::fabs(strand) < 0.25f ? 0.25f : 0.0f);
    return Grain(Mix(Rgb8(62, 38, 20), Rgb8(104, 68, 38), Clamp01(t)), x, y, 651, 0.25f);
  });
}

}  // namespace

void MakeBoardBackgrounds(const fs::path& out) {
  const struct {
    TextureIndex index;
    void (*paint)(Canvas&);
  } backgrounds[] = {{TexBoardBackground0, MakeWalnut}, {TexBoardBackground1, MakeLinen},
                     {TexBoardBackground2, MakeLeafPattern}, {TexBoardBackground3, MakeChecker},
                     {TexBoardBackground4, MakeBlossoms}, {TexBoardBackground5, MakeBasket}};
  for (const auto& b : backgrounds) {
    Canvas c(Tile, Tile, 4);
    b.paint(c);
    SaveImage(out, b.index, c, 128, 128);
  }
}

// The bar is stretched to its current length, so it is a glossy strip that does not change
// along its length except for a slow ripening from amber to leaf green.
void MakeBar(const fs::path& out) {
  Canvas c(32, 8, 16);
  c.Flood([](float x, float y) {
    const Rgb along = Mix(Rgb8(240, 160, 40), Rgb8(120, 200, 60), x / 32);
    const float t = y / 8;
    Rgb colour = Mix(Mix(along, White, 0.55f), along, SmoothStep(0.1f, 0.45f, t));
    colour = Mix(colour, Scale(along, 0.6f), SmoothStep(0.55f, 1.0f, t));
    if (t < 0.12f || t > 0.88f) colour = Scale(along, 0.45f);
    return colour;
  });
  SaveImage(out, TexTimeBar, c, 32, 8);
}

// The keyboard cursor's mark, one cell square behind the fruit: a honey-gold frame with a dark
// edge, so that it reads on the light and the dark backgrounds alike, in a warm glow. The
// fruit covers the middle, so all of it lies near the cell's edge.
void MakeCursorMark(const fs::path& out) {
  constexpr float Cell = 54;  // one cell in the small layout's pixels
  Canvas c(Cell, Cell, 8);
  const Shape frame = RoundedRect(4.5f, 4.5f, Cell - 4.5f, Cell - 4.5f, 11);
  const Shape band = Outline(frame, 2.1f);
  // The glow fades out before the square's edge, so that the edge never shows.
  const Field inside = Blur(c.Cover(RoundedRect(2.5f, 2.5f, Cell - 2.5f, Cell - 2.5f, 12)), c.Scale() * 0.9f);
  c.Fill(Within(Boosted(Blur(c.Cover(band), c.Scale() * 2.5f), 1.6f), inside), Solid(Butter), 0.9f);
  c.Fill(Outline(frame, 3.2f), Solid(Ink), 0.9f);
  c.Fill(band, VerticalGradient(2, Rgb8(255, 246, 200), Cell - 2, Honey));
  c.Bevel(band, 1.2f, 0.55f, White, Rgb8(150, 90, 20));
  WriteBmp24(out / "base" / "cursormask.bmp", 128, 128, c.MaskPixels(128, 128));
  WriteBmp24(out / "base" / "cursor.bmp", 128, 128, c.ImagePixels(128, 128));
}

}  // namespace assetgen
