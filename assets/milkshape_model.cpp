// The MS3D reader: the static geometry and materials of a MilkShape 3D file of version 3 or
// 4, read from one buffer. Joints, animation and comments after the materials are ignored.
#include <bit>
#include <cstring>
#include <fstream>
#include <memory>
#include <new>
#include <utility>

#include "assets/model.h"

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

// Sequential little-endian reads; every record is checked against the end before it is read.
class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Has(size_t count) const { return count <= size_ - pos_; }
  void Skip(size_t count) { pos_ += count; }
  uint8_t U8() { return data_[pos_++]; }
  int8_t I8() { return static_cast<int8_t>(U8()); }
  uint16_t U16() {
    const uint16_t value = static_cast<uint16_t>(data_[pos_] | data_[pos_ + 1] << 8);
    pos_ += 2;
    return value;
  }
  uint32_t U32() {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | data_[pos_ + i];
    pos_ += 4;
    return value;
  }
  float F32() { return std::bit_cast<float>(U32()); }
  void Floats(float* out, int count) {
    for (int i = 0; i < count; ++i) out[i] = F32();
  }
  const uint8_t* Here() const { return data_ + pos_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// Reads a record count and checks that the file holds that many records of the given size.
bool ReadCount(Reader& in, size_t recordSize, int& count) {
  if (!in.Has(2)) return false;
  count = in.U16();
  return in.Has(count * recordSize);
}

bool ReadVertices(Reader& in, Model& model) {
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

bool ReadTriangles(Reader& in, Model& model) {
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

bool ReadGroups(Reader& in, Model& model) {
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

bool ReadMaterials(Reader& in, Model& model) {
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

bool ReadHeader(Reader& in) {
  if (!in.Has(HeaderSize) || std::memcmp(in.Here(), Identifier, IdentifierSize) != 0) return false;
  in.Skip(IdentifierSize);
  const int32_t version = static_cast<int32_t>(in.U32());
  return version == 3 || version == 4;
}

}  // namespace

MilkshapeModel::~MilkshapeModel() = default;

bool MilkshapeModel::Parse(const uint8_t* data, size_t size) {
  Reader in(data, size);
  MilkshapeModel parsed;  // discarded with whatever it holds when the file does not fit
  if (!ReadHeader(in) || !ReadVertices(in, parsed) || !ReadTriangles(in, parsed) ||
      !ReadGroups(in, parsed) || !ReadMaterials(in, parsed))
    return false;
  // A group naming a material the file does not have is drawn as one without a material.
  for (int i = 0; i < parsed.meshCount; ++i) {
    int& material = parsed.meshes[i].materialIndex;
    if (material < 0 || material >= parsed.materialCount) material = -1;
  }

  std::swap(meshCount, parsed.meshCount);
  std::swap(meshes, parsed.meshes);
  std::swap(materialCount, parsed.materialCount);
  std::swap(materials, parsed.materials);
  std::swap(triangleCount, parsed.triangleCount);
  std::swap(triangles, parsed.triangles);
  std::swap(vertexCount, parsed.vertexCount);
  std::swap(vertices, parsed.vertices);
  return true;
}

bool MilkshapeModel::Load(const char* fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) return false;
  // One read of the whole file, parsed in place.
  file.seekg(0, std::ios::end);
  const std::streamoff length = file.tellg();
  file.seekg(0, std::ios::beg);
  if (length < 0) return false;
  const size_t size = static_cast<size_t>(length);
  const std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[size]);
  if (!bytes || !file.read(reinterpret_cast<char*>(bytes.get()), length)) return false;
  if (!Parse(bytes.get(), size)) return false;
  LoadTextures();
  return true;
}
