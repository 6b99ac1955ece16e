// Every kind of asset loader against a folder, a pipe, an empty file or garbage in its file's
// place: each returns at once, a texture with its message, a model and the sounds in silence.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "assets/bmp.h"
#include "assets/model.h"
#include "core/mixer.h"
#include "tests/support/fake_message_box.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;

bool SoundComesToNothing(std::string path, bool module) {
  ImixInit(15, 15, 15);
  const int handle = module ? ImixLoadModule(path.data(), 0) : ImixLoadSample(path.data(), 0);
  const bool started = ImixStartMixer(nullptr);
  const bool silent = module ? !ImixPlayModule(handle, true) : ImixPlaySample(handle, 64, 128, 0) < 0;
  ImixUninit();
  return started && silent;
}

// Named as in base/, since some decoders are chosen by the name's extension.
const std::pair<const char*, bool (*)(const char*)> Loaders[] = {
    {"tex00.bmp", [](const char* path) { return !LoadImageFile(path); }},
    {"1.ms3d", [](const char* path) { return !MilkshapeModel().Load(path); }},
    {"select.wav", [](const char* path) { return SoundComesToNothing(path, false); }},
    {"theme1.xm", [](const char* path) { return SoundComesToNothing(path, true); }},
};

// Each damage with the texture's message.
const std::tuple<const char*, void (*)(const fs::path&), const char*> Damages[] = {
    {"a folder", [](const fs::path& p) { fs::create_directory(p); }, "Failed to open DIB file"},
    {"a pipe", [](const fs::path& p) { mkfifo(p.c_str(), 0600); }, "Failed to open DIB file"},
    {"an empty file", [](const fs::path& p) { WriteBytes(p, {}); }, "Failed to open DIB file"},
    {"garbage", [](const fs::path& p) { WriteBytes(p, std::vector<uint8_t>(200, 0xA5)); },
     "Unknown DIB file format."},
};

TEST(DamagedAssets, EveryLoaderReturnsAtOnceWithItsMessageOrInSilence) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  for (const auto& [file, comesToNothing] : Loaders) {
    for (const auto& [damage, make, textureMessage] : Damages) {
      const TempFolder folder;
      const fs::path path = folder.Path() / file;
      make(path);
      // In a child, which the alarm ends if the loader hangs, and whose crash is only reported.
      const pid_t child = fork();
      if (child == 0) {
        alarm(5);
        fake_message_box::Reset();
        const auto& boxes = fake_message_box::Shown();
        const bool loaded = !comesToNothing(path.c_str());
        const bool told = boxes.size() == 1 && boxes[0].text.rfind(textureMessage, 0) == 0;
        _exit(loaded ? 1 : told == (file == Loaders[0].first) ? 0 : 2);
      }
      int status = 0;
      waitpid(child, &status, 0);
      EXPECT_EQ(status, 0) << file << " replaced by " << damage << ": "
                           << (WIFSIGNALED(status) ? strsignal(WTERMSIG(status))
                               : WEXITSTATUS(status) == 1 ? "loaded" : "the wrong message");
    }
  }
}

}  // namespace
