// Loading BMP files into plain 24-bit RGB pictures, telling the player when one fails.
#pragma once

#include <memory>

#include "formats/bmp_decode.h"

// Decodes a BMP file; on failure shows one "Error" box saying why and returns null.
std::unique_ptr<RgbImage> LoadBmp(const char* path);

// Returns null without any message when the file does not exist, else LoadBmp of it.
std::unique_ptr<RgbImage> LoadImageFile(const char* path);
