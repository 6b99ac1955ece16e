// The BMP decoder: Windows (40-byte) and OS/2 (12-byte) info headers, with or without the
// 14-byte file header; 1, 2, 4, 8, 16, 24 and 32 bits per pixel; bit-field masks; RLE8 and
// RLE4; bottom-up and top-down rows. Every read is checked against the end of the buffer.
#include "formats/bmp_decode.h"

#include <algorithm>
#include <bit>
#include <new>

#include "formats/little_endian.h"

namespace {

constexpr size_t FileHeaderSize = 14;
constexpr size_t PixelOffsetField = 10;
constexpr uint32_t WindowsHeaderSize = 40;
constexpr uint32_t CoreHeaderSize = 12;
constexpr size_t WindowsPaletteEntrySize = 4;  // blue, green, red, reserved
constexpr size_t CorePaletteEntrySize = 3;     // blue, green, red
constexpr size_t BitfieldMasksSize = 12;       // red, green and blue masks after the header

constexpr uint32_t CompressionNone = 0;
constexpr uint32_t CompressionRle8 = 1;
constexpr uint32_t CompressionRle4 = 2;
constexpr uint32_t CompressionBitfields = 3;

// Largest picture accepted: 2^24 pixels (48 MB decoded, 4096 x 4096 for example). Run-length
// data can describe a huge picture in a few bytes, so the file size alone cannot bound it.
constexpr uint64_t MaxPixels = uint64_t{1} << 24;
constexpr uint32_t MaxPaletteEntries = 256;

// The info header in the Windows form; the OS/2 form is widened into it.
struct DibHeader {
  int64_t width = 0;
  int64_t height = 0;  // negative: rows stored top-down
  uint32_t bitsPerPixel = 0;
  uint32_t compression = CompressionNone;
  uint32_t colorsUsed = 0;
  size_t paletteEntrySize = WindowsPaletteEntrySize;
  size_t headerEnd = 0;  // first byte after the info header
};

struct Palette {
  uint8_t rgb[MaxPaletteEntries][3] = {};
  uint32_t count = 0;  // indices at or past the count decode as black
};

// One colour channel of a 16- or 32-bit pixel, scaled from its mask's width to 0..255.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;

  explicit Channel(uint32_t m = 0) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    max = m >> shift;
  }
  uint8_t Extract(uint32_t pixel) const {
    if (max == 0) return 0;
    const uint64_t value = (pixel & mask) >> shift;
    return static_cast<uint8_t>((value * 255 + max / 2) / max);
  }
};

// The decoded picture under construction, rows bottom first.
struct Canvas {
  int64_t width;
  int64_t height;
  uint8_t* pixels;

  void Put(int64_t x, int64_t row, uint8_t r, uint8_t g, uint8_t b) const {
    uint8_t* p = pixels + (row * width + x) * 3;
    p[0] = r;
    p[1] = g;
    p[2] = b;
  }
  void PutIndex(int64_t x, int64_t row, const Palette& palette, uint32_t index) const {
    if (index < palette.count)
      Put(x, row, palette.rgb[index][0], palette.rgb[index][1], palette.rgb[index][2]);
    else
      Put(x, row, 0, 0, 0);
  }
};

bool ReadHeader(const ByteSpan& file, size_t infoStart, DibHeader& h, BmpError& error) {
  if (!file.Has(infoStart, 4)) {
    error = BmpError::UnknownFormat;
    return false;
  }
  const uint32_t headerSize = file.U32(infoStart);
  if (headerSize != WindowsHeaderSize && headerSize != CoreHeaderSize) {
    error = BmpError::UnknownFormat;
    return false;
  }
  if (!file.Has(infoStart, headerSize)) {
    error = BmpError::ConversionError;
    return false;
  }
  h.headerEnd = infoStart + headerSize;
  if (headerSize == CoreHeaderSize) {
    h.width = file.U16(infoStart + 4);
    h.height = file.U16(infoStart + 6);
    h.bitsPerPixel = file.U16(infoStart + 10);
    h.paletteEntrySize = CorePaletteEntrySize;
  } else {
    h.width = static_cast<int32_t>(file.U32(infoStart + 4));
    h.height = static_cast<int32_t>(file.U32(infoStart + 8));
    h.bitsPerPixel = file.U16(infoStart + 14);
    h.compression = file.U32(infoStart + 16);
    h.colorsUsed = file.U32(infoStart + 32);
  }
  return true;
}

bool IsIndexed(uint32_t bitsPerPixel) { return bitsPerPixel <= 8; }

// Depth and compression pairs this decoder understands; run-length files are bottom-up only.
bool IsSupported(const DibHeader& h) {
  switch (h.compression) {
    case CompressionNone:
      return h.bitsPerPixel == 1 || h.bitsPerPixel == 2 || h.bitsPerPixel == 4 ||
             h.bitsPerPixel == 8 || h.bitsPerPixel == 16 || h.bitsPerPixel == 24 ||
             h.bitsPerPixel == 32;
    case CompressionRle8: return h.bitsPerPixel == 8 && h.height > 0;
    case CompressionRle4: return h.bitsPerPixel == 4 && h.height > 0;
    case CompressionBitfields: return h.bitsPerPixel == 16 || h.bitsPerPixel == 32;
    default: return false;
  }
}

uint32_t PaletteEntries(const DibHeader& h) {
  if (h.paletteEntrySize == WindowsPaletteEntrySize && h.colorsUsed != 0) return h.colorsUsed;
  return IsIndexed(h.bitsPerPixel) ? 1u << h.bitsPerPixel : 0;
}

void DefaultMasks(uint32_t bitsPerPixel, uint32_t masks[3]) {
  if (bitsPerPixel == 16) {
    masks[0] = 0x7C00;  // 5 bits each, top bit unused
    masks[1] = 0x03E0;
    masks[2] = 0x001F;
  } else {
    masks[0] = 0x00FF0000;
    masks[1] = 0x0000FF00;
    masks[2] = 0x000000FF;
  }
}

void ReadPalette(const ByteSpan& file, size_t offset, uint32_t entries, size_t entrySize,
                 Palette& palette) {
  palette.count = std::min(entries, MaxPaletteEntries);
  for (uint32_t i = 0; i < palette.count; ++i) {
    const size_t at = offset + i * entrySize;
    palette.rgb[i][0] = file.U8(at + 2);
    palette.rgb[i][1] = file.U8(at + 1);
    palette.rgb[i][2] = file.U8(at);
  }
}

uint64_t RowStride(const DibHeader& h) {
  return (static_cast<uint64_t>(h.bitsPerPixel) * static_cast<uint64_t>(h.width) + 31) / 32 * 4;
}

void DecodeRow(const uint8_t* src, const DibHeader& h, const Palette& palette,
               const Channel channels[3], const Canvas& canvas, int64_t row) {
  const uint32_t bpp = h.bitsPerPixel;
  for (int64_t x = 0; x < h.width; ++x) {
    if (IsIndexed(bpp)) {
      const uint64_t bit = static_cast<uint64_t>(x) * bpp;
      const uint32_t index = (src[bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
      canvas.PutIndex(x, row, palette, index);
    } else if (bpp == 24) {
      const uint8_t* p = src + x * 3;
      canvas.Put(x, row, p[2], p[1], p[0]);
    } else {
      const uint8_t* p = src + x * (bpp / 8);
      const uint32_t pixel = bpp == 32 ? LittleEndian32(p) : LittleEndian16(p);
      canvas.Put(x, row, channels[0].Extract(pixel), channels[1].Extract(pixel),
                 channels[2].Extract(pixel));
    }
  }
}

// Uncompressed rows; the caller has checked that the file holds every row.
void DecodeUncompressed(const ByteSpan& file, size_t offset, const DibHeader& h,
                        const Palette& palette, const Channel channels[3], const Canvas& canvas) {
  const uint64_t stride = RowStride(h);
  const bool topDown = h.height < 0;
  for (int64_t i = 0; i < canvas.height; ++i) {
    const int64_t row = topDown ? canvas.height - 1 - i : i;
    DecodeRow(file.At(offset + i * stride), h, palette, channels, canvas, row);
  }
}

// Run-length rows (RLE8, or RLE4 with two alternating nibbles). Pixels the stream skips stay
// black. A run that would pass the end of its row or the top of the picture, or a stream that
// ends without its end-of-picture code, makes the file unreadable.
bool DecodeRunLength(const ByteSpan& file, size_t offset, bool fourBit, const Palette& palette,
                     const Canvas& canvas) {
  const auto indexAt = [fourBit](uint8_t byte, uint32_t i) -> uint32_t {
    if (!fourBit) return byte;
    return i % 2 == 0 ? byte >> 4 : byte & 0x0F;
  };
  size_t p = offset;
  int64_t x = 0;
  int64_t y = 0;
  while (file.Has(p, 2)) {
    const uint8_t count = file.U8(p);
    const uint8_t code = file.U8(p + 1);
    p += 2;
    if (count > 0) {
      if (y >= canvas.height || x + count > canvas.width) return false;
      for (uint32_t i = 0; i < count; ++i) canvas.PutIndex(x++, y, palette, indexAt(code, i));
    } else if (code == 0) {  // end of row
      x = 0;
      ++y;
    } else if (code == 1) {  // end of picture
      return true;
    } else if (code == 2) {  // move right and up
      if (!file.Has(p, 2)) return false;
      x += file.U8(p);
      y += file.U8(p + 1);
      p += 2;
    } else {  // `code` literal pixels, padded to a 16-bit boundary
      const size_t bytes = fourBit ? (code + 1u) / 2 : code;
      if (!file.Has(p, bytes)) return false;
      if (y >= canvas.height || x + code > canvas.width) return false;
      for (uint32_t i = 0; i < code; ++i)
        canvas.PutIndex(x++, y, palette, indexAt(file.U8(p + (fourBit ? i / 2 : i)), i));
      p += (bytes + 1) & ~size_t{1};
    }
  }
  return false;
}

std::unique_ptr<RgbImage> Fail(BmpError* error, BmpError reason) {
  if (error) *error = reason;
  return nullptr;
}

}  // namespace

std::unique_ptr<RgbImage> DecodeBmp(const uint8_t* data, size_t size, BmpError* error) {
  if (error) *error = BmpError::None;
  const ByteSpan file(data, size);
  const bool hasFileHeader = size >= 2 && data[0] == 'B' && data[1] == 'M';
  if (hasFileHeader && !file.Has(0, FileHeaderSize)) return Fail(error, BmpError::ConversionError);
  const size_t infoStart = hasFileHeader ? FileHeaderSize : 0;

  DibHeader h;
  BmpError reason = BmpError::None;
  if (!ReadHeader(file, infoStart, h, reason)) return Fail(error, reason);
  if (h.width <= 0 || h.height == 0 || !IsSupported(h))
    return Fail(error, BmpError::ConversionError);

  const int64_t rows = h.height < 0 ? -h.height : h.height;
  // Refused before anything is allocated: no picture of this size is ever held.
  if (static_cast<uint64_t>(h.width) * static_cast<uint64_t>(rows) > MaxPixels)
    return Fail(error, BmpError::OutOfMemory);

  uint32_t masks[3];
  DefaultMasks(h.bitsPerPixel, masks);
  size_t paletteOffset = h.headerEnd;
  if (h.compression == CompressionBitfields) {
    if (!file.Has(h.headerEnd, BitfieldMasksSize)) return Fail(error, BmpError::ConversionError);
    for (int i = 0; i < 3; ++i) masks[i] = file.U32(h.headerEnd + 4 * i);
    paletteOffset += BitfieldMasksSize;
  }
  const uint32_t entries = PaletteEntries(h);
  const uint64_t paletteBytes = static_cast<uint64_t>(entries) * h.paletteEntrySize;
  if (!file.Has(paletteOffset, paletteBytes)) return Fail(error, BmpError::ConversionError);
  Palette palette;
  if (IsIndexed(h.bitsPerPixel))
    ReadPalette(file, paletteOffset, entries, h.paletteEntrySize, palette);

  const uint64_t pixelOffset =
      hasFileHeader ? file.U32(PixelOffsetField) : paletteOffset + paletteBytes;
  if (pixelOffset > size) return Fail(error, BmpError::ConversionError);
  const bool runLength = h.compression == CompressionRle8 || h.compression == CompressionRle4;
  // A truncated uncompressed file is refused rather than decoded in part.
  if (!runLength && !file.Has(pixelOffset, RowStride(h) * static_cast<uint64_t>(rows)))
    return Fail(error, BmpError::ConversionError);

  const size_t byteCount = static_cast<size_t>(h.width) * static_cast<size_t>(rows) * 3;
  std::unique_ptr<uint8_t[]> pixels(new (std::nothrow) uint8_t[byteCount]());
  std::unique_ptr<RgbImage> image(new (std::nothrow) RgbImage);
  if (!pixels || !image) return Fail(error, BmpError::OutOfMemory);

  const Canvas canvas{h.width, rows, pixels.get()};
  const Channel channels[3] = {Channel(masks[0]), Channel(masks[1]), Channel(masks[2])};
  if (runLength) {
    if (!DecodeRunLength(file, pixelOffset, h.compression == CompressionRle4, palette, canvas))
      return Fail(error, BmpError::ConversionError);
  } else {
    DecodeUncompressed(file, pixelOffset, h, palette, channels, canvas);
  }

  image->width = static_cast<int32_t>(h.width);
  image->height = static_cast<int32_t>(rows);
  image->pixels = std::move(pixels);
  return image;
}
