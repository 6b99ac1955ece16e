// The recording stand-in for the platform functions of the screens. ChangeDisplayMode switches
// Fullscreen as a successful switch does; told to refuse, it leaves Fullscreen clear, as a
// refused fullscreen switch that the player answers with windowed mode does.
#pragma once

#include <string>
#include <vector>

namespace fake_platform {

// Forgets the calls and accepts switches again.
void Reset();
// "ChangeDisplayMode", "PostQuitMessage(<code>)" and "OpenHelpPage", in the order called.
const std::vector<std::string>& Calls();
void RefuseFullscreen(bool refuse);

}  // namespace fake_platform
