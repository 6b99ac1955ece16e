// BMP decoding into plain 24-bit RGB pictures, from a file held in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// A decoded picture: rows tightly packed, R G B per pixel, first row the file's first stored
// row (the bottom of the picture, which is also OpenGL's texture origin).
struct RgbImage {
  int32_t width = 0;
  int32_t height = 0;
  std::unique_ptr<uint8_t[]> pixels;
};

// Why DecodeBmp refused a file; each kind has its own message text.
enum class BmpError { None, UnknownFormat, OutOfMemory, ConversionError };

// Decodes a whole BMP file held in memory without showing anything: null and the reason on
// failure. Never reads outside the buffer, whatever its headers claim.
std::unique_ptr<RgbImage> DecodeBmp(const uint8_t* data, size_t size, BmpError* error);
