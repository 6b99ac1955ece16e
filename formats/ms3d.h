// The MS3D reader: the static geometry and materials of a MilkShape 3D file of version 3 or
// 4, read from one buffer into model records.
#pragma once

#include <cstddef>
#include <cstdint>

struct ModelMesh {
  int materialIndex = -1;  // -1: no material
  int triangleIndexCount = 0;
  int* triangleIndices = nullptr;
};

struct ModelMaterial {
  float ambient[4] = {};
  float diffuse[4] = {};
  float specular[4] = {};
  float emissive[4] = {};
  float shininess = 0.0f;
  unsigned textureId = 0;           // 0: untextured
  char* textureFileName = nullptr;  // may be empty
};

struct ModelTriangle {
  float normals[3][3] = {};
  float s[3] = {};
  float t[3] = {};  // already flipped: 1 - the file's value
  int vertexIndices[3] = {};
};

struct ModelVertex {
  int8_t boneId = 0;
  float position[3] = {};
};

// Meshes, materials, triangles and vertices, each an owned array with its count. A new
// record holds none; the destructor releases every array and each mesh's and material's own.
struct ModelData {
  ModelData() = default;
  ModelData(const ModelData&) = delete;
  ModelData& operator=(const ModelData&) = delete;
  ~ModelData();

  // Exchanges every array and count with `other`.
  void Swap(ModelData& other);

  int meshCount = 0;
  ModelMesh* meshes = nullptr;
  int materialCount = 0;
  ModelMaterial* materials = nullptr;
  int triangleCount = 0;
  ModelTriangle* triangles = nullptr;
  int vertexCount = 0;
  ModelVertex* vertices = nullptr;
};

// Parses an MS3D file held in memory into `model`, replacing what it held; false when the
// header is wrong or any count or index does not fit the buffer, leaving `model` unchanged.
// Joints, animation and comments after the materials are ignored.
bool ParseMs3d(const uint8_t* data, size_t size, ModelData& model);
