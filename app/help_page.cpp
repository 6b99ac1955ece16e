// The help page, opened with the desktop's opener as a file:// address.
#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "ui/platform.h"

namespace {

// The absolute path as the path of a file:// address: every byte other than an unreserved
// character or a slash is percent-encoded, so spaces and non-ASCII names survive.
std::string FileAddress(const std::string& path) {
  std::string address = "file://";
  for (const unsigned char c : path) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
    if (plain) {
      address += static_cast<char>(c);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      address += escaped;
    }
  }
  return address;
}

}  // namespace

void OpenHelpPage() {
  char folder[4096];
  if (!getcwd(folder, sizeof folder)) return;
  // The opener's result does not matter: the game ends either way.
  SDL_OpenURL(FileAddress(std::string(folder) + "/help.htm").c_str());
}
