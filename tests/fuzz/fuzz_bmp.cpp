// Fuzz target of the BMP decoder: any bytes decode to a whole picture or to a reason.
#include <cstdint>
#include <cstdlib>

#include "app/message_box.h"
#include "assets/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // No box may ever open while fuzzing.
  static const bool quiet = [] {
    SetMessageBoxInterceptor([](const char*, const char*, MessageButtons, MessageIcon) {
      return MessageAnswer::Ok;
    });
    return true;
  }();
  (void)quiet;

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
