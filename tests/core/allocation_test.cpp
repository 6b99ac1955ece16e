// The game allocates nothing while playing: 100,000 frames of scripted play, with presses,
// swaps, hints, cascades, level ends and game overs, make no heap allocation.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <vector>

#include "tests/core/core_test_support.h"
#include "tests/core/scripted_play.h"

namespace {
long Allocations = 0;
std::vector<int>* Probe = nullptr;
}

void* operator new(std::size_t size) {
  ++Allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

class AllocationTest : public CoreTest {};

void PlayFrames(int frames) {
  for (int frame = 0; frame < frames; ++frame) {
    if (frame % 97 == 0 && BoardSettled()) PlayFoundMove();
    if (frame % 1013 == 0) UseHint();
    if (frame % 331 == 0) {  // a press and a drag somewhere, as a restless player would
      Game.HoverColumn = frame % 8;
      Game.HoverRow = 1 + frame % 8;
      PressCell();
      Game.ButtonReleased = false;
      Game.HoverRow = 1 + (frame + 1) % 8;
      DragToCell();
      Game.ButtonReleased = true;
    }
    if (Game.Screen == HighScores || Game.Screen == NameEntry) Game.Screen = Playing;
    RunCoreFrame();
  }
}

TEST_F(AllocationTest, HundredThousandFramesOfPlayAllocateNothing) {
  std::srand(3);
  NewGame();
  Game.FrameSpeed = 1.7f;
  PlayFrames(1000);  // warm up anything lazily made by the library
  const long probeStart = Allocations;
  Probe = new std::vector<int>(100);
  ASSERT_EQ(Allocations - probeStart, 2) << "the counting allocator is in place";
  delete Probe;
  const long before = Allocations;
  PlayFrames(50000);
  Game.ModeIndex = Timed;
  Game.TimedButton = 2;
  Game.LevelsButton = 0;
  NewGame();
  PlayFrames(50000);
  const long made = Allocations - before;
  EXPECT_EQ(made, 0);
  EXPECT_GT(fake_mixer::CallCount(), 1000) << "the scripted play really played";
}

}  // namespace
