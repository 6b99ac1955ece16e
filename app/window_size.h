// The size the windowed game window opens at: the 640 by 480 client area, times the whole
// number by which the desktop scales everything, as far as the display has room for it.
#pragma once

// The scale the desktop announces: GDK_SCALE when it holds a whole number of 1 or more (given
// as the variable's text, null when unset), else 2 for a display of 192 DPI or more (0 when
// unknown), else 1.
int AnnouncedScale(const char* gdkScale, float dpi);

// The largest multiple up to `scale` of a width by height client area that fits the usable
// display area; 1 when not even that fits.
int FittingScale(int scale, int width, int height, int usableWidth, int usableHeight);
