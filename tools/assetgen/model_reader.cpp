#include "tools/assetgen/model_reader.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace assetgen {

namespace {

constexpr size_t Ms3dHeaderSize = 14;
constexpr size_t Ms3dVertexSize = 15;
constexpr size_t Ms3dTriangleSize = 70;
constexpr size_t Ms3dGroupFixedSize = 36;  // plus two bytes per triangle index
constexpr size_t Ms3dMaterialSize = 361;
constexpr size_t Ms3dNameSize = 32;
constexpr size_t Ms3dFileNameSize = 128;
constexpr size_t Ms3dTrailerSize = 14;  // fps, current time, frame count, joint count
constexpr size_t BmpFileHeaderSize = 14;
constexpr size_t BmpInfoHeaderSize = 40;

// Little-endian reads that refuse to pass the end of the buffer.
class ByteReader {
 public:
  explicit ByteReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
  bool Has(size_t count) const { return bytes_.size() - at_ >= count; }
  size_t Left() const { return bytes_.size() - at_; }
  uint8_t U8() { return bytes_[at_++]; }
  uint16_t U16() {
    const uint16_t v = static_cast<uint16_t>(bytes_[at_] | bytes_[at_ + 1] << 8);
    at_ += 2;
    return v;
  }
  uint32_t U32() {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | bytes_[at_ + i];
    at_ += 4;
    return v;
  }
  float F32() {
    const uint32_t bits = U32();
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
  }
  // A zero-terminated text in a field of `size` bytes; false when it has no terminator.
  bool Text(size_t size, std::string& text) {
    const auto* start = reinterpret_cast<const char*>(&bytes_[at_]);
    const size_t length = strnlen(start, size);
    text.assign(start, length);
    at_ += size;
    return length < size;
  }
  void Skip(size_t count) { at_ += count; }

 private:
  const std::vector<uint8_t>& bytes_;
  size_t at_ = 0;
};

bool Fail(std::string& error, const std::string& why) {
  error = why;
  return false;
}

void ReadColour(ByteReader& in, float* rgba) {
  for (int i = 0; i < 4; ++i) rgba[i] = in.F32();
}

}  // namespace

bool ReadMs3d(const std::vector<uint8_t>& bytes, Ms3dModel& model, std::string& error) {
  ByteReader in(bytes);
  if (!in.Has(Ms3dHeaderSize + 2) || std::memcmp(bytes.data(), "MS3D000000", 10) != 0)
    return Fail(error, "no MS3D header");
  in.Skip(10);
  model = {};
  model.version = static_cast<int32_t>(in.U32());
  if (model.version != 4) return Fail(error, "version " + std::to_string(model.version));

  const size_t vertexCount = in.U16();
  if (!in.Has(vertexCount * Ms3dVertexSize + 2)) return Fail(error, "vertices pass the end");
  for (size_t i = 0; i < vertexCount; ++i) {
    in.Skip(1);
    for (int k = 0; k < 3; ++k) model.positions.push_back(in.F32());
    in.Skip(2);
  }

  const size_t triangleCount = in.U16();
  if (!in.Has(triangleCount * Ms3dTriangleSize + 2)) return Fail(error, "triangles pass the end");
  model.triangles.resize(triangleCount);
  for (auto& t : model.triangles) {
    in.Skip(2);
    for (auto& index : t.vertices) {
      index = in.U16();
      if (index >= vertexCount) return Fail(error, "vertex index out of range");
    }
    for (auto& normal : t.normals)
      for (float& component : normal) component = in.F32();
    for (float& s : t.s) s = in.F32();
    for (float& tc : t.t) tc = 1.0f - in.F32();
    in.Skip(1);
    t.group = in.U8();
  }

  const size_t groupCount = in.U16();
  model.groups.resize(groupCount);
  for (auto& g : model.groups) {
    if (!in.Has(Ms3dGroupFixedSize)) return Fail(error, "group passes the end");
    in.Skip(1);
    if (!in.Text(Ms3dNameSize, g.name)) return Fail(error, "group name not terminated");
    const size_t count = in.U16();
    if (!in.Has(count * 2 + 1)) return Fail(error, "group passes the end");
    for (size_t i = 0; i < count; ++i) {
      g.triangles.push_back(in.U16());
      if (g.triangles.back() >= triangleCount) return Fail(error, "triangle index out of range");
    }
    g.material = static_cast<int8_t>(in.U8());
  }
  for (size_t i = 0; i < triangleCount; ++i)
    if (model.triangles[i].group >= groupCount) return Fail(error, "triangle in no group");

  if (!in.Has(2)) return Fail(error, "no material count");
  const size_t materialCount = in.U16();
  if (!in.Has(materialCount * Ms3dMaterialSize)) return Fail(error, "materials pass the end");
  model.materials.resize(materialCount);
  for (auto& m : model.materials) {
    if (!in.Text(Ms3dNameSize, m.name)) return Fail(error, "material name not terminated");
    ReadColour(in, m.ambient);
    ReadColour(in, m.diffuse);
    ReadColour(in, m.specular);
    ReadColour(in, m.emissive);
    m.shininess = in.F32();
    m.transparency = in.F32();
    in.Skip(1);
    if (!in.Text(Ms3dFileNameSize, m.texture)) return Fail(error, "texture name not terminated");
    std::string alphaMap;
    if (!in.Text(Ms3dFileNameSize, alphaMap)) return Fail(error, "alpha map not terminated");
  }
  for (const auto& g : model.groups)
    if (g.material < -1 || g.material >= static_cast<int>(materialCount))
      return Fail(error, "material index out of range");

  if (in.Left() != Ms3dTrailerSize) return Fail(error, "trailer is not exactly the joint-less one");
  in.Skip(Ms3dTrailerSize - 2);
  if (in.U16() != 0) return Fail(error, "model has joints");
  return true;
}

bool ReadBmp24(const std::vector<uint8_t>& bytes, Bmp24& image, std::string& error) {
  ByteReader in(bytes);
  if (!in.Has(BmpFileHeaderSize + BmpInfoHeaderSize) || bytes[0] != 'B' || bytes[1] != 'M')
    return Fail(error, "no BMP header");
  in.Skip(2);
  const uint32_t fileSize = in.U32();
  in.Skip(4);
  const uint32_t pixelOffset = in.U32();
  if (in.U32() != BmpInfoHeaderSize) return Fail(error, "info header is not 40 bytes");
  const auto width = static_cast<int32_t>(in.U32());
  const auto height = static_cast<int32_t>(in.U32());
  const uint16_t planes = in.U16();
  const uint16_t bits = in.U16();
  const uint32_t compression = in.U32();
  if (planes != 1 || bits != 24 || compression != 0) return Fail(error, "not plain 24-bit");
  if (width <= 0 || height <= 0 || width > 8192 || height > 8192) return Fail(error, "bad size");
  const size_t rowSize = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  if (fileSize != bytes.size() || pixelOffset != BmpFileHeaderSize + BmpInfoHeaderSize ||
      bytes.size() != pixelOffset + rowSize * height)
    return Fail(error, "sizes do not match the file");
  image.width = width;
  image.height = height;
  image.rgb.clear();
  for (int row = 0; row < height; ++row) {
    const uint8_t* p = &bytes[pixelOffset + rowSize * row];
    for (int x = 0; x < width; ++x) {
      image.rgb.push_back(p[x * 3 + 2]);
      image.rgb.push_back(p[x * 3 + 1]);
      image.rgb.push_back(p[x * 3 + 0]);
    }
  }
  return true;
}

std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace assetgen
