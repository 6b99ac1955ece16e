// A small software painter for the game's flat artwork. Pictures are designed in their drawn
// proportions on a supersampled canvas measured in "units" (the layout pixels the picture
// covers on screen), then area-resampled to the power-of-two texture size the game loads.
// Coordinates have their origin at the top left with y growing downwards.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace assetgen {

struct Rgb {
  float r = 0, g = 0, b = 0;
};
Rgb Mix(Rgb a, Rgb b, float t);
Rgb Scale(Rgb c, float k);
// A colour from 0..255 components, as colours are usually written.
constexpr Rgb Rgb8(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f}; }

float Clamp01(float v);
float SmoothStep(float edge0, float edge1, float x);

// Coverage (0..1) over a rectangle of canvas pixels; everything outside the rectangle is 0.
struct Field {
  int x0 = 0, y0 = 0, width = 0, height = 0;
  std::vector<float> v;
  float At(int x, int y) const;  // canvas pixel coordinates, 0 outside
};

// Colour of the paint at a point in units.
using Paint = std::function<Rgb(float x, float y)>;

// A shape: its signed distance in units (negative inside, positive outside) and a box in
// units outside of which it is certainly empty.
struct Shape {
  std::function<float(float x, float y)> sdf;
  float x0, y0, x1, y1;
};

Shape RoundedRect(float x0, float y0, float x1, float y1, float radius);
Shape Circle(float cx, float cy, float radius);
Shape Segment(float ax, float ay, float bx, float by, float halfWidth);
// A leaf: the lens between two circles, pointed at both ends, from tip (ax, ay) to (bx, by).
Shape Leaf(float ax, float ay, float bx, float by, float width);
Shape Union(const Shape& a, const Shape& b);
Shape Intersect(const Shape& a, const Shape& b);
Shape Subtract(const Shape& a, const Shape& b);
// Grows (positive) or shrinks (negative) a shape by `amount` units.
Shape Grown(const Shape& a, float amount);
// The band of half-width `halfWidth` along the outline of a shape.
Shape Outline(const Shape& a, float halfWidth);

Paint Solid(Rgb c);
Paint VerticalGradient(float y0, Rgb top, float y1, Rgb bottom);

// Deterministic value noise in [0, 1] on an integer lattice; with a period, the noise repeats
// every `period` lattice steps in both directions (for tileable textures).
float ValueNoise(float x, float y, uint32_t seed, int period = 0);
float Fbm(float x, float y, uint32_t seed, int octaves, int period = 0);

class Canvas {
 public:
  // A transparent canvas of unitsWide x unitsHigh units at `scale` pixels per unit.
  Canvas(float unitsWide, float unitsHigh, float scale);

  int Width() const { return width_; }
  int Height() const { return height_; }
  float UnitsWide() const { return width_ / scale_; }
  float UnitsHigh() const { return height_ / scale_; }
  float Scale() const { return scale_; }

  // The anti-aliased coverage of a shape.
  Field Cover(const Shape& shape) const;
  // Paints over the canvas where the field covers it ("over" compositing).
  void Fill(const Field& coverage, const Paint& paint, float opacity = 1.0f);
  void Fill(const Shape& shape, const Paint& paint, float opacity = 1.0f);
  // Paints the whole canvas.
  void Flood(const Paint& paint);
  // A soft drop shadow of the shape: blurred by `blur` units and offset by (dx, dy) units.
  void DropShadow(const Shape& shape, float blur, float dx, float dy, float opacity);
  // Lights the rim of a shape from the top left: a band `width` units deep is lightened
  // toward `light` on edges facing up and darkened toward `dark` on edges facing down.
  // Negative strength gives a recessed (sunken) look.
  void Bevel(const Shape& shape, float width, float strength, Rgb light = {1, 1, 1},
             Rgb dark = {0, 0, 0});
  // Removes what the field covers, leaving a transparent hole.
  void Erase(const Field& coverage);
  // Multiplies the colour where the field covers it (for shading that keeps the silhouette).
  void Shade(const Field& coverage, float factor);

  // Area-resampled copies at the texture size: the colour composited over black (the image
  // of a masked element, premultiplied by coverage, or an opaque picture), and the mask
  // (white where the element is absent, black where it covers).
  std::vector<uint8_t> ImagePixels(int width, int height) const;
  std::vector<uint8_t> MaskPixels(int width, int height) const;
  // An area-resampled copy with its coverage as straight alpha: R G B A values 0..1 per
  // pixel, for pictures that keep their own transparency (the icons).
  std::vector<float> RgbaPixels(int width, int height) const;

 private:
  int width_, height_;
  float scale_;
  std::vector<float> rgba_;  // premultiplied
};

Field Blur(const Field& f, float radiusPixels);
Field Shifted(Field f, int dx, int dy);
// The coverage of `f` kept only where `by` covers (pointwise product).
Field Within(Field f, const Field& by);
// Scales the coverage by k, clamped to 1 (to thicken a blurred glow).
Field Boosted(Field f, float k);

// Area-averages (or stretches) a plane of `channels` interleaved floats to a new size.
std::vector<float> Resample(const std::vector<float>& src, int sw, int sh, int channels, int dw,
                            int dh);
std::vector<uint8_t> ToBytes(const std::vector<float>& values);

}  // namespace assetgen
