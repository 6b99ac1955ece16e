#include "storage/settings.h"

#include "core/game_state.h"
#include "storage/user_data.h"

namespace {

constexpr char SettingsFileName[] = "menu.inf";
constexpr int SettingsWordCount = 3;

}  // namespace

void ReadSettings() {
  FILE* file = OpenDataFileWithFallback(SettingsFileName);
  if (!file) return;
  Game.DisplayModeSetting = ReadWord(file);
  if (Game.DisplayModeSetting == 1) Game.Fullscreen = true;
  Game.MusicOn = ReadWord(file);
  Game.SoundOn = ReadWord(file);
  std::fclose(file);
}

void WriteSettings() {
  DataFileImage<SettingsWordCount * WordSize> image;
  image.PutWord(Game.DisplayModeSetting);
  image.PutWord(Game.MusicOn);
  image.PutWord(Game.SoundOn);
  image.WriteAs(SettingsFileName);
}
