// Builds MS3D files for the model tests.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct Ms3dTriangle {
  std::array<uint16_t, 3> vertices;
  std::array<float, 3> s;
  std::array<float, 3> t;  // as stored: the reader flips them
};

struct Ms3dGroup {
  std::vector<uint16_t> triangles;
  int8_t material = -1;
};

struct Ms3dMaterial {
  std::array<float, 4> diffuse = {0.8f, 0.8f, 0.8f, 1.0f};
  std::string texture;
  std::array<float, 4> ambient = {0.2f, 0.2f, 0.2f, 1.0f};
  float shininess = 10.0f;
};

struct Ms3dFile {
  int32_t version = 4;
  std::vector<std::array<float, 3>> vertices;
  std::vector<Ms3dTriangle> triangles;
  std::vector<Ms3dGroup> groups;
  std::vector<Ms3dMaterial> materials;
};

std::vector<uint8_t> BuildMs3d(const Ms3dFile& file);

// Offsets where each record of a built file ends, for cutting it at every record boundary.
std::vector<size_t> Ms3dRecordEnds(const Ms3dFile& file);

// Two triangles covering the square from (-1, -1) to (1, 1) at z 0, facing +z, with texture
// coordinates 0..1, in one group using material `material`.
Ms3dFile SquareModel(int8_t material);
