// Every generated texture decodes with the game's own BMP decoder into the pixels the
// generator wrote.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "assets/bmp.h"
#include "core/game_state.h"
#include "tests/assetgen/generated_files.h"

TEST(AssetgenDecode, GameDecoderReadsEveryGeneratedTexture) {
  for (int i = 0; i < TextureCount; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "tex%02d.bmp", i);
    const auto bytes = ReadBytes(assetgen_test::BaseDir() / name);
    BmpError error = BmpError::None;
    const auto image = DecodeBmp(bytes.data(), bytes.size(), &error);
    ASSERT_NE(image, nullptr) << name << " refused, reason " << static_cast<int>(error);
    const assetgen::Picture& expected = assetgen_test::Texture(i);
    ASSERT_EQ(image->width, expected.width) << name;
    ASSERT_EQ(image->height, expected.height) << name;
    // Both list the bottom row first, red, green and blue per pixel.
    for (size_t k = 0; k < expected.rgb.size(); ++k)
      ASSERT_EQ(image->pixels[k], std::lround(expected.rgb[k] * 255)) << name << " byte " << k;
  }
}
