// Little-endian fields of the file formats, assembled byte by byte whatever the machine's own
// order, and only after a check that the buffer holds them.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

constexpr uint16_t LittleEndian16(const uint8_t* bytes) {
  return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

constexpr uint32_t LittleEndian32(const uint8_t* bytes) {
  return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
         uint32_t{bytes[3]} << 24;
}

// A block of bytes read at offsets. Callers ask Has before reading.
class ByteSpan {
 public:
  constexpr ByteSpan(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  // Whether `count` bytes from `offset` lie inside the block; never overflows.
  constexpr bool Has(uint64_t offset, uint64_t count) const {
    return offset <= size_ && count <= size_ - offset;
  }
  constexpr uint8_t U8(size_t offset) const { return data_[offset]; }
  constexpr uint16_t U16(size_t offset) const { return LittleEndian16(data_ + offset); }
  constexpr uint32_t U32(size_t offset) const { return LittleEndian32(data_ + offset); }
  constexpr const uint8_t* At(size_t offset) const { return data_ + offset; }
  constexpr size_t Size() const { return size_; }

 private:
  const uint8_t* data_;
  size_t size_;
};

// Reads one field after another from the start of a block. Callers ask Has before reading.
class ByteReader {
 public:
  constexpr ByteReader(const uint8_t* data, size_t size) : bytes_(data, size) {}
  // Whether `count` more bytes follow the fields read so far.
  constexpr bool Has(uint64_t count) const { return bytes_.Has(position_, count); }
  constexpr void Skip(size_t count) { position_ += count; }
  constexpr uint8_t U8() { return bytes_.U8(position_++); }
  constexpr int8_t I8() { return static_cast<int8_t>(U8()); }
  constexpr uint16_t U16() {
    const uint16_t value = bytes_.U16(position_);
    position_ += 2;
    return value;
  }
  constexpr uint32_t U32() {
    const uint32_t value = bytes_.U32(position_);
    position_ += 4;
    return value;
  }
  constexpr int32_t I32() { return static_cast<int32_t>(U32()); }  // two's complement
  float F32() { return std::bit_cast<float>(U32()); }
  void Floats(float* out, int count) {
    for (int i = 0; i < count; ++i) out[i] = F32();
  }
  constexpr const uint8_t* Here() const { return bytes_.At(position_); }

 private:
  ByteSpan bytes_;
  size_t position_ = 0;
};
