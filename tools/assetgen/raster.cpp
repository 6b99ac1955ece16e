#include "tools/assetgen/raster.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

Rgb Mix(Rgb a, Rgb b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Scale(Rgb c, float k) { return {c.r * k, c.g * k, c.b * k}; }

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

float SmoothStep(float edge0, float edge1, float x) {
  const float t = Clamp01((x - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}

float Field::At(int x, int y) const {
  x -= x0;
  y -= y0;
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  return v[static_cast<size_t>(y) * width + x];
}

// ---- Shapes -------------------------------------------------------------------------------

Shape RoundedRect(float x0, float y0, float x1, float y1, float radius) {
  const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  const float hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
  return {[=](float x, float y) {
            const float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
            const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
            return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
          },
          x0, y0, x1, y1};
}

Shape Circle(float cx, float cy, float radius) {
  return {[=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; }, cx - radius,
          cy - radius, cx + radius, cy + radius};
}

Shape Segment(float ax, float ay, float bx, float by, float halfWidth) {
  return {[=](float x, float y) {
            const float dx = bx - ax, dy = by - ay;
            const float len2 = dx * dx + dy * dy;
            const float t = len2 > 0 ? Clamp01(((x - ax) * dx + (y - ay) * dy) / len2) : 0;
            return std::hypot(x - ax - t * dx, y - ay - t * dy) - halfWidth;
          },
          std::min(ax, bx) - halfWidth, std::min(ay, by) - halfWidth,
          std::max(ax, bx) + halfWidth, std::max(ay, by) + halfWidth};
}

Shape Leaf(float ax, float ay, float bx, float by, float width) {
  const float mx = (ax + bx) / 2, my = (ay + by) / 2;
  const float halfLength = std::hypot(bx - ax, by - ay) / 2, h = width / 2;
  const float radius = (halfLength * halfLength + h * h) / (2 * h);
  const float nx = -(by - ay) / (2 * halfLength), ny = (bx - ax) / (2 * halfLength);
  const float off = radius - h;
  const float c1x = mx + nx * off, c1y = my + ny * off, c2x = mx - nx * off, c2y = my - ny * off;
  const float reach = std::max(halfLength, h);
  return {[=](float x, float y) {
            return std::max(std::hypot(x - c1x, y - c1y), std::hypot(x - c2x, y - c2y)) - radius;
          },
          mx - reach, my - reach, mx + reach, my + reach};
}

Shape Union(const Shape& a, const Shape& b) {
  return {[a, b](float x, float y) { return std::min(a.sdf(x, y), b.sdf(x, y)); },
          std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

Shape Intersect(const Shape& a, const Shape& b) {
  return {[a, b](float x, float y) { return std::max(a.sdf(x, y), b.sdf(x, y)); },
          std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

Shape Subtract(const Shape& a, const Shape& b) {
  return {[a, b](float x, float y) { return std::max(a.sdf(x, y), -b.sdf(x, y)); }, a.x0, a.y0,
          a.x1, a.y1};
}

Shape Grown(const Shape& a, float amount) {
  const float m = std::max(amount, 0.0f);
  return {[a, amount](float x, float y) { return a.sdf(x, y) - amount; }, a.x0 - m, a.y0 - m,
          a.x1 + m, a.y1 + m};
}

Shape Outline(const Shape& a, float halfWidth) {
  return {[a, halfWidth](float x, float y) { return std::fabs(a.sdf(x, y)) - halfWidth; },
          a.x0 - halfWidth, a.y0 - halfWidth, a.x1 + halfWidth, a.y1 + halfWidth};
}

Paint Solid(Rgb c) {
  return [c](float, float) { return c; };
}

Paint VerticalGradient(float y0, Rgb top, float y1, Rgb bottom) {
  return [=](float, float y) { return Mix(top, bottom, Clamp01((y - y0) / (y1 - y0))); };
}

// ---- Noise --------------------------------------------------------------------------------

static float LatticeValue(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 0x8da6b343u ^ static_cast<uint32_t>(y) * 0xd8163841u ^
               seed * 0xcb1ab31fu;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return (h & 0xffffff) / static_cast<float>(0xffffff);
}

float ValueNoise(float x, float y, uint32_t seed, int period) {
  const float fx = std::floor(x), fy = std::floor(y);
  int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  const float tx = SmoothStep(0, 1, x - fx), ty = SmoothStep(0, 1, y - fy);
  auto wrap = [period](int v) { return period > 0 ? ((v % period) + period) % period : v; };
  const int x0 = wrap(ix), x1 = wrap(ix + 1), y0 = wrap(iy), y1 = wrap(iy + 1);
  const float a = LatticeValue(x0, y0, seed), b = LatticeValue(x1, y0, seed);
  const float c = LatticeValue(x0, y1, seed), d = LatticeValue(x1, y1, seed);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float Fbm(float x, float y, uint32_t seed, int octaves, int period) {
  float sum = 0, amplitude = 0.5f, total = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amplitude * ValueNoise(x, y, seed + i * 101u, period);
    total += amplitude;
    x *= 2;
    y *= 2;
    period *= 2;
    amplitude *= 0.5f;
  }
  return sum / total;
}

// ---- Canvas -------------------------------------------------------------------------------

Canvas::Canvas(float unitsWide, float unitsHigh, float scale)
    : width_(static_cast<int>(std::lround(unitsWide * scale))),
      height_(static_cast<int>(std::lround(unitsHigh * scale))),
      scale_(scale),
      rgba_(static_cast<size_t>(width_) * height_ * 4, 0.0f) {}

Field Canvas::Cover(const Shape& shape) const {
  Field f;
  const int px0 = std::max(0, static_cast<int>(std::floor(shape.x0 * scale_)) - 2);
  const int py0 = std::max(0, static_cast<int>(std::floor(shape.y0 * scale_)) - 2);
  const int px1 = std::min(width_, static_cast<int>(std::ceil(shape.x1 * scale_)) + 2);
  const int py1 = std::min(height_, static_cast<int>(std::ceil(shape.y1 * scale_)) + 2);
  if (px1 <= px0 || py1 <= py0) return f;
  f.x0 = px0;
  f.y0 = py0;
  f.width = px1 - px0;
  f.height = py1 - py0;
  f.v.resize(static_cast<size_t>(f.width) * f.height);
  for (int y = 0; y < f.height; ++y)
    for (int x = 0; x < f.width; ++x) {
      const float d = shape.sdf((px0 + x + 0.5f) / scale_, (py0 + y + 0.5f) / scale_);
      f.v[static_cast<size_t>(y) * f.width + x] = Clamp01(0.5f - d * scale_);
    }
  return f;
}

void Canvas::Fill(const Field& coverage, const Paint& paint, float opacity) {
  for (int y = 0; y < coverage.height; ++y) {
    const int cy = coverage.y0 + y;
    if (cy < 0 || cy >= height_) continue;
    for (int x = 0; x < coverage.width; ++x) {
      const int cx = coverage.x0 + x;
      if (cx < 0 || cx >= width_) continue;
      const float a = coverage.v[static_cast<size_t>(y) * coverage.width + x] * opacity;
      if (a <= 0) continue;
      const Rgb c = paint((cx + 0.5f) / scale_, (cy + 0.5f) / scale_);
      float* p = &rgba_[(static_cast<size_t>(cy) * width_ + cx) * 4];
      p[0] = p[0] * (1 - a) + c.r * a;
      p[1] = p[1] * (1 - a) + c.g * a;
      p[2] = p[2] * (1 - a) + c.b * a;
      p[3] = p[3] * (1 - a) + a;
    }
  }
}

void Canvas::Fill(const Shape& shape, const Paint& paint, float opacity) {
  Fill(Cover(shape), paint, opacity);
}

void Canvas::Flood(const Paint& paint) {
  Fill(Cover(RoundedRect(-1, -1, UnitsWide() + 1, UnitsHigh() + 1, 0)), paint);
}

void Canvas::DropShadow(const Shape& shape, float blur, float dx, float dy, float opacity) {
  const Field f = Shifted(Blur(Cover(shape), blur * scale_), static_cast<int>(dx * scale_),
                          static_cast<int>(dy * scale_));
  Fill(f, Solid({0, 0, 0}), opacity);
}

void Canvas::Bevel(const Shape& shape, float width, float strength, Rgb light, Rgb dark) {
  const Field f = Cover(shape);
  const float eps = 0.5f / scale_;
  const float lx = -0.45f, ly = -0.89f;  // toward the light: up and a little left
  for (int y = 0; y < f.height; ++y)
    for (int x = 0; x < f.width; ++x) {
      const float cov = f.v[static_cast<size_t>(y) * f.width + x];
      if (cov <= 0) continue;
      const float ux = (f.x0 + x + 0.5f) / scale_, uy = (f.y0 + y + 0.5f) / scale_;
      const float d = shape.sdf(ux, uy);
      if (d < -width) continue;
      const float gx = shape.sdf(ux + eps, uy) - shape.sdf(ux - eps, uy);
      const float gy = shape.sdf(ux, uy + eps) - shape.sdf(ux, uy - eps);
      const float len = std::hypot(gx, gy);
      if (len <= 0) continue;
      const float facing = (gx * lx + gy * ly) / len * strength;
      const float depth = 1 - SmoothStep(0, 1, Clamp01(-d / width));
      const float k = Clamp01(std::fabs(facing) * depth) * cov;
      const Rgb target = facing > 0 ? light : dark;
      float* p = &rgba_[(static_cast<size_t>(f.y0 + y) * width_ + f.x0 + x) * 4];
      p[0] += (target.r * p[3] - p[0]) * k;
      p[1] += (target.g * p[3] - p[1]) * k;
      p[2] += (target.b * p[3] - p[2]) * k;
    }
}

void Canvas::Shade(const Field& coverage, float factor) {
  for (int y = 0; y < coverage.height; ++y)
    for (int x = 0; x < coverage.width; ++x) {
      const int cx = coverage.x0 + x, cy = coverage.y0 + y;
      if (cx < 0 || cy < 0 || cx >= width_ || cy >= height_) continue;
      const float a = coverage.v[static_cast<size_t>(y) * coverage.width + x];
      float* p = &rgba_[(static_cast<size_t>(cy) * width_ + cx) * 4];
      const float k = 1 + (factor - 1) * a;
      for (int c = 0; c < 3; ++c) p[c] = std::min(p[c] * k, p[3]);
    }
}

void Canvas::Erase(const Field& coverage) {
  for (int y = 0; y < coverage.height; ++y)
    for (int x = 0; x < coverage.width; ++x) {
      const int cx = coverage.x0 + x, cy = coverage.y0 + y;
      if (cx < 0 || cy < 0 || cx >= width_ || cy >= height_) continue;
      const float keep = 1 - coverage.v[static_cast<size_t>(y) * coverage.width + x];
      float* p = &rgba_[(static_cast<size_t>(cy) * width_ + cx) * 4];
      for (int c = 0; c < 4; ++c) p[c] *= keep;
    }
}

std::vector<uint8_t> Canvas::ImagePixels(int width, int height) const {
  std::vector<float> rgb(static_cast<size_t>(width_) * height_ * 3);
  for (size_t i = 0, n = static_cast<size_t>(width_) * height_; i < n; ++i)
    for (int c = 0; c < 3; ++c) rgb[i * 3 + c] = std::min(rgba_[i * 4 + c], rgba_[i * 4 + 3]);
  return ToBytes(Resample(rgb, width_, height_, 3, width, height));
}

std::vector<uint8_t> Canvas::MaskPixels(int width, int height) const {
  std::vector<float> alpha(static_cast<size_t>(width_) * height_);
  for (size_t i = 0; i < alpha.size(); ++i) alpha[i] = rgba_[i * 4 + 3];
  const std::vector<float> small = Resample(alpha, width_, height_, 1, width, height);
  std::vector<float> grey(small.size() * 3);
  for (size_t i = 0; i < small.size(); ++i) grey[i * 3] = grey[i * 3 + 1] = grey[i * 3 + 2] = 1 - small[i];
  return ToBytes(grey);
}

std::vector<float> Canvas::RgbaPixels(int width, int height) const {
  // Averaged premultiplied, so that a transparent neighbour adds no colour to an edge pixel.
  std::vector<float> rgba = Resample(rgba_, width_, height_, 4, width, height);
  for (size_t i = 0; i < rgba.size(); i += 4) {
    const float alpha = rgba[i + 3];
    for (int c = 0; c < 3; ++c) rgba[i + c] = alpha > 0 ? std::min(rgba[i + c], alpha) / alpha : 0;
  }
  return rgba;
}

// ---- Field operations ---------------------------------------------------------------------

// One running-sum box blur along rows (step 1) or columns (step width) of the field.
static void BoxPass(std::vector<float>& v, int count, int length, int stride, int step, int radius) {
  std::vector<float> line(length);
  for (int i = 0; i < count; ++i) {
    float* base = &v[static_cast<size_t>(i) * stride];
    for (int j = 0; j < length; ++j) line[j] = base[static_cast<size_t>(j) * step];
    float sum = 0;
    for (int j = -radius; j <= radius; ++j) sum += (j >= 0 && j < length) ? line[j] : 0;
    for (int j = 0; j < length; ++j) {
      base[static_cast<size_t>(j) * step] = sum / (2 * radius + 1);
      const int out = j - radius, in = j + radius + 1;
      if (out >= 0) sum -= line[out];
      if (in < length) sum += line[in];
    }
  }
}

Field Blur(const Field& f, float radiusPixels) {
  // Three box passes approximate a Gaussian whose deviation is radiusPixels.
  const int box = std::max(0, static_cast<int>(std::lround((std::sqrt(4 * radiusPixels * radiusPixels + 1) - 1) / 2)));
  const int margin = 3 * box + 1;
  Field g;
  g.x0 = f.x0 - margin;
  g.y0 = f.y0 - margin;
  g.width = f.width + 2 * margin;
  g.height = f.height + 2 * margin;
  g.v.assign(static_cast<size_t>(g.width) * g.height, 0.0f);
  for (int y = 0; y < f.height; ++y)
    for (int x = 0; x < f.width; ++x)
      g.v[static_cast<size_t>(y + margin) * g.width + x + margin] = f.v[static_cast<size_t>(y) * f.width + x];
  if (box == 0) return g;
  for (int pass = 0; pass < 3; ++pass) {
    BoxPass(g.v, g.height, g.width, g.width, 1, box);
    BoxPass(g.v, g.width, g.height, 1, g.width, box);
  }
  return g;
}

Field Shifted(Field f, int dx, int dy) {
  f.x0 += dx;
  f.y0 += dy;
  return f;
}

Field Within(Field f, const Field& by) {
  for (int y = 0; y < f.height; ++y)
    for (int x = 0; x < f.width; ++x) f.v[static_cast<size_t>(y) * f.width + x] *= by.At(f.x0 + x, f.y0 + y);
  return f;
}

Field Boosted(Field f, float k) {
  for (float& v : f.v) v = std::min(1.0f, v * k);
  return f;
}

// ---- Resampling ---------------------------------------------------------------------------

// Weights of the source samples that make one destination sample along one axis: the area
// average of the covered interval when shrinking, linear interpolation when growing.
struct Tap {
  int index;
  float weight;
};

static std::vector<std::vector<Tap>> AxisTaps(int src, int dst) {
  std::vector<std::vector<Tap>> taps(dst);
  const double ratio = static_cast<double>(src) / dst;
  for (int i = 0; i < dst; ++i) {
    if (ratio > 1) {
      const double a = i * ratio, b = (i + 1) * ratio;
      for (int s = static_cast<int>(a); s < src && s < b; ++s) {
        const double w = std::min<double>(b, s + 1) - std::max<double>(a, s);
        if (w > 0) taps[i].push_back({s, static_cast<float>(w / ratio)});
      }
    } else {
      const double c = (i + 0.5) * ratio - 0.5;
      const int s0 = std::clamp(static_cast<int>(std::floor(c)), 0, src - 1);
      const int s1 = std::min(s0 + 1, src - 1);
      const float t = static_cast<float>(std::clamp(c - s0, 0.0, 1.0));
      taps[i] = {{s0, 1 - t}, {s1, t}};
    }
  }
  return taps;
}

std::vector<float> Resample(const std::vector<float>& src, int sw, int sh, int channels, int dw,
                            int dh) {
  const auto xt = AxisTaps(sw, dw), yt = AxisTaps(sh, dh);
  std::vector<float> rows(static_cast<size_t>(dw) * sh * channels, 0.0f);
  for (int y = 0; y < sh; ++y)
    for (int x = 0; x < dw; ++x)
      for (const Tap& t : xt[x])
        for (int c = 0; c < channels; ++c)
          rows[(static_cast<size_t>(y) * dw + x) * channels + c] +=
              src[(static_cast<size_t>(y) * sw + t.index) * channels + c] * t.weight;
  std::vector<float> out(static_cast<size_t>(dw) * dh * channels, 0.0f);
  for (int y = 0; y < dh; ++y)
    for (const Tap& t : yt[y])
      for (int x = 0; x < dw; ++x)
        for (int c = 0; c < channels; ++c)
          out[(static_cast<size_t>(y) * dw + x) * channels + c] +=
              rows[(static_cast<size_t>(t.index) * dw + x) * channels + c] * t.weight;
  return out;
}

std::vector<uint8_t> ToBytes(const std::vector<float>& values) {
  std::vector<uint8_t> bytes(values.size());
  for (size_t i = 0; i < values.size(); ++i)
    bytes[i] = static_cast<uint8_t>(std::lround(Clamp01(values[i]) * 255.0f));
  return bytes;
}

}  // namespace assetgen
