#include "core/picture_rect.h"

#include <algorithm>

PictureRect FitPicture(int clientWidth, int clientHeight) {
  int width = clientWidth;
  int height = clientHeight;
  if (clientWidth * 3 >= clientHeight * 4) {
    width = (clientHeight * 8 + 3) / 6;  // 4/3 of the height, rounded
  } else {
    height = (clientWidth * 3 + 2) / 4;  // 3/4 of the width, rounded
  }
  width = std::max(width, 1);
  height = std::max(height, 1);
  return {(clientWidth - width) / 2, (clientHeight - height) / 2, width, height};
}
