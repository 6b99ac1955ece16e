#include "tests/support/test_files.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <random>

#include "formats/whole_file.h"

namespace fs = std::filesystem;

fs::path CorpusFolder() {
  const char* source = std::getenv("QUILLARY_SOURCE_DIR");
  if (!source) return {};
  // CI clones the repository with shared/ beside it; a worktree sits one folder deeper.
  for (fs::path folder = fs::absolute(source); folder.has_relative_path();
       folder = folder.parent_path()) {
    const fs::path candidate = folder.parent_path() / "shared" / "corpus";
    if (fs::is_directory(candidate / "bmp") && fs::is_directory(candidate / "ms3d"))
      return candidate;
  }
  return {};
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
  const FileBytes file = ReadWholeFile(path.c_str());
  if (file.result != FileReadResult::Read) return {};
  return {file.data.get(), file.data.get() + file.size};
}

void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
  if (path.has_parent_path()) fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TempFolder::TempFolder() {
  std::random_device random;
  path_ = fs::temp_directory_path() /
          ("quillary-assets-" + std::to_string(getpid()) + "-" + std::to_string(random()));
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

WorkingFolder::WorkingFolder(const fs::path& folder) : previous_(fs::current_path()) {
  fs::current_path(folder);
}

WorkingFolder::~WorkingFolder() { fs::current_path(previous_); }
