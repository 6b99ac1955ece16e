// The backdrop: a wall of planks, the wooden tray around the board window, the side panel
// behind the buttons with the score plaque, and the bar groove and level plaque below the
// board. One texture serves both window layouts (both are 4:3), so everything is placed in
// a 640 by 480 design space and stretched with the window.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/assetgen/orchard_style.h"
#include "tools/assetgen/texture_art.h"

namespace assetgen {

using namespace orchard;

namespace {

constexpr float DesignWide = 640, DesignHigh = 480;
constexpr int TextureSize = 1024;

// Where the board's cells land on screen: the game's camera looks down -z with a vertical
// field of view of 45 degrees at aspect 4:3; cell (row r, column c) is a unit square centred
// on (c - 2, 4.65 - r, -11), rows 1 to 8 and columns 0 to 7 being the play field.
constexpr double CellDepth = 11.0;
constexpr float WindowMargin = 6.5f;

double ScreenX(double x) {
  const double f = 1.0 / std::tan(22.5 * std::numbers::pi / 180.0);
  return (f / (4.0 / 3.0) * x / CellDepth + 1) / 2 * DesignWide;
}

double ScreenYFromTop(double y) {
  const double f = 1.0 / std::tan(22.5 * std::numbers::pi / 180.0);
  return (1 - f * y / CellDepth) / 2 * DesignHigh;
}

}  // namespace

BoardWindow ProjectedBoardWindow() {
  const double left = ScreenX(0 - 2 - 0.5), right = ScreenX(7 - 2 + 0.5);
  const double top = ScreenYFromTop(4.65 - 1 + 0.5), bottom = ScreenYFromTop(4.65 - 8 - 0.5);
  return {static_cast<float>(left) - WindowMargin, static_cast<float>(top) - WindowMargin,
          static_cast<float>(right) + WindowMargin, static_cast<float>(bottom) + WindowMargin};
}

namespace {

// A climbing vine down the left of the side panel, beside the buttons.
void DrawVine(Canvas& c, float top, float bottom) {
  auto stemX = [](float y) { return 28 + 7 * std::sin(y / 34.0f); };
  const Rgb stem = Rgb8(74, 84, 30);
  for (float y = top; y < bottom; y += 2)
    c.Fill(Segment(stemX(y), y, stemX(y + 2), y + 2, 1.3f), Solid(stem));
  int side = 0;
  for (float y = top + 10; y < bottom - 8; y += 26, side ^= 1) {
    const float x = stemX(y), reach = side ? 15.0f : -13.0f;
    DrawLeaf(c, x, y, x + reach, y - 9, 8.5f, side ? Green : GreenDark);
  }
  for (float y = top + 48; y < bottom - 30; y += 104) {
    const float x = stemX(y) + 1;
    for (int petal = 0; petal < 5; ++petal) {
      const float a = petal * 2 * std::numbers::pi_v<float> / 5;
      c.Fill(Circle(x + std::cos(a) * 3.4f, y + std::sin(a) * 3.4f, 2.7f), Solid(Rgb8(255, 236, 240)));
    }
    c.Fill(Circle(x, y, 1.8f), Solid(Honey));
  }
}

void DrawSidePanel(Canvas& c) {
  const Shape panel = RoundedRect(4, 4, 172, 476, 14);
  c.DropShadow(panel, 4, 1.5f, 3, 0.6f);
  c.Fill(panel, Wood(31, 0, Rgb8(96, 56, 28), Rgb8(170, 112, 62)));
  c.Bevel(panel, 5, 0.7f, Rgb8(240, 196, 140), Rgb8(40, 20, 8));
  // A carved groove that frames the buttons.
  const Shape groove = Outline(RoundedRect(11, 11, 165, 469, 10), 0.9f);
  c.Fill(Shifted(c.Cover(groove), 0, static_cast<int>(c.Scale())), Solid(Rgb8(230, 180, 120)), 0.45f);
  c.Fill(groove, Solid(Rgb8(52, 28, 12)), 0.85f);

  // The score plaque: a cream label beside the dark window where the score is printed.
  const Shape plaque = RoundedRect(12, 12, 168, 54, 10);
  c.DropShadow(plaque, 1.5f, 0.5f, 1.5f, 0.5f);
  c.Fill(Grown(plaque, 1.0f), Solid(Rgb8(70, 38, 16)));
  CreamPanel(c, plaque);
  Letter(c, CentredText(c, "Score", {Face::Display, 15}, 46, 33), Ink, Relief::Engraved);
  DarkInset(c, RoundedRect(80, 18, 165, 48, 7));

  // A sunken tray that groups the two mode buttons.
  const Shape modeTray = RoundedRect(47, 105, 163, 182, 13);
  c.Fill(modeTray, Wood(41, 0, Rgb8(70, 40, 18), Rgb8(128, 80, 42)));
  c.Bevel(modeTray, 4, -0.7f, Rgb8(230, 180, 120), Rgb8(30, 14, 4));

  // The name of the game between the mode buttons and the hint.
  const TextStyle logo{Face::Display, 23};
  const Field name = CentredText(c, "Quillary", logo, 100, 201);
  c.Fill(Shifted(Blur(name, c.Scale() * 1.2f), 0, static_cast<int>(c.Scale() * 1.5f)), Solid(Black), 0.7f);
  c.Fill(name, VerticalGradient(192, Butter, 210, Honey));
  DrawLeaf(c, 154, 199, 168, 187, 8, GreenLight);

  DrawVine(c, 58, 466);
  DrawCherries(c, 110, 359);
}

void DrawBoardTray(Canvas& c, const BoardWindow& w) {
  const Shape tray = RoundedRect(w.left - 7, w.top - 7, w.right + 8, 477, 15);
  c.DropShadow(tray, 4, 1.5f, 3, 0.6f);
  WoodBlock(c, tray, 21, 5);
  c.Fill(Outline(RoundedRect(w.left, w.top, w.right, w.bottom, 9), 1.6f), Solid(Rgb8(44, 24, 10)));

  // The groove in which the time or progress bar runs (drawn 306 to 697.5 by 12 to 23 of
  // an 800 by 600 space, measured from the bottom).
  const float barLeft = 306 * 0.8f, barRight = 697.5f * 0.8f;
  const float barTop = DesignHigh - 23 * 0.8f, barBottom = DesignHigh - 12 * 0.8f;
  DarkInset(c, RoundedRect(barLeft - 4, barTop - 3, barRight + 4, barBottom + 3, 5.5f));
  DrawLeaf(c, barLeft - 8, (barTop + barBottom) / 2, barLeft - 34, barTop - 3, 8, Green);
  DrawLeaf(c, barLeft - 8, (barTop + barBottom) / 2, barLeft - 30, barBottom + 3, 7, GreenDark);

  // The level plaque: the number is printed from x 580 (587 from level 11 on), 4 units up.
  Letter(c, CentredText(c, "Lv", {Face::Display, 12}, 574, 467), Cream, Relief::Shadowed);
  DarkInset(c, RoundedRect(585, 457, 622, 477.5f, 6));
}

}  // namespace

void MakeBackdrop(const std::filesystem::path& outputFolder) {
  Canvas c(DesignWide, DesignHigh, 3.2f);
  c.Flood(Wood(11, 30, Rgb8(58, 32, 16), Rgb8(132, 84, 46)));
  // A soft vignette toward the corners.
  c.Shade(c.Cover(Subtract(RoundedRect(-50, -50, 690, 530, 0), Grown(RoundedRect(60, 50, 580, 430, 120), 0))), 0.75f);

  const BoardWindow w = ProjectedBoardWindow();
  DrawBoardTray(c, w);
  DrawSidePanel(c);

  // The window onto the board, with a shallow shadow cast by its upper rim.
  const Shape window = RoundedRect(w.left, w.top, w.right, w.bottom, 9);
  const Field inside = c.Cover(window);
  c.Erase(inside);
  const Field rim = c.Cover(Subtract(RoundedRect(w.left - 20, w.top - 20, w.right + 20, w.bottom + 20, 0), window));
  c.Fill(Within(Shifted(Blur(rim, c.Scale() * 1.6f), 0, static_cast<int>(c.Scale() * 1.0f)), inside),
         Solid(Black), 0.6f);

  SaveMask(outputFolder, TexBackdropMask, c, TextureSize, TextureSize);
  SaveImage(outputFolder, TexBackdropImage, c, TextureSize, TextureSize);
}

}  // namespace assetgen
