// Figures of the drawing, printed, never judged: CPU milliseconds per frame with a full board
// in play at 640 by 480, in a window of 1280 by 960 (the picture scaled to twice the size),
// and at 800 by 600, the time of a scene load, and heap allocations per frame after the first.
// CPU time is given for the game's own thread, which issues every GL call and in which the
// driver transforms and lights the vertices, and for all threads, which adds the pixel work
// that a software renderer's worker threads do in place of a GPU. Run under an 800 by 600 X
// server (scripts/benchmark.sh), whose one display mode the fullscreen switch takes; the
// larger window reaches beyond that screen, and is drawn and presented whole all the same.
// The generated artwork is found as the game finds it:
//
//   frame_benchmark [frames]
#include <GL/gl.h>
#include <SDL.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/game_files.h"
#include "app/scene.h"
#include "app/window.h"
#include "core/game_state.h"
#include "render/viewport.h"
#include "tools/review/board_in_play.h"

namespace {

std::atomic<long> Allocations{0};

double Seconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// A full board in play: both markers spinning, a run of three shrinking away, four pop-ups
// rising, the bar half full, the pointer over a fruit.
void SetUpFullBoard() {
  Game.Screen = Playing;
  Game.Paused = false;
  Game.BoardPhase = Play;
  Game.ModeIndex = Levels;
  Game.LevelsButton = 2;
  Game.TimedButton = 0;
  Game.Score = 250;
  Game.ShownScore = 200.0f;
  FillBoardWithShrinkingRun(0.6f);
  for (int index = 0; index < 4; ++index) Game.ScorePopups[index] = {true, 300, 100 + 40 * index, 15, 0.2f};
  Game.MarkerShown = true;
  Game.MarkerColumn = 1;
  Game.MarkerRow = 2;
  Game.FadingMarkerShown = true;
  Game.FadingMarkerColumn = 5;
  Game.FadingMarkerRow = 6;
  Game.HoverColumn = 4;
  Game.HoverRow = 4;
  Game.BarWidth = 195.75f;
  Game.FrameSpeed = 1.75f;  // 60 frames per second
  Game.SpeedSampleCounter = 1;
}

void MeasureFrames(const char* layout, int frames) {
  SetUpFullBoard();
  const GameState start = Game;
  std::vector<double> thread;
  std::vector<double> cpu;
  std::vector<double> wall;
  std::vector<double> drawCpu;
  // The driver compiles its shader variants during the first frames; from the eleventh frame
  // on, every allocation is one the frame itself makes.
  constexpr int WarmUpFrames = 10;
  long allocationsAfterFirst = 0;
  long allocationsAfterWarmUp = 0;
  for (std::vector<double>* times : {&thread, &cpu, &wall, &drawCpu}) times->reserve(frames);
  for (int frame = 0; frame < frames; ++frame) {
    Game = start;  // the same scene every frame, every animation one step under way
    const long allocationsBefore = Allocations.load();
    const double threadStart = Seconds(CLOCK_THREAD_CPUTIME_ID);
    const double cpuStart = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    const double wallStart = Seconds(CLOCK_MONOTONIC);
    DrawFrame();
    glFinish();
    drawCpu.push_back((Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart) * 1000.0);
    SwapGameWindow();
    cpu.push_back((Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart) * 1000.0);
    thread.push_back((Seconds(CLOCK_THREAD_CPUTIME_ID) - threadStart) * 1000.0);
    wall.push_back((Seconds(CLOCK_MONOTONIC) - wallStart) * 1000.0);
    const long allocations = Allocations.load() - allocationsBefore;
    if (frame > 0) allocationsAfterFirst += allocations;
    if (frame >= WarmUpFrames) allocationsAfterWarmUp += allocations;
  }
  std::printf("%s: median %.3f ms CPU per frame in the game's thread, over %d frames\n", layout,
              Median(thread), frames);
  std::printf("%s: median %.3f ms CPU per frame in all threads, median %.3f ms wall\n", layout,
              Median(cpu), Median(wall));
  std::printf("%s: median %.3f ms of that in all threads drawing, the rest presenting\n",
              layout, Median(drawCpu));
  std::printf("%s: %.3f heap allocations per frame after the first, %.3f after the first %d\n",
              layout, static_cast<double>(allocationsAfterFirst) / (frames - 1),
              static_cast<double>(allocationsAfterWarmUp) / std::max(1, frames - WarmUpFrames),
              WarmUpFrames);
}

void ResizeWindow(int width, int height) {
  SDL_SetWindowSize(reinterpret_cast<SDL_Window*>(Game.Window), width, height);
  ResizeScene(width, height);
}

void MeasureSceneLoad() {
  std::vector<double> times;
  for (int run = 0; run < 5; ++run) {
    const double start = Seconds(CLOCK_MONOTONIC);
    InitScene();
    times.push_back(Seconds(CLOCK_MONOTONIC) - start);
  }
  std::printf("scene load: median %.3f s wall over %zu loads\n", Median(times), times.size());
}

}  // namespace

void* operator new(std::size_t size) {
  Allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

int main(int argc, char** argv) {
  // At least 11 frames, so that frames after the warm-up are counted.
  const int frames = argc > 1 ? std::max(11, std::atoi(argv[1])) : 300;
  if (!FindGameFiles()) {
    std::fprintf(stderr, "frame_benchmark: no base/ folder with the game's artwork\n");
    return 1;
  }
  const std::string scratch = std::filesystem::temp_directory_path() / "quillary-benchmark-data";
  std::filesystem::create_directories(scratch);
  setenv("XDG_DATA_HOME", scratch.c_str(), 1);
  bool ok = CreateGameWindow("Quillary", 640, 480, 16, false);
  if (ok) {
    MeasureSceneLoad();
    MeasureFrames("640x480", frames);
    ResizeWindow(1280, 960);
    MeasureFrames("1280x960", frames);
    ChangeDisplayMode();
    ok = Game.QuitRequested == 0 && Game.Fullscreen;
  }
  if (ok) MeasureFrames("800x600", frames);
  DestroyGameWindow();
  std::filesystem::remove_all(scratch);
  return ok ? 0 : 1;
}
