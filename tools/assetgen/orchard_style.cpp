#include "tools/assetgen/orchard_style.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace assetgen::orchard {

Paint Wood(uint32_t seed, float plank, Rgb dark, Rgb light) {
  return [=](float x, float y) {
    float row = 0, across = y;
    if (plank > 0) {
      row = std::floor(y / plank);
      across = y - row * plank;
    }
    const float offset = row * 37.0f;
    const float warp = Fbm((x + offset * 13) / 90.0f, y / 9.0f, seed, 4);
    const float rings = 0.5f + 0.5f * std::sin((y + warp * 26.0f) * 0.55f + row * 1.7f);
    const float streak = Fbm((x + offset * 7) / 14.0f, y / 1.6f, seed + 17, 3);
    float t = 0.30f + 0.28f * rings + 0.32f * (streak - 0.5f);
    if (plank > 0) {
      t += (ValueNoise(row * 3.1f, 0.5f, seed + 5) - 0.5f) * 0.22f;
      const float seam = std::min(across, plank - across);
      t *= 0.55f + 0.45f * SmoothStep(0.0f, 1.6f, seam);
    }
    return Mix(dark, light, Clamp01(t));
  };
}

void WoodBlock(Canvas& canvas, const Shape& shape, uint32_t seed, float bevel) {
  canvas.Fill(shape, Wood(seed, 0, WoodDark, WoodMid));
  canvas.Bevel(shape, bevel, 0.65f, Rgb8(236, 186, 130), Rgb8(40, 20, 8));
}

void CreamPanel(Canvas& canvas, const Shape& shape) {
  canvas.Fill(shape, Solid(Cream));
  canvas.Bevel(shape, 5, -0.35f, White, Rgb8(150, 110, 70));
}

void DarkInset(Canvas& canvas, const Shape& shape) {
  canvas.Fill(Grown(shape, 1.0f), Solid(Rgb8(255, 236, 200)), 0.35f);
  canvas.Fill(shape, VerticalGradient(shape.y0, InsetTop, shape.y1, InsetBottom));
  canvas.Bevel(shape, 3.5f, -0.8f, Rgb8(120, 84, 56), Black);
}

void FramedPanel(Canvas& canvas, float frame, uint32_t seed) {
  const float w = canvas.UnitsWide(), h = canvas.UnitsHigh();
  canvas.Flood(Wood(seed, 0, WoodDark, WoodMid));
  canvas.Bevel(RoundedRect(0, 0, w, h, 0), frame * 0.6f, 0.7f, Rgb8(236, 186, 130), Rgb8(30, 14, 6));
  CreamPanel(canvas, RoundedRect(frame, frame, w - frame, h - frame, frame * 1.1f));
}

void DrawLeaf(Canvas& canvas, float ax, float ay, float bx, float by, float width, Rgb colour) {
  const Shape leaf = Leaf(ax, ay, bx, by, width);
  canvas.Fill(leaf, [=](float x, float y) {
    // Lighter toward the tip's left half, like a leaf lit from above.
    const float side = ((x - ax) * (ay - by) + (y - ay) * (bx - ax)) > 0 ? 1.0f : 0.0f;
    return Mix(colour, Scale(colour, 0.78f), side);
  });
  canvas.Bevel(leaf, width * 0.18f, 0.5f, Mix(colour, White, 0.5f), Scale(colour, 0.5f));
  const float mx = ax + (bx - ax) * 0.08f, my = ay + (by - ay) * 0.08f;
  canvas.Fill(Segment(mx, my, ax + (bx - ax) * 0.8f, ay + (by - ay) * 0.8f, width * 0.035f),
              Solid(Mix(colour, Butter, 0.45f)), 0.8f);
}

void DrawCherries(Canvas& c, float x, float y, float size) {
  const float k = size;
  c.Fill(Segment(x + 6 * k, y - 22 * k, x - 8 * k, y + 2 * k, 1.0f * k), Solid(Rgb8(92, 64, 24)));
  c.Fill(Segment(x + 6 * k, y - 22 * k, x + 14 * k, y + 4 * k, 1.0f * k), Solid(Rgb8(92, 64, 24)));
  DrawLeaf(c, x + 6 * k, y - 22 * k, x + 30 * k, y - 22 * k, 10 * k, Green);
  DrawLeaf(c, x + 6 * k, y - 22 * k, x - 16 * k, y - 25 * k, 8.5f * k, GreenDark);
  for (const auto& [dx, dy] : {std::pair{-9.0f, 8.0f}, std::pair{15.0f, 10.0f}}) {
    const float cx = x + dx * k, cy = y + dy * k;
    const Shape cherry = Circle(cx, cy, 8.5f * k);
    c.DropShadow(cherry, 1.5f * k, 0.6f * k, 1.8f * k, 0.5f);
    c.Fill(cherry, VerticalGradient(cy - 8 * k, AppleLight, cy + 8 * k, Rgb8(120, 16, 20)));
    c.Bevel(cherry, 3.5f * k, 0.5f, Rgb8(255, 200, 190), Rgb8(60, 0, 0));
    c.Fill(Circle(cx - 3 * k, cy - 3.5f * k, 2.2f * k), Solid(White), 0.75f);
  }
}

void Letter(Canvas& canvas, const Field& text, Rgb colour, Relief relief) {
  const int step = std::max(1, static_cast<int>(std::lround(canvas.Scale() * 0.7f)));
  if (relief == Relief::Engraved) canvas.Fill(Shifted(text, 0, step), Solid(White), 0.55f);
  if (relief == Relief::Shadowed)
    canvas.Fill(Shifted(Blur(text, canvas.Scale() * 0.6f), step / 2, step), Solid(Black), 0.55f);
  canvas.Fill(text, Solid(colour));
}

void DrawButton(Canvas& canvas, const Shape& face, const Finish& finish,
                const std::function<void(Rgb text, float drop)>& content) {
  const float height = face.y1 - face.y0;
  canvas.DropShadow(face, 1.2f, 0.4f, 1.6f, 0.55f);
  canvas.Fill(Grown(face, 0.9f), Solid(finish.rim));
  if (finish.sunken) {
    canvas.Fill(face, VerticalGradient(face.y0, finish.bottom, face.y1, finish.top));
    canvas.Bevel(face, height * 0.22f, -0.75f, White, Black);
  } else {
    canvas.Fill(face, VerticalGradient(face.y0, finish.top, face.y1, finish.bottom));
    canvas.Bevel(face, height * 0.18f, 0.7f, White, Scale(finish.bottom, 0.55f));
    // A soft gloss across the upper half of the face.
    const Shape gloss = Intersect(Grown(face, -height * 0.1f),
                                  RoundedRect(face.x0, face.y0, face.x1, face.y0 + height * 0.45f, 0));
    canvas.Fill(gloss, VerticalGradient(face.y0, White, face.y0 + height * 0.45f, finish.top), 0.35f);
  }
  content(finish.text, finish.sunken ? height * 0.05f : 0.0f);
}

Finish CreamFinish(Look look) {
  switch (look) {
    case Look::Hover: return {Rgb8(255, 238, 168), Rgb8(244, 178, 58), Rgb8(120, 62, 16), Rgb8(92, 44, 10)};
    case Look::Pressed: return {GreenLight, GreenDark, Rgb8(32, 64, 20), Rgb8(255, 250, 228), true};
    case Look::Idle: break;
  }
  return {Rgb8(255, 250, 232), Rgb8(228, 208, 164), Rgb8(96, 58, 28), Ink};
}

void DrawTick(Canvas& c, float x, float y, float size, Rgb colour) {
  const float w = size * 0.13f;
  c.Fill(Union(Segment(x - size * 0.45f, y, x - size * 0.12f, y + size * 0.33f, w),
               Segment(x - size * 0.12f, y + size * 0.33f, x + size * 0.5f, y - size * 0.38f, w)),
         Solid(colour));
}

void DrawCross(Canvas& c, float x, float y, float size, Rgb colour) {
  const float h = size * 0.36f, w = size * 0.13f;
  c.Fill(Union(Segment(x - h, y - h, x + h, y + h, w), Segment(x - h, y + h, x + h, y - h, w)),
         Solid(colour));
}

void DrawClock(Canvas& c, float x, float y, float r, Rgb colour) {
  c.Fill(Outline(Circle(x, y, r), r * 0.13f), Solid(colour));
  c.Fill(Union(Segment(x, y, x, y - r * 0.62f, r * 0.11f), Segment(x, y, x + r * 0.45f, y + r * 0.1f, r * 0.11f)),
         Solid(colour));
}

void DrawSteps(Canvas& c, float x, float y, float size, Rgb colour) {
  const float w = size * 0.27f, gap = size * 0.09f;
  for (int i = 0; i < 3; ++i) {
    const float left = x - size / 2 + i * (w + gap), height = size * (0.4f + 0.3f * i);
    c.Fill(RoundedRect(left, y + size / 2 - height, left + w, y + size / 2, w * 0.25f), Solid(colour));
  }
}

void DrawStar(Canvas& c, float x, float y, float r, Rgb colour) {
  // Four slim leaves crossing make a twinkle.
  c.Fill(Union(Leaf(x - r, y, x + r, y, r * 0.35f), Leaf(x, y - r, x, y + r, r * 0.35f)), Solid(colour));
}

}  // namespace assetgen::orchard
