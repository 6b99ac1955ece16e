// Where the board and every control lie in the two screen layouts (640 by 480 windowed, 800
// by 600 fullscreen), and the hover states that follow the pointer. Positions are the layout's
// pixels, origin top left, y growing downwards; pointer positions come in as client pixels and
// are mapped into them first.
#pragma once

// A rectangle of layout pixels, inclusive on all four edges.
struct PixelRect {
  int left;
  int right;
  int top;
  int bottom;
};

// One axis of the board: a pointer coordinate p in [first, last] lies over cell
// (p + shift) / cellSize + base, with truncating division; elsewhere over none. The spans
// include a strip beside the play field that gives column -1 or 8 or row 9, which the board
// ignores.
struct BoardAxis {
  int first;
  int last;
  int shift;
  int cellSize;
  int base;
};

struct ScreenLayout {
  int width;
  int height;
  BoardAxis columns;
  BoardAxis rows;
  // Side panel on Playing.
  PixelRect newGame;
  PixelRect levels;
  PixelRect timed;
  PixelRect hint;
  PixelRect options;
  PixelRect quit;
  // The two questions and the start-up question.
  PixelRect yes;
  PixelRect no;
  // HighScores.
  PixelRect ok;
  // Options.
  PixelRect highScoresRow;
  PixelRect displayRow;
  PixelRect musicRow;
  PixelRect soundRow;
  PixelRect helpRow;
  PixelRect back;
};

// The layout in force: the 800 by 600 one while Fullscreen is set, whatever the client size.
const ScreenLayout& CurrentLayout();

struct LayoutPoint {
  int x;
  int y;
};

// The pixel of the current layout under client pixel (x, y): the picture fills the largest
// 4:3 rectangle of the client area, so a position on the bars beside it lies outside the
// layout, and with it outside every control and cell. Before any window has been sized, the
// position is taken as it is.
LayoutPoint PointerInLayout(int x, int y);

// Whether PointerX, PointerY lies inside `rect`.
bool PointerIn(const PixelRect& rect);

// On Playing: the board cell under the pointer and the six side-button states.
void UpdatePlayingHover();
// On the other screens: the hover flags of the controls of the screen on show.
void UpdatePanelHover();
