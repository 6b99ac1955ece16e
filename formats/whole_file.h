// Reading a whole file into memory: every reader of the game's files decodes from one buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

enum class FileReadResult { Read, OpenFailed, OutOfMemory };

struct FileBytes {
  FileReadResult result = FileReadResult::OpenFailed;
  std::unique_ptr<uint8_t[]> data;
  size_t size = 0;
};

// The whole of the regular file at `path`. A missing file, a folder, a pipe or a file that
// cannot be read to its end gives OpenFailed; an empty file is Read with size 0.
FileBytes ReadWholeFile(const char* path);
