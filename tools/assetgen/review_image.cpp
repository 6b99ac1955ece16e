#include "tools/assetgen/review_image.h"

#include <cmath>
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

}  // namespace assetgen
