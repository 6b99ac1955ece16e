#include "tests/app/game_session.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/frame_pacing.h"
#include "app/main_loop.h"
#include "core/game_state.h"
#include "core/picture_rect.h"
#include "tests/support/test_files.h"
#include "ui/hit_test.h"

namespace {

Uint32 WindowId() { return SDL_GetWindowID(reinterpret_cast<SDL_Window*>(Game.Window)); }

}  // namespace

void GameSessionTest::SetUp() {
  PrepareWithoutWindow();
  // Sessions run thousands of frames: as fast as they can be drawn, not at the display's pace.
  AllowFramePacing(false);
  // The desktop's opener, found first on the PATH, records the address it is asked to open.
  const std::string bin = folder_ + "/bin";
  std::filesystem::create_directories(bin);
  openerLog_ = folder_ + "/opened";
  const std::string opener = bin + "/xdg-open";
  std::ofstream(opener) << "#!/bin/sh\nprintf '%s' \"$1\" > '" << openerLog_ << "'\n";
  std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
  if (const char* path = std::getenv("PATH")) previousPath_ = path;
  setenv("PATH", (bin + ":" + previousPath_).c_str(), 1);
}

void GameSessionTest::TearDown() {
  if (running_) ShutDown();
  AllowFramePacing(true);
  setenv("PATH", previousPath_.c_str(), 1);
  SceneTest::TearDown();
}

bool GameSessionTest::Start() {
  Game = GameState{};
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  running_ = StartUp();
  return running_ && RunFrames(1);
}

int GameSessionTest::Finish() {
  int pass = 0;
  while (pass < 100000 && RunLoopPass() != LoopPass::Ended) ++pass;
  EXPECT_LT(pass, 100000) << "the game did not end";
  running_ = false;
  return ShutDown();
}

bool GameSessionTest::RunFrames(int frames) {
  while (frames > 0) {
    // A minimised window waits for the next event, which a test would never send.
    if (!Game.WindowActive && !SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) {
      ADD_FAILURE() << "the window is minimised and no event is due";
      return false;
    }
    const LoopPass pass = RunLoopPass();
    if (pass == LoopPass::Ended) return false;
    if (pass != LoopPass::DrewFrame && pass != LoopPass::KeptPicture) continue;
    --frames;
    if (pass == LoopPass::DrewFrame) ++drawnFrames_;
  }
  return true;
}

bool GameSessionTest::RunUntil(const std::function<bool()>& done, int maxFrames) {
  for (int frame = 0; frame < maxFrames; ++frame) {
    if (done()) return true;
    if (!RunFrames(1)) return false;
  }
  return done();
}

void GameSessionTest::Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

void GameSessionTest::MovePointer(int x, int y, bool buttonHeld) {
  SDL_Event event{};
  event.motion.type = SDL_MOUSEMOTION;
  event.motion.windowID = WindowId();
  event.motion.state = buttonHeld ? SDL_BUTTON_LMASK : 0;
  event.motion.x = x;
  event.motion.y = y;
  Push(event);
}

void GameSessionTest::Button(Uint32 type, int x, int y) {
  SDL_Event event{};
  event.button.type = type;
  event.button.windowID = WindowId();
  event.button.button = SDL_BUTTON_LEFT;
  event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.button.x = x;
  event.button.y = y;
  Push(event);
}

void GameSessionTest::Click(int x, int y) {
  MovePointer(x, y);
  Button(SDL_MOUSEBUTTONDOWN, x, y);
  Button(SDL_MOUSEBUTTONUP, x, y);
}

void GameSessionTest::Drag(int fromX, int fromY, int toX, int toY) {
  MovePointer(fromX, fromY);
  Button(SDL_MOUSEBUTTONDOWN, fromX, fromY);
  MovePointer((fromX + toX) / 2, (fromY + toY) / 2, true);
  MovePointer(toX, toY, true);
  Button(SDL_MOUSEBUTTONUP, toX, toY);
}

void GameSessionTest::KeyDown(SDL_Keycode key, Uint16 modifiers) {
  SDL_Event event{};
  event.key.type = SDL_KEYDOWN;
  event.key.windowID = WindowId();
  event.key.state = SDL_PRESSED;
  event.key.keysym.sym = key;
  event.key.keysym.mod = modifiers;
  Push(event);
}

void GameSessionTest::KeyUp(SDL_Keycode key) {
  SDL_Event event{};
  event.key.type = SDL_KEYUP;
  event.key.windowID = WindowId();
  event.key.state = SDL_RELEASED;
  event.key.keysym.sym = key;
  Push(event);
}

void GameSessionTest::TypeKey(SDL_Keycode key) {
  KeyDown(key);
  RunFrames(1);
  KeyUp(key);
  RunFrames(1);
}

void GameSessionTest::PushWindowEvent(Uint8 windowEvent) {
  SDL_Event event{};
  event.window.type = SDL_WINDOWEVENT;
  event.window.windowID = WindowId();
  event.window.event = windowEvent;
  Push(event);
}

std::string GameSessionTest::OpenedAddress() const {
  // The opener runs in a process of its own, which may still be writing.
  for (int wait = 0; wait < 100 && !std::filesystem::exists(openerLog_); ++wait) SDL_Delay(50);
  SDL_Delay(50);
  const std::vector<uint8_t> bytes = ReadBytes(openerLog_);
  return {bytes.begin(), bytes.end()};
}

std::vector<uint8_t> GameSessionTest::UserFile(const char* name) const {
  return ReadBytes(folder_ + "/data/Brambleworth/Quillary/" + name);
}

int CellX(int column) { return 185 + 54 * column + 27; }
int CellY(int row) { return 15 + 54 * (row - 1) + 27; }

SDL_Point ClientPoint(int x, int y) {
  const PictureRect picture = FitPicture(Game.ClientWidth, Game.ClientHeight);
  const ScreenLayout& layout = CurrentLayout();
  return {ClientOnAxis(x, picture.left, picture.width, layout.width),
          ClientOnAxis(y, picture.top, picture.height, layout.height)};
}

void SetBoardWithOneKnownMove() {
  // Neighbours across differ by one kind and neighbours down by two, so no three agree.
  for (int row = 0; row < BoardRows; ++row) {
    for (int column = 0; column < BoardColumns; ++column) {
      Game.Board[row][column] = (column + 2 * row) % FruitKinds + 1;
    }
  }
  for (int& floor : Game.FloorRow) floor = SolidFloor;
  Game.Board[8][0] = 1;
  Game.Board[8][1] = 1;
  Game.Board[7][2] = 1;
}

std::vector<uint8_t> StoredWords(const std::vector<int>& words) {
  std::vector<uint8_t> bytes;
  for (const int word : words) {
    for (int shift = 0; shift < 32; shift += 8) {
      bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(word) >> shift));
    }
  }
  return bytes;
}
