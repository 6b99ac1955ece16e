#include "tools/assetgen/skin.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

// Texels painted around each region so that linear filtering at its edges reads painted paint.
constexpr int SkinMargin = 2;

// The baked key light, from the upper left in front of the fruit at rest.
const Vec3 KeyLight = Normalize({-0.45, 0.65, 0.62});
const Vec3 Viewer = {0, 0, 1};

uint32_t Hash(int32_t x, int32_t y, int32_t z, uint32_t seed) {
  uint32_t h = seed * 0x9E3779B9u;
  for (int32_t k : {x, y, z}) {
    h ^= static_cast<uint32_t>(k) + 0x7F4A7C15u + (h << 6) + (h >> 2);
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
  }
  return h;
}

double HashUnit(int32_t x, int32_t y, int32_t z, uint32_t seed) {
  return (Hash(x, y, z, seed) >> 8) * (1.0 / 16777216.0);
}

double Fade(double t) { return t * t * (3.0 - 2.0 * t); }

}  // namespace

Colour Mix(Colour a, Colour b, double amount) { return a * (1.0 - amount) + b * amount; }

Colour SkinColour(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

double Clamp01(double x) { return std::clamp(x, 0.0, 1.0); }

double SmoothStep(double edge0, double edge1, double x) {
  return Fade(Clamp01((x - edge0) / (edge1 - edge0)));
}

double ValueNoise(Vec3 p, uint32_t seed) {
  const double fx = std::floor(p.x), fy = std::floor(p.y), fz = std::floor(p.z);
  const auto ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy),
             iz = static_cast<int32_t>(fz);
  const double tx = Fade(p.x - fx), ty = Fade(p.y - fy), tz = Fade(p.z - fz);
  double plane[2];
  for (int dz = 0; dz < 2; ++dz) {
    double row[2];
    for (int dy = 0; dy < 2; ++dy) {
      const double a = HashUnit(ix, iy + dy, iz + dz, seed);
      const double b = HashUnit(ix + 1, iy + dy, iz + dz, seed);
      row[dy] = a + (b - a) * tx;
    }
    plane[dz] = row[0] + (row[1] - row[0]) * ty;
  }
  return plane[0] + (plane[1] - plane[0]) * tz;
}

double Fbm(Vec3 p, uint32_t seed, int octaves) {
  double sum = 0, weight = 0, amplitude = 1;
  for (int i = 0; i < octaves; ++i) {
    sum += ValueNoise(p, seed + static_cast<uint32_t>(i)) * amplitude;
    weight += amplitude;
    amplitude *= 0.5;
    p = p * 2.03;
  }
  return sum / weight;
}

double CellDistance(Vec3 p, uint32_t seed) {
  const auto ix = static_cast<int32_t>(std::floor(p.x));
  const auto iy = static_cast<int32_t>(std::floor(p.y));
  const auto iz = static_cast<int32_t>(std::floor(p.z));
  double nearest = 1e9;
  for (int dz = -1; dz <= 1; ++dz)
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const int32_t cx = ix + dx, cy = iy + dy, cz = iz + dz;
        const Vec3 point{cx + HashUnit(cx, cy, cz, seed), cy + HashUnit(cx, cy, cz, seed + 1),
                         cz + HashUnit(cx, cy, cz, seed + 2)};
        nearest = std::min(nearest, Length(point - p));
      }
  return nearest;
}

double BakedShade(Vec3 normal) {
  const double key = std::max(0.0, Dot(normal, KeyLight));
  const double sky = 0.5 + 0.5 * normal.y;
  return 0.58 + 0.30 * key + 0.16 * sky;
}

double BakedGloss(Vec3 normal, double sharpness) {
  const Vec3 half = Normalize(KeyLight + Viewer);
  return std::pow(std::max(0.0, Dot(normal, half)), sharpness);
}

void Skin::Paint(const SkinRect& rect, const std::function<Colour(double u, double v)>& paint) {
  const auto toTexel = [&](double coordinate) { return coordinate * size_; };
  const int x0 = std::max(0, static_cast<int>(std::floor(toTexel(rect.s0))) - SkinMargin);
  const int x1 = std::min(size_, static_cast<int>(std::ceil(toTexel(rect.s1))) + SkinMargin);
  // Rows counted from the bottom of the picture, where t is 0.
  const int y0 = std::max(0, static_cast<int>(std::floor(toTexel(rect.t0))) - SkinMargin);
  const int y1 = std::min(size_, static_cast<int>(std::ceil(toTexel(rect.t1))) + SkinMargin);
  for (int y = y0; y < y1; ++y) {
    const double t = (y + 0.5) / size_;
    const double v = Clamp01((t - rect.t0) / (rect.t1 - rect.t0));
    for (int x = x0; x < x1; ++x) {
      const double s = (x + 0.5) / size_;
      double u = (s - rect.s0) / (rect.s1 - rect.s0);
      u -= std::floor(u);
      texels_[static_cast<size_t>(size_ - 1 - y) * size_ + x] = paint(u, v);
    }
  }
}

std::vector<uint8_t> Skin::RgbBytes() const {
  std::vector<uint8_t> bytes;
  bytes.reserve(texels_.size() * 3);
  for (const Colour& c : texels_)
    for (double channel : {c.r, c.g, c.b})
      bytes.push_back(static_cast<uint8_t>(std::lround(Clamp01(channel) * 255.0)));
  return bytes;
}

}  // namespace assetgen
