// End-to-end sessions: the real main loop, window, scene, frame driver and window procedure,
// driven by real SDL events pushed onto SDL's queue, so that their translation is tested too.
// The game runs in a temporary folder with the synthetic artwork, the recording message boxes,
// a private user folder, and a stand-in for the desktop's opener that writes the address it is
// given to a file. Each test links the mixer it needs: the recording one or SDL2_mixer's.
#pragma once

#include <SDL.h>

#include <functional>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "tests/render/scene_fixture.h"

class GameSessionTest : public SceneTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the game as at program start (GameState fresh, settings read, window opened) and
  // runs its first frame.
  bool Start();
  // Runs the loop until it ends, then shuts down as the program does; the exit code.
  int Finish();

  // Runs the loop until `frames` frames have run, drawn or with their picture kept; false when
  // the loop ended first.
  bool RunFrames(int frames);
  // Frames drawn and presented since the game started.
  int DrawnFrames() const { return drawnFrames_; }
  // Runs frames until `done` holds, at most `maxFrames`; false when it never did.
  bool RunUntil(const std::function<bool()>& done, int maxFrames = 30000);

  // Input as SDL events, positions in client pixels.
  void MovePointer(int x, int y, bool buttonHeld = false);
  void Click(int x, int y);
  void Drag(int fromX, int fromY, int toX, int toY);
  void KeyDown(SDL_Keycode key, Uint16 modifiers = KMOD_NONE);
  void KeyUp(SDL_Keycode key);
  // A key pressed for one frame and released for the next, as a quick typist does.
  void TypeKey(SDL_Keycode key);
  void PushWindowEvent(Uint8 event);

  // The address the help page was opened with; empty while it was not.
  std::string OpenedAddress() const;

  // The bytes of a file in the user folder.
  std::vector<uint8_t> UserFile(const char* name) const;

 private:
  void Push(SDL_Event event);
  void Button(Uint32 type, int x, int y);
  std::string openerLog_;
  std::string previousPath_;
  bool running_ = false;
  int drawnFrames_ = 0;
};

// The centre of board cell (column, row), rows 1 to 8, in pixels of the 640 by 480 layout.
int CellX(int column);
int CellY(int row);

// The client pixel of the window, as last sized, that shows pixel (x, y) of the current layout.
SDL_Point ClientPoint(int x, int y);

// Fills the board with fruit that form no run, on a solid floor, except for one move: the
// fruit at (column 2, row 7) swapped with the one below it at (2, 8) makes a run of three
// kind-1 fruit on row 8 in columns 0 to 2.
void SetBoardWithOneKnownMove();

// File words as they are stored: four bytes each, least significant first.
std::vector<uint8_t> StoredWords(const std::vector<int>& words);
