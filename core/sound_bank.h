// The game's music and effects: loading the bank at audio start-up and playing from it.
#pragma once

#include "core/game_state.h"

// Starts the mixer and loads both modules and the eleven samples into Game.Sounds; returns
// whether the audio device could be started.
bool StartAudio(WindowHandle window);

// Plays one effect sample, only while effects are switched on.
void PlayEffect(int sample);

// Starts the current mode's module from its beginning, only while music is switched on.
void RestartMusic();
