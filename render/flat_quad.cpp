#include "render/flat_quad.h"

#include <GL/gl.h>

namespace {

// Each vertex is its position, then its texture coordinate. Drawn from an array rather than
// vertex by vertex, the quad's vertices have the layout of the board's and the glyphs' lists,
// so that the driver shades all of them with one vertex shader. The array stays in one place
// and stays enabled: a driver may lay out arrays that keep changing place differently, with a
// vertex shader of its own, and the first frame would wait for it.
GLfloat QuadVertices[4][5] = {{0.0f, 0.0f, 0.0f, 0.0f, 0.0f},
                              {1.0f, 0.0f, 0.0f, 1.0f, 0.0f},
                              {1.0f, 1.0f, 0.0f, 1.0f, 1.0f},
                              {0.0f, 1.0f, 0.0f, 0.0f, 1.0f}};

}  // namespace

void DrawFlatQuad(const FlatRect& rect) {
  QuadVertices[1][0] = rect.width;
  QuadVertices[2][0] = rect.width;
  QuadVertices[2][1] = rect.height;
  QuadVertices[3][1] = rect.height;
  glTranslatef(rect.x, rect.y, 0.0f);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(3, GL_FLOAT, sizeof QuadVertices[0], QuadVertices[0]);
  glTexCoordPointer(2, GL_FLOAT, sizeof QuadVertices[0], QuadVertices[0] + 3);
  glDrawArrays(GL_QUADS, 0, 4);
  glTranslatef(-rect.x, -rect.y, 0.0f);
}
