// The orchard look shared by every flat picture of the game: its palette and the pieces the
// pictures are built from (wood, cream panels, dark insets for the white numbers, buttons,
// leaves and lettering).
#pragma once

#include <functional>
#include <string>

#include "tools/assetgen/lettering.h"
#include "tools/assetgen/raster.h"

namespace assetgen::orchard {

constexpr Rgb WoodDark = Rgb8(84, 48, 24);
constexpr Rgb WoodMid = Rgb8(140, 88, 46);
constexpr Rgb WoodLight = Rgb8(184, 126, 72);
constexpr Rgb Cream = Rgb8(252, 243, 218);
constexpr Rgb CreamShade = Rgb8(238, 222, 184);
constexpr Rgb Ink = Rgb8(88, 50, 22);
constexpr Rgb GreenLight = Rgb8(156, 206, 92);
constexpr Rgb Green = Rgb8(94, 156, 52);
constexpr Rgb GreenDark = Rgb8(48, 100, 34);
constexpr Rgb Honey = Rgb8(246, 186, 64);
constexpr Rgb Butter = Rgb8(255, 232, 150);
constexpr Rgb Apple = Rgb8(206, 58, 44);
constexpr Rgb AppleLight = Rgb8(238, 110, 84);
constexpr Rgb InsetTop = Rgb8(30, 18, 10);
constexpr Rgb InsetBottom = Rgb8(58, 36, 20);
constexpr Rgb White = Rgb8(255, 255, 255);
constexpr Rgb Black = Rgb8(0, 0, 0);

// Wood with a grain running along x; with plank > 0 it is cut into planks that high.
Paint Wood(uint32_t seed, float plank, Rgb dark = WoodDark, Rgb light = WoodLight);

// A raised wooden frame filling `shape`, lit from the top left.
void WoodBlock(Canvas& canvas, const Shape& shape, uint32_t seed, float bevel = 4);
// A cream panel with a soft sunken rim.
void CreamPanel(Canvas& canvas, const Shape& shape);
// A dark recessed window in which the game prints its white numbers and names.
void DarkInset(Canvas& canvas, const Shape& shape);
// The whole canvas as a framed board: wood frame `frame` units wide around a cream panel.
void FramedPanel(Canvas& canvas, float frame, uint32_t seed);

// A leaf from its stem end (ax, ay) to its tip (bx, by), with a lighter midrib.
void DrawLeaf(Canvas& canvas, float ax, float ay, float bx, float by, float width, Rgb colour);

// A pair of cherries hanging from one stalk with two leaves, the stalks joined at (x, y - 22 *
// size). At size 1 it spans about 48 by 46 units.
void DrawCherries(Canvas& canvas, float x, float y, float size = 1);

// Lettering: the text's coverage painted in a colour, with an optional soft shadow or a light
// engraving edge below it (which makes dark text on cream look pressed into the panel).
enum class Relief { None, Engraved, Shadowed };
void Letter(Canvas& canvas, const Field& text, Rgb colour, Relief relief = Relief::None);

// The three pictures of a button share one silhouette; they differ in face colours, rim
// and the sinking of the pressed face.
enum class Look { Idle, Hover, Pressed };
struct Finish {
  Rgb top, bottom, rim, text;
  bool sunken = false;
};
// Draws the shadow, face and rim of a button; `content` then draws the label, moved down by
// `drop` units when the button is pressed.
void DrawButton(Canvas& canvas, const Shape& face, const Finish& finish,
                const std::function<void(Rgb text, float drop)>& content);
// The finishes of the cream side-panel buttons.
Finish CreamFinish(Look look);

// Small icons, drawn in the colour of the label beside them.
void DrawTick(Canvas& canvas, float x, float y, float size, Rgb colour);
void DrawCross(Canvas& canvas, float x, float y, float size, Rgb colour);
void DrawClock(Canvas& canvas, float x, float y, float radius, Rgb colour);  // the Timed mode
void DrawSteps(Canvas& canvas, float x, float y, float size, Rgb colour);   // the Levels mode
void DrawStar(Canvas& canvas, float x, float y, float radius, Rgb colour);  // a twinkle

}  // namespace assetgen::orchard
