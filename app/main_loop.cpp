#include "app/main_loop.h"

#include <malloc.h>

#include "app/frame.h"
#include "app/frame_pacing.h"
#include "app/scene_files.h"
#include "app/startup_marks.h"
#include "app/window.h"
#include "core/game_state.h"
#include "core/mixer.h"
#include "core/rules.h"
#include "storage/saved_game.h"
#include "storage/settings.h"
#include "storage/user_data.h"
#include "ui/key_commands.h"
#include "ui/window_procedure.h"

namespace {

int ExitCode = 0;

// Set while frames change the picture. Loading, and the driver's compiling of the shaders that
// new pictures need, let go of much memory that the heap keeps; once the picture rests, that
// memory is given back to the system. From then on, large blocks are mapped on their own, so
// that a large block freed in play goes back to the system at once.
bool PictureMoving = true;
bool RestedOnce = false;
constexpr int LargeBlockInPlay = 128 * 1024;
// Set once the driver has let go of the frame on show, until the next frame is drawn.
bool ShownFrameLetGo = false;

void NoteFrameDrawn(bool drawn) {
  if (drawn) {
    PictureMoving = true;
    ShownFrameLetGo = false;
  } else if (PictureMoving) {
    PictureMoving = false;
    malloc_trim(0);
    if (!RestedOnce) mallopt(M_MMAP_THRESHOLD, LargeBlockInPlay);
    RestedOnce = true;
  }
}

// When the loop is about to sleep until something happens, the driver lets go of what it keeps
// of the frame on show, several MB for a full board, and the heap gives that back too. A Timed
// game, whose bar keeps stepping, never sleeps so, and keeps it for the bar's next step.
void NoteLoopAtRest() {
  if (ShownFrameLetGo) return;
  ShownFrameLetGo = true;
  LetGoOfShownFrame();
  malloc_trim(0);
}

// Set after a frame that kept the picture and changed nothing of the game, with no key down
// (a pad's arrow repeats with time). Every later frame would do the same until something
// happens, so the loop sleeps until then, and the next frame-rate measurement starts after the
// sleep: a cycle under way is given up, as the sleep would count in it. Until the first cycle
// has measured the frame rate, the loop runs on to its end, so that the first moves have a speed.
bool AtRest = false;

// On a full board with a solid floor and no run of three, in play, gravity's steps move
// nothing and their scans find nothing: the fall offset, which only times the steps, then
// changes nothing of the game. A run left standing, as a new board may hold, is found at the
// next step, which must come without waiting for the player.
bool NothingCanFall() {
  const GameState& g = Game;
  if (g.BoardPhase != Play || g.Reshuffling || g.GameOverLatch) return false;
  for (const auto& row : g.Board) {
    for (const int cell : row) {
      if (cell == 0) return false;
    }
  }
  for (const int floor : g.FloorRow) {
    if (floor != SolidFloor) return false;
  }
  return !RunOnBoard();
}

// The game state but for the frame-rate measurement, and for the fall offset while nothing
// can fall.
GameState StateOfPlay() {
  GameState state = Game;
  state.SpeedSampleCounter = 0;
  state.SpeedSampleStart = 0.0f;
  state.FrameSpeed = 0.0f;
  if (NothingCanFall()) state.FallOffset = 0.0f;
  return state;
}

bool AnyKeyDown() {
  for (const unsigned char down : Game.KeyState) {
    if (down) return true;
  }
  return false;
}

// Whether the frame just run leaves the loop at rest, giving up the frame-rate cycle under way.
bool ComeToRest(bool drawn, const GameState& before) {
  const bool measuring = Game.SpeedSampleCounter != 0;
  if (drawn || (measuring && Game.FrameSpeed == 0.0f) || AnyKeyDown()) return false;
  if (!(StateOfPlay() == before)) return false;
  Game.SpeedSampleCounter = 0;
  return true;
}

void HandleQuitMessage(const WindowMessage& message) {
  Game.QuitRequested = 1;
  ExitCode = static_cast<int>(message.wParam);
}

}  // namespace

void PrepareHeap() {
  // One heap for every thread: the pictures that the reading thread decodes are freed on the
  // main thread as their textures are made, and the next textures take that memory, already
  // in place, instead of fresh pages that each cost a fault; trimming at rest reaches it all.
  mallopt(M_ARENA_MAX, 1);
  // Until the picture first rests, large blocks come from that heap as well, rather than from
  // mappings of their own that are fresh pages every time: the largest threshold there is.
  mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
}

bool StartUp() {
  // The scene's files are read on a second thread from the start, while the settings are
  // read and the window and the context come up.
  StartReadingSceneFiles();
  ExitCode = 0;
  AtRest = false;
  ClearAbandonedTemporaries();
  Game.Fullscreen = false;
  ReadSettings();
  SetWindowProcedure(GameWindowProcedure);
  return Game.Fullscreen ? CreateGameWindow("Quillary", 800, 600, 16, true)
                         : CreateGameWindow("Quillary", 640, 480, 16, false);
}

LoopPass RunLoopPass() {
  if (Game.QuitRequested) return LoopPass::Ended;
  WindowMessage message;
  if (PeekWindowMessage(message)) {
    if (message.message == WM_QUIT) {
      HandleQuitMessage(message);
      return LoopPass::Ended;
    }
    AtRest = false;
    DispatchWindowMessage(message);
    return Game.QuitRequested ? LoopPass::Ended : LoopPass::HandledMessage;
  }
  // A minimised window draws nothing: it sleeps until the next message.
  if (!Game.WindowActive) {
    AwaitMessage();
    return LoopPass::Waited;
  }
  // Frames keep to the display's pace; a message that comes while waiting goes first. Woken
  // from a rest, whatever woke the loop may need a frame.
  if (!AwaitFrameTime(AtRest)) {
    AtRest = false;
    return LoopPass::Waited;
  }
  NoteFrameStart();
  const GameState before = StateOfPlay();
  const bool drawn = DrawChangedFrame();
  if (drawn) {
    NoteStartupMark(StartupMark::FirstFrameDrawn);
    SwapGameWindow();
    NoteStartupMark(StartupMark::FirstFrameShown);
    // Pads are looked for once the first picture is up, which need not wait for them.
    OpenGameControllers();
  }
  NoteFrameDrawn(drawn);
  RunKeyChecks();
  AtRest = ComeToRest(drawn, before);
  if (AtRest) NoteLoopAtRest();
  if (Game.QuitRequested) return LoopPass::Ended;
  return drawn ? LoopPass::DrewFrame : LoopPass::KeptPicture;
}

void StoreFilesAtExit() {
  if (Game.FirstSceneInit) return;
  StoreGameAtExit();
  WriteSettings();
}

int ShutDown() {
  StoreFilesAtExit();
  DestroyGameWindow();
  ImixUninit();
  SetWindowProcedure(nullptr);
  return ExitCode;
}

int RunGame() {
  if (!StartUp()) return 0;
  while (RunLoopPass() != LoopPass::Ended) {
  }
  return ShutDown();
}
