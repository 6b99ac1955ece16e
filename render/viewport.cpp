#include "render/viewport.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "assets/textures.h"
#include "core/game_state.h"
#include "core/picture_rect.h"
#include "render/picture.h"

void ResizeScene(int width, int height) {
  ForgetShownPicture();
  if (height == 0) height = 1;
  Game.ClientWidth = width;
  Game.ClientHeight = height;
  // Every projection of the frame maps onto the viewport, so the board's perspective, the
  // layout's space, the text space and the bar's space all keep to the picture's rectangle.
  // The frame's clear still covers the whole window, which leaves the bars black.
  const PictureRect picture = FitPicture(width, height);
  glViewport(picture.left, height - picture.top - picture.height, picture.width, picture.height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(picture.width) / static_cast<double>(picture.height),
                 0.1f, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  FitTexturesToPicture(picture.height);
}
