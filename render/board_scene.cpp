#include "render/board_scene.h"

#include <GL/gl.h>

#include "assets/texture_index.h"
#include "assets/textures.h"
#include "render/flat_quad.h"

std::unique_ptr<MilkshapeModel> FruitModels[FruitKinds];

namespace {

// Display lists of the fruit models, valid in the context that compiled them; compiled when
// the board first draws a fruit, so that a first picture without fruit does not wait for them.
GLuint FruitLists[FruitKinds] = {};
bool FruitListsCompiled = false;

// The keyboard cursor's mark, a masked picture of one cell; 0 while its files did not load.
GLuint CursorMarkMask = 0;
GLuint CursorMarkImage = 0;
// The mark lies behind the fruit, which stand at depth 11, and in front of the background at
// 11.7; it is grown by its depth over the fruit's so that it frames exactly one cell.
constexpr float CursorMarkDepth = 11.5f;
constexpr float CursorMarkGrowth = CursorMarkDepth / 11.0f;

// Background texture by BackgroundIndex.
constexpr TextureIndex BackgroundTextures[] = {TexBoardBackground0, TexBoardBackground1,
                                               TexBoardBackground2, TexBoardBackground3,
                                               TexBoardBackground4, TexBoardBackground5};
constexpr float MarkerTurn = 5.0f;  // degrees per unit of FrameSpeed

bool CellMarked(int column, int row) {
  for (const RemovalMark& mark : Game.RemovalMarks) {
    if (mark.active && mark.column == column && mark.row == row) return true;
  }
  return false;
}

// Turns a shown marker by one step; at the end of a turn it starts again from 0, or stops
// there when asked to.
void SpinMarker(bool& shown, bool& stopping, float& angle) {
  if (angle < 360.0f) {
    angle += MarkerTurn * Game.FrameSpeed;
  } else {
    angle = 0.0f;
    if (stopping) {
      stopping = false;
      shown = false;
    }
  }
  glRotatef(angle, 0.0f, 1.0f, 0.0f);
}

void DrawFruit(int column, int row, int kind) {
  if (Game.SwapBusy && column == Game.SelectedColumn && row == Game.SelectedRow) {
    glTranslatef(Game.SelectedOffsetX, Game.SelectedOffsetY, Game.SelectedLift);
  }
  if (Game.SwapBusy && column == Game.SwapColumn && row == Game.SwapRow) {
    glTranslatef(Game.SwapOffsetX, Game.SwapOffsetY, Game.SwapLift);
  }
  if (Game.RemovalActive && CellMarked(column, row)) {
    glScalef(Game.RemovalFade, Game.RemovalFade, Game.RemovalFade);
  }
  // A marker always starts its spin from 0.
  if (!Game.MarkerShown) Game.MarkerAngle = 0.0f;
  if (!Game.FadingMarkerShown) Game.FadingMarkerAngle = 0.0f;
  if (Game.MarkerShown && column == Game.MarkerColumn && row == Game.MarkerRow) {
    SpinMarker(Game.MarkerShown, Game.MarkerStopping, Game.MarkerAngle);
  }
  if (Game.FadingMarkerShown && column == Game.FadingMarkerColumn &&
      row == Game.FadingMarkerRow) {
    SpinMarker(Game.FadingMarkerShown, Game.FadingMarkerStopping, Game.FadingMarkerAngle);
  }
  glScalef(0.3f, 0.3f, 0.3f);
  DrawFruitModel(kind);
}

bool BoardShown() { return Game.Screen == Playing && !Game.Paused; }

// The spawn row shows only a fruit that is about to fall into an empty cell.
bool CellShown(int row, int column) { return row != 0 || Game.Board[1][column] == 0; }

bool HoldsFruit(int row, int column) {
  const int kind = Game.Board[row][column];
  return kind >= 1 && kind <= FruitKinds;
}

// A cell above an empty one is drawn lowered by the fall offset.
bool AboveEmptyCell(int row, int column) {
  return (row < BoardRows - 1 ? Game.Board[row + 1][column] : Game.FloorRow[column]) == 0;
}

// Frames the cell of the keyboard's cursor while the cursor shows, drawn unlit after the
// background and before the fruit, which stand in front of it.
void DrawCursorMark() {
  const GameState& g = Game;
  if (!g.KeyCursorShown || !IsPlayingCell(g.HoverColumn, g.HoverRow) || !CursorMarkImage) return;
  const float x = (static_cast<float>(g.HoverColumn) - 2.0f) * CursorMarkGrowth;
  const float y = (4.65f - static_cast<float>(g.HoverRow)) * CursorMarkGrowth;
  const FlatRect cell = {x - CursorMarkGrowth / 2, y - CursorMarkGrowth / 2, CursorMarkGrowth,
                         CursorMarkGrowth};
  glPushAttrib(GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  glTranslatef(0.0f, 0.0f, -CursorMarkDepth);
  glBlendFunc(GL_DST_COLOR, GL_ZERO);
  glBindTexture(GL_TEXTURE_2D, CursorMarkMask);
  DrawFlatQuad(cell);
  glBlendFunc(GL_ONE, GL_ONE);
  glBindTexture(GL_TEXTURE_2D, CursorMarkImage);
  DrawFlatQuad(cell);
  glTranslatef(0.0f, 0.0f, CursorMarkDepth);
  glPopAttrib();
}

void DrawCell(int row, int column) {
  const int kind = Game.Board[row][column];
  if (!CellShown(row, column)) return;

  glPushMatrix();
  if (AboveEmptyCell(row, column)) glTranslatef(0.0f, Game.FallOffset, 0.0f);
  glTranslatef(static_cast<float>(column) - 2.0f, 4.65f - static_cast<float>(row), -11.0f);
  const bool hovered = column == Game.HoverColumn && row == Game.HoverRow;
  if (hovered && !Game.SwapBusy && !Game.RemovalActive) glEnable(GL_LIGHT3);
  if (HoldsFruit(row, column)) DrawFruit(column, row, kind);
  if (hovered) glDisable(GL_LIGHT3);
  glPopMatrix();
}

}  // namespace

void CompileFruitLists() {
  // The models' drawing restores texturing to what it finds; the board always draws with
  // texturing on, so the lists are compiled with it on.
  glEnable(GL_TEXTURE_2D);
  for (int index = 0; index < FruitKinds; ++index) {
    MilkshapeModel* model = FruitModels[index].get();
    // The far side of a closed solid is always hidden behind its near side, so culling it
    // leaves the picture as it is and halves what the rasteriser has to shade. The rest of
    // the scene draws without culling, so the list switches it off again.
    const bool cull = model && model->IsClosedSolid();
    FruitLists[index] = glGenLists(1);
    glNewList(FruitLists[index], GL_COMPILE);
    if (cull) glEnable(GL_CULL_FACE);
    if (model) model->Draw();
    if (cull) glDisable(GL_CULL_FACE);
    glEndList();
  }
  FruitListsCompiled = true;
}

void ForgetFruitLists() {
  for (GLuint& list : FruitLists) list = 0;
  FruitListsCompiled = false;
}

void DrawFruitModel(int kind) {
  if (!FruitListsCompiled) CompileFruitLists();
  if (kind < 1 || kind > FruitKinds || FruitLists[kind - 1] == 0) return;
  glCallList(FruitLists[kind - 1]);
}

void LoadCursorMark() {
  CursorMarkMask = LoadMipmappedTexture("base/cursormask.bmp");
  CursorMarkImage = CursorMarkMask ? LoadMipmappedTexture("base/cursor.bmp") : 0;
}

// The quad is drawn unlit and carries no normal: its vertices then have the layout of the
// flat quads and the glyphs, and the driver shades them all with one vertex shader.
void BuildBackgroundList() {
  Game.BackgroundQuadList = glGenLists(1);
  glNewList(Game.BackgroundQuadList, GL_COMPILE);
  glTranslatef(0.2f, 0.5f, 0.0f);
  glBegin(GL_TRIANGLE_STRIP);
  glTexCoord2f(5.0f, 5.0f);
  glVertex3f(5.35f, 5.35f, 0.0f);
  glTexCoord2f(0.0f, 5.0f);
  glVertex3f(-5.35f, 5.35f, 0.0f);
  glTexCoord2f(5.0f, 0.0f);
  glVertex3f(5.35f, -5.35f, 0.0f);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(-5.35f, -5.35f, 0.0f);
  glEnd();
  glTranslatef(-0.2f, -0.5f, 0.0f);
  glEndList();
}

void DrawBoard() {
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glDisable(GL_LIGHTING);

  // A background index from a damaged saved game falls back to the first background.
  const int background =
      Game.BackgroundIndex >= 0 && Game.BackgroundIndex < BackgroundCount ? Game.BackgroundIndex : 0;
  glTranslatef(1.4f, -0.32f, -11.7f);
  glBindTexture(GL_TEXTURE_2D, Game.TextureSet[BackgroundTextures[background]]);
  glCallList(Game.BackgroundQuadList);
  glTranslatef(-1.4f, 0.32f, 11.7f);
  if (BoardShown()) DrawCursorMark();

  glEnable(GL_LIGHTING);
  const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
  const GLfloat shininess[] = {500.0f};
  glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
  // OpenGL refuses a shininess above 128 with GL_INVALID_VALUE, so the models' own shininess
  // stays in force. The refusal is taken off the error flag here so that it does not read as
  // a fault of whatever is drawn next.
  glMaterialfv(GL_FRONT, GL_SHININESS, shininess);
  glGetError();

  if (!BoardShown()) return;
  for (int row = 0; row < BoardRows; ++row) {
    for (int column = 0; column < BoardColumns; ++column) DrawCell(row, column);
  }
  glDisable(GL_LIGHTING);
}

bool FruitFalling() {
  if (!BoardShown()) return false;
  for (int row = 0; row < BoardRows; ++row) {
    for (int column = 0; column < BoardColumns; ++column) {
      if (CellShown(row, column) && HoldsFruit(row, column) && AboveEmptyCell(row, column))
        return true;
    }
  }
  return false;
}

// Drawing the board turns a shown marker and puts a hidden one's angle back to 0.
bool MarkersMove() {
  return BoardShown() && (Game.MarkerShown || Game.FadingMarkerShown || Game.MarkerAngle != 0.0f ||
                          Game.FadingMarkerAngle != 0.0f);
}

void DrawTimeBar() {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, 800.0, 0.0, 600.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);

  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, Game.TextureSet[TexTimeBar]);
  // The whole texture is stretched over the current width.
  DrawFlatQuad({306.0f, 12.0f, Game.BarWidth, 11.0f});

  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
