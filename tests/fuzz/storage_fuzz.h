// Shared by the fuzz targets of the data-file readers: a private data home made once per
// process (and removed at exit), into whose user folder each input is written as the file
// that the reader under test opens.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

class PrivateDataHome {
 public:
  PrivateDataHome() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillary-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    home = pattern;
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    userFolder = home / "Brambleworth" / "Quillary";
    std::filesystem::create_directories(userFolder);
  }
  ~PrivateDataHome() { std::filesystem::remove_all(home); }

  void Put(const char* name, const uint8_t* data, size_t size) const {
    FILE* file = std::fopen((userFolder / name).c_str(), "wb");
    if (!file) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
  }

 private:
  std::filesystem::path home;
  std::filesystem::path userFolder;
};

// Writes the fuzz input as the user's data file `name`.
inline void PutUserDataFile(const char* name, const uint8_t* data, size_t size) {
  static const PrivateDataHome dataHome;
  dataHome.Put(name, data, size);
}

// A reader that leaves a state the game cannot use is a finding: stop with a crash report.
inline void Require(bool sound) {
  if (!sound) std::abort();
}
