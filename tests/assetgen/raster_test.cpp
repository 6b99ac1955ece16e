// The painter under the artwork: shapes, compositing, resampling, noise, lettering, and the
// BMP round trip of the review tools.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numeric>

#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/lettering.h"
#include "tools/assetgen/raster.h"
#include "tools/assetgen/review_image.h"

using namespace assetgen;

namespace {

float Sum(const Field& f) { return std::accumulate(f.v.begin(), f.v.end(), 0.0f); }

}  // namespace

TEST(AssetgenRaster, ShapesAreNegativeInsideAndPositiveOutside) {
  const Shape rect = RoundedRect(0, 0, 10, 6, 2);
  EXPECT_LT(rect.sdf(5, 3), 0);
  EXPECT_NEAR(rect.sdf(5, 0), 0, 1e-5);
  EXPECT_GT(rect.sdf(0.1f, 0.1f), 0);  // the rounded corner is cut away
  const Shape leaf = Leaf(0, 0, 10, 0, 4);
  EXPECT_LT(leaf.sdf(5, 0), 0);
  EXPECT_NEAR(leaf.sdf(5, 2), 0, 1e-4);  // half the width at the middle
  EXPECT_GT(leaf.sdf(5, 2.5f), 0);
  EXPECT_GT(Subtract(rect, Circle(5, 3, 1)).sdf(5, 3), 0);
  EXPECT_LT(Grown(Circle(0, 0, 1), 1).sdf(1.5f, 0), 0);
}

TEST(AssetgenRaster, CoverageIsAntiAliasedAlongEdges) {
  Canvas c(4, 4, 4);
  const Field f = c.Cover(RoundedRect(0, 0, 2.125f, 4, 0));  // edge through the middle of pixel 8
  EXPECT_FLOAT_EQ(f.At(4, 8), 1.0f);
  EXPECT_NEAR(f.At(8, 8), 0.5f, 0.01f);
  EXPECT_FLOAT_EQ(f.At(12, 8), 0.0f);
}

TEST(AssetgenRaster, MaskAndImageOfAPartlyCoveredPixelAddUpToTheComposite) {
  // A white shape covering a quarter of each output pixel: the mask lets three quarters of
  // the frame through and the image adds a quarter of white.
  Canvas c(2, 2, 8);
  c.Fill(RoundedRect(0, 0, 0.25f, 2, 0), Solid({1, 1, 1}));
  c.Fill(RoundedRect(1, 0, 1.25f, 2, 0), Solid({1, 1, 1}));
  const auto mask = c.MaskPixels(2, 2), image = c.ImagePixels(2, 2);
  for (size_t i = 0; i < mask.size(); ++i) {
    EXPECT_NEAR(mask[i], 191, 1);
    EXPECT_NEAR(image[i], 64, 1);
  }
}

TEST(AssetgenRaster, ErasingLeavesATransparentHole) {
  Canvas c(2, 2, 4);
  c.Flood(Solid({0.5f, 0.2f, 0.1f}));
  c.Erase(c.Cover(RoundedRect(0, 0, 1, 2, 0)));
  const auto mask = c.MaskPixels(2, 1), image = c.ImagePixels(2, 1);
  EXPECT_EQ(mask[0], 255);
  EXPECT_EQ(image[0], 0);
  EXPECT_EQ(mask[3], 0);
  EXPECT_EQ(image[3], 128);
}

TEST(AssetgenRaster, ResamplingAveragesAreasAndKeepsFlatColours) {
  // A one-pixel checker averages to grey when halved.
  std::vector<float> checker(8 * 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) checker[y * 8 + x] = (x + y) % 2;
  for (float v : Resample(checker, 8, 8, 1, 4, 4)) EXPECT_NEAR(v, 0.5f, 1e-5);
  // Uneven shrinking and growing keep a flat colour flat.
  const std::vector<float> flat(10 * 6 * 3, 0.25f);
  for (float v : Resample(flat, 10, 6, 3, 4, 8)) EXPECT_NEAR(v, 0.25f, 1e-5);
  EXPECT_EQ(Resample(flat, 10, 6, 3, 7, 3).size(), 7u * 3 * 3);
}

TEST(AssetgenRaster, BlurSpreadsCoverageWithoutLosingIt) {
  Canvas c(8, 8, 4);
  const Field sharp = c.Cover(Circle(4, 4, 1));
  const Field soft = Blur(sharp, 3);
  EXPECT_NEAR(Sum(soft), Sum(sharp), Sum(sharp) * 0.01f);
  EXPECT_LT(soft.At(16, 16), sharp.At(16, 16));
  EXPECT_GT(soft.At(16, 24), 0.0f);
  EXPECT_EQ(sharp.At(16, 24), 0.0f);
}

TEST(AssetgenRaster, PeriodicNoiseRepeatsAndIsDeterministic) {
  for (float x = 0; x < 8; x += 0.37f)
    for (float y = 0; y < 8; y += 0.41f) {
      EXPECT_NEAR(ValueNoise(x, y, 7, 8), ValueNoise(x + 8, y - 16, 7, 8), 1e-5);
      EXPECT_NEAR(Fbm(x, y, 7, 3, 8), Fbm(x + 8, y + 8, 7, 3, 8), 1e-5);
      EXPECT_GE(Fbm(x, y, 9, 4), 0.0f);
      EXPECT_LE(Fbm(x, y, 9, 4), 1.0f);
    }
  EXPECT_NE(ValueNoise(0.5f, 0.5f, 1), ValueNoise(0.5f, 0.5f, 2));
}

TEST(AssetgenLettering, TextIsMeasuredSqueezedAndCentred) {
  const TextStyle style{Face::Display, 20};
  EXPECT_GT(TextWidth("New game", style, 4), TextWidth("New", style, 4));
  TextStyle narrow = style;
  narrow.squeeze = 0.5f;
  EXPECT_NEAR(TextWidth("Options", narrow, 4), TextWidth("Options", style, 4) / 2, 1.0f);
  EXPECT_GT(CapHeight(style), 10.0f);
  EXPECT_LT(CapHeight(style), 20.0f);

  Canvas c(200, 60, 2);
  const Field f = CentredText(c, "Quillary", style, 100, 30);
  float inkSum = 0, inkX = 0, inkY = 0;
  for (int y = 0; y < f.height; ++y)
    for (int x = 0; x < f.width; ++x) {
      const float v = f.v[static_cast<size_t>(y) * f.width + x];
      inkSum += v;
      inkX += v * (f.x0 + x + 0.5f) / c.Scale();
      inkY += v * (f.y0 + y + 0.5f) / c.Scale();
    }
  ASSERT_GT(inkSum, 0);
  EXPECT_NEAR(inkX / inkSum, 100, 6);
  EXPECT_NEAR(inkY / inkSum, 30, 6);
}

TEST(AssetgenReview, BmpRoundTripKeepsEveryPixelAndPadding) {
  // Width 3 gives three padding bytes per stored row.
  const auto path = std::filesystem::temp_directory_path() / "quillary-assetgen-roundtrip.bmp";
  std::vector<uint8_t> rgb(3 * 2 * 3);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(i * 13);
  WriteBmp24(path, 3, 2, rgb);
  const Picture p = LoadPicture(path);
  ASSERT_EQ(p.width, 3);
  ASSERT_EQ(p.height, 2);
  // The picture's first row is the bottom one; `rgb` gives the top row first.
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x)
      for (int c = 0; c < 3; ++c)
        EXPECT_EQ(std::lround(p.rgb[(y * 3 + x) * 3 + c] * 255), rgb[((1 - y) * 3 + x) * 3 + c]);
  std::filesystem::resize_file(path, std::filesystem::file_size(path) - 1);
  EXPECT_EQ(LoadPicture(path).width, 0);
  std::filesystem::remove(path);
}
