// The two tunes: base/theme1.xm, relaxed and pastoral in F major for the Levels mode, and
// base/theme2.xm, brisk and bright in A minor for the Timed mode. Each runs intro, verse,
// verse with echo, bridge, verse again and a closing turnaround whose last chord leads back
// into the intro. The mixer starts a finished song again from its very beginning, so the
// module's own loop goes there too and both ways of looping sound alike.
#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/music_instruments.h"
#include "tools/assetgen/music_score.h"

namespace assetgen {

namespace {

// Ten channels: lead, its echo, arpeggio, three pad voices, bass, kick, snare, hi-hat.
enum Channel { Lead, Echo, Arp, Pad, Bass = Pad + 3, KickDrum, SnareDrum, Hat, ChannelCount };

constexpr int Speed = 6;        // ticks per row; four rows to the beat
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

// Levels mode: 96 beats per minute, flute over marimba, soft pads, brushes and shaker.
XmModule LevelsTheme() {
  constexpr int Bpm = 96;
  enum { FluteI = 1, PadI, BassI, MarimbaI, KickI, BrushI, ShakerI };
  const Voice lead{Lead, FluteI, 46, 118};
  const EchoPart echo{{Echo, FluteI, 0, 190}, 3, 0.38};
  const Voice arp{Arp, MarimbaI, 31, 80};
  const Voice pad{Pad, PadI, 17, 128};
  const Voice bass{Bass, BassI, 50, 128};
  const Voice kick{KickDrum, KickI, 50, 128};
  const Voice brush{SnareDrum, BrushI, 34, 140};
  const Voice shaker{Hat, ShakerI, 24, 170};

  const ChordLine intro("F Bb/F F Csus4,C");
  const ChordLine verse("F C/E Dm Bb F C Bb,C F");
  const ChordLine bridge("Bb C Am Dm Gm C F/A,Bb Csus4,C");
  const ChordLine turn("Bb C Dm,Bb C");
  const std::vector<int> flowing = {0, 2, 3, 4, 5, 4, 3, 2};
  const std::vector<int> rising = {1, 2, 3, 5, 4, 3, 2, 3};
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
  const std::string kickLine = "X.......X.o.....";
  const std::string brushLine = "....X.......X...";
  const std::string brushFill = "....X.......X.xx";
  const std::string shakerLine = "x.o.x.o.x.o.x.ox";

  Arrangement song(ChannelCount, 40);
  // Intro, bars 0-3: pads and marimba, then bass and shaker.
  WritePads(song, pad, 0, intro, 53, 72);
  WriteArpeggio(song, arp, 0, intro, flowing, 2, 53);
  WriteBass(song, bass, 2, ChordLine("F Csus4,C"), "R:12 5:4", 41);
  WriteDrums(song, shaker, 2, 2, "x...o...x...o.ox");

  // A (bars 4-11), A' with echo (12-19), bridge (20-27), A again (28-35), turnaround (36-39).
  int bar = 4;
  for (const std::string* melody : {&melodyA, &melodyA2}) {
    WritePads(song, pad, bar, verse, 53, 72);
    WriteArpeggio(song, arp, bar, verse, flowing, 2, 53);
    WriteBass(song, bass, bar, verse, "R:6 5:2 8:4 5:4", 41);
    WriteMelody(song, lead, bar, *melody, melody == &melodyA2 ? echo : EchoPart{});
    WriteDrums(song, kick, bar, 8, kickLine);
    WriteDrums(song, brush, bar, 7, brushLine);
    WriteDrums(song, brush, bar + 7, 1, brushFill);
    WriteDrums(song, shaker, bar, 8, shakerLine);
    bar += 8;
  }
  WritePads(song, pad, bar, bridge, 53, 72);
  WriteArpeggio(song, arp, bar, bridge, rising, 2, 53);
  WriteBass(song, bass, bar, bridge, "R:4 r:2 R:2 5:4 3:4", 41);
  WriteMelody(song, lead, bar, melodyB, echo);
  WriteDrums(song, kick, bar, 8, "X.....X...X.....");
  WriteDrums(song, brush, bar, 7, brushLine);
  WriteDrums(song, brush, bar + 7, 1, "....X...X.x.XxXx");
  WriteDrums(song, shaker, bar, 8, "xox.xox.xox.xoxo");
  bar += 8;
  WritePads(song, pad, bar, verse, 53, 72);
  WriteArpeggio(song, arp, bar, verse, rising, 2, 53);
  WriteBass(song, bass, bar, verse, "R:6 5:2 8:4 5:4", 41);
  WriteMelody(song, lead, bar, melodyA2, echo);
  WriteDrums(song, kick, bar, 8, kickLine);
  WriteDrums(song, brush, bar, 8, brushLine);
  WriteDrums(song, shaker, bar, 8, shakerLine);
  bar += 8;
  WritePads(song, pad, bar, turn, 53, 72);
  WriteArpeggio(song, arp, bar, turn, flowing, 2, 53);
  WriteBass(song, bass, bar, turn, "R:6 5:2 8:4 5:4", 41);
  WriteMelody(song, lead, bar, melodyTurn, echo);
  // The drums thin out over the last bar, leaving the marimba to carry on into the intro.
  WriteDrums(song, kick, bar, 3, kickLine);
  WriteDrums(song, brush, bar, 3, brushLine);
  WriteDrums(song, shaker, bar, 3, shakerLine);
  WriteDrums(song, kick, bar + 3, 1, "X...............");
  WriteDrums(song, brush, bar + 3, 1, "....x...........");
  WriteDrums(song, shaker, bar + 3, 1, "x.o.x.o.o.......");

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
  const Voice lead{Lead, PulseI, 44, 112};
  const EchoPart echo{{Echo, PulseI, 0, 196}, 3, 0.34};
  const Voice arp{Arp, PluckI, 30, 72};
  const Voice pad{Pad, PadI, 15, 128};
  const Voice bass{Bass, BassI, 48, 128};
  const Voice kick{KickDrum, KickI, 56, 128};
  const Voice snare{SnareDrum, SnareI, 42, 136};
  const Voice hat{Hat, HatI, 26, 176};
  const Voice openHat{Hat, OpenHatI, 20, 176};

  const ChordLine intro("Am F C G");
  const ChordLine verse("Am F C G Am F Dm,E Am");
  const ChordLine chorus("F G Em Am Dm Em F,G E");
  const ChordLine breakdown("Am Am F F C C G G");
  const ChordLine turn("F G E E");
  const std::vector<int> running = {0, 1, 2, 3, 4, 3, 2, 1};
  const std::vector<int> leaping = {0, 2, 1, 3, 2, 4, 3, 5};
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
  const std::string four = "X...X...X...X...";
  const std::string backbeat = "....X.......X...";
  const std::string backbeatFill = "....X.......X.XX";
  const std::string closedHats = "x.x.x.x.x.x.x.x.";
  const std::string offbeatOpen = "..X...X...X...X.";

  Arrangement song(ChannelCount, 48);
  // Intro, bars 0-3: pads, running pluck and hats; kick and bass join for the last two bars.
  WritePads(song, pad, 0, intro, 52, 71);
  WriteArpeggio(song, arp, 0, intro, running, 1, 57);
  WriteDrums(song, hat, 0, 4, "x.xox.xox.xox.xo");
  WriteDrums(song, kick, 2, 2, four);
  WriteBass(song, bass, 2, ChordLine("C G"), "R:2 8:2 R:2 8:2 R:2 8:2 R:2 8:2", 40);
  WriteDrums(song, snare, 3, 1, "........X.x.XxXX");

  auto section = [&](int bar, const ChordLine& chords, const std::string& melody, const EchoPart& withEcho,
                     const std::vector<int>& arpSteps, const std::string& bassLine, bool openHats) {
    WritePads(song, pad, bar, chords, 52, 71);
    WriteArpeggio(song, arp, bar, chords, arpSteps, 1, 57);
    WriteBass(song, bass, bar, chords, bassLine, 40);
    WriteMelody(song, lead, bar, melody, withEcho);
    const int bars = chords.Bars();
    WriteDrums(song, kick, bar, bars, four);
    WriteDrums(song, snare, bar, bars - 1, backbeat);
    WriteDrums(song, snare, bar + bars - 1, 1, backbeatFill);
    WriteDrums(song, hat, bar, bars, closedHats);
    if (openHats) WriteDrums(song, openHat, bar, bars, offbeatOpen);
  };
  const std::string octaves = "R:2 8:2 R:2 8:2 R:2 8:2 R:2 8:2";
  const std::string walking = "R:2 R:2 8:2 R:2 5:2 R:2 8:2 5:2";
  section(4, verse, melodyA, {}, running, octaves, false);
  section(12, verse, melodyA2, echo, running, octaves, true);
  section(20, chorus, melodyB, echo, leaping, walking, true);

  // Breakdown, bars 28-35: half-time drums, long bass notes, the pluck carries the tune; a
  // snare roll builds into the return of the verse.
  WritePads(song, pad, 28, breakdown, 52, 71);
  WriteArpeggio(song, Voice{Arp, PluckI, 38, 72}, 28, breakdown, {0, 2, 4, 5, 3, 4, 2, 1}, 2, 57);
  WriteBass(song, bass, 28, breakdown, "R:8 5-:4 R:4", 40);
  WriteMelody(song, lead, 28, melodyBreak, echo);
  WriteDrums(song, kick, 28, 7, "X.........X.....");
  WriteDrums(song, snare, 28, 6, "........X.......");
  WriteDrums(song, snare, 34, 2, "x...x...x.x.x.x.XxXxXxXxXXXXXXXX");
  WriteDrums(song, hat, 28, 7, "x...x...x...x...");

  section(36, verse, melodyA2, echo, leaping, octaves, true);
  section(44, turn, melodyTurn, echo, running, walking, true);

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
