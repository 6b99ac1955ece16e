// Shared pieces of the asset generator: generator registration and byte-exact file writers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace assetgen {

using GeneratorFunction = void (*)(const std::filesystem::path& outputFolder);

// Each generator file registers itself with a static RegisterGenerator; main runs them all
// in the order of their names, so the output never depends on link order.
struct RegisterGenerator {
  RegisterGenerator(const char* name, GeneratorFunction run);
};

struct Generator {
  std::string name;
  GeneratorFunction run;
};
std::vector<Generator>& Generators();

// Little-endian byte assembly for the game's binary formats.
class ByteWriter {
 public:
  void U8(uint8_t v) { bytes_.push_back(v); }
  void U16(uint16_t v);
  void U32(uint32_t v);
  void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
  void F32(float v);
  void Bytes(const void* data, size_t size);
  // Writes `text` into a zero-padded field of `size` bytes (truncated to size - 1).
  void FixedString(const std::string& text, size_t size);
  std::vector<uint8_t>& Data() { return bytes_; }
  size_t Size() const { return bytes_.size(); }

 private:
  std::vector<uint8_t> bytes_;
};

// Writes the bytes to the file, creating its folder; throws std::runtime_error on failure.
void WriteBinaryFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
void WriteTextFile(const std::filesystem::path& path, const std::string& text);

// Writes an uncompressed 24-bit BMP (file header and 40-byte info header, rows bottom-up and
// padded to four bytes). `rgb` holds width * height R G B triples, top row first.
void WriteBmp24(const std::filesystem::path& path, int width, int height,
                const std::vector<uint8_t>& rgb);

}  // namespace assetgen
