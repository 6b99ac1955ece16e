#include "core/sound_bank.h"

#include "core/mixer.h"

#include <cstdio>

namespace {

int LoadModule(const char* path) {
  char buffer[64];
  snprintf(buffer, sizeof buffer, "%s", path);
  return ImixLoadModule(buffer, 0);
}

int LoadSample(const char* path) {
  char buffer[64];
  snprintf(buffer, sizeof buffer, "%s", path);
  return ImixLoadSample(buffer, 0);
}

}  // namespace

bool StartAudio(WindowHandle window) {
  ImixInit(15, 15, 15);
  SoundBank& s = Game.Sounds;
  s.Theme1 = LoadModule("base/theme1.xm");
  s.Theme2 = LoadModule("base/theme2.xm");
  // Samples in the bank's fixed order; load results are not examined.
  s.Select = LoadSample("base/select.wav");
  s.Bad = LoadSample("base/bad.wav");
  s.New = LoadSample("base/new.wav");
  s.Combo = LoadSample("base/combo.wav");
  s.Menu = LoadSample("base/menu.wav");
  s.Levelup = LoadSample("base/levelup.wav");
  s.Hint = LoadSample("base/hint.wav");
  s.Gameover = LoadSample("base/gameover.wav");
  s.Exel = LoadSample("base/exel.wav");
  s.Combo2 = LoadSample("base/combo2.wav");
  s.Combo3 = LoadSample("base/combo3.wav");
  ImixSetMusicVolume(64);
  ImixSetFXVolume(255);
  return ImixStartMixer(window);
}

void PlayEffect(int sample) {
  if (Game.SoundOn == 1) ImixPlaySample(sample, 64, 128, 0);
}

void RestartMusic() {
  if (Game.MusicOn != 1) return;
  if (Game.LevelsButton == ButtonPressed) ImixPlayModule(Game.Sounds.Theme1, true);
  if (Game.TimedButton == ButtonPressed) ImixPlayModule(Game.Sounds.Theme2, true);
}
