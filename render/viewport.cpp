#include "render/viewport.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "render/picture.h"

void ResizeScene(int width, int height) {
  ForgetShownPicture();
  if (height == 0) height = 1;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(width) / static_cast<double>(height), 0.1f, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
