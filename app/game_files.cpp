#include "app/game_files.h"

#include <SDL.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace {

bool HoldsBase(const std::string& folder) {
  struct stat status;
  return stat((folder + "base").c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// The executable's folder with a trailing slash; empty when it cannot be told.
std::string ExecutableFolder() {
  char* path = SDL_GetBasePath();
  if (!path) return {};
  std::string folder = path;
  SDL_free(path);
  return folder;
}

}  // namespace

bool FindGameFiles() {
  if (HoldsBase("")) return true;
  const std::string executable = ExecutableFolder();
  if (executable.empty()) return false;
  // The installed data folder is given relative to the installed executable, so that a
  // relocated installation finds its data too.
  for (const std::string& folder : {executable, executable + QUILLARY_DATA_FROM_BINARY "/"}) {
    if (HoldsBase(folder)) return chdir(folder.c_str()) == 0;
  }
  return false;
}
