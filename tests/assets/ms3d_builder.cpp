#include "tests/assets/ms3d_builder.h"

#include "tools/assetgen/assetgen.h"

namespace {

// Writes the file and, with `ends`, records where every record ends.
std::vector<uint8_t> Write(const Ms3dFile& file, std::vector<size_t>* ends) {
  assetgen::ByteWriter w;
  const auto mark = [&] {
    if (ends) ends->push_back(w.Size());
  };
  w.Bytes("MS3D000000", 10);
  w.I32(file.version);
  mark();
  w.U16(static_cast<uint16_t>(file.vertices.size()));
  mark();
  for (const auto& v : file.vertices) {
    w.U8(0);
    for (float c : v) w.F32(c);
    w.U8(0xFF);  // bone id -1
    w.U8(1);
    mark();
  }
  w.U16(static_cast<uint16_t>(file.triangles.size()));
  mark();
  for (const Ms3dTriangle& t : file.triangles) {
    w.U16(0);
    for (uint16_t index : t.vertices) w.U16(index);
    for (int corner = 0; corner < 3; ++corner) {
      w.F32(0.0f);
      w.F32(0.0f);
      w.F32(1.0f);
    }
    for (float s : t.s) w.F32(s);
    for (float value : t.t) w.F32(value);
    w.U8(1);
    w.U8(0);
    mark();
  }
  w.U16(static_cast<uint16_t>(file.groups.size()));
  mark();
  for (const Ms3dGroup& g : file.groups) {
    w.U8(0);
    w.FixedString("group", 32);
    w.U16(static_cast<uint16_t>(g.triangles.size()));
    for (uint16_t index : g.triangles) w.U16(index);
    w.U8(static_cast<uint8_t>(g.material));
    mark();
  }
  w.U16(static_cast<uint16_t>(file.materials.size()));
  mark();
  for (const Ms3dMaterial& m : file.materials) {
    w.FixedString("material", 32);
    for (float c : m.ambient) w.F32(c);
    for (float c : m.diffuse) w.F32(c);
    for (float c : {0.0f, 0.0f, 0.0f, 1.0f}) w.F32(c);  // specular
    for (float c : {0.0f, 0.0f, 0.0f, 1.0f}) w.F32(c);  // emissive
    w.F32(m.shininess);
    w.F32(1.0f);
    w.U8(0);
    w.FixedString(m.texture, 128);
    w.FixedString("", 128);
    mark();
  }
  return w.Data();
}

}  // namespace

std::vector<uint8_t> BuildMs3d(const Ms3dFile& file) { return Write(file, nullptr); }

std::vector<size_t> Ms3dRecordEnds(const Ms3dFile& file) {
  std::vector<size_t> ends;
  Write(file, &ends);
  return ends;
}

Ms3dFile SquareModel(int8_t material) {
  Ms3dFile file;
  file.vertices = {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}};
  file.triangles = {{{0, 1, 2}, {0, 1, 1}, {1, 1, 0}}, {{0, 2, 3}, {0, 1, 0}, {1, 0, 0}}};
  file.groups = {{{0, 1}, material}};
  return file;
}
