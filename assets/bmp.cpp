#include "assets/bmp.h"

#include <cstdio>
#include <new>
#include <string>

#include "app/message_box.h"

namespace {

void ReportError(const char* text) {
  ShowMessageBox(text, "Error", MessageButtons::Ok, MessageIcon::Error);
}

const char* ErrorText(BmpError error) {
  switch (error) {
    case BmpError::UnknownFormat: return "Unknown DIB file format.";
    case BmpError::OutOfMemory: return "Out of memory.";
    case BmpError::None:
    case BmpError::ConversionError: break;
  }
  return "Image file conversion error.";
}

enum class ReadResult { Read, OpenFailed, OutOfMemory };

// Reads the whole file into one block. An empty file counts as one that cannot be opened:
// there is nothing to decode, as a file that cannot be mapped.
ReadResult ReadWholeFile(const char* path, std::unique_ptr<uint8_t[]>& bytes, size_t& size) {
  FILE* file = std::fopen(path, "rb");
  if (!file) return ReadResult::OpenFailed;
  ReadResult result = ReadResult::OpenFailed;
  const long length = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
  if (length > 0 && std::fseek(file, 0, SEEK_SET) == 0) {
    size = static_cast<size_t>(length);
    bytes.reset(new (std::nothrow) uint8_t[size]);
    if (!bytes)
      result = ReadResult::OutOfMemory;
    else if (std::fread(bytes.get(), 1, size, file) == size)
      result = ReadResult::Read;
  }
  std::fclose(file);
  return result;
}

}  // namespace

std::unique_ptr<RgbImage> LoadBmp(const char* path) {
  std::unique_ptr<uint8_t[]> bytes;
  size_t size = 0;
  const ReadResult read = ReadWholeFile(path, bytes, size);
  if (read == ReadResult::OutOfMemory) {
    ReportError(ErrorText(BmpError::OutOfMemory));
    return nullptr;
  }
  if (read == ReadResult::OpenFailed) {
    std::string text = "Failed to open DIB file ";
    text += path;
    text += ".\n";
    ReportError(text.c_str());
    return nullptr;
  }
  BmpError error = BmpError::None;
  std::unique_ptr<RgbImage> image = DecodeBmp(bytes.get(), size, &error);
  if (!image) ReportError(ErrorText(error));
  return image;
}

std::unique_ptr<RgbImage> LoadImageFile(const char* path) {
  // Only an existence test: LoadBmp reads the file itself.
  FILE* file = std::fopen(path, "r");
  if (!file) return nullptr;
  std::fclose(file);
  return LoadBmp(path);
}
