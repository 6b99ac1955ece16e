#include "tools/assetgen/review_image.h"

#include <png.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace assetgen {

namespace {

uint32_t Word(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

}  // namespace

Picture ReadBmp24(const std::filesystem::path& path) {
  constexpr size_t HeadersSize = 14 + 40;
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> b{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (b.size() < HeadersSize || b[0] != 'B' || b[1] != 'M' || Word(b, 14) != 40) return {};
  const int width = static_cast<int>(Word(b, 18)), height = static_cast<int>(Word(b, 22));
  const int bits = b[28] | b[29] << 8;
  const size_t offset = Word(b, 10);
  if (width <= 0 || height <= 0 || bits != 24 || Word(b, 30) != 0) return {};
  const size_t rowSize = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  if (offset + rowSize * height > b.size()) return {};
  Picture p{width, height, std::vector<float>(static_cast<size_t>(width) * height * 3)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < 3; ++c)
        p.rgb[(static_cast<size_t>(y) * width + x) * 3 + c] = b[offset + y * rowSize + x * 3 + 2 - c] / 255.0f;
  return p;
}

void SampleRepeat(const Picture& p, float u, float v, float out[3]) {
  const float fx = u * p.width - 0.5f, fy = v * p.height - 0.5f;
  const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
  const float tx = fx - x0, ty = fy - y0;
  auto wrap = [](int i, int n) { return ((i % n) + n) % n; };
  for (int c = 0; c < 3; ++c) {
    auto at = [&](int x, int y) {
      return p.rgb[(static_cast<size_t>(wrap(y, p.height)) * p.width + wrap(x, p.width)) * 3 + c];
    };
    const float top = at(x0, y0) * (1 - tx) + at(x0 + 1, y0) * tx;
    const float bottom = at(x0, y0 + 1) * (1 - tx) + at(x0 + 1, y0 + 1) * tx;
    out[c] = top * (1 - ty) + bottom * ty;
  }
}

bool WritePng(const std::filesystem::path& path, int width, int height, const std::vector<float>& rgb) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  // Everything with a destructor is made before libpng's error jump point, so a jump back
  // to it skips no destructor.
  std::vector<png_byte> row(static_cast<size_t>(width) * 3);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    for (size_t i = 0; i < row.size(); ++i) {
      const float v = rgb[static_cast<size_t>(y) * width * 3 + i];
      row[i] = static_cast<png_byte>(std::lround(std::fmin(std::fmax(v, 0.0f), 1.0f) * 255));
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}

}  // namespace assetgen
