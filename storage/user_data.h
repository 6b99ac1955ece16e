// The per-user data folder and the word encoding shared by the game's three data files.
//
// The folder is $XDG_DATA_HOME/Brambleworth/Quillary, with XDG_DATA_HOME defaulting to
// $HOME/.local/share. It is looked up at every call, never cached. Files the game ships with
// have a read-only second location, "base/" relative to the working directory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

constexpr size_t WordSize = 4;  // every stored value: signed 32-bit, least significant byte first

// Opens `name` in the user folder for binary reading, creating the folder first (on every
// call). Null when the folder cannot be determined or the file is missing or not a regular file.
FILE* OpenUserDataFile(const char* name);

// Opens `name` for binary reading from the user folder, or failing that from "base/".
FILE* OpenDataFileWithFallback(const char* name);

// Replaces `name` in the user folder by `size` bytes. The bytes go to a temporary file in the
// same folder that takes the old file's place only once it is complete and on disk, so a
// failed or interrupted write leaves the previous file as it was, and no temporary file. False
// when nothing was replaced (the folder cannot be determined or written, the disk is full, the
// file would exceed the process's file-size limit, ...).
bool WriteUserDataFile(const char* name, const uint8_t* bytes, size_t size);

// Whether `name` in the user folder holds exactly these `size` bytes.
bool UserDataFileHolds(const char* name, const uint8_t* bytes, size_t size);

// Removes the temporary files of writes that a crashed or killed run left in the user folder.
// A temporary that a running copy is writing is locked and stays.
void ClearAbandonedTemporaries();

// The next word of `file`; -1 when the file ends or fails before all four bytes are read.
int ReadWord(FILE* file);

int DecodeWord(const uint8_t* bytes);
void EncodeWord(uint8_t* bytes, int value);

// The bytes of a data file, assembled in memory so that the file is written in one piece.
template <size_t Capacity>
struct DataFileImage {
  uint8_t bytes[Capacity] = {};
  size_t size = 0;

  void PutByte(uint8_t value) { bytes[size++] = value; }
  void PutWord(int value) {
    EncodeWord(bytes + size, value);
    size += WordSize;
  }
  bool WriteAs(const char* name) const { return WriteUserDataFile(name, bytes, size); }
  // Writes the file only when its bytes differ from these; true when it holds them after.
  bool WriteChangedAs(const char* name) const {
    return UserDataFileHolds(name, bytes, size) || WriteAs(name);
  }
};
