// Fuzz target of the MS3D reader: a file is refused, or every index of the model it gives
// lies inside its arrays.
#include <cstdint>
#include <cstdlib>

#include "formats/ms3d.h"

namespace {

void CheckIndices(const ModelData& model) {
  for (int t = 0; t < model.triangleCount; ++t)
    for (int v : model.triangles[t].vertexIndices)
      if (v < 0 || v >= model.vertexCount) std::abort();
  for (int m = 0; m < model.meshCount; ++m) {
    const ModelMesh& mesh = model.meshes[m];
    if (mesh.materialIndex < -1 || mesh.materialIndex >= model.materialCount) std::abort();
    for (int i = 0; i < mesh.triangleIndexCount; ++i)
      if (mesh.triangleIndices[i] < 0 || mesh.triangleIndices[i] >= model.triangleCount)
        std::abort();
  }
  for (int m = 0; m < model.materialCount; ++m)
    if (!model.materials[m].textureFileName) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ModelData model;
  if (ParseMs3d(data, size, model)) {
    CheckIndices(model);
    // A second file replaces the first; a refused one leaves it as it was.
    const int vertices = model.vertexCount;
    if (size > 0 && !ParseMs3d(data, size - 1, model) && model.vertexCount != vertices)
      std::abort();
  } else if (model.vertexCount != 0 || model.meshes != nullptr) {
    std::abort();
  }
  return 0;
}
