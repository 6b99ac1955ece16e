#include "assets/bmp.h"

#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "core/message_box.h"
#include "formats/whole_file.h"

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

ImageRead ReadBmp(const char* path) {
  ImageRead read;
  const FileBytes file = ReadWholeFile(path);
  if (file.result == FileReadResult::OutOfMemory) {
    read.error = BmpError::OutOfMemory;
    return read;
  }
  // An empty file counts as one that cannot be opened: there is nothing to decode.
  if (file.result == FileReadResult::OpenFailed || file.size == 0) {
    read.openFailed = true;
    return read;
  }
  read.image = DecodeBmp(file.data.get(), file.size, &read.error);
  return read;
}

}  // namespace

std::unique_ptr<RgbImage> LoadBmp(const char* path) { return ReportImageRead(path, ReadBmp(path)); }

std::unique_ptr<RgbImage> LoadImageFile(const char* path) {
  return ReportImageRead(path, ReadImageFile(path));
}

ImageRead ReadImageFile(const char* path) {
  // Only an existence test, made without blocking so that a pipe in the file's place cannot
  // stall the game: the file is read as a whole after.
  const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) {
    ImageRead read;
    read.missing = true;
    return read;
  }
  close(descriptor);
  return ReadBmp(path);
}

std::unique_ptr<RgbImage> ReportImageRead(const char* path, ImageRead read) {
  if (read.image || read.missing) return std::move(read.image);
  if (read.openFailed) {
    std::string text = "Failed to open DIB file ";
    text += path;
    text += ".\n";
    ReportError(text.c_str());
  } else {
    ReportError(ErrorText(read.error));
  }
  return nullptr;
}
