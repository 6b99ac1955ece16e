#include "tools/assetgen/png_writer.h"

#include <png.h>

#include <cmath>
#include <cstdio>

namespace assetgen {

namespace {

// libpng reports an error by a long jump back to the setjmp here, which would skip
// destructors: nothing in this function has one. `row` holds one row of bytes.
bool WritePngRows(FILE* file, int width, int height, int channels, const float* pixels, png_byte* row) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const size_t rowSize = static_cast<size_t>(width) * channels;
  for (int y = 0; y < height; ++y) {
    for (size_t i = 0; i < rowSize; ++i) {
      const float v = pixels[static_cast<size_t>(y) * rowSize + i];
      row[i] = static_cast<png_byte>(std::lround(std::fmin(std::fmax(v, 0.0f), 1.0f) * 255));
    }
    png_write_row(png, row);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool WritePng(const std::filesystem::path& path, int width, int height, const std::vector<float>& pixels,
              int channels) {
  if ((channels != 3 && channels != 4) || pixels.size() != static_cast<size_t>(width) * height * channels)
    return false;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  std::vector<png_byte> row(static_cast<size_t>(width) * channels);
  const bool written = WritePngRows(file, width, height, channels, pixels.data(), row.data());
  return std::fclose(file) == 0 && written;
}

}  // namespace assetgen
