// Painting the fruit skins: a square texture painted region by region from surface
// coordinates, deterministic noise, and the light baked into the paint.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "tools/assetgen/mesh.h"

namespace assetgen {

// A colour with channels in 0..1.
struct Colour {
  double r = 0, g = 0, b = 0;
};
inline Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Colour operator*(Colour a, double k) { return {a.r * k, a.g * k, a.b * k}; }
inline Colour operator*(Colour a, Colour b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
Colour Mix(Colour a, Colour b, double amount);
// The colour of 8-bit channels.
Colour SkinColour(int r, int g, int b);

double Clamp01(double x);
double SmoothStep(double edge0, double edge1, double x);

// Smooth value noise in 0..1 at a point of model space, and its sum over octaves.
double ValueNoise(Vec3 p, uint32_t seed);
double Fbm(Vec3 p, uint32_t seed, int octaves);
// Distance from p to the nearest of the points scattered one per unit cell (0..~1.2).
double CellDistance(Vec3 p, uint32_t seed);

// The lighting painted into every skin, since the game's lights leave the lit colour white and
// the texture alone shapes the fruit: a key light from the upper left in front, a soft light
// from above, and a gloss spot on the side facing the viewer. `shade` is the factor for the
// skin's colour, `gloss` the amount of white on top (scaled by the surface's shininess).
double BakedShade(Vec3 normal);
double BakedGloss(Vec3 normal, double sharpness);

class Skin {
 public:
  explicit Skin(int size) : size_(size), texels_(static_cast<size_t>(size) * size) {}

  // Paints `rect` with paint(u, v), u across s and v along t, both 0..1 over the rectangle.
  // A margin of texels around it is painted too, u wrapping around and v held at its edge,
  // so filtering at the rectangle's edges never reads unpainted texels.
  void Paint(const SkinRect& rect, const std::function<Colour(double u, double v)>& paint);
  // The texels as 8-bit R G B triples, top row first, for WriteBmp24.
  std::vector<uint8_t> RgbBytes() const;
  int Size() const { return size_; }

 private:
  int size_;
  std::vector<Colour> texels_;
};

}  // namespace assetgen
