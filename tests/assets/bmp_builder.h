// Builds BMP files of any layout for the decoder tests.
#pragma once

#include <cstdint>
#include <vector>

struct BmpLayout {
  int32_t width = 1;
  int32_t height = 1;
  uint16_t bitsPerPixel = 24;
  uint32_t compression = 0;
  uint32_t colorsUsed = 0;
  uint32_t headerSize = 40;         // 12 writes the OS/2 core header
  bool fileHeader = true;           // the 14 bytes starting with "BM"
  std::vector<uint32_t> palette;    // 0xRRGGBB entries, written as stored colour table
  std::vector<uint32_t> masks;      // written after the header when not empty
  std::vector<uint8_t> pixelData;   // stored rows, exactly as they go into the file
};

std::vector<uint8_t> BuildBmp(const BmpLayout& layout);

// Stored rows of an uncompressed 24-bit picture given as R G B triples, bottom row first;
// each row padded with `padByte` to a multiple of four bytes.
std::vector<uint8_t> Rows24(int width, int height, const std::vector<uint8_t>& rgb,
                            uint8_t padByte = 0);
