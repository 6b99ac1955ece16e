// The viewport and the board's perspective projection for the window's client area.
#pragma once

// Records the client area's size, and sets the viewport to the picture's 4:3 rectangle in it
// with the perspective projection of that rectangle's aspect; a picture grown tall enough to
// draw the backdrop's largest level gets it.
void ResizeScene(int width, int height);
