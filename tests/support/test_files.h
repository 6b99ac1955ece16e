// Files for the tests: the shared corpus of real BMP and MS3D files, temporary folders, and
// whole-file reads (through the game's own reader) and writes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The corpus folder (holding bmp/ and ms3d/), found as shared/corpus beside the repository
// or beside one of its parent folders; empty when it is not there.
std::filesystem::path CorpusFolder();

// The whole file; empty when it cannot be read.
std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);
// Writes the file, creating its folder first.
void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

// A fresh empty folder under the system's temporary folder, removed with the object.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Makes the working folder `folder` while the object lives (the game opens base/ relative
// to it).
class WorkingFolder {
 public:
  explicit WorkingFolder(const std::filesystem::path& folder);
  ~WorkingFolder();
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

 private:
  std::filesystem::path previous_;
};
