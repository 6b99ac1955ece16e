// The 81 textures base/tex00.bmp to base/tex80.bmp: font, backdrop, side-panel buttons, dialog
// panels and buttons, options rows, phase banners, pause picture, board backgrounds and bar;
// and the keyboard cursor's mark beside them.
//
// Texture sizes are powers of two chosen from the size each picture is drawn at: the game
// filters with the nearest mipmap level, so a side longer than about 1.4 times its drawn size
// would only be shown from the next smaller level. Pictures are designed in their drawn
// proportions and resampled to those sizes.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>
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

void SaveImage(const std::filesystem::path& outputFolder, TextureIndex index, const Canvas& canvas,
               int width, int height) {
  WriteBmp24(TexturePath(outputFolder, index), width, height, canvas.ImagePixels(width, height));
}

void SaveMask(const std::filesystem::path& outputFolder, TextureIndex index, const Canvas& canvas,
              int width, int height) {
  WriteBmp24(TexturePath(outputFolder, index), width, height, canvas.MaskPixels(width, height));
}

namespace {

namespace fs = std::filesystem;

// ---- Side-panel buttons -------------------------------------------------------------------

enum class Icon { None, Steps, Clock };

struct SideButton {
  const char* label;
  Icon icon;
  TextureIndex images[3];  // idle, hover, pressed or selected
};

constexpr int ButtonWidth = 128, ButtonHeight = 32;

// The plain side buttons fill their 120 by 40 rectangle; the two mode buttons are pills in
// its upper part, where their pointer regions lie.
Shape SideFace() { return RoundedRect(2, 2, 112, 36.5f, 11); }
Shape ModeFace() { return RoundedRect(1.5f, 1.5f, 101, 29.5f, 14); }

// The mask is saved with the first button of each face; the others share it.
void MakeSideButton(const fs::path& out, const SideButton& b, const Shape& face,
                    std::optional<TextureIndex> mask) {
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
    if (state == 0 && mask) SaveMask(out, *mask, c, ButtonWidth, ButtonHeight);
    SaveImage(out, b.images[state], c, ButtonWidth, ButtonHeight);
  }
}

void MakeSideButtons(const fs::path& out) {
  MakeSideButton(out, {"New game", Icon::None, {TexNewGameIdle, TexNewGameHover, TexNewGamePressed}},
                 SideFace(), TexSideButtonMask);
  MakeSideButton(out, {"Options", Icon::None, {TexOptionsIdle, TexOptionsHover, TexOptionsPressed}},
                 SideFace(), std::nullopt);
  MakeSideButton(out, {"Quit", Icon::None, {TexQuitIdle, TexQuitHover, TexQuitPressed}}, SideFace(),
                 std::nullopt);
  MakeSideButton(out, {"Timed", Icon::Clock, {TexTimedIdle, TexTimedHover, TexTimedSelected}}, ModeFace(),
                 TexModeButtonMask);
  MakeSideButton(out, {"Levels", Icon::Steps, {TexLevelsIdle, TexLevelsHover, TexLevelsSelected}},
                 ModeFace(), std::nullopt);
}

// The hint button: a light bulb over its label, lit up under the pointer.
void MakeHintButton(const fs::path& out) {
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
    if (state == 0) SaveMask(out, TexHintButtonMask, c, 64, 128);
    SaveImage(out, lit ? TexHintHover : TexHintIdle, c, 64, 128);
  }
}

// ---- Dialog buttons -----------------------------------------------------------------------

enum class Mark { Tick, Cross };

struct DialogButton {
  const char* label;
  Mark mark;
  Finish idle, hover;
  TextureIndex idleIndex, hoverIndex;
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
    if (state == 0 && saveMask) SaveMask(out, TexDialogButtonMask, c, 128, 32);
    SaveImage(out, state ? b.hoverIndex : b.idleIndex, c, 128, 32);
  }
}

void MakeDialogButtons(const fs::path& out) {
  const Rgb goldRim = Rgb8(250, 200, 60);
  MakeDialogButton(out, {"Yes", Mark::Tick, {GreenLight, Green, GreenDark, White},
                         {Rgb8(200, 240, 130), Rgb8(116, 188, 60), goldRim, White}, TexYesIdle, TexYesHover},
                   true);
  MakeDialogButton(out, {"No", Mark::Cross, {AppleLight, Apple, Rgb8(110, 24, 16), White},
                         {Rgb8(255, 156, 120), Rgb8(226, 80, 56), goldRim, White}, TexNoIdle, TexNoHover},
                   false);
  MakeDialogButton(
      out, {"OK", Mark::Tick, CreamFinish(Look::Idle), CreamFinish(Look::Hover), TexOkIdle, TexOkHover}, false);
}

// ---- Banners and the pause picture ---------------------------------------------------------

struct BannerLook {
  TextureIndex index;
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
  MakeBanner(out, {TexLevelCompleteBanner, "Level complete!", Rgb8(255, 252, 214), Rgb8(255, 196, 40),
                   Rgb8(150, 80, 0), true});
  MakeBanner(out, {TexGameOverBanner, "Game over", Rgb8(255, 220, 196), Rgb8(240, 70, 40), Rgb8(130, 14, 6),
                   false});
  MakeBanner(out, {TexExcellentBanner, "Excellent!", Rgb8(255, 240, 250), Rgb8(255, 96, 170),
                   Rgb8(120, 20, 90), true});
  MakeBanner(out, {TexNoMovesBanner, "No more moves", Rgb8(230, 248, 255), Rgb8(96, 180, 255),
                   Rgb8(10, 60, 140), false});
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
  SaveImage(out, TexPausePicture, c, 256, 64);
}

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
  MakeQuestion(out, TexConfirmNewGamePanel, "Start a new game?", "The game in progress will end.");
  MakeQuestion(out, TexConfirmQuitPanel, "Quit the game?", "Your game is kept for next time.");
  MakeQuestion(out, TexResumePromptPanel, "Continue your saved game?", "No starts a new game.");
  MakeOptionsPanel(out);
  MakeNameEntryPanel(out);
  MakeHighScoresPanel(out);
  MakeOptionRows(out);
  MakeBanners(out);
  MakePausePicture(out);
  MakeBoardBackgrounds(out);
  MakeBar(out);
  MakeCursorMark(out);
  MakeUnusedTextures(out);
}

const RegisterGenerator registered("textures", GenerateTextures);

}  // namespace
}  // namespace assetgen
