// Figures of the game's start-up, printed, never judged: where the time from the program's
// start to its first frame on screen goes, phase by phase, and where the resident memory sits
// once the start-up question is answered and the board has been played on for 4 seconds.
// Each start is a process of its own, started as a player starts the game: a fresh home and
// user folders, the sound going to an ALSA null sink, Mesa's software renderer. The starts run
// once with a fresh shader cache each (a first start) and once with a cache kept from earlier
// starts (every later start). The figures come from the moments the
// game notes as it starts (app/startup_marks.h). Run it under an X server from the
// folder that holds base/ (scripts/benchmark.sh):
//
//   startup_benchmark [starts]
#include <GL/gl.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/frame_pacing.h"
#include "app/game_files.h"
#include "app/main_loop.h"
#include "app/outside_ends.h"
#include "app/startup_marks.h"
#include "app/window_messages.h"
#include "core/game_state.h"
#include "core/mixer.h"
#include "render/board_scene.h"

namespace {

namespace fs = std::filesystem;

using Figures = std::map<std::string, double>;

constexpr double Megabyte = 1024.0 * 1024.0;

// ---- In the started game ----------------------------------------------------------------

double SecondsBetween(int64_t from, StartupMark to) {
  const int64_t at = StartupMarkTime(to);
  return at == 0 || from == 0 ? -1.0 : static_cast<double>(at - from) * 1e-9;
}

double SecondsBetween(StartupMark from, StartupMark to) {
  return SecondsBetween(StartupMarkTime(from), to);
}

void AddPhases(int64_t launched, Figures& figures) {
  using M = StartupMark;
  figures["libraries loaded"] = SecondsBetween(launched, M::MainEntered);
  figures["window"] = SecondsBetween(M::MainEntered, M::WindowMade);
  figures["audio"] = SecondsBetween(M::WindowMade, M::AudioStarted);
  figures["context"] = SecondsBetween(M::AudioStarted, M::ContextMade);
  figures["models"] = SecondsBetween(M::ContextMade, M::ModelsLoaded);
  figures["textures"] = SecondsBetween(M::ModelsLoaded, M::TexturesMade);
  figures["rest of the scene"] = SecondsBetween(M::TexturesMade, M::SceneLoaded);
  figures["first frame drawn"] = SecondsBetween(M::SceneLoaded, M::FirstFrameDrawn);
  figures["first frame shown"] = SecondsBetween(M::FirstFrameDrawn, M::FirstFrameShown);
  figures["total"] = SecondsBetween(launched, M::FirstFrameShown);
  figures["CPU of all threads"] = static_cast<double>(StartupMarkCpuTime(M::FirstFrameShown)) * 1e-9;
  figures["files read from"] = SecondsBetween(launched, M::FilesDecodeStarted);
  figures["models decoded at"] = SecondsBetween(launched, M::ModelFilesDecoded);
  figures["pictures decoded at"] = SecondsBetween(launched, M::TextureFilesDecoded);
}

// Resident bytes of the process's mappings, by kind: shared libraries, other files, and
// anonymous memory (the heap, thread stacks, the driver's buffers).
void AddMappings(Figures& figures) {
  std::ifstream smaps("/proc/self/smaps");
  std::string line;
  std::string path;
  double libraries = 0.0;
  double files = 0.0;
  double anonymous = 0.0;
  while (std::getline(smaps, line)) {
    const bool header = !line.empty() && std::isxdigit(static_cast<unsigned char>(line[0])) &&
                        line.find(':') > line.find(' ');
    if (header) {
      std::istringstream fields(line);
      std::string skip;
      fields >> skip >> skip >> skip >> skip >> skip;
      path.clear();
      std::getline(fields >> std::ws, path);
    } else if (line.rfind("Rss:", 0) == 0) {
      const double bytes = std::atof(line.c_str() + 4) * 1024.0;
      if (path.empty() || path[0] != '/') {
        anonymous += bytes;
      } else if (path.find(".so") != std::string::npos) {
        libraries += bytes;
      } else {
        files += bytes;
      }
    }
  }
  figures["resident"] = (libraries + files + anonymous) / Megabyte;
  figures["libraries mapped"] = libraries / Megabyte;
  figures["other files mapped"] = files / Megabyte;
  figures["anonymous"] = anonymous / Megabyte;
}

double HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd);
}

// Bytes of every level of a texture as the driver stores it: Mesa's software renderer keeps
// a three-component texture in four bytes a texel, a grey one in one.
double TextureBytes(unsigned name) {
  glBindTexture(GL_TEXTURE_2D, name);
  GLint greyBits = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_LUMINANCE_SIZE, &greyBits);
  const double bytesPerTexel = greyBits > 0 ? 1.0 : 4.0;
  double bytes = 0.0;
  for (int level = 0;; ++level) {
    GLint width = 0;
    GLint height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
    if (width == 0 || height == 0) return bytes;
    bytes += bytesPerTexel * width * height;
  }
}

// The driver's textures: the texture set and the fruit models' skins.
double DriverTextureBytes() {
  double bytes = 0.0;
  for (const unsigned name : Game.TextureSet) bytes += TextureBytes(name);
  for (const auto& model : FruitModels) {
    for (int index = 0; model && index < model->materialCount; ++index) {
      if (model->materials[index].textureId != 0) {
        bytes += TextureBytes(model->materials[index].textureId);
      }
    }
  }
  return bytes;
}

// The heap: what is in use, with the driver's textures among it, and what it holds from the
// system. The mixer's share is what the heap gets back when the mixer closes, so it is
// measured last.
void AddHeap(Figures& figures) {
  const struct mallinfo2 info = mallinfo2();
  figures["heap in use"] = HeapInUse() / Megabyte;
  figures["heap held"] = static_cast<double>(info.arena + info.hblkhd) / Megabyte;
  figures["driver's textures"] = DriverTextureBytes() / Megabyte;
  const double before = HeapInUse();
  ImixUninit();
  figures["the mixer"] = (before - HeapInUse()) / Megabyte;
}

// Answers the start-up question with No, as a player who starts a new game, and plays on for
// `seconds`: the memory is measured on the board, as a player meets it. Unpaced, as a game at
// rest would sleep until input that never comes.
bool PlayOnTheBoard(double seconds) {
  AllowFramePacing(false);
  constexpr int NoX = 478;
  constexpr int NoY = 210;
  DispatchWindowMessage({WM_MOUSEMOVE, 0, MakeLParam(NoX, NoY)});
  DispatchWindowMessage({WM_LBUTTONDOWN, 0, MakeLParam(NoX, NoY)});
  DispatchWindowMessage({WM_LBUTTONUP, 0, MakeLParam(NoX, NoY)});
  const int64_t until = MonotonicNanoseconds() + static_cast<int64_t>(seconds * 1e9);
  while (MonotonicNanoseconds() < until) {
    if (RunLoopPass() == LoopPass::Ended) return false;
  }
  return Game.Screen == Playing;
}

int RunOneStart(int64_t launched) {
  // As the game's own entry does, but for the handling of signals.
  PrepareHeap();
  NoteStartupMark(StartupMark::MainEntered);
  if (!FindVisibleDisplay() || !FindGameFiles()) return 1;
  if (!StartUp()) return 1;
  while (StartupMarkTime(StartupMark::FirstFrameShown) == 0) {
    if (RunLoopPass() == LoopPass::Ended) return 1;
  }
  constexpr double SecondsOnTheBoard = 4.0;
  if (!PlayOnTheBoard(SecondsOnTheBoard)) return 1;
  Figures figures;
  AddPhases(launched, figures);
  AddMappings(figures);
  AddHeap(figures);
  for (const auto& [name, value] : figures) std::printf("%s=%.6f\n", name.c_str(), value);
  std::fflush(stdout);
  ShutDown();
  return 0;
}

// ---- The starter -------------------------------------------------------------------------

// A player's fresh setup: home and user folders of its own, sound to a null sink, no session
// bus, the software renderer; the shader cache kept in `shaderCache` when one is given.
void SetFreshEnvironment(const fs::path& root, const std::string& shaderCache) {
  const fs::path home = root / "home";
  for (const char* folder : {".config", ".local/share", ".cache", ".local/state"}) {
    fs::create_directories(home / folder);
  }
  std::ofstream(home / ".asoundrc") << "pcm.!default { type null }\n";
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
  setenv("XDG_DATA_HOME", (home / ".local/share").c_str(), 1);
  setenv("XDG_CACHE_HOME", (home / ".cache").c_str(), 1);
  setenv("XDG_STATE_HOME", (home / ".local/state").c_str(), 1);
  setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + (root / "no-bus").string()).c_str(), 1);
  setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
  unsetenv("SDL_AUDIODRIVER");
  if (shaderCache.empty()) {
    unsetenv("MESA_SHADER_CACHE_DIR");
  } else {
    setenv("MESA_SHADER_CACHE_DIR", shaderCache.c_str(), 1);
  }
}

// Starts the game once in a process of its own and reads the figures it prints.
bool StartOnce(const std::string& shaderCache, Figures& figures) {
  const fs::path root = fs::temp_directory_path() / ("quillary-startup-" + std::to_string(getpid()));
  fs::remove_all(root);
  int output[2];
  if (pipe(output) != 0) return false;
  const pid_t child = fork();
  if (child == 0) {
    SetFreshEnvironment(root, shaderCache);
    dup2(output[1], STDOUT_FILENO);
    close(output[0]);
    close(output[1]);
    const std::string launched = std::to_string(MonotonicNanoseconds());
    execl("/proc/self/exe", "startup_benchmark", "--start", launched.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  close(output[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t got; (got = read(output[0], buffer, sizeof buffer)) > 0;) text.append(buffer, got);
  close(output[0]);
  int status = 0;
  waitpid(child, &status, 0);
  fs::remove_all(root);
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    const size_t equals = line.find('=');
    if (equals != std::string::npos) figures[line.substr(0, equals)] = std::atof(&line[equals + 1]);
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 && !figures.empty();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The median of each figure over the starts.
Figures Medians(const std::vector<Figures>& starts) {
  Figures medians;
  for (const auto& [name, value] : starts.front()) {
    std::vector<double> values;
    for (const Figures& start : starts) values.push_back(start.at(name));
    medians[name] = Median(values);
  }
  return medians;
}

bool MeasureStarts(int starts, const std::string& shaderCache, Figures& medians) {
  std::vector<Figures> all;
  for (int run = 0; run < starts; ++run) {
    Figures figures;
    if (!StartOnce(shaderCache, figures)) return false;
    all.push_back(figures);
  }
  medians = Medians(all);
  return true;
}

int FilesIn(const fs::path& folder) {
  std::error_code error;
  int count = 0;
  for (fs::recursive_directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    if (entry->is_regular_file()) ++count;
  }
  return count;
}

// Mesa files a few of the first picture's programs under a key that differs from one start to
// another, so a single start leaves the cache short of what later starts look up, and each of
// those compiles what it misses. The cache is primed until a start adds nothing to it, as a
// player's cache is after a few starts; the number of priming starts is printed.
bool PrimeShaderCache(const fs::path& cache, int& primingStarts) {
  constexpr int MostPrimingStarts = 8;
  for (primingStarts = 1;; ++primingStarts) {
    const int before = FilesIn(cache);
    Figures ignored;
    if (!StartOnce(cache, ignored)) return false;
    const bool settled = primingStarts > 1 && FilesIn(cache) == before;
    if (settled || primingStarts == MostPrimingStarts) return true;
  }
}

void PrintRow(const char* name, const Figures& fresh, const Figures& kept, const char* unit) {
  const auto cell = [&](const Figures& figures) {
    const double value = figures.at(name);
    char text[32];
    if (value < 0) {
      std::snprintf(text, sizeof text, "-");
    } else {
      std::snprintf(text, sizeof text, "%.3f %s", value, unit);
    }
    return std::string(text);
  };
  std::printf("  %-28s %18s %18s\n", name, cell(fresh).c_str(), cell(kept).c_str());
}

void PrintTables(int starts, const Figures& fresh, const Figures& kept) {
  std::printf("start-up, median of %d starts, fresh home each:\n", starts);
  std::printf("  %-28s %18s %18s\n", "phase", "fresh shader cache", "kept shader cache");
  for (const char* phase :
       {"libraries loaded", "window", "audio", "context", "models", "textures",
        "rest of the scene", "first frame drawn", "first frame shown", "total",
        "CPU of all threads"}) {
    PrintRow(phase, fresh, kept, "s");
  }
  std::printf("  on the second thread, from the start:\n");
  for (const char* mark : {"files read from", "models decoded at", "pictures decoded at"}) {
    PrintRow(mark, fresh, kept, "s");
  }
  std::printf("resident memory on the board, 4 s after the first frame, median of the same starts\n");
  std::printf("(the mixer: decoded samples and modules, and the device's buffers):\n");
  for (const char* kind : {"resident", "libraries mapped", "other files mapped", "anonymous"}) {
    PrintRow(kind, fresh, kept, "MB");
  }
  std::printf("  the heap, in the anonymous memory:\n");
  for (const char* kind : {"heap held", "heap in use", "driver's textures", "the mixer"}) {
    PrintRow(kind, fresh, kept, "MB");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--start") == 0) {
    return RunOneStart(std::atoll(argv[2]));
  }
  const int starts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const fs::path cache = fs::temp_directory_path() / ("quillary-shader-cache-" + std::to_string(getpid()));
  Figures fresh;
  Figures kept;
  int primingStarts = 0;
  const bool ok = MeasureStarts(starts, "", fresh) && PrimeShaderCache(cache, primingStarts) &&
                  MeasureStarts(starts, cache, kept);
  fs::remove_all(cache);
  if (!ok) {
    std::fprintf(stderr, "startup_benchmark: a start failed\n");
    return 1;
  }
  PrintTables(starts, fresh, kept);
  std::printf("(the kept shader cache was primed by %d starts, until one added nothing to it)\n",
              primingStarts);
  return 0;
}
