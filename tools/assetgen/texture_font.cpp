// The font sheet: 16 by 16 cells, white letters on black (the game adds them to the frame).
// Characters 32 to 127 fill cell rows 0 to 5 and, for the second character set, rows 8 to 13.
// Each cell is drawn as a 19 by 19 quad and the pen moves 14 units per letter, so every letter
// is centred in its cell and kept narrower than the advance; a black margin round each cell
// keeps neighbours from bleeding in under linear filtering and mipmaps.
#include <algorithm>
#include <string>

#include "tools/assetgen/lettering.h"
#include "tools/assetgen/texture_art.h"

namespace assetgen {

namespace {

constexpr int SheetSize = 512;
constexpr float Cell = 19;         // one glyph quad, in text units
constexpr float Baseline = 14.4f;  // from the top of the cell
constexpr float InkCentre = 9.5f;
constexpr float MaxInkWidth = 12.0f;  // leaves at least 2 units between letters at 14 apart
constexpr float Margin = 0.8f;
constexpr float EmSize = 17.0f;

// The horizontal extent of the ink of a field, in canvas pixels; empty when width is 0.
struct Extent {
  int left = 0, width = 0;
};

Extent InkExtent(const Field& f) {
  int lo = f.width, hi = -1;
  for (int y = 0; y < f.height; ++y)
    for (int x = 0; x < f.width; ++x)
      if (f.v[static_cast<size_t>(y) * f.width + x] > 0.02f) {
        lo = std::min(lo, x);
        hi = std::max(hi, x);
      }
  if (hi < lo) return {};
  return {f.x0 + lo, hi - lo + 1};
}

// The character drawn in a glyph cell: none for the space, the "$" that pads names (so a name
// reads as typed) and the last code, 127.
bool HasGlyph(int code) { return code > 32 && code < 127 && code != '$'; }

}  // namespace

void MakeFontSheet(const std::filesystem::path& outputFolder) {
  Canvas c(16 * Cell, 16 * Cell, SheetSize * 4 / (16 * Cell));
  c.Flood(Solid({0, 0, 0}));
  for (int glyph = 0; glyph < 256; ++glyph) {
    const int row = glyph / 16, column = glyph % 16;
    const bool inSet = row < 6 || (row >= 8 && row < 14);
    const int code = 32 + (glyph & 127);
    if (!inSet || !HasGlyph(code)) continue;
    const float cellX = column * Cell, cellY = row * Cell;
    const std::string text(1, static_cast<char>(code));

    TextStyle style{Face::Clear, EmSize};
    Field ink = TextCoverage(c, text, style, 0, cellY + Baseline, Align::Left);
    Extent e = InkExtent(ink);
    if (e.width > MaxInkWidth * c.Scale()) {
      style.squeeze = MaxInkWidth * c.Scale() / e.width;
      ink = TextCoverage(c, text, style, 0, cellY + Baseline, Align::Left);
      e = InkExtent(ink);
    }
    const float centre = (cellX + InkCentre) * c.Scale();
    ink = Shifted(ink, static_cast<int>(centre - (e.left + e.width / 2.0f)), 0);
    const Field cellWindow =
        c.Cover(RoundedRect(cellX + Margin, cellY + Margin, cellX + Cell - Margin, cellY + Cell - Margin, 0));
    c.Fill(Within(ink, cellWindow), Solid({1, 1, 1}));
  }
  SaveImage(outputFolder, TexFontSheet, c, SheetSize, SheetSize);
}

}  // namespace assetgen
