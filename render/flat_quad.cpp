#include "render/flat_quad.h"

#include <GL/gl.h>

void DrawFlatQuad(const FlatRect& rect) {
  glTranslatef(rect.x, rect.y, 0.0f);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(0.0f, 0.0f, 0.0f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f(rect.width, 0.0f, 0.0f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(rect.width, rect.height, 0.0f);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(0.0f, rect.height, 0.0f);
  glEnd();
  glTranslatef(-rect.x, -rect.y, 0.0f);
}
