// The MS3D reader on generated files and on real models, and its refusal of files whose
// counts or indices do not fit.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <fstream>
#include <sstream>
#include <utility>

#include "assets/model.h"
#include "tests/assets/ms3d_builder.h"
#include "tests/support/test_files.h"

namespace fs = std::filesystem;

namespace {

bool Parse(MilkshapeModel& model, const std::vector<uint8_t>& bytes) {
  return model.Parse(bytes.data(), bytes.size());
}

Ms3dFile TwoMaterialModel() {
  Ms3dFile file = SquareModel(0);
  file.vertices.push_back({0, 0, 5});
  file.triangles.push_back({{4, 4, 4}, {0.5f, 0.5f, 0.5f}, {0.25f, 0.25f, 0.25f}});
  file.groups.push_back({{2}, 1});
  file.groups.push_back({{0}, -1});
  file.materials = {{{1, 0, 0, 1}, "base/skin.bmp"}, {{0, 1, 0, 1}, ""}};
  return file;
}

// The model must still hold exactly what TwoMaterialModel gave it.
void ExpectTwoMaterialModel(const MilkshapeModel& model) {
  ASSERT_EQ(model.vertexCount, 5);
  ASSERT_EQ(model.triangleCount, 3);
  ASSERT_EQ(model.meshCount, 3);
  ASSERT_EQ(model.materialCount, 2);
  EXPECT_EQ(model.vertices[4].position[2], 5.0f);
  EXPECT_EQ(model.vertices[4].boneId, -1);
  EXPECT_EQ(model.triangles[2].vertexIndices[1], 4);
  EXPECT_EQ(model.triangles[2].t[0], 0.75f);  // stored 0.25, flipped
  EXPECT_EQ(model.triangles[0].s[1], 1.0f);
  EXPECT_EQ(model.triangles[0].normals[2][2], 1.0f);
  EXPECT_EQ(model.meshes[0].triangleIndexCount, 2);
  EXPECT_EQ(model.meshes[0].triangleIndices[1], 1);
  EXPECT_EQ(model.meshes[1].materialIndex, 1);
  EXPECT_EQ(model.meshes[2].materialIndex, -1);
  EXPECT_STREQ(model.materials[0].textureFileName, "base/skin.bmp");
  EXPECT_STREQ(model.materials[1].textureFileName, "");
  EXPECT_EQ(model.materials[0].diffuse[0], 1.0f);
  EXPECT_EQ(model.materials[1].diffuse[1], 1.0f);
  EXPECT_EQ(model.materials[0].shininess, 10.0f);
}

TEST(MilkshapeModel, VersionThreeAndFourReadIdentically) {
  for (int32_t version : {3, 4}) {
    Ms3dFile file = TwoMaterialModel();
    file.version = version;
    MilkshapeModel model;
    ASSERT_TRUE(Parse(model, BuildMs3d(file))) << version;
    ExpectTwoMaterialModel(model);
  }
}

TEST(MilkshapeModel, OtherVersionsAndIdentifiersAreRefusedLeavingTheModelUnchanged) {
  MilkshapeModel model;
  ASSERT_TRUE(Parse(model, BuildMs3d(TwoMaterialModel())));
  for (int32_t version : {2, 5, 0, -1}) {
    Ms3dFile file = SquareModel(-1);
    file.version = version;
    EXPECT_FALSE(Parse(model, BuildMs3d(file))) << version;
  }
  std::vector<uint8_t> renamed = BuildMs3d(SquareModel(-1));
  renamed[9] = '1';
  EXPECT_FALSE(Parse(model, renamed));
  ExpectTwoMaterialModel(model);
}

TEST(MilkshapeModel, FilesCutAtAnyRecordBoundaryOrByteAreRefused) {
  const Ms3dFile file = TwoMaterialModel();
  const std::vector<uint8_t> bytes = BuildMs3d(file);
  std::vector<size_t> cuts = Ms3dRecordEnds(file);
  cuts.pop_back();  // the whole file
  for (size_t length = 0; length < bytes.size(); length += 7) cuts.push_back(length);
  MilkshapeModel model;
  ASSERT_TRUE(Parse(model, bytes));
  for (size_t length : cuts) {
    EXPECT_FALSE(model.Parse(bytes.data(), length)) << length;
    ExpectTwoMaterialModel(model);
  }
}

TEST(MilkshapeModel, IndicesPastTheirArraysAreRefused) {
  Ms3dFile badVertex = TwoMaterialModel();
  badVertex.triangles[1].vertices[2] = 5;
  Ms3dFile badTriangle = TwoMaterialModel();
  badTriangle.groups[1].triangles = {0, 3};
  Ms3dFile hugeCount = TwoMaterialModel();
  std::vector<uint8_t> hugeCountBytes = BuildMs3d(hugeCount);
  hugeCountBytes[14] = 0xFF;  // vertex count 65535 in a file far too short for it
  hugeCountBytes[15] = 0xFF;

  MilkshapeModel model;
  ASSERT_TRUE(Parse(model, BuildMs3d(TwoMaterialModel())));
  EXPECT_FALSE(Parse(model, BuildMs3d(badVertex)));
  EXPECT_FALSE(Parse(model, BuildMs3d(badTriangle)));
  EXPECT_FALSE(Parse(model, hugeCountBytes));
  ExpectTwoMaterialModel(model);
}

TEST(MilkshapeModel, GroupNamingAMissingMaterialHasNone) {
  Ms3dFile file = TwoMaterialModel();
  file.groups[0].material = 2;
  file.groups[1].material = -7;
  MilkshapeModel model;
  ASSERT_TRUE(Parse(model, BuildMs3d(file)));
  EXPECT_EQ(model.meshes[0].materialIndex, -1);
  EXPECT_EQ(model.meshes[1].materialIndex, -1);
}

TEST(MilkshapeModel, TextureNameFillingItsWholeFieldIsKeptAndTerminated) {
  std::vector<uint8_t> bytes = BuildMs3d(TwoMaterialModel());
  // The first material's texture name field: after the header, records and counts.
  const size_t field = bytes.size() - 2 * 361 + 105;
  std::memset(&bytes[field], 'a', 128);
  MilkshapeModel model;
  ASSERT_TRUE(Parse(model, bytes));
  EXPECT_EQ(std::strlen(model.materials[0].textureFileName), 128u);
}

// A tetrahedron with corners at `origin` and one unit along each axis from it, wound
// counter-clockwise seen from outside (or from inside when `inward`), as the next group.
void AddTetrahedron(Ms3dFile& file, std::array<float, 3> origin, float size, bool inward) {
  const auto first = static_cast<uint16_t>(file.vertices.size());
  file.vertices.push_back(origin);
  for (int axis = 0; axis < 3; ++axis) {
    std::array<float, 3> corner = origin;
    corner[axis] += size;
    file.vertices.push_back(corner);
  }
  Ms3dGroup group;
  for (std::array<uint16_t, 3> face : {std::array<uint16_t, 3>{1, 2, 3}, {0, 2, 1}, {0, 1, 3},
                                       {0, 3, 2}}) {
    if (inward) std::swap(face[1], face[2]);
    for (uint16_t& corner : face) corner += first;
    group.triangles.push_back(static_cast<uint16_t>(file.triangles.size()));
    file.triangles.push_back({face, {0, 0, 0}, {0, 0, 0}});
  }
  file.groups.push_back(group);
}

bool ClosedSolid(const Ms3dFile& file) {
  MilkshapeModel model;
  return Parse(model, BuildMs3d(file)) && model.IsClosedSolid();
}

TEST(MilkshapeModel, OnlyOutwardWoundClosedPiecesCountAsSolid) {
  Ms3dFile tetrahedron;
  AddTetrahedron(tetrahedron, {0, 0, 0}, 1, false);
  EXPECT_TRUE(ClosedSolid(tetrahedron));

  Ms3dFile twoPieces = tetrahedron;
  AddTetrahedron(twoPieces, {5, -3, 2}, 2, false);
  EXPECT_TRUE(ClosedSolid(twoPieces)) << "two solids in two groups";

  Ms3dFile inward;
  AddTetrahedron(inward, {0, 0, 0}, 1, true);
  EXPECT_FALSE(ClosedSolid(inward));

  // The total volume is positive, but the small piece shows its inside.
  Ms3dFile oneInward = tetrahedron;
  AddTetrahedron(oneInward, {5, 0, 0}, 0.5f, true);
  EXPECT_FALSE(ClosedSolid(oneInward));

  Ms3dFile open = tetrahedron;
  open.groups[0].triangles.pop_back();
  EXPECT_FALSE(ClosedSolid(open)) << "a face missing";
  EXPECT_FALSE(ClosedSolid(SquareModel(-1))) << "a sheet";

  Ms3dFile turnedFace = tetrahedron;
  std::swap(turnedFace.triangles[2].vertices[0], turnedFace.triangles[2].vertices[1]);
  EXPECT_FALSE(ClosedSolid(turnedFace)) << "one face wound against its neighbours";

  Ms3dFile drawnTwice = tetrahedron;
  drawnTwice.groups.push_back({{0}, -1});
  EXPECT_FALSE(ClosedSolid(drawnTwice));

  Ms3dFile sliver = tetrahedron;
  sliver.triangles.push_back({{0, 0, 1}, {0, 0, 0}, {0, 0, 0}});
  sliver.groups[0].triangles.push_back(4);
  EXPECT_FALSE(ClosedSolid(sliver)) << "a triangle with a repeated corner";

  Ms3dFile undrawn = tetrahedron;
  undrawn.groups.clear();
  EXPECT_FALSE(ClosedSolid(undrawn)) << "no groups, nothing drawn";
}

TEST(MilkshapeModel, LoadReadsAFileAndRefusesAMissingOne) {
  TempFolder folder;
  Ms3dFile file = SquareModel(0);
  file.materials = {{{1, 1, 1, 1}, ""}};  // no texture: loading needs no GL context
  WriteBytes(folder.Path() / "1.ms3d", BuildMs3d(file));
  MilkshapeModel model;
  EXPECT_FALSE(model.Load((folder.Path() / "absent.ms3d").c_str()));
  EXPECT_EQ(model.vertexCount, 0);
  ASSERT_TRUE(model.Load((folder.Path() / "1.ms3d").c_str()));
  EXPECT_EQ(model.triangleCount, 2);
  EXPECT_EQ(model.materials[0].textureId, 0u);
}

struct ManifestModel {
  std::string file;
  int vertices, triangles, groups, materials;
};

std::vector<ManifestModel> ReadModelManifest(const fs::path& folder) {
  std::ifstream in(folder / "MANIFEST.tsv");
  std::vector<ManifestModel> models;
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::stringstream row(line);
    ManifestModel m;
    std::string version;
    if (!std::getline(row, m.file, '\t') || !std::getline(row, version, '\t')) continue;
    if (fs::path(m.file).extension() != ".ms3d") continue;
    row >> m.vertices >> m.triangles >> m.groups >> m.materials;
    models.push_back(m);
  }
  return models;
}

TEST(MilkshapeModelCorpus, RealModelsLoadWithTheirCountsAndDamagedOneIsRefused) {
  const fs::path corpus = CorpusFolder();
  if (corpus.empty()) GTEST_SKIP() << "shared/corpus not found beside the repository";
  const auto models = ReadModelManifest(corpus / "ms3d");
  ASSERT_EQ(models.size(), 13u);
  for (const ManifestModel& m : models) {
    SCOPED_TRACE(m.file);
    const fs::path path = corpus / "ms3d" / m.file;
    MilkshapeModel model;
    // Their texture names are not BMP files beside the working folder: no GL call is made.
    const bool loaded = model.Load(path.c_str());
    if (m.file.rfind("bad/", 0) == 0) {
      EXPECT_FALSE(loaded);
      EXPECT_EQ(model.vertexCount, 0);
      continue;
    }
    ASSERT_TRUE(loaded);
    EXPECT_EQ(model.vertexCount, m.vertices);
    EXPECT_EQ(model.triangleCount, m.triangles);
    EXPECT_EQ(model.meshCount, m.groups);
    EXPECT_EQ(model.materialCount, m.materials);
    for (int i = 0; i < model.materialCount; ++i) EXPECT_EQ(model.materials[i].textureId, 0u);

    // t of the first corner of the first triangle, read straight from the file.
    const std::vector<uint8_t> bytes = ReadBytes(path);
    const size_t t0 = 14 + 2 + 15 * static_cast<size_t>(m.vertices) + 2 + 56;
    float stored;
    std::memcpy(&stored, &bytes[t0], 4);
    EXPECT_EQ(model.triangles[0].t[0], 1.0f - stored);
  }
}

}  // namespace
