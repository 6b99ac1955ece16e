#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

#include "assets/model.h"

namespace {

using Edge = std::pair<int, int>;  // from vertex, to vertex

int FindRoot(std::vector<int>& parent, int vertex) {
  while (parent[vertex] != vertex) {
    parent[vertex] = parent[parent[vertex]];
    vertex = parent[vertex];
  }
  return vertex;
}

// Six times the signed volume of the tetrahedron of the origin and the triangle: positive when
// the triangle winds counter-clockwise seen from the side away from the origin.
double SignedVolume(const float* a, const float* b, const float* c) {
  const double crossX = static_cast<double>(b[1]) * c[2] - static_cast<double>(b[2]) * c[1];
  const double crossY = static_cast<double>(b[2]) * c[0] - static_cast<double>(b[0]) * c[2];
  const double crossZ = static_cast<double>(b[0]) * c[1] - static_cast<double>(b[1]) * c[0];
  return a[0] * crossX + a[1] * crossY + a[2] * crossZ;
}

}  // namespace

bool Model::IsClosedSolid() const {
  std::vector<const ModelTriangle*> drawn;
  for (int m = 0; m < meshCount; ++m) {
    for (int i = 0; i < meshes[m].triangleIndexCount; ++i)
      drawn.push_back(&triangles[meshes[m].triangleIndices[i]]);
  }
  if (drawn.empty()) return false;

  std::vector<Edge> edges;
  std::vector<int> parent(static_cast<size_t>(vertexCount));
  std::iota(parent.begin(), parent.end(), 0);
  for (const ModelTriangle* triangle : drawn) {
    const int* corner = triangle->vertexIndices;
    for (int k = 0; k < 3; ++k) {
      const int from = corner[k];
      const int to = corner[(k + 1) % 3];
      if (from == to) return false;  // a triangle with a repeated corner has no area to bound
      edges.emplace_back(from, to);
      parent[FindRoot(parent, from)] = FindRoot(parent, to);
    }
  }
  // Each directed edge once, and its reverse present: the surface is closed and every pair of
  // neighbouring triangles winds the same way round.
  std::sort(edges.begin(), edges.end());
  if (std::adjacent_find(edges.begin(), edges.end()) != edges.end()) return false;
  for (const Edge& edge : edges) {
    if (!std::binary_search(edges.begin(), edges.end(), Edge{edge.second, edge.first}))
      return false;
  }

  // A consistently wound closed piece encloses a positive volume when it winds outward.
  std::vector<double> volume(static_cast<size_t>(vertexCount), 0.0);
  for (const ModelTriangle* triangle : drawn) {
    const int* corner = triangle->vertexIndices;
    volume[FindRoot(parent, corner[0])] += SignedVolume(
        vertices[corner[0]].position, vertices[corner[1]].position, vertices[corner[2]].position);
  }
  for (const ModelTriangle* triangle : drawn) {
    if (volume[FindRoot(parent, triangle->vertexIndices[0])] <= 0.0) return false;
  }
  return true;
}
