// Static 3D models with meshes, materials, triangles and vertices; MilkshapeModel reads them
// from MS3D files.
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

class Model {
 public:
  Model() = default;
  Model(const Model&) = delete;
  Model& operator=(const Model&) = delete;
  virtual ~Model();

  virtual bool Load(const char* fileName) = 0;

  // Emits the model's triangles in the current GL matrix and state.
  void Draw();
  // Makes a GL texture for every material that names a texture file.
  void LoadTextures();
  // Whether the drawn triangles bound solids: every edge runs once each way between two
  // triangles, and every connected piece winds counter-clockwise seen from outside. Faces
  // turned away from the viewer of such a model are always hidden behind nearer ones.
  bool IsClosedSolid() const;

  int meshCount = 0;
  ModelMesh* meshes = nullptr;
  int materialCount = 0;
  ModelMaterial* materials = nullptr;
  int triangleCount = 0;
  ModelTriangle* triangles = nullptr;
  int vertexCount = 0;
  ModelVertex* vertices = nullptr;
};

class MilkshapeModel : public Model {
 public:
  ~MilkshapeModel() override;

  // Reads an MS3D file of version 3 or 4 and makes its material textures.
  bool Load(const char* fileName) override;
  // Parses an MS3D file held in memory, without making textures; false when the header is
  // wrong or any count or index does not fit the buffer, leaving the model unchanged.
  bool Parse(const uint8_t* data, size_t size);
};
