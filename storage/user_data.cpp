#include "storage/user_data.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "formats/little_endian.h"

namespace {

constexpr size_t PathCapacity = 4096;
constexpr char FallbackFolder[] = "base/";
constexpr char TemporarySuffix[] = ".XXXXXX";  // a write's temporary is ".<name>.XXXXXX"
constexpr size_t TemporarySuffixLength = sizeof TemporarySuffix - 1;

// Appends the parts to the text in `path`; false when the result would not fit.
bool Append(char* path, std::initializer_list<const char*> parts) {
  for (const char* part : parts) {
    const size_t used = std::strlen(path);
    const size_t length = std::strlen(part);
    if (used + length >= PathCapacity) return false;
    std::memcpy(path + used, part, length + 1);
  }
  return true;
}

// The user's data home: $XDG_DATA_HOME, else $HOME/.local/share. A relative or empty value
// names no folder, so it is ignored.
bool FindDataHome(char* path) {
  path[0] = '\0';
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome && dataHome[0] == '/') return Append(path, {dataHome});
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return Append(path, {home, "/.local/share"});
  return false;
}

// Creates every missing folder along the absolute `path`, private to the user: the data home
// itself may not exist yet on a fresh account. Failures show up when the file is opened.
void CreatePrivateFolders(char* path) {
  for (char* at = path + 1; *at; ++at) {
    if (*at != '/') continue;
    *at = '\0';
    mkdir(path, 0700);
    *at = '/';
  }
  mkdir(path, 0700);
}

// Builds the user folder's path, creating the data home and both of the game's folders.
bool FindUserDataFolder(char* path) {
  if (!FindDataHome(path)) return false;
  CreatePrivateFolders(path);
  if (!Append(path, {"/Brambleworth"})) return false;
  mkdir(path, 0777);
  if (!Append(path, {"/Quillary"})) return false;
  mkdir(path, 0777);
  return true;
}

// Opened without blocking, so that a pipe in the file's place cannot stall the game.
FILE* OpenRegularFile(const char* path) {
  const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return nullptr;
  struct stat status;
  const bool regular = fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
  FILE* file = regular ? fdopen(descriptor, "rb") : nullptr;
  if (!file) close(descriptor);
  return file;
}

bool WriteAll(int descriptor, const uint8_t* bytes, size_t size) {
  while (size > 0) {
    const ssize_t written = write(descriptor, bytes, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

// Makes the folder's new entry durable, so the replaced file survives a power loss too.
bool SyncFolder(const char* folder) {
  const int descriptor = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return false;
  const bool synced = fsync(descriptor) == 0;
  close(descriptor);
  return synced;
}

// A new temporary file from `path` (ending in XXXXXX), locked for as long as it stays open: a
// start-up clears only temporaries that no running copy holds locked. One cleared between its
// creation and its lock has lost its name by then, and another is made.
int CreateLockedTemporary(char* path) {
  char* unique = path + std::strlen(path) - (TemporarySuffixLength - 1);
  for (int attempt = 0; attempt < 8; ++attempt) {
    std::memcpy(unique, TemporarySuffix + 1, TemporarySuffixLength - 1);
    const int descriptor = mkostemp(path, O_CLOEXEC);
    if (descriptor < 0) return -1;
    // A folder that has no locks still takes the write; nothing is ever cleared from it.
    flock(descriptor, LOCK_EX);
    struct stat status;
    if (fstat(descriptor, &status) == 0 && status.st_nlink > 0) return descriptor;
    close(descriptor);
  }
  return -1;
}

// ".<name>.XXXXXX": a dot, a name of at least one character, a dot and six letters or digits.
bool IsTemporaryName(const char* name) {
  const size_t length = std::strlen(name);
  if (name[0] != '.' || length < 2 + TemporarySuffixLength) return false;
  const char* suffix = name + length - TemporarySuffixLength;
  if (suffix[0] != '.') return false;
  for (size_t i = 1; i < TemporarySuffixLength; ++i) {
    if (!std::isalnum(static_cast<unsigned char>(suffix[i]))) return false;
  }
  return true;
}

// Removes the temporary `name` of `folder` when no running copy holds it locked.
void RemoveIfAbandoned(int folder, const char* name) {
  const int descriptor = openat(folder, name, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (descriptor < 0) return;
  struct stat status;
  if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
      flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
    unlinkat(folder, name, 0);
  }
  close(descriptor);
}

}  // namespace

FILE* OpenUserDataFile(const char* name) {
  char path[PathCapacity];
  if (!FindUserDataFolder(path) || !Append(path, {"/", name})) return nullptr;
  return OpenRegularFile(path);
}

FILE* OpenDataFileWithFallback(const char* name) {
  if (FILE* file = OpenUserDataFile(name)) return file;
  char path[PathCapacity] = "";
  if (!Append(path, {FallbackFolder, name})) return nullptr;
  return OpenRegularFile(path);
}

// Writing the file in place would lose the old one on a full disk or a crash halfway; the
// new bytes go to a temporary file that replaces it by rename once they are on disk. A write
// that fails removes its temporary; one that a crash leaves behind is cleared at the next start.
bool WriteUserDataFile(const char* name, const uint8_t* bytes, size_t size) {
  char folder[PathCapacity];
  if (!FindUserDataFolder(folder)) return false;
  char target[PathCapacity] = "";
  char temporary[PathCapacity] = "";
  if (!Append(target, {folder, "/", name})) return false;
  if (!Append(temporary, {folder, "/.", name, TemporarySuffix})) return false;
  const int descriptor = CreateLockedTemporary(temporary);
  if (descriptor < 0) return false;
  const bool replaced = WriteAll(descriptor, bytes, size) && fsync(descriptor) == 0 &&
                        std::rename(temporary, target) == 0;
  if (!replaced) unlink(temporary);
  close(descriptor);  // unlocked only now, when the temporary no longer has its name
  return replaced && SyncFolder(folder);
}

bool UserDataFileHolds(const char* name, const uint8_t* bytes, size_t size) {
  FILE* file = OpenUserDataFile(name);
  if (!file) return false;
  bool same = true;
  for (size_t i = 0; same && i < size; ++i) same = std::fgetc(file) == bytes[i];
  same = same && std::fgetc(file) == EOF;
  std::fclose(file);
  return same;
}

void ClearAbandonedTemporaries() {
  char path[PathCapacity];
  if (!FindUserDataFolder(path)) return;
  DIR* folder = opendir(path);
  if (!folder) return;
  while (const dirent* entry = readdir(folder)) {
    if (IsTemporaryName(entry->d_name)) RemoveIfAbandoned(dirfd(folder), entry->d_name);
  }
  closedir(folder);
}

int ReadWord(FILE* file) {
  uint8_t bytes[WordSize];
  if (std::fread(bytes, 1, WordSize, file) != WordSize) return -1;
  return DecodeWord(bytes);
}

int DecodeWord(const uint8_t* bytes) {
  return static_cast<int>(LittleEndian32(bytes));  // two's complement, as the file stores it
}

void EncodeWord(uint8_t* bytes, int value) {
  const auto bits = static_cast<uint32_t>(value);
  for (size_t i = 0; i < WordSize; ++i) bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
}
