// Static 3D models with meshes, materials, triangles and vertices; MilkshapeModel reads them
// from MS3D files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "assets/bmp.h"
#include "formats/ms3d.h"

// The model records come from ModelData; a Model adds drawing and its material textures.
class Model : public ModelData {
 public:
  Model() = default;
  Model(const Model&) = delete;
  Model& operator=(const Model&) = delete;
  virtual ~Model() = default;

  virtual bool Load(const char* fileName) = 0;

  // Emits the model's triangles in the current GL matrix and state.
  void Draw();
  // Makes a GL texture for every material that names a texture file.
  void LoadTextures();
  // Reads the picture of every material, in order, showing nothing and calling no GL: a
  // material without a texture file gets a picture that is missing.
  std::vector<ImageRead> ReadMaterialPictures() const;
  // Makes the material textures from pictures read ahead, as LoadTextures makes them.
  void MakeTextures(std::vector<ImageRead> pictures);
  // Whether the drawn triangles bound solids: every edge runs once each way between two
  // triangles, and every connected piece winds counter-clockwise seen from outside. Faces
  // turned away from the viewer of such a model are always hidden behind nearer ones.
  bool IsClosedSolid() const;
};

class MilkshapeModel : public Model {
 public:
  ~MilkshapeModel() override;

  // Reads an MS3D file of version 3 or 4 and makes its material textures.
  bool Load(const char* fileName) override;
  // Reads and parses an MS3D file without making textures; false as Load.
  bool Read(const char* fileName);
  // Parses an MS3D file held in memory, without making textures; false when the header is
  // wrong or any count or index does not fit the buffer, leaving the model unchanged.
  bool Parse(const uint8_t* data, size_t size);
};
