// The ten functions of the audio mixer. The game links the SDL2_mixer implementation; tests
// link a fake that records every call.
#pragma once

#include "core/game_state.h"

bool ImixInit(int, int, int);
int ImixLoadModule(char* path, unsigned long);
int ImixLoadSample(char* path, unsigned long);
void ImixSetMusicVolume(unsigned char volume);
void ImixSetFXVolume(unsigned char volume);
bool ImixStartMixer(WindowHandle window);
bool ImixPlayModule(int module, bool loop);
bool ImixStopModule();
int ImixPlaySample(int sample, unsigned char volume, unsigned char pan, unsigned short flags);
bool ImixUninit();
