#include "storage/high_scores.h"

#include <cstring>
#include <utility>

#include "core/game_state.h"
#include "storage/user_data.h"

namespace {

constexpr char HighScoreFileName[] = "hiscores";
constexpr char NamePad = '$';  // fills a name to nine characters; drawn blank
constexpr size_t EntrySize = HighScoreNameLength + WordSize;
constexpr size_t HighScoreFileSize = HighScoreTableCount * HighScoreEntryCount * EntrySize;

// Names hold what the name entry types and the pad only: the letters, and the two characters
// of the key after Z, "[" as a first letter and "{" after it. Any other byte of a damaged file
// is shown as the pad instead.
bool IsNameCharacter(char c) {
  return (c >= 'A' && c <= '[') || (c >= 'a' && c <= '{') || c == NamePad;
}

// Reads one entry: up to nine name characters, ending early after a line-feed (which stays
// part of the name) or at the end of the file, then the score word. A name that ends before
// its first character leaves the old name.
void ReadEntry(FILE* file, HighScoreEntry& entry) {
  char name[HighScoreNameLength];
  int length = 0;
  while (length < HighScoreNameLength) {
    const int c = std::fgetc(file);
    if (c == EOF) break;
    name[length++] = c == '\n' || IsNameCharacter(static_cast<char>(c)) ? static_cast<char>(c)
                                                                          : NamePad;
    if (c == '\n') break;
  }
  if (length > 0) {
    std::memset(entry.name, 0, sizeof entry.name);
    std::memcpy(entry.name, name, length);
  }
  entry.score = ReadWord(file);
}

void ReadTables(FILE* file) {
  for (auto& table : Game.HighScoreTables) {
    for (HighScoreEntry& entry : table) ReadEntry(file, entry);
  }
}

// Every name is stored as exactly nine characters, so every entry is 13 bytes and reads back
// as written: the empty names of a fresh table are stored as nine pads, and a line-feed from
// a foreign file, which would end the name early, is stored as a pad too.
bool WriteHighScores() {
  DataFileImage<HighScoreFileSize> image;
  for (const auto& table : Game.HighScoreTables) {
    for (const HighScoreEntry& entry : table) {
      bool ended = false;
      for (int k = 0; k < HighScoreNameLength; ++k) {
        ended = ended || entry.name[k] == '\0';
        image.PutByte(!ended && IsNameCharacter(entry.name[k]) ? entry.name[k] : NamePad);
      }
      image.PutWord(entry.score);
    }
  }
  return image.WriteChangedAs(HighScoreFileName);
}

// The typed letters of EntryName (NameCursor - 1 of them) padded to nine characters.
void CopyEnteredName(char* name) {
  const int typed = Game.NameCursor > 1 ? Game.NameCursor - 1 : 0;
  std::memset(name, 0, sizeof HighScoreEntry::name);
  for (int k = 0; k < HighScoreNameLength; ++k) {
    const char c = Game.EntryName[k];
    name[k] = k < typed && IsNameCharacter(c) ? c : NamePad;
  }
}

// Puts Score into the table below every entry it does not beat; the last entry drops out.
void EnterScore(HighScoreEntry* table) {
  int position = 0;
  while (position < HighScoreEntryCount && table[position].score >= Game.Score) ++position;
  if (position == HighScoreEntryCount) return;
  for (int k = HighScoreEntryCount - 1; k > position; --k) table[k] = table[k - 1];
  CopyEnteredName(table[position].name);
  table[position].score = Game.Score;
}

// The tables as the user folder's file holds them now; kept as they are when it cannot be read.
void ReadUserTables() {
  FILE* file = OpenUserDataFile(HighScoreFileName);
  if (!file) return;
  ReadTables(file);
  std::fclose(file);
}

void ResetNameEntry() {
  Game.NameCursor = 1;
  std::memset(Game.EntryName, NamePad, HighScoreNameLength);
  Game.EntryName[HighScoreNameLength] = '\0';
}

}  // namespace

void ReadHighScores() {
  FILE* file = OpenDataFileWithFallback(HighScoreFileName);
  if (!file) return;
  ReadTables(file);
  std::fclose(file);
}

// Another copy of the game may have entered a score since this one read the file: the new
// score goes into the tables as the file holds them now, so that neither score is lost.
void InsertHighScore(int table) {
  ReadUserTables();
  if (table >= 0 && table < HighScoreTableCount) EnterScore(Game.HighScoreTables[table]);
  ResetNameEntry();
  WriteHighScores();
}

// An exchange sort, best first. Equal scores are never swapped, yet it is not stable: an
// entry can jump over its equal when it is swapped with a better one further down.
void SortSaveReloadHighScores() {
  for (auto& table : Game.HighScoreTables) {
    for (int i = 0; i < HighScoreEntryCount - 1; ++i) {
      for (int j = i + 1; j < HighScoreEntryCount; ++j) {
        if (table[i].score < table[j].score) std::swap(table[i], table[j]);
      }
    }
  }
  // Reading back after a failed write would put an older file's tables in place of the ones
  // just entered, so the tables are read back only when the write went through.
  if (WriteHighScores()) ReadUserTables();
}

bool ScoreQualifiesForHighScores() {
  return Game.Score > Game.HighScoreTables[Game.ModeIndex][HighScoreEntryCount - 1].score;
}
