#include "formats/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

namespace {

bool ReadAll(int descriptor, uint8_t* bytes, size_t size) {
  while (size > 0) {
    const ssize_t got = read(descriptor, bytes, size);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    bytes += got;
    size -= static_cast<size_t>(got);
  }
  return true;
}

}  // namespace

FileBytes ReadWholeFile(const char* path) {
  FileBytes file;
  // Opened without blocking, so that a pipe in the file's place cannot stall the reader.
  const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return file;
  struct stat status;
  if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_size >= 0) {
    const size_t size = static_cast<size_t>(status.st_size);
    file.data.reset(new (std::nothrow) uint8_t[size > 0 ? size : 1]);
    if (!file.data) {
      file.result = FileReadResult::OutOfMemory;
    } else if (ReadAll(descriptor, file.data.get(), size)) {
      file.result = FileReadResult::Read;
      file.size = size;
    } else {
      file.data.reset();
    }
  }
  close(descriptor);
  return file;
}
