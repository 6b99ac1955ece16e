#include "tools/assetgen/lettering.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace assetgen {

const char* FaceFile(Face face) {
  return face == Face::Display ? "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf"
                               : "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
}

namespace {

// The FreeType library and both faces, opened on first use for the life of the generator.
class FontShelf {
 public:
  FontShelf() {
    if (FT_Init_FreeType(&library_)) throw std::runtime_error("cannot start FreeType");
    for (Face f : {Face::Display, Face::Clear})
      if (FT_New_Face(library_, FaceFile(f), 0, &faces_[Index(f)]))
        throw std::runtime_error(std::string("cannot open font ") + FaceFile(f));
  }
  ~FontShelf() {
    for (FT_Face f : faces_) FT_Done_Face(f);
    FT_Done_FreeType(library_);
  }
  FontShelf(const FontShelf&) = delete;
  FontShelf& operator=(const FontShelf&) = delete;

  // The face set up for `style` at `scale` pixels per unit.
  FT_Face Prepare(const TextStyle& style, float scale) {
    FT_Face face = faces_[Index(style.face)];
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(style.size * scale * 64)), 72, 72);
    FT_Matrix squeeze{static_cast<FT_Fixed>(std::lround(style.squeeze * 65536)), 0, 0, 0x10000};
    FT_Set_Transform(face, &squeeze, nullptr);
    return face;
  }
  FT_Face Raw(Face f) { return faces_[Index(f)]; }

 private:
  static int Index(Face f) { return f == Face::Display ? 0 : 1; }
  FT_Library library_ = nullptr;
  FT_Face faces_[2] = {nullptr, nullptr};
};

FontShelf& Shelf() {
  static FontShelf shelf;
  return shelf;
}

constexpr FT_Int32 LoadFlags = FT_LOAD_NO_HINTING | FT_LOAD_RENDER;

// Walks the text, calling visit(glyph slot, pen x in 26.6 pixels) for each character, and
// returns the total advance in 26.6 pixels.
template <typename Visit>
long Typeset(FT_Face face, const std::string& text, const TextStyle& style, float scale, Visit visit) {
  long pen = 0;
  FT_UInt previous = 0;
  const long tracking = std::lround(style.tracking * scale * 64);
  for (size_t i = 0; i < text.size(); ++i) {
    const FT_UInt index = FT_Get_Char_Index(face, static_cast<unsigned char>(text[i]));
    if (previous && index) {
      FT_Vector kern;
      if (!FT_Get_Kerning(face, previous, index, FT_KERNING_UNFITTED, &kern))
        pen += std::lround(kern.x * style.squeeze);
    }
    if (FT_Load_Glyph(face, index, LoadFlags)) throw std::runtime_error("cannot render a glyph");
    visit(face->glyph, pen);
    pen += face->glyph->advance.x + (i + 1 < text.size() ? tracking : 0);
    previous = index;
  }
  return pen;
}

}  // namespace

float TextWidth(const std::string& text, const TextStyle& style, float scale) {
  FT_Face face = Shelf().Prepare(style, scale);
  return Typeset(face, text, style, scale, [](FT_GlyphSlot, long) {}) / 64.0f / scale;
}

float CapHeight(const TextStyle& style) {
  FT_Face face = Shelf().Raw(style.face);
  FT_Set_Transform(face, nullptr, nullptr);
  if (FT_Load_Char(face, 'H', FT_LOAD_NO_SCALE)) throw std::runtime_error("no capital H");
  return style.size * face->glyph->metrics.height / static_cast<float>(face->units_per_EM);
}

Field TextCoverage(const Canvas& canvas, const std::string& text, const TextStyle& style,
                   float x, float baseline, Align align) {
  const float scale = canvas.Scale();
  const float width = TextWidth(text, style, scale) * scale;
  float left = x * scale;
  if (align == Align::Centre) left -= width / 2;
  if (align == Align::Right) left -= width;

  FT_Face face = Shelf().Prepare(style, scale);
  const int ascent = static_cast<int>(std::ceil(face->size->metrics.ascender / 64.0)) + 2;
  const int descent = static_cast<int>(std::ceil(-face->size->metrics.descender / 64.0)) + 2;
  const int pad = static_cast<int>(std::ceil(style.size * scale * 0.3f)) + 2;
  Field f;
  f.x0 = static_cast<int>(std::floor(left)) - pad;
  f.y0 = static_cast<int>(std::lround(baseline * scale)) - ascent;
  f.width = static_cast<int>(std::ceil(width)) + 2 * pad;
  f.height = ascent + descent;
  f.v.assign(static_cast<size_t>(f.width) * f.height, 0.0f);
  const int originX = static_cast<int>(std::floor(left)) - f.x0;
  Typeset(face, text, style, scale, [&](FT_GlyphSlot g, long pen) {
    const FT_Bitmap& bm = g->bitmap;
    const int gx = originX + static_cast<int>(std::lround(pen / 64.0)) + g->bitmap_left;
    const int gy = ascent - g->bitmap_top;
    for (unsigned row = 0; row < bm.rows; ++row)
      for (unsigned col = 0; col < bm.width; ++col) {
        const int px = gx + static_cast<int>(col), py = gy + static_cast<int>(row);
        if (px < 0 || py < 0 || px >= f.width || py >= f.height) continue;
        float& v = f.v[static_cast<size_t>(py) * f.width + px];
        v = std::max(v, bm.buffer[row * bm.pitch + col] / 255.0f);
      }
  });
  return f;
}

Field CentredText(const Canvas& canvas, const std::string& text, const TextStyle& style, float x,
                  float y) {
  return TextCoverage(canvas, text, style, x, y + CapHeight(style) / 2, Align::Centre);
}

}  // namespace assetgen
