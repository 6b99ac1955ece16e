// The viewport and the board's perspective projection for the window's client area.
#pragma once

// Viewport and perspective projection for a client area of this size.
void ResizeScene(int width, int height);
