// The shapes fruit are built from: bodies of revolution through a smooth profile, spheres,
// leaves and stalks, each a closed surface for AddSurface. y is up, and u = 0.5 of a body
// faces +z, the side the player sees at rest.
#pragma once

#include <functional>
#include <numbers>
#include <utility>
#include <vector>

#include "tools/assetgen/mesh.h"

namespace assetgen {

constexpr double Pi = std::numbers::pi;

// The angle around the axis of a body of revolution: u = 0.5 faces +z, where the player is.
inline double AngleOf(double u) { return 2.0 * Pi * u + Pi; }

// Angular distance of u from the side facing the player, 0..pi.
double FromFront(double u);

// 1 on the line running down the front of a body (u = 0.5), falling off over about `width`
// radians to either side: for clefts and seams.
double FrontLine(double u, double width);

// A smooth profile (radius, height) through control points from the bottom pole to the top
// pole, walked at even arc length so that the rings of a mesh are spaced evenly.
class Profile {
 public:
  explicit Profile(std::vector<std::pair<double, double>> points);
  // Radius and height at the fraction v of the profile's length.
  void At(double v, double& r, double& y) const;

 private:
  std::pair<double, double> Point(int i) const;
  void Evaluate(double parameter, double& r, double& y) const;

  std::vector<std::pair<double, double>> points_;
  std::vector<std::pair<double, double>> table_;  // (length fraction, spline parameter)
};

// A body of revolution about y; `scale` varies the radius with the angle and v (clefts).
SurfaceFunction Revolve(Profile profile, std::function<double(double u, double v)> scale = nullptr);

SurfaceFunction Sphere(Vec3 centre, double radius);

// Places a part built along +y (width along x, thickness along z) at `origin`, its length
// along `axis` and its thickness toward `up`: a rotation, so the surface keeps its outside.
SurfaceFunction Placed(SurfaceFunction local, Vec3 origin, Vec3 axis, Vec3 up);

// A leaf or sepal: a thin lens from its base at the origin to its tip at (0, length, 0),
// flattened along z and curled toward +z by `curl`. Its cross-section stays convex, so that
// every corner's normal agrees with the faces around it.
SurfaceFunction Leaf(double length, double width, double curl);

// A stalk: a thin rounded rod from `base` to `tip`, bowed sideways by `bow` in the middle
// and straight at both ends, where the caps are.
SurfaceFunction Stalk(Vec3 base, Vec3 tip, double radius, Vec3 bow);

}  // namespace assetgen
