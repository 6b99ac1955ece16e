#include "assets/mipmaps.h"

#include <memory>

namespace {

constexpr int Channels = 3;

bool PowerOfTwo(int32_t side) { return side > 0 && (side & (side - 1)) == 0; }

// Averages each 2 by 2 block: the sum of four with 2 added, divided by 4.
void HalveBoth(const RgbImage& from, RgbImage& to) {
  const int rowBytes = from.width * Channels;
  for (int y = 0; y < to.height; ++y) {
    const uint8_t* below = from.pixels.get() + 2 * y * rowBytes;
    const uint8_t* above = below + rowBytes;
    uint8_t* out = to.pixels.get() + y * to.width * Channels;
    for (int x = 0; x < to.width; ++x) {
      for (int c = 0; c < Channels; ++c) {
        const int left = 2 * x * Channels + c;
        const int right = left + Channels;
        *out++ = static_cast<uint8_t>((below[left] + below[right] + above[left] + above[right] + 2) / 4);
      }
    }
  }
}

// Averages each pair of a single row or column: the sum of two divided by 2, without
// rounding, as GLU does there. Neighbours in a row of one and in a column of one both lie one
// texel apart in memory.
void HalveOne(const RgbImage& from, RgbImage& to) {
  const int count = to.width * to.height;
  const uint8_t* in = from.pixels.get();
  uint8_t* out = to.pixels.get();
  for (int i = 0; i < count; ++i) {
    for (int c = 0; c < Channels; ++c) out[c] = static_cast<uint8_t>((in[c] + in[c + Channels]) / 2);
    in += 2 * Channels;
    out += Channels;
  }
}

}  // namespace

bool HasPowerOfTwoSides(const RgbImage& image) {
  return PowerOfTwo(image.width) && PowerOfTwo(image.height) && image.pixels;
}

std::vector<RgbImage> BuildMipmaps(const RgbImage& image) {
  std::vector<RgbImage> levels;
  levels.reserve(32);  // more than any side's halvings: the pointer below stays valid
  const RgbImage* previous = &image;
  while (previous->width > 1 || previous->height > 1) {
    RgbImage level;
    level.width = previous->width > 1 ? previous->width / 2 : 1;
    level.height = previous->height > 1 ? previous->height / 2 : 1;
    level.pixels = std::make_unique_for_overwrite<uint8_t[]>(static_cast<size_t>(level.width) *
                                                             level.height * Channels);
    if (previous->width > 1 && previous->height > 1) {
      HalveBoth(*previous, level);
    } else {
      HalveOne(*previous, level);
    }
    levels.push_back(std::move(level));
    previous = &levels.back();
  }
  return levels;
}
