// A strict reader of the fruit models and skins the generator writes: the model preview draws
// from it and the model tests check every field through it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace assetgen {

struct Ms3dTriangle {
  uint16_t vertices[3];
  float normals[3][3];
  float s[3];
  float t[3];  // as the game keeps it: 1 - the file's value, so 0 is the skin's bottom row
  uint8_t group;
};

struct Ms3dGroup {
  std::string name;
  std::vector<uint16_t> triangles;
  int material;  // -1: none
};

struct Ms3dMaterial {
  std::string name;
  float ambient[4], diffuse[4], specular[4], emissive[4];
  float shininess;
  float transparency;
  std::string texture;
};

struct Ms3dModel {
  int version = 0;
  std::vector<float> positions;  // x y z per vertex
  std::vector<Ms3dTriangle> triangles;
  std::vector<Ms3dGroup> groups;
  std::vector<Ms3dMaterial> materials;
  size_t VertexCount() const { return positions.size() / 3; }
};

// Reads a version 4 file with no joints whose records end exactly at the end of the file and
// whose indices all fit; on any fault returns false and says what in `error`.
bool ReadMs3d(const std::vector<uint8_t>& bytes, Ms3dModel& model, std::string& error);

// An uncompressed 24-bit BMP with the 40-byte info header, stored bottom-up.
struct Bmp24 {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // R G B per pixel, the bottom row first, as OpenGL takes it
};
bool ReadBmp24(const std::vector<uint8_t>& bytes, Bmp24& image, std::string& error);

// The whole file, or nothing when it cannot be read.
std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& path);

}  // namespace assetgen
