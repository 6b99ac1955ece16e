// The program's entry: answer --help and --version, find the game's files, then run the game.
#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "app/game_files.h"
#include "app/main_loop.h"
#include "app/outside_ends.h"

namespace {

constexpr const char* Usage = "Usage: quillary [--help | --version]\n";

constexpr const char* Help =
    "Quillary: a 3D match-three game. Swap neighbouring fruit to line up three or more.\n"
    "Played with the mouse, the keyboard or a game controller; Esc or P pauses a timed game.\n"
    "\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "Settings, the stored game and the high scores are kept in\n"
    "$XDG_DATA_HOME/Brambleworth/Quillary (~/.local/share/Brambleworth/Quillary).\n";

}  // namespace

int main(int argc, char** argv) {
  PrepareHeap();
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("quillary %s\n", QUILLARY_VERSION);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::printf("%s\n%s", Usage, Help);
    return 0;
  }
  if (argc > 1) {
    std::fprintf(stderr, "quillary: unknown argument '%s'\n%s", argv[1], Usage);
    return 2;
  }
  PrepareForEndsFromOutside();
  if (!FindVisibleDisplay()) return 1;
  // Without base/ anywhere, the scene load tells the player which file is missing.
  FindGameFiles();
  const int exitCode = RunGame();
  SDL_Quit();
  return exitCode;
}
