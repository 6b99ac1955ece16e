// Nanoseconds of the core's share of one frame: level bounds, the level-target check, the
// board's advance and the bar, on a settled board with moves, on a board without any move
// (the move search's worst case) and on a board refilling from empty.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "core/game_state.h"
#include "core/rules.h"

bool ImixInit(int, int, int) { return true; }
int ImixLoadModule(char*, unsigned long) { return 0; }
int ImixLoadSample(char*, unsigned long) { return 0; }
void ImixSetMusicVolume(unsigned char) {}
void ImixSetFXVolume(unsigned char) {}
bool ImixStartMixer(WindowHandle) { return true; }
bool ImixPlayModule(int, bool) { return true; }
bool ImixStopModule() { return true; }
int ImixPlaySample(int, unsigned char, unsigned char, unsigned short) { return 0; }
bool ImixUninit() { return true; }

namespace {

void CoreFrame() {
  SetLevelBounds();
  CheckLevelTarget();
  AdvanceBoard();
  UpdateTimeBar();
}

void StartBenchmarkGame() {
  Game = GameState{};
  Game.LevelsButton = 2;
  Game.FrameSpeed = 1.0f;
  for (int& cell : Game.FloorRow) cell = SolidFloor;
  std::srand(1);
}

void SettledBoardWithMoves(benchmark::State& state) {
  StartBenchmarkGame();  // the stored starting layout: full, no run, moves found at once
  for (auto _ : state) CoreFrame();
}
BENCHMARK(SettledBoardWithMoves);

void BoardWithoutMoves(benchmark::State& state) {
  StartBenchmarkGame();
  const int rows[BoardRows][BoardColumns] = {
      {3, 4, 6, 1, 4, 5, 1, 7}, {4, 4, 3, 1, 3, 7, 5, 5}, {1, 6, 5, 5, 6, 2, 4, 7},
      {3, 7, 3, 6, 3, 4, 1, 7}, {1, 1, 2, 2, 1, 7, 5, 1}, {2, 4, 7, 1, 4, 5, 5, 4},
      {5, 7, 2, 6, 7, 3, 3, 2}, {6, 1, 6, 5, 2, 2, 3, 6}, {4, 7, 4, 5, 4, 2, 1, 7}};
  for (int r = 0; r < BoardRows; ++r)
    for (int c = 0; c < BoardColumns; ++c) Game.Board[r][c] = rows[r][c];
  // With a panel open the search runs every frame but ends no game, so the board stays.
  Game.Screen = Options;
  for (auto _ : state) CoreFrame();
}
BENCHMARK(BoardWithoutMoves);

void BoardRefillingFromEmpty(benchmark::State& state) {
  constexpr int FramesPerRefill = 160;  // 17 gravity steps of 9 frames and a settled scan
  for (auto _ : state) {
    state.PauseTiming();
    StartBenchmarkGame();
    NewGame();
    state.ResumeTiming();
    for (int frame = 0; frame < FramesPerRefill; ++frame) CoreFrame();
  }
  state.counters["per_frame"] = benchmark::Counter(
      FramesPerRefill, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BoardRefillingFromEmpty);

}  // namespace

BENCHMARK_MAIN();
