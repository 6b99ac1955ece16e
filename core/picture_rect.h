// Where the picture lies in the window: the largest 4:3 rectangle centred in the client area.
// The viewport is set to it and pointer positions are mapped through it, so the layouts keep
// their shape at every window size; the rest of the client area stays black.
#pragma once

// A rectangle of client pixels, origin at the top left of the client area.
struct PictureRect {
  int left;
  int top;
  int width;
  int height;
};

// The picture's rectangle in a client area of this size: 4:3 as nearly as whole pixels allow,
// with bars at the sides or at the top and bottom. It is at least one pixel each way, even for
// an empty client area, so that nothing divides by zero.
PictureRect FitPicture(int clientWidth, int clientHeight);
