// The seven fruit models, base/1.ms3d to base/7.ms3d, each with one painted skin
// base/fruitN.bmp. Every fruit differs from the others in colour, in lightness and in outline,
// so players who confuse colours still tell them apart:
//   1 peach (pink, round with a cleft and two leaves)   5 pear (green, tall teardrop with stalk)
//   2 orange (orange, round, dimpled, green button)     6 strawberry (red, cone, seeds, calyx)
//   3 lemon (yellow, lying, pointed ends)               7 plum (dark blue-violet, upright egg)
//   4 grapes (purple, a bunch of berries on a stalk)
// Fruit are drawn scaled by 0.3 in one-unit cells, so each is fitted to reach at
// most 1.5 units from its centre; y is up and the side at +z faces the player at rest.
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/mesh.h"
#include "tools/assetgen/shapes.h"
#include "tools/assetgen/skin.h"

namespace assetgen {
namespace {

constexpr int SkinSize = 128;
constexpr int MaxTriangles = 600;

// Skin layout: the body above, small parts in a strip below.
constexpr SkinRect BodySkin{0.0, 0.30, 1.0, 1.0};
constexpr SkinRect PartSkinA{0.02, 0.02, 0.31, 0.25};
constexpr SkinRect PartSkinB{0.35, 0.02, 0.64, 0.25};
constexpr SkinRect PartSkinC{0.68, 0.02, 0.98, 0.25};
// Grapes: four tints of berry above the strip.
constexpr SkinRect BerrySkins[4] = {{0.02, 0.64, 0.48, 0.98},
                                    {0.52, 0.64, 0.98, 0.98},
                                    {0.02, 0.30, 0.48, 0.60},
                                    {0.52, 0.30, 0.98, 0.60}};

struct SurfacePoint {
  double u, v;
  Vec3 position;  // before the model is fitted to its cell
  Vec3 normal;
};
using PartPainter = std::function<Colour(const SurfacePoint&)>;

struct Part {
  std::string name;
  SurfaceFunction surface;
  int slices, stacks;
  SkinRect skin;
  PartPainter paint;
};

struct Fruit {
  std::vector<Part> parts;
  double radius;     // the farthest vertex from the centre after fitting
  float shininess;   // of the one material
};

// The lit colour of a texel: the skin colour shaded by the baked light, with gloss on top.
Colour Lit(Colour albedo, const SurfacePoint& at, double gloss, double sharpness) {
  return albedo * BakedShade(at.normal) +
         Colour{1, 1, 1} * (gloss * BakedGloss(at.normal, sharpness));
}

// Lengthwise grain for stalks.
PartPainter StalkPainter(Colour wood, uint32_t seed) {
  return [wood, seed](const SurfacePoint& at) {
    const double grain = ValueNoise({at.u * 24.0, at.v * 3.0, 0.5}, seed);
    const double tipDark = 1.0 - 0.35 * SmoothStep(0.85, 1.0, at.v);
    return Lit(wood * ((0.8 + 0.3 * grain) * tipDark), at, 0.08, 12);
  };
}

// Leaves and sepals: a lighter midrib, paired veins and a darker rim.
PartPainter LeafPainter(Colour green, uint32_t seed) {
  return [green, seed](const SurfacePoint& at) {
    const double across = std::sin(AngleOf(at.u));  // -1 .. 1 from edge to edge
    const double midrib = std::exp(-std::pow(across / 0.07, 2));
    const double veinWave = std::sin(Pi * (at.v * 6.0 - std::abs(across) * 1.6));
    const double vein = std::pow(std::abs(veinWave), 24);
    const double rim = SmoothStep(0.75, 1.0, std::abs(across));
    const double mottle = Fbm(at.position * 6.0, seed, 3);
    Colour c = green * (0.85 + 0.3 * mottle);
    c = Mix(c, Mix(green, SkinColour(220, 235, 150), 0.5), 0.6 * midrib + 0.25 * vein);
    c = c * (1.0 - 0.25 * rim);
    return Lit(c, at, 0.18, 20);
  };
}

// --- 1 peach: pink with a rose blush, a cleft down the front, a short stalk and two leaves.

Fruit Peach() {
  auto cleft = [](double u, double v) {
    return 1.0 - 0.06 * FrontLine(u, 0.22) * SmoothStep(0.25, 0.85, v);
  };
  Profile body({{0, -1.10}, {0.60, -1.05}, {1.02, -0.78}, {1.22, -0.28}, {1.22, 0.22},
                {1.08, 0.64}, {0.84, 0.94}, {0.52, 1.09}, {0.24, 1.11}, {0.08, 1.05},
                {0, 1.01}});
  const SurfaceFunction skin = Revolve(body, cleft);
  auto bodyPaint = [](const SurfacePoint& at) {
    const double blush = Clamp01(0.55 * Fbm(at.position * 1.3, 11, 3) + 0.5 * at.v +
                                 0.25 * std::cos(FromFront(at.u)) - 0.25);
    Colour c = Mix(SkinColour(255, 216, 220), SkinColour(250, 156, 182), SmoothStep(0.0, 0.6, blush));
    c = Mix(c, SkinColour(228, 92, 132), SmoothStep(0.5, 1.0, blush) * 0.8);
    c = c * (0.96 + 0.08 * ValueNoise(at.position * 40.0, 12));  // fuzz
    const double crease = FrontLine(at.u, 0.09) * SmoothStep(0.3, 0.8, at.v);
    const double hollow = SmoothStep(0.90, 1.0, at.v);
    c = c * (1.0 - 0.4 * crease - 0.35 * hollow);
    return Lit(c, at, 0.22, 14);
  };
  return {{{"body", skin, 14, 9, BodySkin, bodyPaint},
           {"stalk", Stalk({0, 0.98, 0}, {0.05, 1.28, 0.02}, 0.07, {0.03, 0, 0}), 6, 3,
            PartSkinA, StalkPainter(SkinColour(120, 84, 48), 13)},
           {"leaf", Placed(Leaf(0.95, 0.30, 0.35), {0.04, 1.18, 0.02}, {0.75, 0.55, 0.12},
                           {-0.4, 0.5, 0.8}),
            6, 5, PartSkinB, LeafPainter(SkinColour(74, 150, 52), 14)},
           {"small leaf", Placed(Leaf(0.62, 0.22, 0.3), {-0.02, 1.16, -0.02},
                                 {-0.7, 0.45, -0.25}, {0.3, 0.6, 0.6}),
            6, 4, PartSkinC, LeafPainter(SkinColour(64, 138, 46), 15)}},
          1.45,
          24.0f};
}

// --- 2 orange: a round, slightly flattened dimpled ball with a green star-shaped button.

Fruit Orange() {
  Profile body({{0, -1.18}, {0.62, -1.08}, {1.05, -0.66}, {1.25, 0.0}, {1.05, 0.66},
                {0.62, 1.08}, {0.2, 1.19}, {0, 1.16}});
  auto bodyPaint = [](const SurfacePoint& at) {
    const double tone = Fbm(at.position * 1.6, 21, 3);
    Colour c = Mix(SkinColour(244, 126, 18), SkinColour(255, 172, 44), tone);
    const double pore = SmoothStep(0.32, 0.05, CellDistance(at.position * 11.0, 22));
    c = c * (1.0 - 0.16 * pore);
    const double navel = SmoothStep(0.94, 1.0, at.v);
    c = Mix(c, SkinColour(170, 120, 40), 0.5 * navel);
    return Lit(c, at, 0.30, 22) + Colour{1, 1, 1} * (0.06 * pore * BakedGloss(at.normal, 6));
  };
  // The button: a flat five-pointed star on the top.
  Profile disc({{0, -0.03}, {0.18, -0.02}, {0.26, 0.02}, {0.18, 0.07}, {0, 0.09}});
  auto star = [](double u, double) { return 0.72 + 0.28 * std::cos(5.0 * AngleOf(u)); };
  const SurfaceFunction button = Revolve(disc, star);
  auto onTop = [button](double u, double v) { return button(u, v) + Vec3{0, 1.15, 0}; };
  auto buttonPaint = [](const SurfacePoint& at) {
    return Lit(Mix(SkinColour(96, 128, 40), SkinColour(140, 150, 60), at.v), at, 0.1, 10);
  };
  return {{{"body", Revolve(body), 14, 10, BodySkin, bodyPaint},
           {"button", onTop, 10, 3, PartSkinA, buttonPaint}},
          1.36,
          40.0f};
}

// --- 3 lemon: a yellow spindle lying across the cell, with a nib at each end.

Fruit Lemon() {
  Profile body({{0, -1.56}, {0.10, -1.52}, {0.17, -1.40}, {0.42, -1.20}, {0.74, -0.90},
                {0.95, -0.44}, {1.0, 0.0}, {0.95, 0.44}, {0.74, 0.90}, {0.42, 1.20},
                {0.17, 1.40}, {0.10, 1.52}, {0, 1.56}});
  const SurfaceFunction upright = Revolve(body);
  // Lying down, tilted a little: the top end goes to the right and slightly up.
  const double tilt = -Pi / 2 + 0.16;
  const SurfaceFunction lying = [upright, tilt](double u, double v) {
    const Vec3 p = upright(u, v);
    return Vec3{p.x * std::cos(tilt) - p.y * std::sin(tilt),
                p.x * std::sin(tilt) + p.y * std::cos(tilt), p.z};
  };
  auto bodyPaint = [](const SurfacePoint& at) {
    const double tone = Fbm(at.position * 1.4, 31, 3);
    Colour c = Mix(SkinColour(255, 234, 64), SkinColour(255, 248, 130), tone);
    const double ends = SmoothStep(0.35, 0.05, std::min(at.v, 1.0 - at.v));
    c = Mix(c, SkinColour(196, 196, 52), 0.55 * ends);
    const double pore = SmoothStep(0.28, 0.04, CellDistance(at.position * 13.0, 32));
    c = c * (1.0 - 0.10 * pore);
    return Lit(c, at, 0.5, 20);
  };
  return {{{"body", lying, 14, 10, BodySkin, bodyPaint}}, 1.5, 48.0f};
}

// --- 4 grapes: a bunch of purple berries narrowing downward, hanging from a stalk.

Fruit Grapes() {
  constexpr double Berry = 0.42;
  const Vec3 centres[] = {{-0.70, 0.62, -0.05}, {0.02, 0.72, 0.22},  {0.72, 0.60, -0.02},
                          {-0.40, 0.02, 0.22}, {0.40, 0.00, 0.20},
                          {0.02, 0.06, -0.42},  {-0.06, -0.58, 0.16}, {0.30, -0.52, -0.30},
                          {0.06, -1.12, 0.02}};
  Fruit fruit{{}, 1.45, 56.0f};
  const Colour tints[4] = {SkinColour(142, 64, 178), SkinColour(124, 54, 162), SkinColour(152, 72, 184),
                           SkinColour(132, 56, 156)};
  int index = 0;
  for (const Vec3& centre : centres) {
    const int tint = index % 4;
    auto paint = [tint, tints, centre](const SurfacePoint& at) {
      const Vec3 local = at.position - centre;
      const double bloom = Fbm(local * 7.0, 41 + static_cast<uint32_t>(tint), 3);
      Colour c = Mix(tints[tint], SkinColour(176, 150, 200), 0.35 * SmoothStep(0.45, 0.85, bloom));
      // Berries lower in the bunch and further back sit in the others' shade.
      const double shade = 1.0 - 0.18 * SmoothStep(0.7, -1.2, centre.y + 0.4 * centre.z);
      return Lit(c * shade, at, 0.5, 40);
    };
    fruit.parts.push_back({"berry " + std::to_string(++index), Sphere(centre, Berry), 7, 4,
                           BerrySkins[tint], paint});
  }
  fruit.parts.push_back({"stalk", Stalk({0.0, 0.85, 0.0}, {0.18, 1.42, -0.05}, 0.09, {0.08, 0, 0}),
                         6, 3, PartSkinA, StalkPainter(SkinColour(112, 100, 46), 42)});
  return fruit;
}

// --- 5 pear: a green teardrop, broad below and narrow above, with a curved stalk.

Fruit Pear() {
  Profile body({{0, -1.24}, {0.52, -1.19}, {0.92, -0.98}, {1.08, -0.58}, {1.02, -0.14},
                {0.82, 0.24}, {0.60, 0.58}, {0.50, 0.86}, {0.42, 1.06}, {0.24, 1.20},
                {0, 1.22}});
  auto bodyPaint = [](const SurfacePoint& at) {
    const double tone = Fbm(at.position * 1.2, 51, 3);
    Colour c = Mix(SkinColour(86, 144, 36), SkinColour(128, 174, 50), tone);
    c = Mix(c, SkinColour(176, 150, 52), 0.35 * SmoothStep(0.6, 0.9, tone));  // warm blush
    const double speck = SmoothStep(0.10, 0.03, CellDistance(at.position * 9.0, 52));
    c = Mix(c, SkinColour(120, 96, 42), 0.55 * speck);
    c = Mix(c, SkinColour(130, 104, 50), 0.5 * SmoothStep(0.88, 1.0, at.v));  // russet at the stalk
    c = Mix(c, SkinColour(80, 60, 30), 0.8 * SmoothStep(0.05, 0.0, at.v));    // the dried flower
    return Lit(c, at, 0.26, 18);
  };
  return {{{"body", Revolve(body), 14, 9, BodySkin, bodyPaint},
           {"stalk", Stalk({0, 1.12, 0}, {0.16, 1.62, 0.0}, 0.07, {0.08, 0, 0}), 6, 3,
            PartSkinA, StalkPainter(SkinColour(110, 76, 40), 53)}},
          1.5,
          30.0f};
}

// --- 6 strawberry: a red cone with yellow seeds in little pits under a green calyx.

Fruit Strawberry() {
  Profile body({{0, -1.32}, {0.20, -1.24}, {0.52, -0.86}, {0.86, -0.32}, {1.06, 0.18},
                {1.06, 0.54}, {0.84, 0.84}, {0.44, 0.98}, {0, 0.94}});
  const SurfaceFunction skin = Revolve(body);
  // Seeds in staggered rings, spaced about evenly over the surface.
  std::vector<Vec3> seeds;
  for (int ring = 1; ring < 12; ++ring) {
    const double v = 0.04 + ring * 0.075;
    double r, y;
    Profile(body).At(v, r, y);
    const int count = std::max(3, static_cast<int>(std::round(2 * Pi * r / 0.3)));
    for (int i = 0; i < count; ++i) {
      const double u = (i + 0.5 * (ring % 2)) / count;
      seeds.push_back(skin(u, v));
    }
  }
  auto bodyPaint = [seeds](const SurfacePoint& at) {
    double nearest = 1e9;
    for (const Vec3& s : seeds) nearest = std::min(nearest, Length(s - at.position));
    const double tone = Fbm(at.position * 1.5, 61, 3);
    Colour c = Mix(SkinColour(224, 38, 50), SkinColour(252, 80, 72), tone);
    c = Mix(c, SkinColour(150, 10, 28), 0.5 * SmoothStep(0.3, 0.0, at.v));
    c = Mix(c, SkinColour(240, 170, 120), 0.7 * SmoothStep(0.86, 0.98, at.v));  // pale under the calyx
    const double pit = SmoothStep(0.09, 0.04, nearest);
    const double seed = SmoothStep(0.045, 0.025, nearest);
    c = c * (1.0 - 0.3 * pit);
    c = Mix(c, SkinColour(250, 220, 100), seed);
    return Lit(c, at, 0.45, 30);
  };
  Fruit fruit{{{"body", skin, 14, 9, BodySkin, bodyPaint}}, 1.45, 36.0f};
  constexpr int Sepals = 6;
  for (int i = 0; i < Sepals; ++i) {
    const double a = 2.0 * Pi * (i + 0.25) / Sepals;
    const Vec3 out{std::sin(a), 0, std::cos(a)};
    fruit.parts.push_back({"sepal " + std::to_string(i + 1),
                           Placed(Leaf(1.05, 0.26, -0.3), out * 0.05 + Vec3{0, 1.03, 0},
                                  out + Vec3{0, 0.02, 0}, {0, 1, 0}),
                           4, 3, PartSkinB, LeafPainter(SkinColour(58, 138, 40), 62)});
  }
  fruit.parts.push_back({"stalk", Stalk({0, 0.9, 0}, {0.06, 1.36, 0.02}, 0.08, {0.04, 0, 0}), 6,
                         3, PartSkinA, StalkPainter(SkinColour(84, 140, 48), 63)});
  return fruit;
}

// --- 7 plum: a dark blue-violet upright egg with a dusty bloom, a seam and a short stalk.

Fruit Plum() {
  auto seam = [](double u, double v) {
    return 1.0 - 0.045 * FrontLine(u, 0.2) * SmoothStep(0.1, 0.6, v) *
                     SmoothStep(1.0, 0.8, v);
  };
  Profile body({{0, -1.28}, {0.50, -1.19}, {0.82, -0.86}, {0.95, -0.28}, {0.93, 0.30},
                {0.80, 0.82}, {0.50, 1.16}, {0.20, 1.25}, {0, 1.17}});
  auto bodyPaint = [](const SurfacePoint& at) {
    const double tone = Fbm(at.position * 1.3, 71, 3);
    Colour c = Mix(SkinColour(32, 44, 122), SkinColour(56, 42, 126), tone);
    const double bloom = Fbm(at.position * 7.0, 72, 4);
    c = Mix(c, SkinColour(118, 140, 196), 0.3 * SmoothStep(0.45, 0.85, bloom));
    const double crease = FrontLine(at.u, 0.06) * SmoothStep(0.1, 0.5, at.v);
    c = c * (1.0 - 0.3 * crease - 0.3 * SmoothStep(0.92, 1.0, at.v));
    return Lit(c, at, 0.4, 16);
  };
  return {{{"body", Revolve(body, seam), 14, 10, BodySkin, bodyPaint},
           {"stalk", Stalk({0, 1.12, 0}, {-0.1, 1.5, 0.02}, 0.06, {-0.05, 0, 0}), 6, 3,
            PartSkinA, StalkPainter(SkinColour(104, 80, 44), 73)}},
          1.42,
          28.0f};
}

// Moves the model's bounding box to the origin and scales it to reach `radius` at most.
void FitToCell(Mesh& mesh, double radius) {
  Vec3 low = mesh.vertices.front(), high = low;
  for (const Vec3& p : mesh.vertices) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
  }
  const Vec3 centre = (low + high) * 0.5;
  double farthest = 0;
  for (const Vec3& p : mesh.vertices) farthest = std::max(farthest, Length(p - centre));
  for (Vec3& p : mesh.vertices) p = (p - centre) * (radius / farthest);
}

void WriteFruit(const std::filesystem::path& base, int kind, const Fruit& fruit) {
  const std::string skinName = "fruit" + std::to_string(kind) + ".bmp";
  Mesh mesh;
  mesh.materials.push_back(SkinMaterial("base/" + skinName, fruit.shininess));
  Skin skin(SkinSize);
  for (const Part& part : fruit.parts) {
    AddSurface(mesh, part.name, 0, part.surface, part.slices, part.stacks, part.skin);
    skin.Paint(part.skin, [&part](double u, double v) {
      return part.paint({u, v, part.surface(u, v), SurfaceNormal(part.surface, u, v)});
    });
  }
  if (mesh.triangles.size() > MaxTriangles)
    throw std::runtime_error("fruit " + std::to_string(kind) + " has " +
                             std::to_string(mesh.triangles.size()) + " triangles");
  FitToCell(mesh, fruit.radius);
  WriteBinaryFile(base / (std::to_string(kind) + ".ms3d"), Ms3dBytes(mesh));
  WriteBmp24(base / skinName, SkinSize, SkinSize, skin.RgbBytes());
}

void GenerateModels(const std::filesystem::path& output) {
  const std::filesystem::path base = output / "base";
  const Fruit fruits[] = {Peach(), Orange(), Lemon(), Grapes(), Pear(), Strawberry(), Plum()};
  for (int kind = 1; kind <= 7; ++kind) WriteFruit(base, kind, fruits[kind - 1]);
}

const RegisterGenerator registration("models", GenerateModels);

}  // namespace
}  // namespace assetgen
