// Loading BMP files into plain 24-bit RGB pictures, telling the player when one fails.
#pragma once

#include <memory>

#include "formats/bmp_decode.h"

// Decodes a BMP file; on failure shows one "Error" box saying why and returns null.
std::unique_ptr<RgbImage> LoadBmp(const char* path);

// Returns null without any message when the file does not exist, else LoadBmp of it.
std::unique_ptr<RgbImage> LoadImageFile(const char* path);

// What reading a picture file gave: the picture, or why there is none.
struct ImageRead {
  std::unique_ptr<RgbImage> image;
  bool missing = false;     // the file does not exist: nothing is shown
  bool openFailed = false;  // it exists but cannot be read, or is empty
  BmpError error = BmpError::None;
};

// LoadImageFile without showing anything, so that any thread may read pictures.
ImageRead ReadImageFile(const char* path);
// Shows the box that LoadImageFile shows for `read`, if any, and hands over its picture.
std::unique_ptr<RgbImage> ReportImageRead(const char* path, ImageRead read);
