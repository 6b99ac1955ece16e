#include "render/font.h"

#include <GL/gl.h>

#include <cstdarg>
#include <cstdio>

#include "assets/texture_index.h"
#include "core/game_state.h"

namespace {

constexpr int GlyphCount = 256;
constexpr float CellSize = 0.0625f;  // one of 16 cells across and down the glyph sheet
constexpr float GlyphSize = 19.0f;  // text units of one glyph quad
constexpr int GlyphAdvance = 14;    // pen movement after each glyph; neighbours overlap by 5
constexpr int TextBufferSize = 256;

}  // namespace

// The glyphs' vertices have the layout of the flat quads', so that one vertex shader of the
// driver draws both.
void CreateFontLists() {
  Game.FontBase = glGenLists(GlyphCount);
  glBindTexture(GL_TEXTURE_2D, Game.TextureSet[TexFontSheet]);
  for (int glyph = 0; glyph < GlyphCount; ++glyph) {
    const float left = static_cast<float>(glyph % 16) * CellSize;
    const float top = 1.0f - static_cast<float>(glyph / 16) * CellSize;
    const float bottom = top - CellSize;
    const float right = left + CellSize;
    glNewList(Game.FontBase + glyph, GL_COMPILE);
    glBegin(GL_QUADS);
    glTexCoord2f(left, bottom);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glTexCoord2f(right, bottom);
    glVertex3f(GlyphSize, 0.0f, 0.0f);
    glTexCoord2f(right, top);
    glVertex3f(GlyphSize, GlyphSize, 0.0f);
    glTexCoord2f(left, top);
    glVertex3f(0.0f, GlyphSize, 0.0f);
    glEnd();
    glTranslated(GlyphAdvance, 0.0, 0.0);
    glEndList();
  }
}

void DeleteFontLists() {
  if (Game.FontBase == 0) return;
  glDeleteLists(Game.FontBase, GlyphCount);
  Game.FontBase = 0;
}

void PrintText(int x, int y, int set, const char* format, ...) {
  if (!format) return;
  char text[TextBufferSize];
  va_list values;
  va_start(values, format);
  const int formatted = std::vsnprintf(text, sizeof text, format, values);
  va_end(values);
  if (formatted < 0) return;
  int length = 0;
  for (; text[length] != '\0'; ++length) {
    // The sheet holds glyphs for the characters 32 to 127 only; any other character would
    // call a list outside the font, so it prints as a space.
    const signed char c = static_cast<signed char>(text[length]);
    if (c < 32) text[length] = ' ';
  }

  glBindTexture(GL_TEXTURE_2D, Game.TextureSet[TexFontSheet]);
  glDisable(GL_DEPTH_TEST);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, 640.0, 0.0, 480.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glTranslated(x, y, 0.0);
  if (set > 1) set = 1;
  if (set < 0) set = 0;  // below set 0 the base would reach lists that are not glyphs
  glListBase(Game.FontBase - 32 + 128 * set);
  glCallLists(length, GL_BYTE, text);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glEnable(GL_DEPTH_TEST);
}
