// Fuzz target of the BMP decoder: any bytes decode to a whole picture or to a reason.
#include <cstdint>
#include <cstdlib>

#include "formats/bmp_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  BmpError error = BmpError::None;
  const std::unique_ptr<RgbImage> image = DecodeBmp(data, size, &error);
  if (image) {
    if (error != BmpError::None || image->width <= 0 || image->height <= 0 || !image->pixels)
      std::abort();
    // Every byte of the picture was written: reading the last one must be in bounds.
    const size_t last = static_cast<size_t>(image->width) * image->height * 3 - 1;
    volatile uint8_t sink = image->pixels[last];
    (void)sink;
  } else if (error == BmpError::None) {
    std::abort();
  }
  return 0;
}
