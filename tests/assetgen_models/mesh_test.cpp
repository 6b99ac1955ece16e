// The pieces the fruit are made of: surfaces turned into triangles, the MS3D bytes read back
// by the game's reader, and skin regions painted the right way up with wrapped margins.
#include <gtest/gtest.h>

#include <cmath>

#include "assets/model.h"
#include "tools/assetgen/mesh.h"
#include "tools/assetgen/shapes.h"
#include "tools/assetgen/skin.h"

namespace {

using namespace assetgen;

constexpr SkinRect WholeSkin{0, 0, 1, 1};

TEST(FruitMesh, SphereHasRingsPolesAndRadialNormals) {
  constexpr int Slices = 8, Stacks = 5;
  Mesh mesh;
  AddSurface(mesh, "ball", 0, Sphere({0.5, 0, 0}, 2.0), Slices, Stacks, WholeSkin);
  ASSERT_EQ(mesh.vertices.size(), static_cast<size_t>(Slices * (Stacks - 1) + 2));
  ASSERT_EQ(mesh.triangles.size(), static_cast<size_t>(Slices * (2 * Stacks - 2)));
  ASSERT_EQ(mesh.groups.size(), 1u);
  EXPECT_EQ(mesh.groups[0].triangles.size(), mesh.triangles.size());
  for (const auto& t : mesh.triangles) {
    const Vec3 a = mesh.vertices[t.corners[0].vertex];
    const Vec3 face = Cross(mesh.vertices[t.corners[1].vertex] - a,
                            mesh.vertices[t.corners[2].vertex] - a);
    EXPECT_GT(Dot(face, a - Vec3{0.5, 0, 0}), 0) << "counter-clockwise seen from outside";
    for (const auto& c : t.corners) {
      const Vec3 radial = Normalize(mesh.vertices[c.vertex] - Vec3{0.5, 0, 0});
      // Pole corners lean toward their fan triangle, so allow them a little more.
      EXPECT_GT(Dot(c.normal, radial), 0.9);
      EXPECT_NEAR(Length(c.normal), 1.0, 1e-9);
      EXPECT_NEAR(Length(mesh.vertices[c.vertex] - Vec3{0.5, 0, 0}), 2.0, 1e-9);
    }
  }
}

TEST(FruitMesh, NormalsOfAnOutwardSurfacePointOutEvenAtThePoles) {
  const SurfaceFunction ball = Sphere({0, 0, 0}, 1.0);
  for (double v : {0.0, 0.3, 0.5, 1.0}) {
    const Vec3 n = SurfaceNormal(ball, 0.25, v);
    const Vec3 p = ball(0.25, v);
    EXPECT_NEAR(Dot(n, p), 1.0, 1e-3) << "v " << v;
  }
  EXPECT_NEAR(SurfaceNormal(ball, 0.5, 0.5).z, 1.0, 1e-6) << "u = 0.5 faces the player";
}

TEST(FruitMesh, Ms3dBytesReadBackThroughTheGamesReader) {
  Mesh mesh;
  mesh.materials.push_back(SkinMaterial("base/fruit9.bmp", 32.0f));
  AddSurface(mesh, "body", 0, Sphere({0, 0, 0}, 1.0), 6, 4, {0.0, 0.25, 1.0, 1.0});
  AddSurface(mesh, "stalk", 0, Stalk({0, 1, 0}, {0, 1.5, 0}, 0.1, {0.05, 0, 0}), 5, 3,
             {0.1, 0.0, 0.4, 0.2});
  const auto bytes = Ms3dBytes(mesh);

  MilkshapeModel model;
  ASSERT_TRUE(model.Parse(bytes.data(), bytes.size()));
  ASSERT_EQ(model.vertexCount, static_cast<int>(mesh.vertices.size()));
  ASSERT_EQ(model.triangleCount, static_cast<int>(mesh.triangles.size()));
  ASSERT_EQ(model.meshCount, 2);
  ASSERT_EQ(model.materialCount, 1);
  EXPECT_STREQ(model.materials[0].textureFileName, "base/fruit9.bmp");
  EXPECT_FLOAT_EQ(model.materials[0].shininess, 32.0f);
  EXPECT_FLOAT_EQ(model.materials[0].specular[1], 0.5f);
  EXPECT_EQ(model.meshes[1].triangleIndexCount, static_cast<int>(mesh.groups[1].triangles.size()));
  EXPECT_EQ(model.meshes[1].triangleIndices[0], mesh.groups[1].triangles[0]);
  for (int i = 0; i < model.vertexCount; ++i)
    EXPECT_FLOAT_EQ(model.vertices[i].position[1], static_cast<float>(mesh.vertices[i].y));
  for (int i = 0; i < model.triangleCount; ++i)
    for (int c = 0; c < 3; ++c) {
      const MeshCorner& corner = mesh.triangles[i].corners[c];
      EXPECT_EQ(model.triangles[i].vertexIndices[c], corner.vertex);
      EXPECT_FLOAT_EQ(model.triangles[i].normals[c][2], static_cast<float>(corner.normal.z));
      EXPECT_FLOAT_EQ(model.triangles[i].s[c], static_cast<float>(corner.s));
      // The game flips t on reading; the file holds it flipped, so it arrives as meant.
      EXPECT_NEAR(model.triangles[i].t[c], corner.t, 1e-6);
    }
}

TEST(FruitSkin, RegionsArePaintedUprightWithWrappedMargins) {
  constexpr int Size = 16;
  Skin skin(Size);
  // The left half from t 0.5 up: red grows with u, green with v.
  skin.Paint({0.0, 0.5, 0.5, 1.0}, [](double u, double v) { return Colour{u, v, 1}; });
  const auto rgb = skin.RgbBytes();
  auto texel = [&](int x, int rowFromTop) { return &rgb[(rowFromTop * Size + x) * 3]; };

  // The top row of the picture is where t is highest: v near 1.
  EXPECT_GT(texel(2, 0)[1], 230);
  EXPECT_LT(texel(2, 7)[1], 20);
  // Inside the region red follows u across it.
  EXPECT_LT(texel(0, 3)[0], 20);
  EXPECT_GT(texel(7, 3)[0], 220);
  // The margin right of the region wraps around to u near 0; below it v holds at 0.
  EXPECT_LT(texel(8, 3)[0], 20);
  EXPECT_EQ(texel(2, 8)[1], 0);
  EXPECT_EQ(texel(2, 8)[2], 255) << "the margin is painted";
  // Beyond the margin nothing is painted.
  EXPECT_EQ(texel(12, 3)[2], 0);
  EXPECT_EQ(texel(2, 12)[2], 0);
}

TEST(FruitSkin, NoiseIsSmoothAndRepeatable) {
  const Vec3 p{0.3, 1.7, -2.2};
  EXPECT_EQ(ValueNoise(p, 7), ValueNoise(p, 7));
  EXPECT_NE(ValueNoise(p, 7), ValueNoise(p, 8));
  EXPECT_NEAR(ValueNoise(p, 7), ValueNoise(p + Vec3{1e-6, 0, 0}, 7), 1e-4);
  for (double x = -3; x < 3; x += 0.37) {
    const double n = Fbm({x, x * 0.5, 1}, 3, 4);
    EXPECT_GE(n, 0.0);
    EXPECT_LE(n, 1.0);
    EXPECT_GE(CellDistance({x, 2, x}, 5), 0.0);
    EXPECT_LE(CellDistance({x, 2, x}, 5), 1.8);
  }
}

}  // namespace
