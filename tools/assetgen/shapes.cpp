#include "tools/assetgen/shapes.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

double FromFront(double u) { return std::abs(2.0 * Pi * (u - 0.5)); }

double FrontLine(double u, double width) { return std::exp(-std::pow(FromFront(u) / width, 2)); }

Profile::Profile(std::vector<std::pair<double, double>> points) : points_(std::move(points)) {
  constexpr int Samples = 512;
  const int segments = static_cast<int>(points_.size()) - 1;
  double length = 0;
  double previousR = 0, previousY = 0;
  for (int i = 0; i <= Samples; ++i) {
    const double parameter = static_cast<double>(i) * segments / Samples;
    double r, y;
    Evaluate(parameter, r, y);
    if (i > 0) length += std::hypot(r - previousR, y - previousY);
    previousR = r;
    previousY = y;
    table_.push_back({length, parameter});
  }
  for (auto& entry : table_) entry.first /= length;
}

void Profile::At(double v, double& r, double& y) const {
  const auto found = std::lower_bound(table_.begin() + 1, table_.end() - 1, v,
                                      [](const auto& entry, double x) { return entry.first < x; });
  const size_t i = static_cast<size_t>(found - table_.begin());
  const auto& [l0, p0] = table_[i - 1];
  const auto& [l1, p1] = table_[i];
  const double f = l1 > l0 ? (v - l0) / (l1 - l0) : 0.0;
  Evaluate(p0 + (p1 - p0) * f, r, y);
}

// Catmull-Rom through the points; beyond each pole the curve is mirrored across the axis,
// which makes it meet the axis at a right angle and the pole smooth.
std::pair<double, double> Profile::Point(int i) const {
  const int last = static_cast<int>(points_.size()) - 1;
  if (i < 0) return {-points_[1].first, points_[1].second};
  if (i > last) return {-points_[last - 1].first, points_[last - 1].second};
  return points_[i];
}

void Profile::Evaluate(double parameter, double& r, double& y) const {
  const int last = static_cast<int>(points_.size()) - 1;
  const int i = std::min(static_cast<int>(parameter), last - 1);
  const double t = parameter - i;
  const auto [r0, y0] = Point(i - 1);
  const auto [r1, y1] = Point(i);
  const auto [r2, y2] = Point(i + 1);
  const auto [r3, y3] = Point(i + 2);
  auto spline = [t](double a, double b, double c, double d) {
    return 0.5 * (2 * b + (c - a) * t + (2 * a - 5 * b + 4 * c - d) * t * t +
                  (3 * b - a - 3 * c + d) * t * t * t);
  };
  r = std::max(0.0, spline(r0, r1, r2, r3));
  y = spline(y0, y1, y2, y3);
}

SurfaceFunction Revolve(Profile profile, std::function<double(double u, double v)> scale) {
  return [profile = std::move(profile), scale = std::move(scale)](double u, double v) {
    double r, y;
    profile.At(std::clamp(v, 0.0, 1.0), r, y);
    if (scale) r *= scale(u, v);
    const double a = AngleOf(u);
    return Vec3{r * std::sin(a), y, r * std::cos(a)};
  };
}

SurfaceFunction Sphere(Vec3 centre, double radius) {
  return [centre, radius](double u, double v) {
    const double polar = Pi * v, a = AngleOf(u);
    return centre + Vec3{std::sin(polar) * std::sin(a), -std::cos(polar),
                         std::sin(polar) * std::cos(a)} * radius;
  };
}

SurfaceFunction Placed(SurfaceFunction local, Vec3 origin, Vec3 axis, Vec3 up) {
  axis = Normalize(axis);
  const Vec3 side = Normalize(Cross(axis, up));
  const Vec3 normal = Cross(side, axis);
  return [local = std::move(local), origin, axis, side, normal](double u, double v) {
    const Vec3 p = local(u, v);
    return origin + side * p.x + axis * p.y + normal * p.z;
  };
}

SurfaceFunction Leaf(double length, double width, double curl) {
  Profile outline({{0, 0}, {width * 0.45, length * 0.08}, {width * 0.95, length * 0.35},
                   {width, length * 0.55}, {width * 0.65, length * 0.82}, {0, length}});
  const SurfaceFunction blade = Revolve(std::move(outline));
  return [blade, length, curl](double u, double v) {
    Vec3 p = blade(u, v);
    const double along = p.y / length;
    p.z = p.z * 0.24 + curl * length * along * along;
    return p;
  };
}

SurfaceFunction Stalk(Vec3 base, Vec3 tip, double radius, Vec3 bow) {
  const double length = Length(tip - base);
  Profile rod({{0, -radius * 0.3},
               {radius, 0},
               {radius * 0.9, length * 0.5},
               {radius * 0.8, length},
               {0, length + radius * 0.4}});
  const Vec3 axis = Normalize(tip - base);
  const Vec3 up = std::abs(axis.z) < 0.9 ? Vec3{0, 0, 1} : Vec3{1, 0, 0};
  const SurfaceFunction placed = Placed(Revolve(std::move(rod)), base, axis, up);
  return [placed, base, axis, length, bow](double u, double v) {
    const Vec3 p = placed(u, v);
    const double along = std::clamp(Dot(p - base, axis) / length, 0.0, 1.0);
    const double arch = 4.0 * along * (1.0 - along);
    return p + bow * (arch * arch);
  };
}

}  // namespace assetgen
