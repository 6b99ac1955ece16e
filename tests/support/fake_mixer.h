// A mixer that records every call instead of playing. Recording uses a fixed table, so it
// never allocates; calls past the table's end are counted but not kept.
#pragma once

#include <string>
#include <vector>

enum class MixerCallKind {
  Init, LoadModule, LoadSample, SetMusicVolume, SetFXVolume, StartMixer,
  PlayModule, StopModule, PlaySample, Uninit,
};

struct MixerCall {
  MixerCallKind kind;
  int args[4];
  char path[64];
};

namespace fake_mixer {

void Reset();
int CallCount();
const MixerCall& Call(int index);

// The handles of the samples played since the last Reset, in order.
std::vector<int> PlayedSamples();
// The handles of the modules started since the last Reset, in order.
std::vector<int> PlayedModules();
// What the next ImixStartMixer returns (true after Reset).
void SetStartResult(bool result);

}  // namespace fake_mixer

// Gives the sound bank distinct, recognisable handles without going through StartAudio:
// samples get 100 + their place in the bank's table, modules 1 and 2.
void AssignTestSoundHandles();
std::string SampleName(int handle);
