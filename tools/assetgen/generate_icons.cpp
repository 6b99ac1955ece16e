// The application's icon at every size of the desktop's icon theme: the game's cherries on a
// cream tile in a wooden frame, written as icons/<size>x<size>.png with a transparent corner.
// The build installs each under the application's id.
#include <stdexcept>
#include <string>

#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/orchard_style.h"
#include "tools/assetgen/png_writer.h"

namespace assetgen {

using namespace orchard;

namespace {

namespace fs = std::filesystem;

constexpr int IconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
// Designed once on a square of 64 units, drawn finely enough for the largest size, and
// area-averaged down to each size.
constexpr float IconUnits = 64;
constexpr float PixelsPerUnit = 8;

void DrawIcon(Canvas& c) {
  const Shape tile = RoundedRect(2.5f, 2, 61.5f, 60.5f, 12);
  c.DropShadow(tile, 1.2f, 0, 1.2f, 0.5f);
  WoodBlock(c, tile, 7, 2.5f);
  CreamPanel(c, RoundedRect(7, 6.5f, 57, 56, 8));
  // The cherries' group spans x - 17.5 to x + 30 and y - 27 to y + 19 at size 1: centred.
  constexpr float Size = 0.98f;
  DrawCherries(c, 31.5f - 6.25f * Size, 31 + 4 * Size, Size);
}

void GenerateIcons(const fs::path& out) {
  Canvas c(IconUnits, IconUnits, PixelsPerUnit);
  DrawIcon(c);
  for (int size : IconSizes) {
    const std::string name = std::to_string(size) + "x" + std::to_string(size) + ".png";
    fs::create_directories(out / "icons");
    if (!WritePng(out / "icons" / name, size, size, c.RgbaPixels(size, size), 4))
      throw std::runtime_error("cannot write icons/" + name);
  }
}

const RegisterGenerator registered("icons", GenerateIcons);

}  // namespace
}  // namespace assetgen
