// Textured quads of the flat layers, placed in the current orthographic space.
#pragma once

struct FlatRect {
  float x, y, width, height;
};

// The whole texture over the rectangle, drawn at depth 0 by translating the model-view
// matrix to the rectangle's corner and back. The vertex and texture-coordinate arrays stay
// enabled after it, on the quad's own array; nothing else draws from arrays.
void DrawFlatQuad(const FlatRect& rect);
