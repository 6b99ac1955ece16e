// Every kind of asset loader against what a damaged installation puts in a file's place: a
// folder, a pipe, an empty file, garbage. Each returns at once and fails as the game expects:
// a texture with its message, a model, a sample and a module in silence.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "assets/bmp.h"
#include "assets/model.h"
#include "core/mixer.h"
#include "tests/support/fake_message_box.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;

struct Damage {
  const char* name;
  void (*make)(const fs::path& path);
  const char* textureBox;  // what the player is told when a texture is damaged so
};

const Damage Damages[] = {
    {"a folder", [](const fs::path& p) { fs::create_directory(p); }, "Failed to open DIB file"},
    {"a pipe", [](const fs::path& p) { mkfifo(p.c_str(), 0600); }, "Failed to open DIB file"},
    {"an empty file", [](const fs::path& p) { WriteBytes(p, {}); }, "Failed to open DIB file"},
    {"garbage", [](const fs::path& p) { WriteBytes(p, std::vector<uint8_t>(200, 0xA5)); },
     "Unknown DIB file format."},
};

// Each loads the file and answers whether it came to nothing.
bool SoundComesToNothing(const char* path, bool module) {
  std::string name = path;
  ImixInit(15, 15, 15);
  const int handle = module ? ImixLoadModule(name.data(), 0) : ImixLoadSample(name.data(), 0);
  const bool started = ImixStartMixer(nullptr);
  const bool silent = module ? !ImixPlayModule(handle, true) : ImixPlaySample(handle, 64, 128, 0) < 0;
  ImixUninit();
  return started && silent;
}

struct Loader {
  const char* kind;
  const char* file;  // named as in base/: some decoders are chosen by the name's extension
  bool texture;  // the one kind that tells the player
  std::function<bool(const char*)> comesToNothing;
};

const Loader Loaders[] = {
    {"texture", "tex00.bmp", true, [](const char* path) { return LoadImageFile(path) == nullptr; }},
    {"model", "1.ms3d", false, [](const char* path) { return !MilkshapeModel().Load(path); }},
    {"sample", "select.wav", false, [](const char* path) { return SoundComesToNothing(path, false); }},
    {"module", "theme1.xm", false, [](const char* path) { return SoundComesToNothing(path, true); }},
};

constexpr unsigned TimeoutSeconds = 5;

// In a child, so that a loader that hangs is ended by the alarm and one that crashes does not
// take the test with it: 0 when it came to nothing with the expected boxes.
int LoadInChild(const Loader& loader, const Damage& damage, const char* path) {
  const pid_t child = fork();
  if (child == 0) {
    alarm(TimeoutSeconds);
    fake_message_box::Reset();
    if (!loader.comesToNothing(path)) _exit(1);
    const auto& boxes = fake_message_box::Shown();
    const bool told = boxes.size() == 1 && boxes[0].caption == "Error" &&
                      boxes[0].text.rfind(damage.textureBox, 0) == 0;
    _exit(told == loader.texture ? 0 : 2);
  }
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFSIGNALED(status)) return WTERMSIG(status) == SIGALRM ? -1 : -WTERMSIG(status);
  return WEXITSTATUS(status);
}

TEST(DamagedAssets, EveryLoaderReturnsAtOnceWithItsMessageOrInSilence) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  for (const Loader& loader : Loaders) {
    for (const Damage& damage : Damages) {
      SCOPED_TRACE(std::string(loader.kind) + " replaced by " + damage.name);
      const TempFolder folder;
      const fs::path path = folder.Path() / loader.file;
      damage.make(path);
      EXPECT_EQ(LoadInChild(loader, damage, path.c_str()), 0)
          << "-1: hung, below -1: died of that signal, 1: loaded, 2: wrong boxes";
    }
  }
}

}  // namespace
