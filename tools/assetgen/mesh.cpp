#include "tools/assetgen/mesh.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "tools/assetgen/assetgen.h"

namespace assetgen {

namespace {

// MS3D record sizes as the game reads them.
constexpr size_t Ms3dNameSize = 32;
constexpr size_t Ms3dFileNameSize = 128;
constexpr int Ms3dVersion = 4;
constexpr int Ms3dMaxCount = 65535;

// Distance of the finite differences that give the surface's tangents.
constexpr double TangentStep = 1e-5;
// Poles: normals are averaged over this many points on a ring this close to the pole.
constexpr int PoleSamples = 24;
constexpr double PoleRing = 1e-3;

Vec3 RawNormal(const SurfaceFunction& surface, double u, double v) {
  const double v0 = std::max(0.0, v - TangentStep);
  const double v1 = std::min(1.0, v + TangentStep);
  const Vec3 du = surface(u + TangentStep, v) - surface(u - TangentStep, v);
  const Vec3 dv = surface(u, v1) - surface(u, v0);
  return Normalize(Cross(du, dv));
}

// The pole corner of a fan triangle leans toward the normals of the triangle's other two
// corners, so that a pointed end (a leaf tip) is lit like the faces that meet there.
MeshCorner PoleCorner(MeshCorner pole, const MeshCorner& b, const MeshCorner& c) {
  pole.normal = Normalize(pole.normal + (b.normal + c.normal) * 0.5);
  return pole;
}

}  // namespace

double Length(Vec3 a) { return std::sqrt(Dot(a, a)); }

Vec3 Normalize(Vec3 a) {
  const double length = Length(a);
  return length > 0 ? a * (1.0 / length) : Vec3{};
}

Vec3 SurfaceNormal(const SurfaceFunction& surface, double u, double v) {
  if (v > PoleRing && v < 1.0 - PoleRing) return RawNormal(surface, u, v);
  const double ring = v <= PoleRing ? PoleRing : 1.0 - PoleRing;
  Vec3 sum;
  for (int i = 0; i < PoleSamples; ++i)
    sum = sum + RawNormal(surface, static_cast<double>(i) / PoleSamples, ring);
  return Normalize(sum);
}

MeshMaterial SkinMaterial(const std::string& texture, float shininess) {
  return {"skin", {0.9f, 0.9f, 0.9f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f},
          {0.5f, 0.5f, 0.5f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, shininess, texture};
}

void AddSurface(Mesh& mesh, const std::string& group, int material, const SurfaceFunction& surface,
                int slices, int stacks, const SkinRect& skin) {
  if (slices < 3 || stacks < 2) throw std::invalid_argument("surface too coarse: " + group);
  // Vertices: the bottom pole, the rings between the poles, the top pole.
  const int first = static_cast<int>(mesh.vertices.size());
  mesh.vertices.push_back(surface(0.0, 0.0));
  for (int ring = 1; ring < stacks; ++ring)
    for (int i = 0; i < slices; ++i)
      mesh.vertices.push_back(surface(static_cast<double>(i) / slices,
                                      static_cast<double>(ring) / stacks));
  mesh.vertices.push_back(surface(0.0, 1.0));
  const int topPole = static_cast<int>(mesh.vertices.size()) - 1;

  auto vertexAt = [&](int i, int ring) {
    if (ring == 0) return first;
    if (ring == stacks) return topPole;
    return first + 1 + (ring - 1) * slices + i % slices;
  };
  // A corner at grid point (i, ring); at a pole the corner takes the u of its fan triangle so
  // the skin is not sheared there.
  auto corner = [&](int i, int ring, double poleU) {
    const double v = static_cast<double>(ring) / stacks;
    const double u = (ring == 0 || ring == stacks) ? poleU : static_cast<double>(i) / slices;
    return MeshCorner{vertexAt(i, ring), SurfaceNormal(surface, u, v),
                      skin.s0 + u * (skin.s1 - skin.s0), skin.t0 + v * (skin.t1 - skin.t0)};
  };

  MeshGroup out{group, {}, material};
  auto emit = [&](MeshCorner a, MeshCorner b, MeshCorner c) {
    // Counter-clockwise seen from outside: the face normal agrees with the corner normals.
    const Vec3& pa = mesh.vertices[a.vertex];
    const Vec3 face = Cross(mesh.vertices[b.vertex] - pa, mesh.vertices[c.vertex] - pa);
    if (Dot(face, a.normal + b.normal + c.normal) < 0) std::swap(b, c);
    out.triangles.push_back(static_cast<int>(mesh.triangles.size()));
    mesh.triangles.push_back({{a, b, c}});
  };
  for (int ring = 0; ring < stacks; ++ring) {
    for (int i = 0; i < slices; ++i) {
      const double poleU = (i + 0.5) / slices;
      const MeshCorner a = corner(i, ring, poleU), b = corner(i + 1, ring, poleU);
      const MeshCorner c = corner(i + 1, ring + 1, poleU), d = corner(i, ring + 1, poleU);
      if (ring == 0) {
        emit(PoleCorner(a, c, d), c, d);
      } else if (ring == stacks - 1) {
        emit(a, b, PoleCorner(c, a, b));
      } else {
        emit(a, b, c);
        emit(a, c, d);
      }
    }
  }
  mesh.groups.push_back(std::move(out));
}

std::vector<uint8_t> Ms3dBytes(const Mesh& mesh) {
  if (mesh.vertices.size() > Ms3dMaxCount || mesh.triangles.size() > Ms3dMaxCount ||
      mesh.groups.size() > Ms3dMaxCount || mesh.materials.size() > 127)
    throw std::runtime_error("model too large for MS3D");
  std::vector<int> references(mesh.vertices.size(), 0);
  std::vector<int> groupOf(mesh.triangles.size(), 0);
  for (size_t g = 0; g < mesh.groups.size(); ++g)
    for (int t : mesh.groups[g].triangles) groupOf[t] = static_cast<int>(g);
  for (const auto& triangle : mesh.triangles)
    for (const auto& c : triangle.corners) ++references[c.vertex];

  ByteWriter w;
  w.Bytes("MS3D000000", 10);
  w.I32(Ms3dVersion);

  w.U16(static_cast<uint16_t>(mesh.vertices.size()));
  for (size_t i = 0; i < mesh.vertices.size(); ++i) {
    const Vec3& p = mesh.vertices[i];
    w.U8(0);  // flags
    w.F32(static_cast<float>(p.x));
    w.F32(static_cast<float>(p.y));
    w.F32(static_cast<float>(p.z));
    w.U8(0xFF);  // bone -1: not attached to a joint
    w.U8(static_cast<uint8_t>(std::min(references[i], 255)));
  }

  w.U16(static_cast<uint16_t>(mesh.triangles.size()));
  for (size_t i = 0; i < mesh.triangles.size(); ++i) {
    const auto& corners = mesh.triangles[i].corners;
    w.U16(0);  // flags
    for (const auto& c : corners) w.U16(static_cast<uint16_t>(c.vertex));
    for (const auto& c : corners) {
      w.F32(static_cast<float>(c.normal.x));
      w.F32(static_cast<float>(c.normal.y));
      w.F32(static_cast<float>(c.normal.z));
    }
    for (const auto& c : corners) w.F32(static_cast<float>(c.s));
    // The game stores 1 - t on reading, so the file holds the flipped coordinate.
    for (const auto& c : corners) w.F32(static_cast<float>(1.0 - c.t));
    w.U8(1);  // smoothing group
    w.U8(static_cast<uint8_t>(groupOf[i]));
  }

  w.U16(static_cast<uint16_t>(mesh.groups.size()));
  for (const auto& group : mesh.groups) {
    w.U8(0);  // flags
    w.FixedString(group.name, Ms3dNameSize);
    w.U16(static_cast<uint16_t>(group.triangles.size()));
    for (int t : group.triangles) w.U16(static_cast<uint16_t>(t));
    w.U8(static_cast<uint8_t>(static_cast<int8_t>(group.material)));
  }

  w.U16(static_cast<uint16_t>(mesh.materials.size()));
  for (const auto& m : mesh.materials) {
    w.FixedString(m.name, Ms3dNameSize);
    for (const float* colour : {m.ambient, m.diffuse, m.specular, m.emissive})
      for (int k = 0; k < 4; ++k) w.F32(colour[k]);
    w.F32(m.shininess);
    w.F32(1.0f);  // transparency: opaque
    w.U8(0);      // mode
    w.FixedString(m.texture, Ms3dFileNameSize);
    w.FixedString("", Ms3dFileNameSize);  // no alpha map
  }

  // The trailer: animation speed, current time, frame count and no joints.
  w.F32(24.0f);
  w.F32(0.0f);
  w.I32(1);
  w.U16(0);
  return std::move(w.Data());
}

}  // namespace assetgen
