// The bitmap font: 256 display lists made from the glyph sheet (TexFontSheet) and a printf-style
// printer in the 640 by 480 text space shared by both layouts.
#pragma once

// Makes the 256 glyph lists; sets Game.FontBase.
void CreateFontLists();
// Deletes the 256 glyph lists.
void DeleteFontLists();
// Prints formatted text with its first glyph's bottom left at (x, y) of the text space, in
// character set 0 or 1 (larger sets draw set 1). Colour and blending are the caller's; depth
// testing is left enabled and the glyph sheet bound.
void PrintText(int x, int y, int set, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
