// Anti-aliased lettering for the artwork, rasterised with FreeType from Debian's fonts.
#pragma once

#include <string>

#include "tools/assetgen/raster.h"

namespace assetgen {

enum class Face {
  Display,  // the rounded display face for buttons, titles and banners
  Clear,    // the plain bold face for small text and the font sheet
};

enum class Align { Left, Centre, Right };

struct TextStyle {
  Face face = Face::Display;
  float size = 16;        // em size in canvas units
  float squeeze = 1.0f;   // horizontal scale of the letter shapes
  float tracking = 0.0f;  // extra space between letters, in units
};

// Width in units of `text` set in `style` on a canvas of the given scale.
float TextWidth(const std::string& text, const TextStyle& style, float scale);
// Height in units of a capital letter of the face (for vertical centring).
float CapHeight(const TextStyle& style);

// Coverage of the text with its baseline at y and its left edge, centre or right edge at x.
Field TextCoverage(const Canvas& canvas, const std::string& text, const TextStyle& style,
                   float x, float baseline, Align align);
// The text centred on (x, y): the middle of its capitals lies at y.
Field CentredText(const Canvas& canvas, const std::string& text, const TextStyle& style, float x,
                  float y);

// The font files the artwork uses, so tests and tools can check they are present.
const char* FaceFile(Face face);

}  // namespace assetgen
