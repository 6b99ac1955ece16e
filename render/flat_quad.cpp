#include "render/flat_quad.h"

#include <GL/gl.h>

// Each vertex is its position, then its texture coordinate. Drawn from an array rather than
// vertex by vertex, the quad's vertices have the layout of the board's and the glyphs' lists,
// so that the driver shades all of them with one vertex shader: the first frame waits for one
// shader fewer.
void DrawFlatQuad(const FlatRect& rect) {
  const GLfloat vertices[4][5] = {{0.0f, 0.0f, 0.0f, 0.0f, 0.0f},
                                  {rect.width, 0.0f, 0.0f, 1.0f, 0.0f},
                                  {rect.width, rect.height, 0.0f, 1.0f, 1.0f},
                                  {0.0f, rect.height, 0.0f, 0.0f, 1.0f}};
  glTranslatef(rect.x, rect.y, 0.0f);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(3, GL_FLOAT, sizeof vertices[0], vertices[0]);
  glTexCoordPointer(2, GL_FLOAT, sizeof vertices[0], vertices[0] + 3);
  glDrawArrays(GL_QUADS, 0, 4);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  glTranslatef(-rect.x, -rect.y, 0.0f);
}
