// Runs a fuzz target's entry point once on every file of the given folders, so that the
// normal test suite replays the seed corpus without libFuzzer.
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "formats/whole_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  int files = 0;
  for (int i = 1; i < argc; ++i) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i])) {
      if (!entry.is_regular_file()) continue;
      const FileBytes bytes = ReadWholeFile(entry.path().c_str());
      LLVMFuzzerTestOneInput(bytes.data.get(), bytes.size);
      ++files;
    }
  }
  std::printf("replayed %d inputs\n", files);
  return files > 0 ? 0 : 1;
}
