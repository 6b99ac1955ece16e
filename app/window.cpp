#include "app/window.h"

#include <SDL.h>

#include <cstdlib>
#include <initializer_list>

#include "app/scene.h"
#include "app/scene_files.h"
#include "app/startup_marks.h"
#include "app/window_size.h"
#include "core/game_state.h"
#include "core/message_box.h"
#include "render/font.h"
#include "render/viewport.h"

namespace {

// The video subsystem stands where the window class stood: it is taken up before a window is
// made and given back when the window is gone.
bool ClassRegistered = false;

SDL_Window* GameWindow() { return reinterpret_cast<SDL_Window*>(Game.Window); }

void ErrorBox(const char* text) {
  ShowMessageBox(text, "ERROR", MessageButtons::Ok, MessageIcon::Exclamation);
}

void ShutdownBox(const char* text) {
  ShowMessageBox(text, "SHUTDOWN ERROR", MessageButtons::Ok, MessageIcon::Information);
}

bool RegisterWindowClass() {
  if (!StartVideo()) return false;
  ClassRegistered = true;
  return true;
}

// The display mode of exactly this size closest to the request; false when the display has
// none, which counts as a refused switch.
bool FindFullscreenMode(int width, int height, SDL_DisplayMode& mode) {
  SDL_DisplayMode wanted{};
  wanted.w = width;
  wanted.h = height;
  return SDL_GetClosestDisplayMode(0, &wanted, &mode) && mode.w == width && mode.h == height;
}

// The pixel format: 24 colour bits, no alpha, a 32-bit depth buffer, double buffered, in a
// compatibility context. A depth of 32 bits is rare on X servers; 24 and then 16 are taken
// when it is refused.
SDL_Window* CreateWindowWithPixelFormat(const char* title, int width, int height, Uint32 flags) {
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  for (const int depth : {32, 24, 16}) {
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depth);
    if (SDL_Window* window = SDL_CreateWindow(title, 0, 0, width, height, flags)) return window;
  }
  return nullptr;
}

// Whether a window without GL could be made: tells a refused pixel format from a refused
// window.
bool PlainWindowPossible(const char* title, int width, int height) {
  SDL_Window* window = SDL_CreateWindow(title, 0, 0, width, height, SDL_WINDOW_HIDDEN);
  if (!window) return false;
  SDL_DestroyWindow(window);
  return true;
}

// A windowed client area at the scale the desktop announces, as far as the display has room.
void ScaleToDesktop(int& width, int& height) {
  float dpi = 0.0f;
  if (SDL_GetDisplayDPI(0, &dpi, nullptr, nullptr) != 0) dpi = 0.0f;
  SDL_Rect usable{};
  SDL_GetDisplayUsableBounds(0, &usable);
  const int scale = FittingScale(AnnouncedScale(std::getenv("GDK_SCALE"), dpi), width, height,
                                 usable.w, usable.h);
  width *= scale;
  height *= scale;
}

bool FailCreation(const char* text) {
  DestroyGameWindow();
  ErrorBox(text);
  return false;
}

bool CreateWindowAndScene(const char* title, int width, int height, int bits, bool fullscreen) {
  (void)bits;  // X servers offer their modes at the desktop's depth; only the size is asked for
  Game.Fullscreen = fullscreen;
  if (!RegisterWindowClass()) {
    ErrorBox("Failed To Register The Window Class.");
    return false;
  }

  SDL_DisplayMode mode{};
  if (Game.Fullscreen && !FindFullscreenMode(width, height, mode)) {
    const MessageAnswer answer = ShowMessageBox(
        "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode "
        "Instead?",
        "Vantor GL", MessageButtons::YesNo, MessageIcon::Exclamation);
    if (answer != MessageAnswer::Yes) {
      ShowMessageBox("Program Will Now Close.", "ERROR", MessageButtons::Ok, MessageIcon::Stop);
      return false;
    }
    Game.Fullscreen = false;
  }

  // The fullscreen mode, and the window of a refused switch, keep their size.
  if (!fullscreen) ScaleToDesktop(width, height);
  const Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN |
                       (Game.Fullscreen ? SDL_WINDOW_FULLSCREEN : SDL_WINDOW_RESIZABLE);
  SDL_Window* window = CreateWindowWithPixelFormat(title, width, height, flags);
  if (!window) {
    return FailCreation(PlainWindowPossible(title, width, height)
                            ? "Can't Find A Suitable PixelFormat."
                            : "Window Creation Error.");
  }
  Game.Window = reinterpret_cast<WindowHandle>(window);
  if (Game.Fullscreen && SDL_SetWindowDisplayMode(window, &mode) != 0) {
    return FailCreation("Window Creation Error.");
  }
  NoteStartupMark(StartupMark::WindowMade);
  DispatchWindowMessage({WM_CREATE, 0, 0});
  NoteStartupMark(StartupMark::AudioStarted);

  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (!context) return FailCreation("Can't Create A GL Rendering Context.");
  Game.RenderingContext = context;
  if (SDL_GL_MakeCurrent(window, context) != 0) {
    return FailCreation("Can't Activate The GL Rendering Context.");
  }
  SDL_GL_SetSwapInterval(1);  // where the driver allows it; otherwise the loop paces itself

  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
  int clientWidth = width;
  int clientHeight = height;
  SDL_GetWindowSize(window, &clientWidth, &clientHeight);
  DispatchWindowMessage({WM_ACTIVATE, WA_ACTIVE, 0});
  DispatchWindowMessage({WM_SIZE, 0, MakeLParam(clientWidth, clientHeight)});

  ResizeScene(clientWidth, clientHeight);
  NoteStartupMark(StartupMark::ContextMade);
  if (!InitScene()) return FailCreation("Initialization Failed.");
  return true;
}

}  // namespace

bool StartVideo() {
  // The close box posts WM_CLOSE to the window procedure, which decides how the game ends.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // The screen saver is held off only while the window has the focus (see the message queue).
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

bool CreateGameWindow(const char* title, int width, int height, int bits, bool fullscreen) {
  // The scene's files are read on a second thread while the window and the context come up.
  StartReadingSceneFiles();
  if (CreateWindowAndScene(title, width, height, bits, fullscreen)) return true;
  EndReadingSceneFiles();
  return false;
}

void DestroyGameWindow() {
  SDL_Window* window = GameWindow();
  if (Game.Fullscreen) {
    if (window) SDL_SetWindowFullscreen(window, 0);  // back to the desktop's display mode
    SDL_ShowCursor(SDL_ENABLE);
  }
  if (Game.RenderingContext) {
    if (SDL_GL_MakeCurrent(window, nullptr) != 0) ShutdownBox("Release Of DC And RC Failed.");
    SDL_GL_DeleteContext(Game.RenderingContext);
    Game.RenderingContext = nullptr;
  }
  if (window) {
    SDL_DestroyWindow(window);
    Game.Window = nullptr;
    // The window's own events still queued, such as the size it had while leaving fullscreen,
    // go with it: they must not reach the window that takes its place.
    SDL_FlushEvent(SDL_WINDOWEVENT);
  }
  if (ClassRegistered) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    ClassRegistered = false;
  } else {
    ShutdownBox("Could Not Unregister Class.");
  }
  DeleteFontLists();
}

void ChangeDisplayMode() {
  DestroyGameWindow();
  Game.Fullscreen = !Game.Fullscreen;
  // A refused fullscreen switch that the player answers with windowed mode leaves an 800 by
  // 600 window with Fullscreen clear; that window stays in use.
  const bool created = Game.Fullscreen ? CreateGameWindow("Quillary", 800, 600, 16, true)
                                       : CreateGameWindow("Quillary", 640, 480, 16, false);
  if (!created) Game.QuitRequested = 1;
}

void SwapGameWindow() { SDL_GL_SwapWindow(GameWindow()); }
