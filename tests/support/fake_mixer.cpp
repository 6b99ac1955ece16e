#include "tests/support/fake_mixer.h"

#include <cstdio>

#include "core/mixer.h"
#include "core/game_state.h"

namespace {

constexpr int MaxCalls = 1 << 16;
MixerCall Calls[MaxCalls];
int Count = 0;
bool StartResult = true;
int NextModule = 1;
int NextSample = 100;

void Record(MixerCallKind kind, int a = 0, int b = 0, int c = 0, int d = 0,
            const char* path = nullptr) {
  if (Count < MaxCalls) {
    MixerCall& call = Calls[Count];
    call.kind = kind;
    call.args[0] = a;
    call.args[1] = b;
    call.args[2] = c;
    call.args[3] = d;
    std::snprintf(call.path, sizeof call.path, "%s", path ? path : "");
  }
  ++Count;
}

}  // namespace

namespace fake_mixer {

void Reset() {
  Count = 0;
  StartResult = true;
  NextModule = 1;
  NextSample = 100;
}

int CallCount() { return Count; }

const MixerCall& Call(int index) { return Calls[index]; }

std::vector<int> PlayedSamples() {
  std::vector<int> played;
  for (int i = 0; i < Count && i < MaxCalls; ++i)
    if (Calls[i].kind == MixerCallKind::PlaySample) played.push_back(Calls[i].args[0]);
  return played;
}

std::vector<int> PlayedModules() {
  std::vector<int> played;
  for (int i = 0; i < Count && i < MaxCalls; ++i)
    if (Calls[i].kind == MixerCallKind::PlayModule) played.push_back(Calls[i].args[0]);
  return played;
}

void SetStartResult(bool result) { StartResult = result; }

}  // namespace fake_mixer

bool ImixInit(int a, int b, int c) {
  Record(MixerCallKind::Init, a, b, c);
  return true;
}

int ImixLoadModule(char* path, unsigned long flags) {
  Record(MixerCallKind::LoadModule, static_cast<int>(flags), 0, 0, 0, path);
  return NextModule++;
}

int ImixLoadSample(char* path, unsigned long flags) {
  Record(MixerCallKind::LoadSample, static_cast<int>(flags), 0, 0, 0, path);
  return NextSample++;
}

void ImixSetMusicVolume(unsigned char volume) { Record(MixerCallKind::SetMusicVolume, volume); }

void ImixSetFXVolume(unsigned char volume) { Record(MixerCallKind::SetFXVolume, volume); }

bool ImixStartMixer(WindowHandle) {
  Record(MixerCallKind::StartMixer);
  return StartResult;
}

bool ImixPlayModule(int module, bool loop) {
  Record(MixerCallKind::PlayModule, module, loop ? 1 : 0);
  return true;
}

bool ImixStopModule() {
  Record(MixerCallKind::StopModule);
  return true;
}

int ImixPlaySample(int sample, unsigned char volume, unsigned char pan, unsigned short flags) {
  Record(MixerCallKind::PlaySample, sample, volume, pan, flags);
  return 0;
}

bool ImixUninit() {
  Record(MixerCallKind::Uninit);
  return true;
}

void AssignTestSoundHandles() {
  SoundBank& s = Game.Sounds;
  s.Theme1 = 1;
  s.Theme2 = 2;
  s.Select = 100;
  s.Bad = 101;
  s.New = 102;
  s.Combo = 103;
  s.Menu = 104;
  s.Levelup = 105;
  s.Hint = 106;
  s.Gameover = 107;
  s.Exel = 108;
  s.Combo2 = 109;
  s.Combo3 = 110;
}

std::string SampleName(int handle) {
  static const char* const names[] = {"select", "bad",      "new",  "combo",  "menu",  "levelup",
                                      "hint",   "gameover", "exel", "combo2", "combo3"};
  if (handle >= 100 && handle < 111) return names[handle - 100];
  return "sample" + std::to_string(handle);
}
