#include "tools/assetgen/review_image.h"

#include <png.h>

#include <cmath>
#include <cstdio>
#include <memory>

#include "formats/bmp_decode.h"
#include "formats/whole_file.h"

namespace assetgen {

Picture LoadPicture(const std::filesystem::path& path) {
  const FileBytes file = ReadWholeFile(path.c_str());
  if (file.result != FileReadResult::Read) return {};
  const std::unique_ptr<RgbImage> image = DecodeBmp(file.data.get(), file.size, nullptr);
  if (!image) return {};
  Picture p{image->width, image->height, std::vector<float>(static_cast<size_t>(image->width) * image->height * 3)};
  for (size_t i = 0; i < p.rgb.size(); ++i) p.rgb[i] = image->pixels[i] / 255.0f;
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

namespace {

// libpng reports an error by a long jump back to the setjmp here, which would skip
// destructors: nothing in this function has one. `row` holds one row of bytes.
bool WritePngRows(FILE* file, int width, int height, const float* rgb, png_byte* row) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const size_t rowSize = static_cast<size_t>(width) * 3;
  for (int y = 0; y < height; ++y) {
    for (size_t i = 0; i < rowSize; ++i) {
      const float v = rgb[static_cast<size_t>(y) * rowSize + i];
      row[i] = static_cast<png_byte>(std::lround(std::fmin(std::fmax(v, 0.0f), 1.0f) * 255));
    }
    png_write_row(png, row);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool WritePng(const std::filesystem::path& path, int width, int height, const std::vector<float>& rgb) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  std::vector<png_byte> row(static_cast<size_t>(width) * 3);
  const bool written = WritePngRows(file, width, height, rgb.data(), row.data());
  return std::fclose(file) == 0 && written;
}

}  // namespace assetgen
