// The MS3D reader. Every record is checked against the end of the buffer before it is read.
#include "formats/ms3d.h"

#include <cstring>
#include <new>
#include <utility>

#include "formats/little_endian.h"

namespace {

constexpr char Identifier[] = "MS3D000000";
constexpr size_t IdentifierSize = 10;
constexpr size_t HeaderSize = 14;
constexpr size_t VertexRecordSize = 15;
constexpr size_t TriangleRecordSize = 70;
constexpr size_t GroupFixedSize = 36;  // plus 2 bytes per triangle index
constexpr size_t GroupNameSize = 32;
constexpr size_t MaterialRecordSize = 361;
constexpr size_t MaterialNameSize = 32;
constexpr size_t TextureNameSize = 128;

// Reads a record count and checks that the file holds that many records of the given size.
bool ReadCount(ByteReader& in, size_t recordSize, int& count) {
  if (!in.Has(2)) return false;
  count = in.U16();
  return in.Has(count * recordSize);
}

bool ReadVertices(ByteReader& in, ModelData& model) {
  int count = 0;
  if (!ReadCount(in, VertexRecordSize, count)) return false;
  model.vertices = new (std::nothrow) ModelVertex[count];
  if (!model.vertices) return false;
  model.vertexCount = count;
  for (int i = 0; i < count; ++i) {
    ModelVertex& v = model.vertices[i];
    in.Skip(1);  // flags
    in.Floats(v.position, 3);
    v.boneId = in.I8();
    in.Skip(1);  // reference count
  }
  return true;
}

bool ReadTriangles(ByteReader& in, ModelData& model) {
  int count = 0;
  if (!ReadCount(in, TriangleRecordSize, count)) return false;
  model.triangles = new (std::nothrow) ModelTriangle[count];
  if (!model.triangles) return false;
  model.triangleCount = count;
  for (int i = 0; i < count; ++i) {
    ModelTriangle& t = model.triangles[i];
    in.Skip(2);  // flags
    for (int& index : t.vertexIndices) {
      index = in.U16();
      if (index >= model.vertexCount) return false;
    }
    for (float* normal : t.normals) in.Floats(normal, 3);
    in.Floats(t.s, 3);
    in.Floats(t.t, 3);
    for (float& value : t.t) value = 1.0f - value;  // the file's origin is the top left
    in.Skip(2);  // smoothing group, group index
  }
  return true;
}

bool ReadGroups(ByteReader& in, ModelData& model) {
  int count = 0;
  if (!ReadCount(in, GroupFixedSize, count)) return false;
  model.meshes = new (std::nothrow) ModelMesh[count];
  if (!model.meshes) return false;
  model.meshCount = count;
  for (int i = 0; i < count; ++i) {
    ModelMesh& mesh = model.meshes[i];
    if (!in.Has(GroupFixedSize)) return false;
    in.Skip(1 + GroupNameSize);  // flags, name
    const int indexCount = in.U16();
    if (!in.Has(indexCount * size_t{2} + 1)) return false;
    mesh.triangleIndices = new (std::nothrow) int[indexCount];
    if (!mesh.triangleIndices) return false;
    mesh.triangleIndexCount = indexCount;
    for (int k = 0; k < indexCount; ++k) {
      mesh.triangleIndices[k] = in.U16();
      if (mesh.triangleIndices[k] >= model.triangleCount) return false;
    }
    mesh.materialIndex = in.I8();
  }
  return true;
}

// Copies a zero-terminated name from a fixed field; a name filling the whole field is kept
// whole and terminated.
char* CopyName(const uint8_t* field, size_t fieldSize) {
  const void* end = std::memchr(field, 0, fieldSize);
  const size_t length = end ? static_cast<const uint8_t*>(end) - field : fieldSize;
  char* name = new (std::nothrow) char[length + 1];
  if (!name) return nullptr;
  std::memcpy(name, field, length);
  name[length] = '\0';
  return name;
}

bool ReadMaterials(ByteReader& in, ModelData& model) {
  int count = 0;
  if (!ReadCount(in, MaterialRecordSize, count)) return false;
  model.materials = new (std::nothrow) ModelMaterial[count];
  if (!model.materials) return false;
  model.materialCount = count;
  for (int i = 0; i < count; ++i) {
    ModelMaterial& m = model.materials[i];
    in.Skip(MaterialNameSize);
    in.Floats(m.ambient, 4);
    in.Floats(m.diffuse, 4);
    in.Floats(m.specular, 4);
    in.Floats(m.emissive, 4);
    m.shininess = in.F32();
    in.Skip(4 + 1);  // transparency, mode
    m.textureFileName = CopyName(in.Here(), TextureNameSize);
    if (!m.textureFileName) return false;
    in.Skip(TextureNameSize * 2);  // texture and alpha-map file names
  }
  return true;
}

bool ReadHeader(ByteReader& in) {
  if (!in.Has(HeaderSize) || std::memcmp(in.Here(), Identifier, IdentifierSize) != 0) return false;
  in.Skip(IdentifierSize);
  const int32_t version = in.I32();
  return version == 3 || version == 4;
}

}  // namespace

ModelData::~ModelData() {
  for (int i = 0; i < meshCount; ++i) delete[] meshes[i].triangleIndices;
  for (int i = 0; i < materialCount; ++i) delete[] materials[i].textureFileName;
  delete[] meshes;
  delete[] materials;
  delete[] triangles;
  delete[] vertices;
}

void ModelData::Swap(ModelData& other) {
  std::swap(meshCount, other.meshCount);
  std::swap(meshes, other.meshes);
  std::swap(materialCount, other.materialCount);
  std::swap(materials, other.materials);
  std::swap(triangleCount, other.triangleCount);
  std::swap(triangles, other.triangles);
  std::swap(vertexCount, other.vertexCount);
  std::swap(vertices, other.vertices);
}

bool ParseMs3d(const uint8_t* data, size_t size, ModelData& model) {
  ByteReader in(data, size);
  ModelData parsed;  // discarded with whatever it holds when the file does not fit
  if (!ReadHeader(in) || !ReadVertices(in, parsed) || !ReadTriangles(in, parsed) ||
      !ReadGroups(in, parsed) || !ReadMaterials(in, parsed))
    return false;
  // A group naming a material the file does not have is drawn as one without a material.
  for (int i = 0; i < parsed.meshCount; ++i) {
    int& material = parsed.meshes[i].materialIndex;
    if (material < 0 || material >= parsed.materialCount) material = -1;
  }
  model.Swap(parsed);
  return true;
}
