// Fuzzes the high-score reader and the normalisation that follows it at start-up: names read
// from any file hold at most nine letters or pads (a line-feed may end one early), and once
// sorted, stored and read back every name is nine characters and every table best first.
#include <cstdint>
#include <cstring>

#include "core/game_state.h"
#include "storage/high_scores.h"
#include "tests/fuzz/storage_fuzz.h"

namespace {

bool IsNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '$';
}

bool NameIsSound(const char* name, bool stored) {
  const void* end = std::memchr(name, '\0', sizeof HighScoreEntry::name);
  if (!end) return false;
  const size_t length = static_cast<const char*>(end) - name;
  if (length > HighScoreNameLength || (stored && length != HighScoreNameLength)) return false;
  for (size_t k = 0; k < length; ++k) {
    const bool endingLineFeed = !stored && name[k] == '\n' && k + 1 == length;
    if (!IsNameCharacter(name[k]) && !endingLineFeed) return false;
  }
  return true;
}

bool TablesAreSound(bool stored) {
  for (const auto& table : Game.HighScoreTables) {
    for (int i = 0; i < HighScoreEntryCount; ++i) {
      if (!NameIsSound(table[i].name, stored)) return false;
      if (stored && i > 0 && table[i - 1].score < table[i].score) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PutUserDataFile("hiscores", data, size);
  Game = GameState{};
  ReadHighScores();
  Require(TablesAreSound(false));
  SortSaveReloadHighScores();
  Require(TablesAreSound(true));
  return 0;
}
