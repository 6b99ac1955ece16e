// The generated textures fit the way the game draws them: masks and images agree, buttons
// cover their pointer regions, the backdrop's window shows the whole board, the font sheet
// has every letter in its cell, and the pictures that tile or sit side by side join cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "assets/texture_index.h"
#include "core/game_state.h"
#include "tests/assetgen/generated_files.h"

using assetgen::Picture;
using assetgen_test::Texel;
using assetgen_test::TexelAt;
using assetgen_test::Texture;

namespace {

bool PowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

float Luminance(const Picture& p, int x, int y) {
  return (0.3f * Texel(p, x, y, 0) + 0.59f * Texel(p, x, y, 1) + 0.11f * Texel(p, x, y, 2)) / 255;
}

// A rectangle of a layout's space (origin bottom left) and the size of that space.
struct Placed {
  double x, y, w, h;
  double spaceWide, spaceHigh;
};

// An inclusive pointer region in client pixels (origin top left).
struct Region {
  int left, right, top, bottom;
};

// The points of the region's middle row and middle column, kept `inset` pixels from its edges,
// as texture coordinates of the element drawn at `at`; points outside the element are left out.
std::vector<std::pair<double, double>> RegionPoints(const Region& r, const Placed& at, int inset) {
  std::vector<std::pair<double, double>> points;
  auto add = [&](int px, int py) {
    const double u = (px + 0.5 - at.x) / at.w, v = (at.spaceHigh - py - 0.5 - at.y) / at.h;
    if (u >= 0 && u < 1 && v >= 0 && v < 1) points.push_back({u, v});
  };
  const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
  for (int x = r.left + inset; x <= r.right - inset; ++x) add(x, midY);
  for (int y = r.top + inset; y <= r.bottom - inset; ++y) add(midX, y);
  return points;
}

struct MaskedSet {
  TextureIndex mask;
  std::vector<TextureIndex> images;
};

const std::vector<MaskedSet> MaskedSets = {
    {TexBackdropMask, {TexBackdropImage}},
    {TexSideButtonMask,
     {TexNewGameIdle, TexNewGameHover, TexNewGamePressed, TexOptionsIdle, TexOptionsHover,
      TexOptionsPressed, TexQuitIdle, TexQuitHover, TexQuitPressed}},
    {TexModeButtonMask,
     {TexTimedIdle, TexTimedHover, TexTimedSelected, TexLevelsIdle, TexLevelsHover, TexLevelsSelected}},
    {TexDialogButtonMask, {TexYesIdle, TexYesHover, TexNoIdle, TexNoHover, TexOkIdle, TexOkHover}},
    {TexHintButtonMask, {TexHintIdle, TexHintHover}},
};

}  // namespace

TEST(AssetgenTextures, EveryTextureIsAPowerOfTwoPicture) {
  for (int i = 0; i < TextureCount; ++i) {
    const Picture& p = Texture(i);
    ASSERT_GT(p.width, 0) << "texture " << i << " is not a readable 24-bit BMP";
    EXPECT_TRUE(PowerOfTwo(p.width) && PowerOfTwo(p.height)) << "texture " << i;
  }
}

TEST(AssetgenTextures, ImagesAddNothingWhereTheirMaskKeepsTheFrame) {
  for (const MaskedSet& set : MaskedSets) {
    const Picture& mask = Texture(set.mask);
    int covered = 0, clear = 0;
    for (int y = 0; y < mask.height; ++y)
      for (int x = 0; x < mask.width; ++x) {
        const int m = Texel(mask, x, y, 0);
        ASSERT_EQ(m, Texel(mask, x, y, 1)) << "mask " << set.mask << " is not grey";
        ASSERT_EQ(m, Texel(mask, x, y, 2)) << "mask " << set.mask << " is not grey";
        covered += m == 0;
        clear += m == 255;
      }
    EXPECT_GT(covered, 0) << "mask " << set.mask << " hides nothing";
    EXPECT_GT(clear, 0) << "mask " << set.mask << " keeps nothing of the frame";
    for (const TextureIndex index : set.images) {
      const Picture& image = Texture(index);
      ASSERT_EQ(image.width, mask.width) << index;
      ASSERT_EQ(image.height, mask.height) << index;
      // The image is premultiplied by the element's coverage: where the mask lets a share of
      // the frame through, the image adds at most the remaining share of white.
      for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
          for (int c = 0; c < 3; ++c)
            ASSERT_LE(Texel(image, x, y, c), 255 - Texel(mask, x, y, 0) + 1)
                << "image " << index << " over mask " << set.mask << " at " << x << "," << y;
    }
  }
}

TEST(AssetgenTextures, EveryStateOfAControlLooksClearlyDifferent) {
  // Idle, hover and pressed pictures of one control, and the two values of each options row.
  const std::vector<std::vector<TextureIndex>> states = {
      {TexNewGameIdle, TexNewGameHover, TexNewGamePressed},
      {TexOptionsIdle, TexOptionsHover, TexOptionsPressed},
      {TexQuitIdle, TexQuitHover, TexQuitPressed},
      {TexTimedIdle, TexTimedHover, TexTimedSelected},
      {TexLevelsIdle, TexLevelsHover, TexLevelsSelected},
      {TexHintIdle, TexHintHover},
      {TexYesIdle, TexYesHover},
      {TexNoIdle, TexNoHover},
      {TexOkIdle, TexOkHover},
      {TexDisplayRowWindowed, TexDisplayRowFullscreen},
      {TexMusicRowOff, TexMusicRowOn},
      {TexSoundRowOff, TexSoundRowOn},
      {TexHelpRowIdle, TexHelpRowHover},
      {TexHighScoresRowIdle, TexHighScoresRowHover}};
  for (const auto& set : states)
    for (size_t a = 0; a < set.size(); ++a)
      for (size_t b = a + 1; b < set.size(); ++b) {
        const Picture& p = Texture(set[a]);
        const Picture& q = Texture(set[b]);
        ASSERT_EQ(p.rgb.size(), q.rgb.size());
        // The share of texels that visibly change.
        int changed = 0;
        for (size_t i = 0; i < p.rgb.size(); i += 3) {
          float most = 0;
          for (int c = 0; c < 3; ++c) most = std::max(most, std::fabs(p.rgb[i + c] - q.rgb[i + c]));
          changed += most > 0.15f;
        }
        EXPECT_GT(changed * 3.0 / p.rgb.size(), 0.05) << "textures " << set[a] << " and " << set[b];
      }
}

TEST(AssetgenTextures, ButtonsCoverTheirPointerRegionsInBothLayouts) {
  struct Button {
    const char* name;
    TextureIndex mask;
    Region small;
    Placed smallAt;
    Region large;
    Placed largeAt;
  };
  const Button buttons[] = {
      {"New game", TexSideButtonMask, {46, 164, 61, 99}, {50, 380, 120, 40, 640, 480},
       {66, 199, 76, 124}, {65, 475, 150, 50, 800, 600}},
      {"Levels", TexModeButtonMask, {51, 154, 111, 139}, {55, 330, 120, 40, 640, 480},
       {66, 194, 136, 174}, {65, 415, 150, 50, 800, 600}},
      {"Timed", TexModeButtonMask, {51, 154, 146, 174}, {55, 295, 120, 40, 640, 480},
       {66, 194, 181, 219}, {65, 370, 150, 50, 800, 600}},
      {"Hint", TexHintButtonMask, {86, 164, 221, 324}, {85, 140, 80, 120, 640, 480},
       {108, 206, 276, 405}, {108, 175, 100, 150, 800, 600}},
      {"Options", TexSideButtonMask, {46, 164, 381, 419}, {50, 60, 120, 40, 640, 480},
       {61, 199, 476, 524}, {60, 75, 150, 50, 800, 600}},
      {"Quit", TexSideButtonMask, {46, 164, 421, 459}, {50, 20, 120, 40, 640, 480},
       {61, 199, 531, 579}, {60, 20, 150, 50, 800, 600}},
      {"Yes", TexDialogButtonMask, {288, 409, 196, 224}, {283, 255, 128, 32, 640, 480},
       {288, 409, 311, 344}, {283, 255, 128, 32, 800, 600}},
      {"No", TexDialogButtonMask, {418, 539, 196, 224}, {420, 255, 128, 32, 640, 480},
       {418, 539, 311, 344}, {420, 255, 128, 32, 800, 600}},
      {"Back", TexDialogButtonMask, {351, 477, 283, 314}, {350, 165, 128, 32, 640, 480},
       {351, 477, 403, 434}, {350, 165, 128, 32, 800, 600}},
      {"OK", TexDialogButtonMask, {341, 469, 391, 419}, {340, 55, 128, 32, 640, 480},
       {381, 509, 486, 514}, {380, 80, 128, 32, 800, 600}},
  };
  for (const Button& b : buttons) {
    const Picture& mask = Texture(b.mask);
    for (const auto& [region, at] : {std::pair{b.small, b.smallAt}, std::pair{b.large, b.largeAt}}) {
      const auto points = RegionPoints(region, at, 8);
      ASSERT_FALSE(points.empty()) << b.name;
      for (const auto& [u, v] : points)
        EXPECT_LT(TexelAt(mask, u, v, 0), 40) << b.name << " at texture " << u << "," << v;
    }
  }
}

TEST(AssetgenTextures, BackdropWindowShowsTheWholeProjectedBoard) {
  // The camera: 45 degrees vertically at aspect 4:3; cells one unit square, centred on
  // (c - 2, 4.65 - r, -11) for rows 1 to 8 and columns 0 to 7.
  const double f = 1 / std::tan(22.5 * std::numbers::pi / 180), aspect = 4.0 / 3.0, depth = 11;
  const Picture& mask = Texture(TexBackdropMask);
  const Picture& image = Texture(TexBackdropImage);
  for (int i = 0; i <= 8; ++i)
    for (int j = 0; j <= 8; ++j) {
      const double x = -2.5 + i, y = 4.65 - 0.5 - j;
      const double u = (f / aspect * x / depth + 1) / 2, v = (f * y / depth + 1) / 2;
      EXPECT_GE(TexelAt(mask, u, v, 0), 250) << "board corner " << i << "," << j << " is covered";
      EXPECT_LE(TexelAt(image, u, v, 1), 2) << "board corner " << i << "," << j << " is painted over";
    }
}

TEST(AssetgenTextures, BackdropIsSolidBehindTheSidePanelAndDarkWhereNumbersArePrinted) {
  const Picture& mask = Texture(TexBackdropMask);
  const Picture& image = Texture(TexBackdropImage);
  // Side-panel rectangles of both layouts, as fractions of the window.
  const Placed panel[] = {{85, 140, 80, 120, 640, 480},  {50, 380, 120, 40, 640, 480},  {55, 295, 120, 40, 640, 480},
                          {55, 330, 120, 40, 640, 480},  {50, 60, 120, 40, 640, 480},   {50, 20, 120, 40, 640, 480},
                          {108, 175, 100, 150, 800, 600}, {65, 475, 150, 50, 800, 600}, {65, 370, 150, 50, 800, 600},
                          {65, 415, 150, 50, 800, 600},  {60, 75, 150, 50, 800, 600},   {60, 20, 150, 50, 800, 600}};
  for (const Placed& r : panel)
    for (double a = 0; a <= 1; a += 0.125)
      for (double b = 0; b <= 1; b += 0.125)
        EXPECT_EQ(TexelAt(mask, (r.x + a * r.w) / r.spaceWide, (r.y + b * r.h) / r.spaceHigh, 0), 0)
            << "side panel rectangle at " << r.x << "," << r.y << " of " << r.spaceWide;

  // The score (up to five digits, inked between x 93 and 162 of the text space, glyphs 437 to
  // 456 high) and the level (inked from x 590 to 617, 4 to 23) are white text added to the frame.
  const Placed numbers[] = {{93, 439, 69, 15, 640, 480}, {589, 6, 29, 15, 640, 480}};
  for (const Placed& r : numbers)
    for (double a = 0; a <= 1; a += 0.1)
      for (double b = 0; b <= 1; b += 0.1) {
        const double u = (r.x + a * r.w) / r.spaceWide, v = (r.y + b * r.h) / r.spaceHigh;
        EXPECT_EQ(TexelAt(mask, u, v, 0), 0);
        const int x = static_cast<int>(u * image.width), y = static_cast<int>(v * image.height);
        EXPECT_LT(Luminance(image, x, y), 0.3f) << "number place at " << r.x << "," << r.y;
      }
}

TEST(AssetgenTextures, FontSheetHoldsEveryPrintableLetterInItsCellInBothSets) {
  const Picture& sheet = Texture(TexFontSheet);
  ASSERT_EQ(sheet.width, sheet.height);
  const int cell = sheet.width / 16;
  // Letters 14 units apart in 19-unit quads touch only if ink reaches 7 units from the middle.
  const double halfAdvance = 7.0 / 19 * cell;
  for (int glyph = 0; glyph < 256; ++glyph) {
    const int row = glyph / 16, column = glyph % 16;
    const int code = 32 + (glyph & 127);
    const bool inSet = row < 6 || (row >= 8 && row < 14);
    const bool drawn = inSet && code > 32 && code < 127 && code != '$';
    int brightest = 0, inkLeft = cell, inkRight = -1, edge = 0;
    for (int y = 0; y < cell; ++y)
      for (int x = 0; x < cell; ++x) {
        const int tx = column * cell + x, ty = (15 - row) * cell + y;
        const int v = Texel(sheet, tx, ty, 0);
        ASSERT_EQ(v, Texel(sheet, tx, ty, 1));
        ASSERT_EQ(v, Texel(sheet, tx, ty, 2));
        brightest = std::max(brightest, v);
        if (x == 0 || y == 0 || x == cell - 1 || y == cell - 1) edge = std::max(edge, v);
        if (v > 16) inkLeft = std::min(inkLeft, x), inkRight = std::max(inkRight, x);
      }
    EXPECT_EQ(edge, 0) << "glyph " << glyph << " reaches the edge of its cell";
    if (!drawn) {
      EXPECT_EQ(brightest, 0) << "glyph " << glyph << " should be blank";
      continue;
    }
    EXPECT_GE(brightest, 220) << "character " << static_cast<char>(code) << " has no ink";
    EXPECT_GE(inkLeft, cell / 2.0 - halfAdvance) << "character " << static_cast<char>(code);
    EXPECT_LE(inkRight + 1, cell / 2.0 + halfAdvance) << "character " << static_cast<char>(code);
  }
  for (int y = 0; y < 6 * cell; ++y)
    for (int x = 0; x < sheet.width; ++x)
      ASSERT_EQ(Texel(sheet, x, sheet.height - 1 - y, 0), Texel(sheet, x, sheet.height - 1 - 8 * cell - y, 0))
          << "the second set differs at " << x << "," << y;
}

TEST(AssetgenTextures, BoardBackgroundsTileWithoutSeamsAndStayQuiet) {
  // Across the tile's edge the picture changes no more than between any two neighbouring
  // columns (or rows) inside it.
  for (const TextureIndex index : {TexBoardBackground0, TexBoardBackground1, TexBoardBackground2,
                                   TexBoardBackground3, TexBoardBackground4, TexBoardBackground5}) {
    const Picture& p = Texture(index);
    std::vector<double> columnStep(p.width, 0), rowStep(p.height, 0);
    double sum = 0, sumSquares = 0;
    const int n = p.width * p.height;
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x) {
        const double l = Luminance(p, x, y);
        sum += l;
        sumSquares += l * l;
        columnStep[x] += std::fabs(l - Luminance(p, (x + 1) % p.width, y)) / p.height;
        rowStep[y] += std::fabs(l - Luminance(p, x, (y + 1) % p.height)) / p.width;
      }
    const double mean = sum / n;
    EXPECT_LE(columnStep.back(), 1.1 * *std::max_element(columnStep.begin(), columnStep.end() - 1) + 0.005)
        << "background " << index << " has a seam across";
    EXPECT_LE(rowStep.back(), 1.1 * *std::max_element(rowStep.begin(), rowStep.end() - 1) + 0.005)
        << "background " << index << " has a seam down";
    EXPECT_GT(mean, 0.08) << "background " << index << " is too dark";
    EXPECT_LT(mean, 0.4) << "background " << index << " is too bright for light numbers";
    EXPECT_LT(std::sqrt(sumSquares / n - mean * mean), 0.08) << "background " << index << " is too busy";
  }
}

TEST(AssetgenTextures, BannersAreBrightLetteringOnBlack) {
  for (const TextureIndex index :
       {TexLevelCompleteBanner, TexGameOverBanner, TexExcellentBanner, TexNoMovesBanner}) {
    const Picture& p = Texture(index);
    int edge = 0, brightest = 0;
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x)
        for (int c = 0; c < 3; ++c) {
          const int v = Texel(p, x, y, c);
          brightest = std::max(brightest, v);
          if (x < 2 || y < 2 || x >= p.width - 2 || y >= p.height - 2) edge = std::max(edge, v);
        }
    EXPECT_LE(edge, 2) << "banner " << index << " would show the edge of its quad";
    EXPECT_GE(brightest, 240) << "banner " << index;
  }
}

TEST(AssetgenTextures, OptionRowsBlendIntoTheOptionsPanel) {
  // Panel 300 by 330 at (265, 150); rows 256 by 32 at x 287 and these heights. The corners of
  // each row and the middles of its top and bottom edges show the panel's own colour.
  const Picture& panel = Texture(TexOptionsPanel);
  const struct {
    int y;
    std::vector<TextureIndex> rows;
  } places[] = {{385, {TexHighScoresRowIdle, TexHighScoresRowHover}},
                {350, {TexDisplayRowWindowed, TexDisplayRowFullscreen}},
                {315, {TexMusicRowOff, TexMusicRowOn}},
                {280, {TexSoundRowOff, TexSoundRowOn}},
                {245, {TexHelpRowIdle, TexHelpRowHover}}};
  for (const auto& place : places)
    for (const TextureIndex index : place.rows) {
      const Picture& row = Texture(index);
      for (const auto& [x, y] : {std::pair{0, 0}, std::pair{row.width - 1, 0}, std::pair{0, row.height - 1},
                                 std::pair{row.width - 1, row.height - 1}, std::pair{row.width / 2, 0},
                                 std::pair{row.width / 2, row.height - 1}}) {
        const double u = (287 + (x + 0.5) * 256.0 / row.width - 265) / 300;
        const double v = (place.y + (y + 0.5) * 32.0 / row.height - 150) / 330;
        for (int c = 0; c < 3; ++c)
          EXPECT_NEAR(Texel(row, x, y, c), TexelAt(panel, u, v, c), 8) << "row " << index << " at " << x << "," << y;
      }
    }
}
