#include "ui/hit_test.h"

#include "core/game_state.h"
#include "core/picture_rect.h"

namespace {

// Cells are 54 pixels square.
constexpr ScreenLayout WindowedLayout = {
    .width = 640,
    .height = 480,
    .columns = {.first = 181, .last = 614, .shift = 31, .cellSize = 54, .base = -4},
    .rows = {.first = 19, .last = 449, .shift = -15, .cellSize = 54, .base = 1},
    .newGame = {46, 164, 61, 99},
    .levels = {51, 154, 111, 139},
    .timed = {51, 154, 146, 174},
    .hint = {86, 164, 221, 324},
    .options = {46, 164, 381, 419},
    .quit = {46, 164, 421, 459},
    .yes = {288, 409, 196, 224},
    .no = {418, 539, 196, 224},
    .ok = {341, 469, 391, 419},
    .highScoresRow = {287, 544, 61, 94},
    .displayRow = {287, 544, 98, 129},
    .musicRow = {287, 544, 133, 164},
    .soundRow = {287, 544, 168, 199},
    .helpRow = {287, 544, 203, 234},
    .back = {351, 477, 283, 314},
};

// Cells are 67 pixels square. Row 1 starts a pixel above its cell's top (y 21 rather than
// 22), since the division truncates towards zero.
constexpr ScreenLayout FullscreenLayout = {
    .width = 800,
    .height = 600,
    .columns = {.first = 211, .last = 789, .shift = 35, .cellSize = 67, .base = -4},
    .rows = {.first = 21, .last = 574, .shift = -22, .cellSize = 67, .base = 1},
    .newGame = {66, 199, 76, 124},
    .levels = {66, 194, 136, 174},
    .timed = {66, 194, 181, 219},
    .hint = {108, 206, 276, 405},
    .options = {61, 199, 476, 524},
    .quit = {61, 199, 531, 579},
    .yes = {288, 409, 311, 344},
    .no = {418, 539, 311, 344},
    .ok = {381, 509, 486, 514},
    .highScoresRow = {287, 544, 181, 215},
    .displayRow = {287, 544, 218, 248},
    .musicRow = {287, 544, 253, 283},
    .soundRow = {287, 544, 288, 318},
    .helpRow = {287, 544, 323, 353},
    .back = {351, 477, 403, 434},
};

// Along one axis: the layout pixel under the centre of client pixel `position`, the picture
// spanning `length` client pixels from `start` and `layoutLength` layout pixels. Rounded down,
// so that a position before the picture maps below 0.
int LayoutOnAxis(int position, int start, int length, int layoutLength) {
  const long long scaled = (2LL * (position - start) + 1) * layoutLength;
  const long long divisor = 2LL * length;
  const long long quotient = scaled / divisor;
  return static_cast<int>(scaled % divisor < 0 ? quotient - 1 : quotient);
}

int CellOnAxis(const BoardAxis& axis, int position) {
  if (position < axis.first || position > axis.last) return NoCell;
  return (position + axis.shift) / axis.cellSize + axis.base;
}

int HoverState(const PixelRect& rect) { return PointerIn(rect) ? ButtonUnderPointer : ButtonIdle; }

// The current mode's button always shows pressed, also under the pointer; the other one
// lights up under the pointer.
int ModeButtonState(int state, const PixelRect& rect, bool currentMode) {
  if (state != ButtonPressed && PointerIn(rect)) return ButtonUnderPointer;
  return currentMode ? ButtonPressed : ButtonIdle;
}

}  // namespace

const ScreenLayout& CurrentLayout() { return Game.Fullscreen ? FullscreenLayout : WindowedLayout; }

LayoutPoint PointerInLayout(int x, int y) {
  if (Game.ClientWidth <= 0 || Game.ClientHeight <= 0) return {x, y};
  const ScreenLayout& layout = CurrentLayout();
  const PictureRect picture = FitPicture(Game.ClientWidth, Game.ClientHeight);
  return {LayoutOnAxis(x, picture.left, picture.width, layout.width),
          LayoutOnAxis(y, picture.top, picture.height, layout.height)};
}

bool PointerIn(const PixelRect& rect) {
  const int x = Game.PointerX;
  const int y = Game.PointerY;
  return x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom;
}

void UpdatePlayingHover() {
  GameState& g = Game;
  const ScreenLayout& layout = CurrentLayout();
  g.HoverColumn = CellOnAxis(layout.columns, g.PointerX);
  g.HoverRow = CellOnAxis(layout.rows, g.PointerY);
  g.NewGameButton = HoverState(layout.newGame);
  g.TimedButton = ModeButtonState(g.TimedButton, layout.timed, g.ModeIndex == Timed);
  g.LevelsButton = ModeButtonState(g.LevelsButton, layout.levels, g.ModeIndex == Levels);
  g.HintButtonHover = PointerIn(layout.hint);
  g.OptionsButton = HoverState(layout.options);
  g.QuitButton = HoverState(layout.quit);
}

void UpdatePanelHover() {
  GameState& g = Game;
  const ScreenLayout& layout = CurrentLayout();
  switch (g.Screen) {
    case ConfirmNewGame:
    case ResumePrompt:
    case ConfirmQuit:
      g.DialogButton1Hover = PointerIn(layout.yes);
      g.DialogButton2Hover = PointerIn(layout.no);
      break;
    case HighScores:
      g.DialogButton1Hover = PointerIn(layout.ok);
      break;
    case Options:
      g.HighScoresRowHover = PointerIn(layout.highScoresRow);
      g.HelpRowHover = PointerIn(layout.helpRow);
      g.DialogButton1Hover = PointerIn(layout.back);
      break;
    default:  // NameEntry is typed, not pointed at
      break;
  }
}
