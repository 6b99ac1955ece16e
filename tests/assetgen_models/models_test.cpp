// The generated fruit models and skins: well-formed files, a size that fits a board cell,
// outward normals, power-of-two skins mapped the right way up, fruit that differ in outline
// and in colour, and the same bytes at every run.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/assetgen/model_reader.h"

namespace {

namespace fs = std::filesystem;
using assetgen::Bmp24;
using assetgen::Ms3dModel;

constexpr int FruitKinds = 7;

struct Point {
  double x, y, z;
};
Point Sub(Point a, Point b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double Dot(Point a, Point b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Point Cross(Point a, Point b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Length(Point a) { return std::sqrt(Dot(a, a)); }

// The skin texel under texture coordinate (s, t), t counted from the bottom row.
const uint8_t* Texel(const Bmp24& skin, double s, double t) {
  const int x = std::clamp(static_cast<int>(s * skin.width), 0, skin.width - 1);
  const int y = std::clamp(static_cast<int>(t * skin.height), 0, skin.height - 1);
  return &skin.rgb[(static_cast<size_t>(y) * skin.width + x) * 3];
}

fs::path Generate(const std::string& folder) {
  const fs::path out = fs::temp_directory_path() /
                       ("quillary_models_" + std::to_string(getpid()) + "_" + folder);
  fs::remove_all(out);
  const std::string command =
      std::string("\"") + ASSETGEN_PROGRAM + "\" \"" + out.string() + "\" models";
  if (std::system(command.c_str()) != 0) ADD_FAILURE() << "assetgen failed: " << command;
  return out;
}

class FruitModels : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    output_ = Generate("a");
    for (int k = 1; k <= FruitKinds; ++k) {
      std::string error;
      const auto bytes = assetgen::ReadWholeFile(output_ / "base" / (std::to_string(k) + ".ms3d"));
      parsed_[k - 1] = assetgen::ReadMs3d(bytes, models_[k - 1], error);
      errors_[k - 1] = error;
      if (parsed_[k - 1] && !models_[k - 1].materials.empty()) {
        const fs::path skin = output_ / models_[k - 1].materials[0].texture;
        skinRead_[k - 1] =
            assetgen::ReadBmp24(assetgen::ReadWholeFile(skin), skins_[k - 1], error);
      }
    }
  }
  static void TearDownTestSuite() { fs::remove_all(output_); }

  static Point Position(const Ms3dModel& m, int vertex) {
    return {m.positions[vertex * 3], m.positions[vertex * 3 + 1], m.positions[vertex * 3 + 2]};
  }

  static fs::path output_;
  static std::array<Ms3dModel, FruitKinds> models_;
  static std::array<bool, FruitKinds> parsed_;
  static std::array<std::string, FruitKinds> errors_;
  static std::array<Bmp24, FruitKinds> skins_;
  static std::array<bool, FruitKinds> skinRead_;
};

fs::path FruitModels::output_;
std::array<Ms3dModel, FruitKinds> FruitModels::models_;
std::array<bool, FruitKinds> FruitModels::parsed_;
std::array<std::string, FruitKinds> FruitModels::errors_;
std::array<Bmp24, FruitKinds> FruitModels::skins_;
std::array<bool, FruitKinds> FruitModels::skinRead_;

TEST_F(FruitModels, EveryModelIsAStrictVersion4FileWithinTheTriangleBudget) {
  for (int k = 0; k < FruitKinds; ++k) {
    SCOPED_TRACE("model " + std::to_string(k + 1));
    ASSERT_TRUE(parsed_[k]) << errors_[k];
    EXPECT_EQ(models_[k].version, 4);
    EXPECT_GT(models_[k].triangles.size(), 100u);
    EXPECT_LE(models_[k].triangles.size(), 600u);
    size_t grouped = 0;
    for (const auto& g : models_[k].groups) {
      grouped += g.triangles.size();
      EXPECT_EQ(g.material, 0);
    }
    EXPECT_EQ(grouped, models_[k].triangles.size()) << "every triangle in exactly one group";
  }
}

TEST_F(FruitModels, EachFruitIsCentredAndFillsMostOfItsCell) {
  for (int k = 0; k < FruitKinds; ++k) {
    SCOPED_TRACE("model " + std::to_string(k + 1));
    ASSERT_TRUE(parsed_[k]);
    const Ms3dModel& m = models_[k];
    Point low{1e9, 1e9, 1e9}, high{-1e9, -1e9, -1e9};
    double farthest = 0;
    for (size_t i = 0; i < m.VertexCount(); ++i) {
      const Point p = Position(m, static_cast<int>(i));
      low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
      high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
      farthest = std::max(farthest, Length(p));
    }
    EXPECT_LE(farthest, 1.6);
    EXPECT_GE(farthest, 1.2) << "drawn at 0.3 in a one-unit cell it would look lost";
    EXPECT_NEAR((low.x + high.x) / 2, 0.0, 0.05);
    EXPECT_NEAR((low.y + high.y) / 2, 0.0, 0.05);
    EXPECT_NEAR((low.z + high.z) / 2, 0.0, 0.05);
  }
}

TEST_F(FruitModels, NormalsAreUnitLengthAndPointOutOfCounterClockwiseTriangles) {
  for (int k = 0; k < FruitKinds; ++k) {
    SCOPED_TRACE("model " + std::to_string(k + 1));
    ASSERT_TRUE(parsed_[k]);
    const Ms3dModel& m = models_[k];
    for (const auto& g : m.groups) {
      // The centre of the part: normals point away from it on average.
      Point centre{0, 0, 0};
      for (uint16_t index : g.triangles)
        for (uint16_t v : m.triangles[index].vertices) {
          const Point p = Position(m, v);
          centre = {centre.x + p.x, centre.y + p.y, centre.z + p.z};
        }
      const double corners = 3.0 * g.triangles.size();
      centre = {centre.x / corners, centre.y / corners, centre.z / corners};
      double outward = 0;
      int against = 0;
      for (uint16_t index : g.triangles) {
        const auto& t = m.triangles[index];
        const Point a = Position(m, t.vertices[0]);
        const Point face = Cross(Sub(Position(m, t.vertices[1]), a), Sub(Position(m, t.vertices[2]), a));
        for (int c = 0; c < 3; ++c) {
          const Point n{t.normals[c][0], t.normals[c][1], t.normals[c][2]};
          EXPECT_NEAR(Length(n), 1.0, 1e-3);
          outward += Dot(n, Sub(Position(m, t.vertices[c]), centre)) > 0 ? 1 : -1;
          if (Dot(n, face) <= 0) ++against;
        }
      }
      EXPECT_GT(outward / corners, 0.8) << g.name;
      EXPECT_EQ(against, 0) << g.name << ": corners whose normal faces away from the winding";
    }
  }
}

bool PowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

TEST_F(FruitModels, MaterialsAreGlossyAndNameAPowerOfTwoSkin) {
  for (int k = 0; k < FruitKinds; ++k) {
    SCOPED_TRACE("model " + std::to_string(k + 1));
    ASSERT_TRUE(parsed_[k]);
    ASSERT_FALSE(models_[k].materials.empty());
    for (const auto& m : models_[k].materials) {
      EXPECT_EQ(m.texture, "base/fruit" + std::to_string(k + 1) + ".bmp");
      EXPECT_GE(m.shininess, 20.0f);
      EXPECT_LE(m.shininess, 60.0f);
      for (int c = 0; c < 3; ++c) {
        EXPECT_GE(m.diffuse[c], 0.8f);
        EXPECT_GE(m.specular[c], 0.3f);
        EXPECT_LE(m.specular[c], 0.7f);
        EXPECT_EQ(m.emissive[c], 0.0f);
      }
    }
    ASSERT_TRUE(skinRead_[k]);
    EXPECT_TRUE(PowerOfTwo(skins_[k].width)) << skins_[k].width;
    EXPECT_TRUE(PowerOfTwo(skins_[k].height)) << skins_[k].height;
    for (const auto& t : models_[k].triangles)
      for (int c = 0; c < 3; ++c) {
        EXPECT_GE(t.s[c], 0.0f);
        EXPECT_LE(t.s[c], 1.0f);
        EXPECT_GE(t.t[c], 0.0f);
        EXPECT_LE(t.t[c], 1.0f);
      }
  }
}

// The skins carry the light: texels seen through normals that face up must be brighter than
// those seen through normals that face down. A skin mapped upside down fails this.
TEST_F(FruitModels, SkinsAreMappedTheRightWayUp) {
  for (int k = 0; k < FruitKinds; ++k) {
    SCOPED_TRACE("model " + std::to_string(k + 1));
    ASSERT_TRUE(parsed_[k] && skinRead_[k]);
    double up = 0, down = 0;
    int upCount = 0, downCount = 0;
    for (const auto& t : models_[k].triangles)
      for (int c = 0; c < 3; ++c) {
        const uint8_t* texel = Texel(skins_[k], t.s[c], t.t[c]);
        const double luminance = 0.3 * texel[0] + 0.59 * texel[1] + 0.11 * texel[2];
        if (t.normals[c][1] > 0.5) up += luminance, ++upCount;
        if (t.normals[c][1] < -0.5) down += luminance, ++downCount;
      }
    ASSERT_GT(upCount, 0);
    ASSERT_GT(downCount, 0);
    EXPECT_GT(up / upCount, down / downCount * 1.1);
  }
}

// The front view (looking down -z) as a 64 x 64 mask over the square of side 3.2.
std::vector<bool> FrontSilhouette(const Ms3dModel& m) {
  constexpr int Size = 64;
  constexpr double Half = 1.6;
  std::vector<bool> mask(Size * Size, false);
  for (const auto& t : m.triangles) {
    double x[3], y[3];
    for (int c = 0; c < 3; ++c) {
      x[c] = (m.positions[t.vertices[c] * 3] + Half) / (2 * Half) * Size;
      y[c] = (m.positions[t.vertices[c] * 3 + 1] + Half) / (2 * Half) * Size;
    }
    const double area = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]);
    if (std::abs(area) < 1e-12) continue;
    for (int py = 0; py < Size; ++py)
      for (int px = 0; px < Size; ++px) {
        const double cx = px + 0.5, cy = py + 0.5;
        double w[3];
        for (int e = 0; e < 3; ++e) {
          const int a = (e + 1) % 3, b = (e + 2) % 3;
          w[e] = ((x[b] - x[a]) * (cy - y[a]) - (cx - x[a]) * (y[b] - y[a])) / area;
        }
        if (w[0] >= 0 && w[1] >= 0 && w[2] >= 0) mask[py * Size + px] = true;
      }
  }
  return mask;
}

TEST_F(FruitModels, OutlinesDifferPairwise) {
  std::vector<std::vector<bool>> masks;
  for (int k = 0; k < FruitKinds; ++k) {
    ASSERT_TRUE(parsed_[k]);
    masks.push_back(FrontSilhouette(models_[k]));
  }
  for (int a = 0; a < FruitKinds; ++a)
    for (int b = a + 1; b < FruitKinds; ++b) {
      int both = 0, either = 0;
      for (size_t i = 0; i < masks[a].size(); ++i) {
        both += masks[a][i] && masks[b][i];
        either += masks[a][i] || masks[b][i];
      }
      EXPECT_LT(static_cast<double>(both) / either, 0.82)
          << "fruit " << a + 1 << " and " << b + 1 << " have nearly the same outline";
    }
}

struct SkinTone {
  double lightness;  // CIE L*
  double hue;        // degrees
};

// The mean colour a player sees: the skin under each triangle weighted by its area.
SkinTone MeanTone(const Ms3dModel& m, const Bmp24& skin) {
  double sum[3] = {}, total = 0;
  for (const auto& t : m.triangles) {
    const Point a{m.positions[t.vertices[0] * 3], m.positions[t.vertices[0] * 3 + 1],
                  m.positions[t.vertices[0] * 3 + 2]};
    Point corner[2];
    for (int c = 1; c < 3; ++c)
      corner[c - 1] = {m.positions[t.vertices[c] * 3], m.positions[t.vertices[c] * 3 + 1],
                       m.positions[t.vertices[c] * 3 + 2]};
    const double area = Length(Cross(Sub(corner[0], a), Sub(corner[1], a))) / 2;
    const double s = (t.s[0] + t.s[1] + t.s[2]) / 3, tc = (t.t[0] + t.t[1] + t.t[2]) / 3;
    const uint8_t* texel = Texel(skin, s, tc);
    for (int c = 0; c < 3; ++c) sum[c] += texel[c] * area;
    total += area;
  }
  double linear[3];
  for (int c = 0; c < 3; ++c) {
    const double v = sum[c] / total / 255.0;
    linear[c] = v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  }
  const double y = 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2];
  const double lightness = y > 0.008856 ? 116.0 * std::cbrt(y) - 16.0 : 903.3 * y;
  const double r = sum[0] / total, g = sum[1] / total, b = sum[2] / total;
  const double hue = std::atan2(std::sqrt(3.0) * (g - b), 2 * r - g - b) * 180.0 / M_PI;
  return {lightness, hue < 0 ? hue + 360 : hue};
}

TEST_F(FruitModels, SkinColoursDifferInLightnessAndHue) {
  std::vector<SkinTone> tones;
  for (int k = 0; k < FruitKinds; ++k) {
    ASSERT_TRUE(parsed_[k] && skinRead_[k]);
    tones.push_back(MeanTone(models_[k], skins_[k]));
  }
  for (int a = 0; a < FruitKinds; ++a)
    for (int b = a + 1; b < FruitKinds; ++b) {
      const double hueApart = std::min(std::abs(tones[a].hue - tones[b].hue),
                                       360 - std::abs(tones[a].hue - tones[b].hue));
      const double lightApart = std::abs(tones[a].lightness - tones[b].lightness);
      // Lightness alone must tell every pair apart, a little for hues far apart and clearly
      // for hues that are close, as they are for a red-green colour-blind player.
      EXPECT_GE(lightApart, hueApart > 90 ? 4.0 : 7.0)
          << "fruit " << a + 1 << " (L* " << tones[a].lightness << ", hue " << tones[a].hue
          << ") and " << b + 1 << " (L* " << tones[b].lightness << ", hue " << tones[b].hue << ")";
      EXPECT_GE(hueApart + lightApart, 25.0) << "fruit " << a + 1 << " and " << b + 1;
    }
}

TEST_F(FruitModels, TwoRunsWriteTheSameBytes) {
  const fs::path again = Generate("again");
  int files = 0;
  for (const auto& entry : fs::directory_iterator(output_ / "base")) {
    const auto name = entry.path().filename();
    SCOPED_TRACE(name.string());
    const auto first = assetgen::ReadWholeFile(entry.path());
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(first, assetgen::ReadWholeFile(again / "base" / name));
    ++files;
  }
  EXPECT_EQ(files, 2 * FruitKinds);
  fs::remove_all(again);
}

// The reader the checks above rely on must itself refuse damaged files.
TEST_F(FruitModels, StrictReaderRefusesDamagedFiles) {
  const auto good = assetgen::ReadWholeFile(output_ / "base" / "2.ms3d");
  Ms3dModel model;
  std::string error;
  ASSERT_TRUE(assetgen::ReadMs3d(good, model, error)) << error;

  auto truncated = good;
  truncated.pop_back();
  EXPECT_FALSE(assetgen::ReadMs3d(truncated, model, error));

  auto version3 = good;
  version3[10] = 3;
  EXPECT_FALSE(assetgen::ReadMs3d(version3, model, error));

  // The first triangle's first vertex index, just past the vertex records.
  const size_t vertexCount = good[14] | good[15] << 8;
  const size_t firstIndex = 16 + vertexCount * 15 + 2 + 2;
  auto badIndex = good;
  badIndex[firstIndex] = 0xFF;
  badIndex[firstIndex + 1] = 0xFF;
  EXPECT_FALSE(assetgen::ReadMs3d(badIndex, model, error));

  const auto skin = assetgen::ReadWholeFile(output_ / "base" / "fruit2.bmp");
  Bmp24 image;
  ASSERT_TRUE(assetgen::ReadBmp24(skin, image, error)) << error;
  auto shortSkin = skin;
  shortSkin.resize(skin.size() - 3);
  EXPECT_FALSE(assetgen::ReadBmp24(shortSkin, image, error));
}

}  // namespace
