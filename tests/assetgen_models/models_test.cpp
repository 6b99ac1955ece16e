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
#include <memory>
#include <string>
#include <vector>

#include "assets/bmp.h"
#include "assets/model.h"
#include "formats/little_endian.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
constexpr int FruitKinds = 7;
// Record sizes of the MS3D layout the game reads, and the joint-less trailer after them
// (animation speed, current time, frame count, joint count).
constexpr size_t Ms3dHeaderSize = 14, Ms3dVertexSize = 15, Ms3dTriangleSize = 70;
constexpr size_t Ms3dGroupFixedSize = 36, Ms3dMaterialSize = 361, Ms3dTrailerSize = 14;

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
const uint8_t* Texel(const RgbImage& skin, double s, double t) {
  const int x = std::clamp(static_cast<int>(s * skin.width), 0, skin.width - 1);
  const int y = std::clamp(static_cast<int>(t * skin.height), 0, skin.height - 1);
  return &skin.pixels[(static_cast<size_t>(y) * skin.width + x) * 3];
}

Point Position(const Model& m, int vertex) {
  const float* p = m.vertices[vertex].position;
  return {p[0], p[1], p[2]};
}

// The size the file must have for the counts it declares: every record, then the trailer.
size_t ExpectedMs3dSize(const Model& m) {
  size_t size = Ms3dHeaderSize + 2 + m.vertexCount * Ms3dVertexSize + 2 +
                m.triangleCount * Ms3dTriangleSize + 2 + 2 + m.materialCount * Ms3dMaterialSize +
                Ms3dTrailerSize;
  for (int g = 0; g < m.meshCount; ++g)
    size += Ms3dGroupFixedSize + 2 * static_cast<size_t>(m.meshes[g].triangleIndexCount);
  return size;
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
  // One generated set for the whole suite, read with the game's own model and BMP readers.
  static void SetUpTestSuite() {
    output_ = Generate("a");
    for (int k = 0; k < FruitKinds; ++k) {
      files_[k] = ReadBytes(output_ / "base" / (std::to_string(k + 1) + ".ms3d"));
      parsed_[k] = models_[k].Parse(files_[k].data(), files_[k].size());
      if (parsed_[k] && models_[k].materialCount > 0) {
        const auto bytes = ReadBytes(output_ / models_[k].materials[0].textureFileName);
        BmpError error;
        skins_[k] = DecodeBmp(bytes.data(), bytes.size(), &error);
        skinBits_[k] = bytes.size() > 29 ? LittleEndian16(bytes.data() + 28) : 0;
      }
    }
  }
  static void TearDownTestSuite() { fs::remove_all(output_); }

  static fs::path output_;
  static std::array<std::vector<uint8_t>, FruitKinds> files_;
  static std::array<MilkshapeModel, FruitKinds> models_;
  static std::array<bool, FruitKinds> parsed_;
  static std::array<std::unique_ptr<RgbImage>, FruitKinds> skins_;
  static std::array<int, FruitKinds> skinBits_;
};

fs::path FruitModels::output_;
std::array<std::vector<uint8_t>, FruitKinds> FruitModels::files_;
std::array<MilkshapeModel, FruitKinds> FruitModels::models_;
std::array<bool, FruitKinds> FruitModels::parsed_;
std::array<std::unique_ptr<RgbImage>, FruitKinds> FruitModels::skins_;
std::array<int, FruitKinds> FruitModels::skinBits_;

TEST_F(FruitModels, EveryModelIsAVersion4FileWithinTheTriangleBudget) {
  for (int k = 0; k < FruitKinds; ++k) {
    SCOPED_TRACE("model " + std::to_string(k + 1));
    ASSERT_TRUE(parsed_[k]);
    const Model& m = models_[k];
    EXPECT_EQ(LittleEndian32(files_[k].data() + 10), 4u)
        << "version";
    EXPECT_EQ(files_[k].size(), ExpectedMs3dSize(m)) << "records and trailer fill the file";
    EXPECT_EQ(files_[k].back() | files_[k][files_[k].size() - 2], 0) << "no joints";
    EXPECT_GT(m.triangleCount, 100);
    EXPECT_LE(m.triangleCount, 600);
    std::vector<int> uses(m.triangleCount, 0);
    for (int g = 0; g < m.meshCount; ++g) {
      const ModelMesh& mesh = m.meshes[g];
      EXPECT_EQ(mesh.materialIndex, 0);
      for (int i = 0; i < mesh.triangleIndexCount; ++i) ++uses[mesh.triangleIndices[i]];
    }
    EXPECT_EQ(std::count(uses.begin(), uses.end(), 1), m.triangleCount)
        << "every triangle in exactly one group";
  }
}

TEST_F(FruitModels, EachFruitIsCentredAndFillsMostOfItsCell) {
  for (int k = 0; k < FruitKinds; ++k) {
    SCOPED_TRACE("model " + std::to_string(k + 1));
    ASSERT_TRUE(parsed_[k]);
    const Model& m = models_[k];
    Point low{1e9, 1e9, 1e9}, high{-1e9, -1e9, -1e9};
    double farthest = 0;
    for (int i = 0; i < m.vertexCount; ++i) {
      const Point p = Position(m, i);
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
    const Model& m = models_[k];
    for (int g = 0; g < m.meshCount; ++g) {
      const ModelMesh& mesh = m.meshes[g];
      // The centre of the part: normals point away from it on average.
      Point centre{0, 0, 0};
      for (int i = 0; i < mesh.triangleIndexCount; ++i)
        for (int v : m.triangles[mesh.triangleIndices[i]].vertexIndices) {
          const Point p = Position(m, v);
          centre = {centre.x + p.x, centre.y + p.y, centre.z + p.z};
        }
      const double corners = 3.0 * mesh.triangleIndexCount;
      centre = {centre.x / corners, centre.y / corners, centre.z / corners};
      double outward = 0;
      int against = 0;
      for (int i = 0; i < mesh.triangleIndexCount; ++i) {
        const ModelTriangle& t = m.triangles[mesh.triangleIndices[i]];
        const Point a = Position(m, t.vertexIndices[0]);
        const Point face = Cross(Sub(Position(m, t.vertexIndices[1]), a),
                                 Sub(Position(m, t.vertexIndices[2]), a));
        for (int c = 0; c < 3; ++c) {
          const Point n{t.normals[c][0], t.normals[c][1], t.normals[c][2]};
          EXPECT_NEAR(Length(n), 1.0, 1e-3);
          outward += Dot(n, Sub(Position(m, t.vertexIndices[c]), centre)) > 0 ? 1 : -1;
          if (Dot(n, face) <= 0) ++against;
        }
      }
      EXPECT_GT(outward / corners, 0.8) << "group " << g;
      EXPECT_EQ(against, 0) << "group " << g << ": corners facing away from the winding";
    }
  }
}

TEST_F(FruitModels, EveryFruitIsAClosedSolidWhoseFarSideTheBoardCanCull) {
  for (int k = 0; k < FruitKinds; ++k) {
    ASSERT_TRUE(parsed_[k]);
    EXPECT_TRUE(models_[k].IsClosedSolid()) << "model " << k + 1;
  }
}

bool PowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

TEST_F(FruitModels, MaterialsAreGlossyAndNameAPowerOfTwoSkin) {
  for (int k = 0; k < FruitKinds; ++k) {
    SCOPED_TRACE("model " + std::to_string(k + 1));
    ASSERT_TRUE(parsed_[k]);
    ASSERT_GT(models_[k].materialCount, 0);
    for (int i = 0; i < models_[k].materialCount; ++i) {
      const ModelMaterial& m = models_[k].materials[i];
      EXPECT_STREQ(m.textureFileName, ("base/fruit" + std::to_string(k + 1) + ".bmp").c_str());
      EXPECT_GE(m.shininess, 20.0f);
      EXPECT_LE(m.shininess, 60.0f);
      for (int c = 0; c < 3; ++c) {
        EXPECT_GE(m.diffuse[c], 0.8f);
        EXPECT_GE(m.specular[c], 0.3f);
        EXPECT_LE(m.specular[c], 0.7f);
        EXPECT_EQ(m.emissive[c], 0.0f);
      }
    }
    ASSERT_TRUE(skins_[k]);
    EXPECT_EQ(skinBits_[k], 24);
    EXPECT_TRUE(PowerOfTwo(skins_[k]->width)) << skins_[k]->width;
    EXPECT_TRUE(PowerOfTwo(skins_[k]->height)) << skins_[k]->height;
    for (int i = 0; i < models_[k].triangleCount; ++i)
      for (int c = 0; c < 3; ++c) {
        const ModelTriangle& t = models_[k].triangles[i];
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
    ASSERT_TRUE(parsed_[k] && skins_[k]);
    double up = 0, down = 0;
    int upCount = 0, downCount = 0;
    for (int i = 0; i < models_[k].triangleCount; ++i)
      for (int c = 0; c < 3; ++c) {
        const ModelTriangle& t = models_[k].triangles[i];
        const uint8_t* texel = Texel(*skins_[k], t.s[c], t.t[c]);
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
std::vector<bool> FrontSilhouette(const Model& m) {
  constexpr int Size = 64;
  constexpr double Half = 1.6;
  std::vector<bool> mask(Size * Size, false);
  for (int i = 0; i < m.triangleCount; ++i) {
    double x[3], y[3];
    for (int c = 0; c < 3; ++c) {
      const Point p = Position(m, m.triangles[i].vertexIndices[c]);
      x[c] = (p.x + Half) / (2 * Half) * Size;
      y[c] = (p.y + Half) / (2 * Half) * Size;
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
SkinTone MeanTone(const Model& m, const RgbImage& skin) {
  double sum[3] = {}, total = 0;
  for (int i = 0; i < m.triangleCount; ++i) {
    const ModelTriangle& t = m.triangles[i];
    const Point a = Position(m, t.vertexIndices[0]);
    const double area = Length(Cross(Sub(Position(m, t.vertexIndices[1]), a),
                                     Sub(Position(m, t.vertexIndices[2]), a))) / 2;
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
    ASSERT_TRUE(parsed_[k] && skins_[k]);
    tones.push_back(MeanTone(models_[k], *skins_[k]));
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
    const auto first = ReadBytes(entry.path());
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(first, ReadBytes(again / "base" / name));
    ++files;
  }
  EXPECT_EQ(files, 2 * FruitKinds);
  fs::remove_all(again);
}

}  // namespace
