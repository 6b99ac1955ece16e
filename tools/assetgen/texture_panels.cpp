// The dialog panels (the three questions, options, name entry, high scores) and the rows of
// the options panel. Panels are opaque quads: a wooden frame round a cream board, with the
// places where the game prints white names and numbers left as dark insets.
#include <algorithm>
#include <string>

#include "tools/assetgen/orchard_style.h"
#include "tools/assetgen/texture_art.h"

namespace assetgen {

using namespace orchard;

namespace {

namespace fs = std::filesystem;

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

// A leafy rule across a panel.
void Divider(Canvas& c, float y) {
  const float cx = c.UnitsWide() / 2;
  c.Fill(Segment(cx - 90, y, cx + 90, y, 0.8f), Solid(Rgb8(190, 150, 100)));
  DrawLeaf(c, cx, y, cx - 18, y - 7, 8, Green);
  DrawLeaf(c, cx, y, cx + 18, y - 7, 8, Green);
  DrawLeaf(c, cx, y, cx, y + 14, 7, GreenDark);
}

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
void MakeRow(const fs::path& out, TextureIndex index, const std::string& label, const std::string& value,
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

}  // namespace

void MakeQuestion(const fs::path& out, TextureIndex index, const std::string& question,
                  const std::string& note) {
  Canvas c(300, 150, 3);
  FramedPanel(c, 9, 50 + index);  // a grain of its own for each question
  CornerLeaves(c, 9);
  Title(c, question, 46, 21);
  Note(c, note, 76);
  SaveImage(out, index, c, 256, 128);
}

void MakeOptionsPanel(const fs::path& out) {
  // Rows lie from 63 to 235 units below the top and the Back button from 283 to 315.
  Canvas c(300, 330, 3);
  FramedPanel(c, 9, 60);
  CornerLeaves(c, 9);
  Title(c, "Options", 36, 26);
  Divider(c, 258);
  SaveImage(out, TexOptionsPanel, c, 256, 256);
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
  SaveImage(out, TexNameEntryPanel, c, 256, 256);
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
    void (*icon)(Canvas&, float x, float y, float size, Rgb colour);
    float iconSize;
    float headingY, insetTop, firstRow;
  };
  for (const List& l : {List{"Levels", DrawSteps, 14, 72, 91, 106}, List{"Timed", DrawClock, 7.5f, 224, 244, 259}}) {
    const TextStyle style{Face::Display, 17};
    const float width = TextWidth(l.heading, style, c.Scale());
    const float left = 172.5f - (width + 22) / 2;
    l.icon(c, left + 7, l.headingY, l.iconSize, Green);
    Letter(c, TextCoverage(c, l.heading, style, left + 22, l.headingY + CapHeight(style) / 2, Align::Left), Ink,
           Relief::Engraved);
    DarkInset(c, RoundedRect(20, l.insetTop, 330, l.insetTop + 110, 9));
    for (int rank = 0; rank < 5; ++rank)
      Letter(c, CentredText(c, std::to_string(rank + 1), {Face::Clear, 12}, 38, l.firstRow + 20 * rank),
             Rgb8(214, 160, 70));
  }
  SaveImage(out, TexHighScoresPanel, c, 256, 512);
}

void MakeOptionRows(const fs::path& out) {
  MakeRow(out, TexDisplayRowWindowed, "Display", "Window 640x480", Value::Choice, false);
  MakeRow(out, TexDisplayRowFullscreen, "Display", "Fullscreen 800x600", Value::Choice, false);
  MakeRow(out, TexMusicRowOff, "Music", "Off", Value::Off, false, RowIcon::Note);
  MakeRow(out, TexMusicRowOn, "Music", "On", Value::On, false, RowIcon::Note);
  MakeRow(out, TexSoundRowOff, "Sound", "Off", Value::Off, false, RowIcon::Speaker);
  MakeRow(out, TexSoundRowOn, "Sound", "On", Value::On, false, RowIcon::Speaker);
  MakeRow(out, TexHelpRowIdle, "Help", "closes the game  >", Value::Plain, false);
  MakeRow(out, TexHelpRowHover, "Help", "closes the game  >", Value::Plain, true);
  MakeRow(out, TexHighScoresRowIdle, "High scores", "best games  >", Value::Plain, false);
  MakeRow(out, TexHighScoresRowHover, "High scores", "best games  >", Value::Plain, true);
}

}  // namespace assetgen
