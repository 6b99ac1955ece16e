// Fruit meshes for the asset generator: closed parametric surfaces turned into triangles with
// smooth normals, and the MS3D bytes the game reads them from.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace assetgen {

struct Vec3 {
  double x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
inline double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Length(Vec3 a);
Vec3 Normalize(Vec3 a);

// A closed surface of sphere topology in model space: u in [0, 1) runs once around (the
// surface repeats in u), v runs from one pole (0) to the other (1). Moving along u and then
// along v must turn counter-clockwise seen from outside, so that du x dv points outward.
using SurfaceFunction = std::function<Vec3(double u, double v)>;

// The outward unit normal of the surface; at the poles the mean of the normals around them.
Vec3 SurfaceNormal(const SurfaceFunction& surface, double u, double v);

// A rectangle of the skin in texture coordinates (t upward, as OpenGL samples the texture).
struct SkinRect {
  double s0, t0, s1, t1;
};

struct MeshCorner {
  int vertex;
  Vec3 normal;
  double s, t;
};

struct MeshTriangle {
  MeshCorner corners[3];
};

struct MeshGroup {
  std::string name;
  std::vector<int> triangles;
  int material;
};

struct MeshMaterial {
  std::string name;
  float ambient[4];
  float diffuse[4];
  float specular[4];
  float emissive[4];
  float shininess;
  std::string texture;  // path of the skin relative to the game's working directory
};

// A glossy material showing the skin as painted: the game's lights track a white current
// colour for ambient and diffuse, so those stay white; moderate specular, no emission.
MeshMaterial SkinMaterial(const std::string& texture, float shininess);

struct Mesh {
  std::vector<Vec3> vertices;
  std::vector<MeshTriangle> triangles;
  std::vector<MeshGroup> groups;
  std::vector<MeshMaterial> materials;
};

// Adds the surface as a new group of `slices` x `stacks` cells, mapped onto `skin` with u
// along s and v along t. The caps around the poles are triangle fans.
void AddSurface(Mesh& mesh, const std::string& group, int material, const SurfaceFunction& surface,
                int slices, int stacks, const SkinRect& skin);

// The model as an MS3D file of version 4 without joints or animation.
std::vector<uint8_t> Ms3dBytes(const Mesh& mesh);

}  // namespace assetgen
