// The 81 textures base/tex00.bmp to base/tex80.bmp: font, backdrop, side-panel buttons, dialog
// panels and buttons, options rows, phase banners, pause picture, board backgrounds and bar.
//
// Texture sizes are powers of two chosen from the size each picture is drawn at: the game
// filters with the nearest mipmap level, so a side longer than about 1.4 times its drawn size
// would only be shown from the next smaller level. Pictures are designed in their drawn
// proportions and resampled to those sizes.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <cstdio>
#include <string>

#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/orchard_style.h"
#include "tools/assetgen/texture_art.h"

namespace assetgen {

using namespace orchard;

std::filesystem::path TexturePath(const std::filesystem::path& outputFolder, int index) {
  char name[16];
  std::snprintf(name, sizeof name, "tex%02d.bmp", index);
  return outputFolder / "base" / name;
}

void SaveImage(const std::filesystem::path& outputFolder, int index, const Canvas& canvas,
               int width, int height) {
  WriteBmp24(TexturePath(outputFolder, index), width, height, canvas.ImagePixels(width, height));
}

void SaveMask(const std::filesystem::path& outputFolder, int index, const Canvas& canvas,
              int width, int height) {
  WriteBmp24(TexturePath(outputFolder, index), width, height, canvas.MaskPixels(width, height));
}

namespace {

namespace fs = std::filesystem;

// ---- Icons, drawn in the label colour -------------------------------------------------------

void DrawTick(Canvas& c, float x, float y, float size, Rgb colour) {
  const float w = size * 0.13f;
  c.Fill(Union(Segment(x - size * 0.45f, y, x - size * 0.12f, y + size * 0.33f, w),
               Segment(x - size * 0.12f, y + size * 0.33f, x + size * 0.5f, y - size * 0.38f, w)),
         Solid(colour));
}

void DrawCross(Canvas& c, float x, float y, float size, Rgb colour) {
  const float h = size * 0.36f, w = size * 0.13f;
  c.Fill(Union(Segment(x - h, y - h, x + h, y + h, w), Segment(x - h, y + h, x + h, y - h, w)),
         Solid(colour));
}

void DrawClock(Canvas& c, float x, float y, float r, Rgb colour) {
  c.Fill(Outline(Circle(x, y, r), r * 0.13f), Solid(colour));
  c.Fill(Union(Segment(x, y, x, y - r * 0.62f, r * 0.11f), Segment(x, y, x + r * 0.45f, y + r * 0.1f, r * 0.11f)),
         Solid(colour));
}

void DrawSteps(Canvas& c, float x, float y, float size, Rgb colour) {
  const float w = size * 0.27f, gap = size * 0.09f;
  for (int i = 0; i < 3; ++i) {
    const float left = x - size / 2 + i * (w + gap), height = size * (0.4f + 0.3f * i);
    c.Fill(RoundedRect(left, y + size / 2 - height, left + w, y + size / 2, w * 0.25f), Solid(colour));
  }
}

void DrawStar(Canvas& c, float x, float y, float r, Rgb colour) {
  // Four slim leaves crossing make a twinkle.
  c.Fill(Union(Leaf(x - r, y, x + r, y, r * 0.35f), Leaf(x, y - r, x, y + r, r * 0.35f)), Solid(colour));
}

// ---- Side-panel buttons -------------------------------------------------------------------

enum class Icon { None, Steps, Clock };

struct SideButton {
  const char* label;
  Icon icon;
  int idle;  // then hover and pressed
};

constexpr int SideMask = 6, ModeMask = 10;
constexpr int ButtonWidth = 128, ButtonHeight = 32;

// The plain side buttons fill their 120 by 40 rectangle; the two mode buttons are pills in
// its upper part, where their pointer regions lie.
Shape SideFace() { return RoundedRect(2, 2, 112, 36.5f, 11); }
Shape ModeFace() { return RoundedRect(1.5f, 1.5f, 101, 29.5f, 14); }

void MakeSideButton(const fs::path& out, const SideButton& b, const Shape& face, int mask) {
  const Look looks[] = {Look::Idle, Look::Hover, Look::Pressed};
  for (int state = 0; state < 3; ++state) {
    Canvas c(120, 40, 4);
    DrawButton(c, face, CreamFinish(looks[state]), [&](Rgb text, float drop) {
      const float cy = (face.y0 + face.y1) / 2 + drop;
      float cx = (face.x0 + face.x1) / 2;
      if (b.icon != Icon::None) {
        const float ix = face.x0 + 16;
        if (b.icon == Icon::Clock) DrawClock(c, ix, cy, 7.5f, text);
        if (b.icon == Icon::Steps) DrawSteps(c, ix, cy, 14, text);
        cx += 8;
      }
      const Relief relief = looks[state] == Look::Pressed ? Relief::Shadowed : Relief::Engraved;
      Letter(c, CentredText(c, b.label, {Face::Display, 15.5f}, cx, cy), text, relief);
    });
    if (state == 0 && mask >= 0) SaveMask(out, mask, c, ButtonWidth, ButtonHeight);
    SaveImage(out, b.idle + state, c, ButtonWidth, ButtonHeight);
  }
}

void MakeSideButtons(const fs::path& out) {
  MakeSideButton(out, {"New game", Icon::None, 7}, SideFace(), SideMask);
  MakeSideButton(out, {"Options", Icon::None, 18}, SideFace(), -1);
  MakeSideButton(out, {"Quit", Icon::None, 21}, SideFace(), -1);
  MakeSideButton(out, {"Timed", Icon::Clock, 24}, ModeFace(), ModeMask);
  MakeSideButton(out, {"Levels", Icon::Steps, 27}, ModeFace(), -1);
}

// The hint button: a light bulb over its label, lit up under the pointer.
void MakeHintButton(const fs::path& out) {
  constexpr int HintIdle = 49, HintHover = 50, HintMask = 51;
  const Shape face = RoundedRect(2, 2, 78, 103, 14);
  for (int state = 0; state < 2; ++state) {
    const bool lit = state == 1;
    Canvas c(80, 120, 4);
    DrawButton(c, face, CreamFinish(lit ? Look::Hover : Look::Idle), [&](Rgb text, float) {
      const float bx = 40, by = 36;
      if (lit) {
        for (int ray = 0; ray < 9; ++ray) {
          const float a = std::numbers::pi_v<float> * (0.95f + ray * 0.1375f);
          c.Fill(Segment(bx + std::cos(a) * 21, by + std::sin(a) * 21, bx + std::cos(a) * 28,
                         by + std::sin(a) * 28, 1.6f),
                 Solid(Rgb8(255, 250, 220)));
        }
        c.Fill(Boosted(Blur(c.Cover(Circle(bx, by, 15)), c.Scale() * 4), 1.4f), Solid(Rgb8(255, 252, 200)), 0.8f);
      }
      const Shape glass = Union(Circle(bx, by, 14.5f), RoundedRect(bx - 7, by + 6, bx + 7, by + 19, 3));
      c.Fill(Grown(glass, 1.3f), Solid(text));
      c.Fill(glass, lit ? VerticalGradient(by - 14, Rgb8(255, 255, 235), by + 18, Rgb8(255, 214, 60))
                        : VerticalGradient(by - 14, Rgb8(255, 252, 236), by + 18, Rgb8(236, 220, 160)));
      c.Fill(Circle(bx - 5, by - 5, 4), Solid(White), 0.8f);
      // The filament: a small coil between two wires.
      const float coil[][2] = {{-4, 18}, {-4, 7}, {-2, 3}, {0, 7}, {2, 3}, {4, 7}, {4, 18}};
      for (int i = 0; i + 1 < 7; ++i)
        c.Fill(Segment(bx + coil[i][0], by + coil[i][1], bx + coil[i + 1][0], by + coil[i + 1][1], 0.8f),
               Solid(lit ? Rgb8(200, 90, 10) : Rgb8(150, 120, 80)), 0.9f);
      const Shape base = RoundedRect(bx - 8, by + 19, bx + 8, by + 29, 3);
      c.Fill(base, VerticalGradient(by + 19, Rgb8(200, 196, 186), by + 29, Rgb8(120, 112, 100)));
      for (float ly : {by + 22.5f, by + 25.5f}) c.Fill(Segment(bx - 7, ly, bx + 7, ly, 0.6f), Solid(Rgb8(90, 80, 70)));
      Letter(c, CentredText(c, "Hint", {Face::Display, 17}, 40, 85), text, Relief::Engraved);
    });
    if (state == 0) SaveMask(out, HintMask, c, 64, 128);
    SaveImage(out, lit ? HintHover : HintIdle, c, 64, 128);
  }
}

// ---- Dialog buttons -----------------------------------------------------------------------

constexpr int DialogMask = 31;

enum class Mark { Tick, Cross };

struct DialogButton {
  const char* label;
  Mark mark;
  Finish idle, hover;
  int idleIndex, hoverIndex;
};

// A 128 by 32 button: its mark and word centred together on the face.
void MakeDialogButton(const fs::path& out, const DialogButton& b, bool saveMask) {
  const Shape face = RoundedRect(4, 2, 124, 28.5f, 13);
  const TextStyle style{Face::Display, 15.5f};
  for (int state = 0; state < 2; ++state) {
    Canvas c(128, 32, 4);
    DrawButton(c, face, state ? b.hover : b.idle, [&](Rgb text, float) {
      const float cy = 15.5f, markWidth = 14, gap = 5;
      const float wordWidth = TextWidth(b.label, style, c.Scale());
      const float left = 64 - (markWidth + gap + wordWidth) / 2;
      if (b.mark == Mark::Tick) DrawTick(c, left + markWidth / 2, cy, markWidth, text);
      if (b.mark == Mark::Cross) DrawCross(c, left + markWidth / 2, cy, markWidth, text);
      Letter(c, TextCoverage(c, b.label, style, left + markWidth + gap, cy + CapHeight(style) / 2, Align::Left),
             text, text.r > 0.7f ? Relief::Shadowed : Relief::Engraved);
    });
    if (state == 0 && saveMask) SaveMask(out, DialogMask, c, 128, 32);
    SaveImage(out, state ? b.hoverIndex : b.idleIndex, c, 128, 32);
  }
}

void MakeDialogButtons(const fs::path& out) {
  const Rgb goldRim = Rgb8(250, 200, 60);
  MakeDialogButton(out, {"Yes", Mark::Tick, {GreenLight, Green, GreenDark, White},
                         {Rgb8(200, 240, 130), Rgb8(116, 188, 60), goldRim, White}, 32, 33}, true);
  MakeDialogButton(out, {"No", Mark::Cross, {AppleLight, Apple, Rgb8(110, 24, 16), White},
                         {Rgb8(255, 156, 120), Rgb8(226, 80, 56), goldRim, White}, 34, 35}, false);
  MakeDialogButton(out, {"OK", Mark::Tick, CreamFinish(Look::Idle), CreamFinish(Look::Hover), 5, 39}, false);
}

// ---- Dialog panels ------------------------------------------------------------------------

void Title(Canvas& c, const std::string& text, float y, float size) {
  TextStyle style{Face::Display, size};
  const float room = c.UnitsWide() - 40;
  const float width = TextWidth(text, style, c.Scale());
  if (width > room) style.size *= room / width;
  Letter(c, CentredText(c, text, style, c.UnitsWide() / 2, y), Ink, Relief::Engraved);
}

void Note(Canvas& c, const std::string& text, float y, float size = 11) {
  Letter(c, CentredText(c, text, {Face::Clear, size}, c.UnitsWide() / 2, y), Rgb8(140, 96, 56), Relief::Engraved);
}

void CornerLeaves(Canvas& c, float frame) {
  const float w = c.UnitsWide();
  DrawLeaf(c, frame + 2, frame + 2, frame + 24, frame + 10, 9, Green);
  DrawLeaf(c, frame + 2, frame + 2, frame + 9, frame + 22, 8, GreenDark);
  DrawLeaf(c, w - frame - 2, frame + 2, w - frame - 24, frame + 10, 9, Green);
  DrawLeaf(c, w - frame - 2, frame + 2, w - frame - 9, frame + 22, 8, GreenDark);
}

void MakeQuestion(const fs::path& out, int index, const std::string& question, const std::string& note) {
  Canvas c(300, 150, 3);
  FramedPanel(c, 9, 50 + index);
  CornerLeaves(c, 9);
  Title(c, question, 46, 21);
  Note(c, note, 76);
  SaveImage(out, index, c, 256, 128);
}

// A leafy rule across a panel.
void Divider(Canvas& c, float y) {
  const float cx = c.UnitsWide() / 2;
  c.Fill(Segment(cx - 90, y, cx + 90, y, 0.8f), Solid(Rgb8(190, 150, 100)));
  DrawLeaf(c, cx, y, cx - 18, y - 7, 8, Green);
  DrawLeaf(c, cx, y, cx + 18, y - 7, 8, Green);
  DrawLeaf(c, cx, y, cx, y + 14, 7, GreenDark);
}

void MakeOptionsPanel(const fs::path& out) {
  // Rows lie from 63 to 235 units below the top and the Back button from 283 to 315.
  Canvas c(300, 330, 3);
  FramedPanel(c, 9, 60);
  CornerLeaves(c, 9);
  Title(c, "Options", 36, 26);
  Divider(c, 258);
  SaveImage(out, 4, c, 256, 256);
}

void MakeNameEntryPanel(const fs::path& out) {
  // The name is printed 80 (or 72.5 in the larger layout) units right of the panel's left
  // edge and 94 above its bottom, nine letters at most.
  Canvas c(300, 300, 3);
  FramedPanel(c, 9, 70);
  CornerLeaves(c, 9);
  DrawStar(c, 40, 52, 9, Honey);
  DrawStar(c, 260, 52, 9, Honey);
  Title(c, "New high score!", 52, 23);
  Note(c, "Type your name", 100, 14);
  DarkInset(c, RoundedRect(62, 174, 246, 214, 9));
  Note(c, "Enter or Space to confirm", 240);
  Note(c, "Backspace to erase a letter", 260, 10);
  SaveImage(out, 38, c, 256, 256);
}

void MakeHighScoresPanel(const fs::path& out) {
  // The lists are printed at fixed text rows whose places in the panel agree, to a unit or
  // two, between both layouts: Levels rows centred 106 to 186 units below the top, Timed rows
  // 259 to 339, names from 58 units from the left, scores from 230.
  Canvas c(345, 420, 3);
  FramedPanel(c, 10, 80);
  CornerLeaves(c, 10);
  Title(c, "High scores", 33, 25);
  struct List {
    const char* heading;
    Icon icon;
    float headingY, insetTop, firstRow;
  };
  for (const List& l : {List{"Levels", Icon::Steps, 72, 91, 106}, List{"Timed", Icon::Clock, 224, 244, 259}}) {
    const TextStyle style{Face::Display, 17};
    const float width = TextWidth(l.heading, style, c.Scale());
    const float left = 172.5f - (width + 22) / 2;
    if (l.icon == Icon::Steps) DrawSteps(c, left + 7, l.headingY, 14, Green);
    if (l.icon == Icon::Clock) DrawClock(c, left + 7, l.headingY, 7.5f, Green);
    Letter(c, TextCoverage(c, l.heading, style, left + 22, l.headingY + CapHeight(style) / 2, Align::Left), Ink,
           Relief::Engraved);
    DarkInset(c, RoundedRect(20, l.insetTop, 330, l.insetTop + 110, 9));
    for (int rank = 0; rank < 5; ++rank)
      Letter(c, CentredText(c, std::to_string(rank + 1), {Face::Clear, 12}, 38, l.firstRow + 20 * rank),
             Rgb8(214, 160, 70));
  }
  SaveImage(out, 78, c, 256, 512);
}

// ---- Options rows -------------------------------------------------------------------------

enum class Value { Plain, On, Off, Choice };
enum class RowIcon { None, Note, Speaker };

// A music note or a loudspeaker, green when on, grey and struck through when off.
void DrawRowIcon(Canvas& c, RowIcon icon, float x, float y, bool on) {
  const Rgb colour = on ? GreenDark : Rgb8(150, 130, 110);
  if (icon == RowIcon::Note) {
    c.Fill(Union(Circle(x - 3, y + 5, 3.6f), Segment(x + 0.4f, y + 5, x + 0.4f, y - 8, 1.1f)), Solid(colour));
    c.Fill(Segment(x + 0.4f, y - 8, x + 5.5f, y - 4, 1.2f), Solid(colour));
  }
  if (icon == RowIcon::Speaker) {
    c.Fill(Union(RoundedRect(x - 7, y - 3.5f, x - 3, y + 3.5f, 1), Intersect(RoundedRect(x - 4, y - 8, x + 2, y + 8, 0.5f),
                                                                            Segment(x - 4, y, x + 2, y, 7))),
           Solid(colour));
    if (on)
      for (float r : {5.5f, 9.0f})
        c.Fill(Intersect(Outline(Circle(x + 1, y, r), 0.9f), RoundedRect(x + 3.5f, y - 10, x + 12, y + 10, 0)),
               Solid(colour));
    else
      DrawCross(c, x + 7.5f, y, 8, Rgb8(196, 72, 50));
  }
  if (icon == RowIcon::Note && !on) {
    c.Fill(Segment(x - 7, y - 8, x + 7, y + 8, 2.0f), Solid(Rgb8(250, 240, 214)));
    c.Fill(Segment(x - 7, y - 8, x + 7, y + 8, 0.8f), Solid(Rgb8(196, 72, 50)));
  }
}

// One 256 by 32 row of the options panel; its edges are the panel's cream so the row sits
// in the panel without a seam.
void MakeRow(const fs::path& out, int index, const std::string& label, const std::string& value,
             Value kind, bool lit, RowIcon icon = RowIcon::None) {
  Canvas c(256, 32, 4);
  c.Flood(Solid(Cream));
  const Shape capsule = RoundedRect(2, 2.5f, 254, 29.5f, 10);
  if (lit) {
    c.Fill(Grown(capsule, 1.5f), Solid(Rgb8(150, 80, 20)));
    c.Fill(capsule, VerticalGradient(2, Rgb8(255, 236, 160), 30, Rgb8(246, 186, 70)));
    c.Bevel(capsule, 6, 0.6f, White, Rgb8(150, 90, 20));
  } else {
    c.Fill(Grown(capsule, 1.0f), Solid(Rgb8(206, 178, 130)));
    c.Fill(capsule, VerticalGradient(2, Rgb8(255, 250, 236), 30, CreamShade));
    c.Bevel(capsule, 5, 0.5f, White, Rgb8(180, 150, 100));
  }
  Letter(c, TextCoverage(c, label, {Face::Display, 15}, 14, 16 + CapHeight({Face::Display, 15}) / 2, Align::Left),
         Ink, Relief::Engraved);
  const TextStyle valueStyle{Face::Clear, kind == Value::Plain ? 10.5f : 11.5f};
  const float width = TextWidth(value, valueStyle, c.Scale());
  if (kind == Value::Plain) {
    Letter(c, TextCoverage(c, value, valueStyle, 244, 16 + CapHeight(valueStyle) / 2, Align::Right),
           lit ? Rgb8(110, 50, 10) : Rgb8(150, 110, 70));
  } else {
    const float pillWidth = std::max(width + 20, 40.0f);
    const Shape pill = RoundedRect(248 - pillWidth, 7, 248, 25, 9);
    Rgb top = Rgb8(176, 160, 140), bottom = Rgb8(130, 112, 94);
    if (kind == Value::On) top = GreenLight, bottom = GreenDark;
    if (kind == Value::Choice) top = Rgb8(214, 150, 84), bottom = Rgb8(150, 88, 40);
    c.Fill(pill, VerticalGradient(7, top, 25, bottom));
    c.Bevel(pill, 3, 0.6f, White, Black);
    DrawRowIcon(c, icon, 248 - pillWidth - 20, 16, kind == Value::On);
    Letter(c, CentredText(c, value, valueStyle, 248 - pillWidth / 2, 16), White, Relief::Shadowed);
  }
  SaveImage(out, index, c, 256, 32);
}

void MakeOptionRows(const fs::path& out) {
  MakeRow(out, 40, "Display", "Window 640x480", Value::Choice, false);
  MakeRow(out, 41, "Display", "Fullscreen 800x600", Value::Choice, false);
  MakeRow(out, 42, "Music", "Off", Value::Off, false, RowIcon::Note);
  MakeRow(out, 43, "Music", "On", Value::On, false, RowIcon::Note);
  MakeRow(out, 44, "Sound", "Off", Value::Off, false, RowIcon::Speaker);
  MakeRow(out, 45, "Sound", "On", Value::On, false, RowIcon::Speaker);
  MakeRow(out, 71, "Help", "closes the game  >", Value::Plain, false);
  MakeRow(out, 72, "Help", "closes the game  >", Value::Plain, true);
  MakeRow(out, 79, "High scores", "best games  >", Value::Plain, false);
  MakeRow(out, 80, "High scores", "best games  >", Value::Plain, true);
}

// ---- Banners and the pause picture ---------------------------------------------------------

struct BannerLook {
  int index;
  const char* text;
  Rgb top, bottom, glow;
  bool sparkles;
};

// Phase banners are added to the frame, so they are bright lettering on black.
void MakeBanner(const fs::path& out, const BannerLook& b) {
  Canvas c(256, 64, 4);
  c.Flood(Solid(Black));
  TextStyle style{Face::Display, 34};
  const float width = TextWidth(b.text, style, c.Scale());
  if (width > 234) style.size *= 234 / width;
  const Field text = CentredText(c, b.text, style, 128, 31);
  c.Fill(Boosted(Blur(text, c.Scale() * 3.5f), 1.6f), Solid(b.glow), 0.75f);
  c.Fill(Boosted(Blur(text, c.Scale() * 1.0f), 2.0f), Solid(Mix(b.glow, b.bottom, 0.5f)), 0.9f);
  c.Fill(text, VerticalGradient(31 - CapHeight(style) / 2, b.top, 31 + CapHeight(style) / 2, b.bottom));
  if (b.sparkles) {
    // Twinkles round the word, clear of the quad's edges.
    const float half = std::min(width, 234.0f) / 2;
    const float spots[][3] = {{-half - 4, 14, 6}, {half + 3, 50, 5.5f}, {-half * 0.45f, 7, 4},
                              {half * 0.55f, 8, 4.5f}, {-half * 0.2f, 56, 3.5f}};
    for (const auto& s : spots) {
      const float x = std::clamp(128 + s[0], 8.0f, 248.0f);
      c.Fill(Boosted(Blur(c.Cover(Circle(x, s[1], s[2] * 0.4f)), c.Scale() * 2), 1.5f), Solid(b.glow), 0.8f);
      DrawStar(c, x, s[1], s[2], b.top);
    }
  }
  SaveImage(out, b.index, c, 256, 64);
}

void MakeBanners(const fs::path& out) {
  MakeBanner(out, {58, "Level complete!", Rgb8(255, 252, 214), Rgb8(255, 196, 40), Rgb8(150, 80, 0), true});
  MakeBanner(out, {59, "Game over", Rgb8(255, 220, 196), Rgb8(240, 70, 40), Rgb8(130, 14, 6), false});
  MakeBanner(out, {60, "Excellent!", Rgb8(255, 240, 250), Rgb8(255, 96, 170), Rgb8(120, 20, 90), true});
  MakeBanner(out, {74, "No more moves", Rgb8(230, 248, 255), Rgb8(96, 180, 255), Rgb8(10, 60, 140), false});
}

void MakePausePicture(const fs::path& out) {
  Canvas c(256, 64, 4);
  FramedPanel(c, 6, 75);
  const TextStyle title{Face::Display, 27};
  const float width = TextWidth("Paused", title, c.Scale());
  const float left = 128 - (width + 30) / 2;
  for (float x : {left + 5, left + 17}) {
    const Shape bar = RoundedRect(x - 4, 15, x + 4, 41, 3);
    c.Fill(bar, VerticalGradient(15, GreenLight, 41, GreenDark));
    c.Bevel(bar, 2, 0.6f, White, Black);
  }
  Letter(c, TextCoverage(c, "Paused", title, left + 30, 28 + CapHeight(title) / 2, Align::Left), Ink,
         Relief::Engraved);
  Letter(c, CentredText(c, "Esc or P to play on", {Face::Clear, 9.5f}, 128, 50), Rgb8(140, 96, 56), Relief::Engraved);
  SaveImage(out, 75, c, 256, 64);
}

// ---- Board backgrounds and the bar ---------------------------------------------------------

// Tiles repeat five times across the board, so every pattern wraps at the tile's edges:
// noise has a period that divides the tile and repeated shapes are drawn once per neighbour.
constexpr float Tile = 128;

Rgb Grain(Rgb base, float x, float y, uint32_t seed, float amount) {
  const float n = Fbm(x / 8, y / 8, seed, 3, 16) - 0.5f;
  return Scale(base, 1 + n * amount);
}

void DrawWrapped(const std::function<void(float dx, float dy)>& draw) {
  for (float dy : {-Tile, 0.0f, Tile})
    for (float dx : {-Tile, 0.0f, Tile}) draw(dx, dy);
}

void MakeWalnut(Canvas& c) {
  c.Flood([](float x, float y) {
    const float warp = Fbm(x / 32, y / 16, 361, 3, 4);
    const float rings = 0.5f + 0.5f * std::sin((y / Tile * 6 + warp * 1.6f) * 2 * std::numbers::pi_v<float>);
    const float streak = Fbm(x / 64, y / 2, 362, 3, 2) - 0.5f;
    return Mix(Rgb8(52, 34, 24), Rgb8(78, 54, 38), Clamp01(0.4f + 0.25f * rings + streak * 0.6f));
  });
}

void MakeLinen(Canvas& c) {
  c.Flood([](float x, float y) {
    const float warpThread = 0.5f + 0.5f * std::sin(x / Tile * 64 * std::numbers::pi_v<float>);
    const float weftThread = 0.5f + 0.5f * std::sin(y / Tile * 64 * std::numbers::pi_v<float>);
    const float slub = Fbm(x / 4, y / 32, 611, 3, 32) - 0.5f;
    const float t = 0.45f + 0.18f * (warpThread - weftThread) + slub * 0.35f;
    return Grain(Mix(Rgb8(34, 64, 42), Rgb8(62, 98, 66), Clamp01(t)), x, y, 612, 0.15f);
  });
}

void MakeLeafPattern(Canvas& c) {
  c.Flood([](float x, float y) { return Grain(Rgb8(40, 72, 38), x, y, 621, 0.25f); });
  for (int i = 0; i < 9; ++i) {
    const float x = ValueNoise(i * 3.7f, 0.5f, 622) * Tile, y = (i + ValueNoise(i * 2.3f, 1.5f, 623) * 0.6f) * Tile / 9;
    const float angle = ValueNoise(i * 5.1f, 2.5f, 624) * 2 * std::numbers::pi_v<float>;
    const float len = 26 + ValueNoise(i * 1.9f, 3.5f, 625) * 12;
    const Rgb tone = i % 2 ? Rgb8(50, 88, 44) : Rgb8(34, 62, 32);
    DrawWrapped([&](float dx, float dy) {
      const float ax = x + dx, ay = y + dy;
      const float bx = ax + std::cos(angle) * len, by = ay + std::sin(angle) * len;
      const Shape leaf = Leaf(ax, ay, bx, by, len * 0.42f);
      c.Fill(leaf, Solid(tone));
      c.Fill(Segment(ax, ay, ax + (bx - ax) * 0.85f, ay + (by - ay) * 0.85f, 0.5f), Solid(Rgb8(60, 100, 52)), 0.8f);
    });
  }
}

void MakeChecker(Canvas& c) {
  c.Flood([](float x, float y) {
    const bool odd = (static_cast<int>(x / 32) + static_cast<int>(y / 32)) % 2;
    return Grain(odd ? Rgb8(78, 40, 52) : Rgb8(64, 32, 44), x, y, 631, 0.2f);
  });
}

void MakeBlossoms(Canvas& c) {
  c.Flood([](float x, float y) { return Grain(Rgb8(30, 52, 66), x, y, 641, 0.2f); });
  for (int i = 0; i < 8; ++i) {
    const float x = (i % 4) * 32 + 16 + (i / 4) * 16, y = (i / 4) * 64 + 20 + ValueNoise(i * 1.3f, 0.2f, 642) * 20;
    DrawWrapped([&](float dx, float dy) {
      for (int petal = 0; petal < 5; ++petal) {
        const float a = petal * 2 * std::numbers::pi_v<float> / 5 + i;
        c.Fill(Circle(x + dx + std::cos(a) * 3.2f, y + dy + std::sin(a) * 3.2f, 2.6f), Solid(Rgb8(52, 80, 96)));
      }
      c.Fill(Circle(x + dx, y + dy, 1.6f), Solid(Rgb8(84, 96, 84)));
    });
  }
}

void MakeBasket(Canvas& c) {
  c.Flood([](float x, float y) {
    const int bx = static_cast<int>(x / 16), by = static_cast<int>(y / 16);
    const bool across = (bx + by) % 2;
    const float along = across ? std::fmod(y, 16.0f) : std::fmod(x, 16.0f);
    const float strand = std::sin(along / 16 * 3 * std::numbers::pi_v<float>);
    const float t = 0.55f + 0.35f * std::fabs(strand) - (std::fabs(strand) < 0.25f ? 0.25f : 0.0f);
    return Grain(Mix(Rgb8(62, 38, 20), Rgb8(104, 68, 38), Clamp01(t)), x, y, 651, 0.25f);
  });
}

void MakeBoardBackgrounds(const fs::path& out) {
  const struct {
    int index;
    void (*paint)(Canvas&);
  } backgrounds[] = {{36, MakeWalnut}, {61, MakeLinen}, {62, MakeLeafPattern},
                     {63, MakeChecker}, {64, MakeBlossoms}, {65, MakeBasket}};
  for (const auto& b : backgrounds) {
    Canvas c(Tile, Tile, 4);
    b.paint(c);
    SaveImage(out, b.index, c, 128, 128);
  }
}

// The bar is stretched to its current length, so it is a glossy strip that does not change
// along its length except for a slow ripening from amber to leaf green.
void MakeBar(const fs::path& out) {
  constexpr int BarTexture = 37;
  Canvas c(32, 8, 16);
  c.Flood([](float x, float y) {
    const Rgb along = Mix(Rgb8(240, 160, 40), Rgb8(120, 200, 60), x / 32);
    const float t = y / 8;
    Rgb colour = Mix(Mix(along, White, 0.55f), along, SmoothStep(0.1f, 0.45f, t));
    colour = Mix(colour, Scale(along, 0.6f), SmoothStep(0.55f, 1.0f, t));
    if (t < 0.12f || t > 0.88f) colour = Scale(along, 0.45f);
    return colour;
  });
  SaveImage(out, BarTexture, c, 32, 8);
}

// Textures that are loaded but never drawn: small plain squares.
void MakeUnusedTextures(const fs::path& out) {
  for (int index : {11, 12, 13, 14, 15, 16, 17, 46, 47, 48, 53, 54, 55, 56, 57, 66, 67, 68, 69, 70, 73, 76, 77})
    WriteBmp24(TexturePath(out, index), 8, 8, std::vector<uint8_t>(8 * 8 * 3, 128));
}

void GenerateTextures(const fs::path& out) {
  MakeFontSheet(out);
  MakeBackdrop(out);
  MakeSideButtons(out);
  MakeHintButton(out);
  MakeDialogButtons(out);
  MakeQuestion(out, 30, "Start a new game?", "The game in progress will end.");
  MakeQuestion(out, 3, "Quit the game?", "Your game is kept for next time.");
  MakeQuestion(out, 52, "Continue your saved game?", "No starts a new game.");
  MakeOptionsPanel(out);
  MakeNameEntryPanel(out);
  MakeHighScoresPanel(out);
  MakeOptionRows(out);
  MakeBanners(out);
  MakePausePicture(out);
  MakeBoardBackgrounds(out);
  MakeBar(out);
  MakeUnusedTextures(out);
}

const RegisterGenerator registered("textures", GenerateTextures);

}  // namespace
}  // namespace assetgen
