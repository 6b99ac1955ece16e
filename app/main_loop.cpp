#include "app/main_loop.h"

#include <malloc.h>

#include "app/frame.h"
#include "app/frame_pacing.h"
#include "app/scene_files.h"
#include "app/startup_marks.h"
#include "app/window.h"
#include "core/game_state.h"
#include "core/mixer.h"
#include "storage/saved_game.h"
#include "storage/settings.h"
#include "storage/user_data.h"
#include "ui/key_commands.h"
#include "ui/window_procedure.h"

namespace {

int ExitCode = 0;

// Set while frames change the picture. Loading, and the driver's compiling of the shaders that
// new pictures need, let go of much memory that the heap keeps; once the picture rests, that
// memory is given back to the system.
bool PictureMoving = true;

void NoteFrameDrawn(bool drawn) {
  if (drawn) {
    PictureMoving = true;
  } else if (PictureMoving) {
    PictureMoving = false;
    malloc_trim(0);
  }
}

void HandleQuitMessage(const WindowMessage& message) {
  Game.QuitRequested = 1;
  ExitCode = static_cast<int>(message.wParam);
}

}  // namespace

bool StartUp() {
  // The scene's files are read on a second thread from the start, while the settings are
  // read and the window and the context come up.
  StartReadingSceneFiles();
  ExitCode = 0;
  ClearAbandonedTemporaries();
  Game.Fullscreen = false;
  ReadSettings();
  SetWindowProcedure(GameWindowProcedure);
  OpenGameControllers();
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
    DispatchWindowMessage(message);
    return Game.QuitRequested ? LoopPass::Ended : LoopPass::HandledMessage;
  }
  // A minimised window draws nothing: it sleeps until the next message.
  if (!Game.WindowActive) {
    AwaitMessage();
    return LoopPass::Waited;
  }
  // Frames keep to the display's pace; a message that comes while waiting goes first.
  if (!AwaitFrameTime()) return LoopPass::Waited;
  NoteFrameStart();
  const bool drawn = DrawChangedFrame();
  if (drawn) {
    NoteStartupMark(StartupMark::FirstFrameDrawn);
    SwapGameWindow();
    NoteStartupMark(StartupMark::FirstFrameShown);
  }
  NoteFrameDrawn(drawn);
  RunKeyChecks();
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
