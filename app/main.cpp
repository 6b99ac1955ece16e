// The program's entry: find the game's files, then run the game.
#include <SDL.h>

#include "app/game_files.h"
#include "app/main_loop.h"

int main(int, char**) {
  // Without base/ anywhere, the scene load tells the player which file is missing.
  FindGameFiles();
  const int exitCode = RunGame();
  SDL_Quit();
  return exitCode;
}
