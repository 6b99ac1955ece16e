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

}  // namespace

std::unique_ptr<RgbImage> LoadBmp(const char* path) {
  const FileBytes file = ReadWholeFile(path);
  if (file.result == FileReadResult::OutOfMemory) {
    ReportError(ErrorText(BmpError::OutOfMemory));
    return nullptr;
  }
  // An empty file counts as one that cannot be opened: there is nothing to decode.
  if (file.result == FileReadResult::OpenFailed || file.size == 0) {
    std::string text = "Failed to open DIB file ";
    text += path;
    text += ".\n";
    ReportError(text.c_str());
    return nullptr;
  }
  BmpError error = BmpError::None;
  std::unique_ptr<RgbImage> image = DecodeBmp(file.data.get(), file.size, &error);
  if (!image) ReportError(ErrorText(error));
  return image;
}

std::unique_ptr<RgbImage> LoadImageFile(const char* path) {
  // Only an existence test, made without blocking so that a pipe in the file's place cannot
  // stall the game: LoadBmp reads the file itself.
  const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return nullptr;
  close(descriptor);
  return LoadBmp(path);
}
