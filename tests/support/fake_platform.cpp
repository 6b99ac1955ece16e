#include "tests/support/fake_platform.h"

#include "core/game_state.h"
#include "ui/platform.h"

namespace {

std::vector<std::string> Recorded;
bool Refuse = false;

}  // namespace

void fake_platform::Reset() {
  Recorded.clear();
  Refuse = false;
}

const std::vector<std::string>& fake_platform::Calls() { return Recorded; }

void fake_platform::RefuseFullscreen(bool refuse) { Refuse = refuse; }

void ChangeDisplayMode() {
  Recorded.push_back("ChangeDisplayMode");
  Game.Fullscreen = !Game.Fullscreen && !Refuse;
}

void PostQuitMessage(int exitCode) {
  Recorded.push_back("PostQuitMessage(" + std::to_string(exitCode) + ")");
}

void OpenHelpPage() { Recorded.push_back("OpenHelpPage"); }
