// Fuzzes the settings reader: the three values are whatever the file holds (-1 for a word the
// file does not hold in full), and only a stored 1 switches to fullscreen.
#include <cstddef>
#include <cstdint>

#include "core/game_state.h"
#include "storage/settings.h"
#include "storage/user_data.h"
#include "tests/fuzz/storage_fuzz.h"

namespace {

int StoredWord(const uint8_t* data, size_t size, size_t index) {
  return size >= (index + 1) * WordSize ? DecodeWord(data + index * WordSize) : -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PutUserDataFile("menu.inf", data, size);
  Game = GameState{};
  ReadSettings();
  Require(Game.DisplayModeSetting == StoredWord(data, size, 0));
  Require(Game.MusicOn == StoredWord(data, size, 1));
  Require(Game.SoundOn == StoredWord(data, size, 2));
  Require(Game.Fullscreen == (Game.DisplayModeSetting == 1));
  return 0;
}
