// The two tunes: base/theme1.xm, relaxed and pastoral in F major for the Levels mode, and
// base/theme2.xm, brisk and bright in A minor for the Timed mode. Each runs intro, verse,
// verse with echo, bridge (the Timed theme then a half-time breakdown), verse again and a
// closing turnaround whose last chord leads back into the intro. The mixer starts a finished song again from its very beginning, so the
// module's own loop goes there too and both ways of looping sound alike.
#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/music_instruments.h"
#include "tools/assetgen/music_score.h"

namespace assetgen {

namespace {

// Ten channels: lead, its echo, arpeggio, three pad voices, bass, kick, snare, hi-hat.
enum Channel { Lead, Echo, Arp, Pad, Bass = Pad + 3, KickDrum, SnareDrum, Hat, ChannelCount };

// Six ticks per row and four rows to the beat make the module's tempo field the tune's
// beats per minute.
constexpr int Speed = 6;
constexpr int BarsPerPattern = 4;

// Seconds per tick at a tempo in beats per minute: a tick lasts 2.5 / tempo seconds.
double TickSeconds(int bpm) { return 2.5 / bpm; }

XmModule Module(const char* name, int bpm, const Arrangement& song, std::vector<XmInstrument> instruments) {
  XmModule m;
  m.name = name;
  m.channels = ChannelCount;
  m.speed = Speed;
  m.bpm = bpm;
  m.patterns = song.Patterns(BarsPerPattern);
  for (size_t i = 0; i < m.patterns.size(); ++i) m.order.push_back(static_cast<uint8_t>(i));
  m.instruments = std::move(instruments);
  return m;
}

// Lets every held note die away before the song starts again: the pad from the last beat,
// lead, echo and bass on the very last row.
void EndSong(Arrangement& song) {
  const int lastRow = song.Rows() - 1;
  for (int v = 0; v < 3; ++v) song.Release(Pad + v, lastRow - 3);
  for (int channel : {Lead, Echo, Bass}) song.Release(channel, lastRow);
}

// The voices of one tune and the ranges its pad, arpeggio and bass play in.
struct Band {
  Voice lead;
  EchoPart echo;
  Voice arp, pad, bass, kick, snare, hat, openHat;
  int padLow, padHigh, arpBase, bassLow;
};

// How a section is played: the arpeggio figure, the bass line, and the drum lines (one bar,
// repeated) with the section's last bar played apart for a fill or a thinning out.
struct Style {
  std::vector<int> arp;
  int arpRows;
  std::string bass;
  std::string kick, snare, hat;
  std::string lastKick, lastSnare, lastHat;
  std::string openHat;  // open hats laid over the hi-hat line, if any
  bool echo;
};

void WriteSection(Arrangement& song, const Band& band, int bar, const ChordLine& chords,
                  const std::string& melody, const Style& style) {
  WritePads(song, band.pad, bar, chords, band.padLow, band.padHigh);
  WriteArpeggio(song, band.arp, bar, chords, style.arp, style.arpRows, band.arpBase);
  WriteBass(song, band.bass, bar, chords, style.bass, band.bassLow);
  WriteMelody(song, band.lead, bar, melody, style.echo ? band.echo : EchoPart{});
  const int last = bar + chords.Bars() - 1;
  WriteDrums(song, band.kick, bar, chords.Bars() - 1, style.kick);
  WriteDrums(song, band.snare, bar, chords.Bars() - 1, style.snare);
  WriteDrums(song, band.hat, bar, chords.Bars() - 1, style.hat);
  WriteDrums(song, band.kick, last, 1, style.lastKick);
  WriteDrums(song, band.snare, last, 1, style.lastSnare);
  WriteDrums(song, band.hat, last, 1, style.lastHat);
  if (!style.openHat.empty()) WriteDrums(song, band.openHat, bar, chords.Bars(), style.openHat);
}

// Levels mode: 96 beats per minute, flute over marimba, soft pads, brushes and shaker.
XmModule LevelsTheme() {
  constexpr int Bpm = 96;
  enum { FluteI = 1, PadI, BassI, MarimbaI, KickI, BrushI, ShakerI };
  const Band band{.lead = {Lead, FluteI, 46, 118},
                  .echo = {{Echo, FluteI, 0, 190}, 3, 0.38},
                  .arp = {Arp, MarimbaI, 31, 80},
                  .pad = {Pad, PadI, 17, 128},
                  .bass = {Bass, BassI, 44, 128},
                  .kick = {KickDrum, KickI, 50, 128},
                  .snare = {SnareDrum, BrushI, 40, 140},
                  .hat = {Hat, ShakerI, 32, 170},
                  .openHat = {},
                  .padLow = 53, .padHigh = 72, .arpBase = 53, .bassLow = 41};

  const ChordLine intro("F Bb/F F Csus4,C");
  const ChordLine verse("F C/E Dm Bb F C Bb,C F");
  const ChordLine bridge("Bb C Am Dm Gm C F/A,Bb Csus4,C");
  const ChordLine turn("Bb C Dm,Bb C");
  const std::string melodyA1 =
      "C5:2 A4:2 C5:4 F5:6 E5:2  G5:4 E5:4 C5:8  D5:2 F5:2 A5:4 G5:4 F5:4  D5:12 r:4 ";
  const std::string melodyA = melodyA1 +
      "C5:2 A4:2 C5:4 F5:6 G5:2  A5:4 G5:4 E5:4 C5:4  D5:4 F5:4 E5:4 G5:4  F5:12 r:4";
  const std::string melodyA2 = melodyA1 +
      "A5:2 G5:2 F5:4 C5:6 D5:2  E5:4 G5:4 C6:8  Bb5:4 A5:4 G5:4 E5:4  F5:12 r:4";
  const std::string melodyB =
      "D6:4 C6:4 Bb5:4 F5:4  G5:6 A5:2 G5:4 E5:4  E5:2 A5:2 C6:8 A5:4  F5:4 A5:4 D5:8 "
      "Bb5:4 A5:4 G5:4 D5:4  E5:4 G5:4 C6:4 Bb5:4  A5:6 C6:2 D6:4 F5:4  G5:4 F5:4 E5:8";
  const std::string melodyTurn = "D5:4 F5:4 Bb5:8  C6:4 G5:4 E5:8  F5:4 D5:4 F5:4 D5:4  G5:8 r:8";
  const std::vector<int> flowing = {0, 2, 3, 4, 5, 4, 3, 2};
  const std::vector<int> rising = {1, 2, 3, 5, 4, 3, 2, 3};
  const std::string kick = "X.......X.o.....", brush = "....X.......X...", shaker = "x.o.x.o.x.o.x.ox";
  const Style verseStyle{flowing, 2, "R:6 5:2 8:4 5:4", kick, brush, shaker,
                         kick, "....X.......X.xx", shaker, "", false};
  Style echoedVerse = verseStyle;
  echoedVerse.echo = true;
  Style lastVerse = echoedVerse;
  lastVerse.arp = rising;
  lastVerse.lastSnare = brush;
  const Style bridgeStyle{rising, 2, "R:4 r:2 R:2 5:4 3:4", "X.....X...X.....", brush, "xox.xox.xox.xoxo",
                          "X.....X...X.....", "....X...X.x.XxXx", "xox.xox.xox.xoxo", "", true};
  // The drums thin out over the last bar, leaving the marimba to carry on into the intro.
  Style ending = echoedVerse;
  ending.lastKick = "X...............";
  ending.lastSnare = "....x...........";
  ending.lastHat = "x.o.x.o.o.......";

  Arrangement song(ChannelCount, 40);
  // Intro, bars 0-3: pads and marimba, then bass and shaker.
  WritePads(song, band.pad, 0, intro, band.padLow, band.padHigh);
  WriteArpeggio(song, band.arp, 0, intro, flowing, 2, band.arpBase);
  WriteBass(song, band.bass, 2, ChordLine("F Csus4,C"), "R:12 5:4", band.bassLow);
  WriteDrums(song, band.hat, 2, 2, "x...o...x...o.ox");
  WriteSection(song, band, 4, verse, melodyA, verseStyle);
  WriteSection(song, band, 12, verse, melodyA2, echoedVerse);
  WriteSection(song, band, 20, bridge, melodyB, bridgeStyle);
  WriteSection(song, band, 28, verse, melodyA2, lastVerse);
  WriteSection(song, band, 36, turn, melodyTurn, ending);
  EndSong(song);

  const double tick = TickSeconds(Bpm);
  return Module("Levels theme", Bpm, song,
                {SoftLead(tick), WarmPad(tick, false), PluckedBass(tick, false), Marimba(), Kick(),
                 Snare(true), HiHat(0.05, true)});
}

// Timed mode: 136 beats per minute, pulse lead over a running pluck, driving octave bass,
// four-to-the-floor kick with open hats on the off-beats and a half-time breakdown.
XmModule TimedTheme() {
  constexpr int Bpm = 136;
  enum { PulseI = 1, PadI, BassI, PluckI, KickI, SnareI, HatI, OpenHatI };
  const Band band{.lead = {Lead, PulseI, 56, 112},
                  .echo = {{Echo, PulseI, 0, 196}, 3, 0.34},
                  .arp = {Arp, PluckI, 24, 72},
                  .pad = {Pad, PadI, 15, 128},
                  .bass = {Bass, BassI, 44, 128},
                  .kick = {KickDrum, KickI, 56, 128},
                  .snare = {SnareDrum, SnareI, 48, 136},
                  .hat = {Hat, HatI, 32, 176},
                  .openHat = {Hat, OpenHatI, 24, 176},
                  .padLow = 52, .padHigh = 71, .arpBase = 57, .bassLow = 40};

  const ChordLine intro("Am F C G");
  const ChordLine verse("Am F C G Am F Dm,E Am");
  const ChordLine chorus("F G Em Am Dm Em F,G E");
  const ChordLine breakdown("Am Am F F C C G G");
  const ChordLine turn("F G E E");
  const std::string melodyA1 =
      "A4:2 C5:2 E5:2 A5:4 G5:2 E5:4  F5:2 E5:2 C5:4 A4:4 C5:4 "
      "G4:2 C5:2 E5:2 G5:4 F5:2 E5:4  D5:6 B4:2 G4:8 ";
  const std::string melodyA = melodyA1 +
      "A4:2 C5:2 E5:2 A5:4 B5:2 C6:4  A5:4 F5:4 C6:4 A5:4  F5:4 D5:4 E5:2 G#5:2 B5:4  A5:12 r:4";
  const std::string melodyA2 = melodyA1 +
      "E5:2 A5:2 C6:4 B5:2 A5:2 E5:4  F5:2 A5:2 C6:4 D6:4 C6:4  A5:4 F5:4 G#5:4 B5:4  A5:8 E5:4 A4:4";
  const std::string melodyB =
      "C6:6 A5:2 F5:4 A5:4  B5:6 G5:2 D5:4 G5:4  G5:4 E5:4 B4:4 E5:4  C5:2 E5:2 A5:8 G5:4 "
      "F5:4 A5:4 D6:4 C6:4  B5:4 G5:4 E5:8  A5:4 C6:4 B5:4 D6:4  E6:8 D6:2 B5:2 G#5:4";
  const std::string melodyBreak =
      "r:16  r:16  r:16  r:8 E5:4 A5:4  G5:8 E5:8  C6:12 r:4  B5:8 D6:8  G5:8 B5:4 D6:4";
  const std::string melodyTurn = "A5:8 C6:8  B5:8 D6:8  G#5:8 B5:8  E6:8 r:8";
  const std::vector<int> running = {0, 1, 2, 3, 4, 3, 2, 1};
  const std::vector<int> leaping = {0, 2, 1, 3, 2, 4, 3, 5};
  const std::string four = "X...X...X...X...", backbeat = "....X.......X...", hats = "x.x.x.x.x.x.x.x.";
  const std::string octaves = "R:2 8:2 R:2 8:2 R:2 8:2 R:2 8:2";
  const Style verseStyle{running, 1, octaves, four, backbeat, hats,
                         four, "....X.......X.XX", hats, "", false};
  Style echoedVerse = verseStyle;
  echoedVerse.echo = true;
  echoedVerse.openHat = "..X...X...X...X.";
  Style chorusStyle = echoedVerse;
  chorusStyle.arp = leaping;
  chorusStyle.bass = "R:2 R:2 8:2 R:2 5:2 R:2 8:2 5:2";
  Style lastVerse = echoedVerse;
  lastVerse.arp = leaping;

  Arrangement song(ChannelCount, 48);
  // Intro, bars 0-3: pads, running pluck and hats; kick and bass join for the last two bars.
  WritePads(song, band.pad, 0, intro, band.padLow, band.padHigh);
  WriteArpeggio(song, band.arp, 0, intro, running, 1, band.arpBase);
  WriteDrums(song, band.hat, 0, 4, "x.xox.xox.xox.xo");
  WriteDrums(song, band.kick, 2, 2, four);
  WriteBass(song, band.bass, 2, ChordLine("C G"), octaves, band.bassLow);
  WriteDrums(song, band.snare, 3, 1, "........X.x.XxXX");

  WriteSection(song, band, 4, verse, melodyA, verseStyle);
  WriteSection(song, band, 12, verse, melodyA2, echoedVerse);
  WriteSection(song, band, 20, chorus, melodyB, chorusStyle);

  // Breakdown, bars 28-35: half-time drums, long bass notes, the pluck carries the tune; a
  // snare roll builds into the return of the verse.
  WritePads(song, band.pad, 28, breakdown, band.padLow, band.padHigh);
  WriteArpeggio(song, Voice{Arp, PluckI, 32, 72}, 28, breakdown, {0, 2, 4, 5, 3, 4, 2, 1}, 2, band.arpBase);
  WriteBass(song, band.bass, 28, breakdown, "R:8 5-:4 R:4", band.bassLow);
  WriteMelody(song, band.lead, 28, melodyBreak, band.echo);
  WriteDrums(song, band.kick, 28, 7, "X.........X.....");
  WriteDrums(song, band.snare, 28, 6, "........X.......");
  WriteDrums(song, band.snare, 34, 2, "x...x...x.x.x.x.XxXxXxXxXXXXXXXX");
  WriteDrums(song, band.hat, 28, 7, "x...x...x...x...");

  WriteSection(song, band, 36, verse, melodyA2, lastVerse);
  WriteSection(song, band, 44, turn, melodyTurn, chorusStyle);
  EndSong(song);

  const double tick = TickSeconds(Bpm);
  return Module("Timed theme", Bpm, song,
                {PulseLead(tick), WarmPad(tick, true), PluckedBass(tick, true), Pluck(), Kick(), Snare(false),
                 HiHat(0.035, false), HiHat(0.22, false)});
}

void GenerateMusic(const std::filesystem::path& output) {
  WriteBinaryFile(output / "base" / "theme1.xm", EncodeXm(LevelsTheme()));
  WriteBinaryFile(output / "base" / "theme2.xm", EncodeXm(TimedTheme()));
}

const RegisterGenerator registered("music", GenerateMusic);

}  // namespace

}  // namespace assetgen
