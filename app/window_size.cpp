#include "app/window_size.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

constexpr float DoubleDensityDpi = 192.0f;

}  // namespace

int AnnouncedScale(const char* gdkScale, float dpi) {
  if (gdkScale) {
    int scale = 0;
    const char* end = gdkScale + std::strlen(gdkScale);
    const auto [last, error] = std::from_chars(gdkScale, end, scale);
    if (error == std::errc() && last == end && scale >= 1) return scale;
  }
  return dpi >= DoubleDensityDpi ? 2 : 1;
}

int FittingScale(int scale, int width, int height, int usableWidth, int usableHeight) {
  const int room = std::min(usableWidth / width, usableHeight / height);
  return std::max(1, std::min(scale, room));
}
