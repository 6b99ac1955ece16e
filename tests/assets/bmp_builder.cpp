#include "tests/assets/bmp_builder.h"

#include "tools/assetgen/assetgen.h"

std::vector<uint8_t> BuildBmp(const BmpLayout& layout) {
  const bool core = layout.headerSize == 12;
  const uint32_t entrySize = core ? 3 : 4;
  const uint32_t pixelOffset = (layout.fileHeader ? 14 : 0) + layout.headerSize +
                               static_cast<uint32_t>(layout.masks.size()) * 4 +
                               static_cast<uint32_t>(layout.palette.size()) * entrySize;
  assetgen::ByteWriter w;
  if (layout.fileHeader) {
    w.U8('B');
    w.U8('M');
    w.U32(pixelOffset + static_cast<uint32_t>(layout.pixelData.size()));
    w.U32(0);
    w.U32(pixelOffset);
  }
  w.U32(layout.headerSize);
  if (core) {
    w.U16(static_cast<uint16_t>(layout.width));
    w.U16(static_cast<uint16_t>(layout.height));
    w.U16(1);
    w.U16(layout.bitsPerPixel);
  } else {
    w.I32(layout.width);
    w.I32(layout.height);
    w.U16(1);
    w.U16(layout.bitsPerPixel);
    w.U32(layout.compression);
    w.U32(static_cast<uint32_t>(layout.pixelData.size()));
    w.I32(2835);
    w.I32(2835);
    w.U32(layout.colorsUsed);
    w.U32(0);
    // Longer headers (only ever refused) are padded with zeros.
    for (uint32_t i = 40; i < layout.headerSize; ++i) w.U8(0);
  }
  for (uint32_t mask : layout.masks) w.U32(mask);
  for (uint32_t colour : layout.palette) {
    w.U8(static_cast<uint8_t>(colour));
    w.U8(static_cast<uint8_t>(colour >> 8));
    w.U8(static_cast<uint8_t>(colour >> 16));
    if (!core) w.U8(0);
  }
  w.Bytes(layout.pixelData.data(), layout.pixelData.size());
  return w.Data();
}

std::vector<uint8_t> Rows24(int width, int height, const std::vector<uint8_t>& rgb,
                            uint8_t padByte) {
  std::vector<uint8_t> rows;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      rows.insert(rows.end(), {p[2], p[1], p[0]});
    }
    while (rows.size() % 4 != 0) rows.push_back(padByte);
  }
  return rows;
}
