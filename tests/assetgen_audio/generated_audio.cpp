#include "tests/assetgen_audio/generated_audio.h"

#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

const std::vector<std::string> ModuleFiles = {"theme1.xm", "theme2.xm"};
const std::vector<std::string> SampleFiles = {"select.wav", "bad.wav",     "new.wav",  "combo.wav",
                                              "combo2.wav", "combo3.wav",  "menu.wav", "levelup.wav",
                                              "hint.wav",   "gameover.wav", "exel.wav"};

namespace {

// Removes the folders this process generated when it ends.
struct TemporaryFolders {
  std::vector<std::filesystem::path> made;
  ~TemporaryFolders() {
    for (const auto& folder : made) std::filesystem::remove_all(folder);
  }
};
TemporaryFolders temporaryFolders;

}  // namespace

std::filesystem::path GenerateAudio() {
  const auto folder = std::filesystem::temp_directory_path() /
                      ("quillary-audio-" + std::to_string(getpid()) + "-" +
                       std::to_string(temporaryFolders.made.size()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  temporaryFolders.made.push_back(folder);
  const std::string command = std::string("\"") + ASSETGEN_PROGRAM + "\" \"" + folder.string() + "\" music sounds";
  if (std::system(command.c_str()) != 0) throw std::runtime_error("generator failed: " + command);
  return folder / "base";
}

const std::filesystem::path& GeneratedBase() {
  static const std::filesystem::path base = GenerateAudio();
  return base;
}

