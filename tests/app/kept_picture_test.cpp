// An unchanging game presents no frame: an idle board, the options, a paused game and the
// start-up question present at most one frame each over 300 frames; an idle Timed board only
// the steps of its draining bar, and a running animation every frame.
#include <functional>
#include <utility>

#include "app/frame_pacing.h"
#include "core/game_state.h"
#include "tests/app/game_session.h"

namespace {

constexpr int Frames = 300;

class KeptPictureTest : public GameSessionTest {
 protected:
  // Frames presented over the next 300, once what moved before has come to rest.
  int PresentedOnceAtRest() {
    int quietFrames = 0;
    for (int frame = 0; frame < 20000 && quietFrames < 60; ++frame) {
      const int drawn = DrawnFrames();
      if (!RunFrame()) return -1;
      quietFrames = DrawnFrames() == drawn ? quietFrames + 1 : 0;
    }
    return Presented();
  }
  int Presented() {
    const int before = DrawnFrames();
    for (int frame = 0; frame < Frames; ++frame) {
      if (!RunFrame()) return -1;
    }
    return DrawnFrames() - before;
  }
  // One frame at the speed the game measures at 60 frames a second: the frames of the test
  // come as fast as they can be drawn, and a kept one much faster still.
  bool RunFrame() {
    Game.FrameSpeed = 1.75f;
    Game.SpeedSampleCounter = 1;
    return RunFrames(1);
  }
  struct PacedRun {
    int frames = 0;
    int wakeUps = 0;
  };
  // Runs the loop paced as in the game for a second, or until `done` holds. An event every
  // second ends the second counted, and any later one wakes a loop that came to rest again
  // before the second was over, which would otherwise wait for good.
  PacedRun RunPaced(const std::function<bool()>& done) {
    AllowFramePacing(true);
    EXPECT_EQ(SDL_InitSubSystem(SDL_INIT_TIMER), 0);
    const auto PushEvent = [](Uint32 interval, void*) -> Uint32 {
      SDL_Event event{};
      event.type = SDL_USEREVENT;
      SDL_PushEvent(&event);
      return interval;
    };
    const SDL_TimerID timer = SDL_AddTimer(1000, PushEvent, nullptr);
    PacedRun run;
    for (const Uint64 end = SDL_GetTicks64() + 1000; SDL_GetTicks64() < end && !done();) {
      const LoopPass pass = RunLoopPass();
      run.frames += pass == LoopPass::DrewFrame || pass == LoopPass::KeptPicture;
      run.wakeUps += pass == LoopPass::Waited;
    }
    SDL_RemoveTimer(timer);
    SDL_QuitSubSystem(SDL_INIT_TIMER);
    AllowFramePacing(false);
    return run;
  }
};

TEST_F(KeptPictureTest, OnlyAPictureThatChangesIsPresented) {
  ASSERT_TRUE(Start());
  EXPECT_LE(PresentedOnceAtRest(), 1) << "the start-up question";
  Click(480, 210);
  EXPECT_LE(PresentedOnceAtRest(), 1) << "an idle Levels board";
  EXPECT_EQ(Game.Screen, Playing);
  // Uncovered without a compositor, the window has lost its picture: it is drawn again.
  PushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
  EXPECT_GE(Presented(), 1) << "an exposed window";

  Click(CellX(3), CellY(4));
  EXPECT_EQ(Presented(), Frames) << "a selected fruit turning";
  Click(CellX(3), CellY(4));

  Click(105, 400);
  EXPECT_LE(PresentedOnceAtRest(), 1) << "the options";
  Click(414, 298);
  Click(100, 160);
  ASSERT_TRUE(RunFrames(1));
  ASSERT_EQ(Game.ModeIndex, Timed);
  // At the first level the bar steps half a unit about every 128 frames, at the fifth five
  // times as often.
  const int idleTimed = PresentedOnceAtRest();
  EXPECT_GE(idleTimed, 1) << "an idle Timed board at the first level";
  EXPECT_LE(idleTimed, Frames / 64 + 1) << "an idle Timed board at the first level";
  Game.Level = 4;
  const int fifthLevel = Presented();
  EXPECT_GE(fifthLevel, Frames / 32) << "an idle Timed board at the fifth level";
  EXPECT_LE(fifthLevel, Frames / 16) << "an idle Timed board at the fifth level";
  TypeKey(SDLK_p);
  ASSERT_TRUE(Game.Paused);
  EXPECT_LE(PresentedOnceAtRest(), 1) << "a paused Timed game";

  // Paced as in the game, a game at rest runs no frame until something happens: within the
  // second before an event comes, none, and after an event at most the frames that find
  // nothing changed, even in the middle of a frame-rate measurement. Another program's window
  // on the same display may uncover this one, which is drawn again: twice, then kept.
  const PacedRun paced = RunPaced([] { return false; });
  EXPECT_LE(paced.frames, 3 * paced.wakeUps)
      << "a paused Timed game at rest, woken " << paced.wakeUps;
}

// A full board may still hold a run, as a new one may: gravity's next step finds it, and the
// loop does not sleep before then.
TEST_F(KeptPictureTest, ARunOnAFullBoardIsFoundWithoutWaitingForTheNextEvent) {
  ASSERT_TRUE(Start());
  Click(480, 210);
  EXPECT_LE(PresentedOnceAtRest(), 1) << "an idle Levels board";
  SetBoardWithOneKnownMove();
  std::swap(Game.Board[7][2], Game.Board[8][2]);
  ASSERT_TRUE(RunFrame());
  const PacedRun paced = RunPaced([] { return Game.RemovalActive; });
  EXPECT_TRUE(Game.RemovalActive);
  EXPECT_EQ(paced.wakeUps, 0);
}

}  // namespace
