#include "tools/assetgen/assetgen.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace assetgen {

std::vector<Generator>& Generators() {
  static std::vector<Generator> generators;
  return generators;
}

RegisterGenerator::RegisterGenerator(const char* name, GeneratorFunction run) {
  Generators().push_back({name, run});
}

void ByteWriter::U16(uint16_t v) {
  U8(static_cast<uint8_t>(v));
  U8(static_cast<uint8_t>(v >> 8));
}

void ByteWriter::U32(uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) U8(static_cast<uint8_t>(v >> shift));
}

void ByteWriter::F32(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  U32(bits);
}

void ByteWriter::Bytes(const void* data, size_t size) {
  const auto* p = static_cast<const uint8_t*>(data);
  bytes_.insert(bytes_.end(), p, p + size);
}

void ByteWriter::FixedString(const std::string& text, size_t size) {
  const size_t used = std::min(text.size(), size - 1);
  Bytes(text.data(), used);
  for (size_t i = used; i < size; ++i) U8(0);
}

void WriteBinaryFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void WriteTextFile(const std::filesystem::path& path, const std::string& text) {
  WriteBinaryFile(path, std::vector<uint8_t>(text.begin(), text.end()));
}

void WriteBmp24(const std::filesystem::path& path, int width, int height,
                const std::vector<uint8_t>& rgb) {
  if (rgb.size() != static_cast<size_t>(width) * height * 3)
    throw std::runtime_error("picture size does not match " + path.string());
  constexpr uint32_t FileHeaderSize = 14;
  constexpr uint32_t InfoHeaderSize = 40;
  const uint32_t rowSize = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  const uint32_t imageSize = rowSize * static_cast<uint32_t>(height);

  ByteWriter w;
  w.U8('B');
  w.U8('M');
  w.U32(FileHeaderSize + InfoHeaderSize + imageSize);
  w.U32(0);
  w.U32(FileHeaderSize + InfoHeaderSize);
  w.U32(InfoHeaderSize);
  w.I32(width);
  w.I32(height);
  w.U16(1);   // planes
  w.U16(24);  // bits per pixel
  w.U32(0);   // no compression
  w.U32(imageSize);
  w.I32(2835);  // 72 dots per inch
  w.I32(2835);
  w.U32(0);
  w.U32(0);
  for (int row = height - 1; row >= 0; --row) {
    const uint8_t* p = &rgb[static_cast<size_t>(row) * width * 3];
    for (int x = 0; x < width; ++x) {
      w.U8(p[x * 3 + 2]);
      w.U8(p[x * 3 + 1]);
      w.U8(p[x * 3 + 0]);
    }
    for (uint32_t pad = static_cast<uint32_t>(width) * 3; pad < rowSize; ++pad) w.U8(0);
  }
  WriteBinaryFile(path, w.Data());
}

}  // namespace assetgen
