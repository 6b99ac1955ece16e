// Writing the game's tunes into tracker patterns: melodies from note lists, chords voiced for
// the pad, bass lines and arpeggios from chord degrees, drum lines from step strings.
// Compositions are written bar by bar in 4/4 with sixteen rows per bar.
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/xm_writer.h"

namespace assetgen {

constexpr int RowsPerBar = 16;

// Where and how a part plays: its channel, 1-based instrument, volume (0..64) and
// stereo position (0 left, 128 centre, 255 right).
struct Voice {
  int channel;
  int instrument;
  int volume;
  int pan;
};

// A grid of note events over the whole song, cut into patterns at the end.
class Arrangement {
 public:
  Arrangement(int channels, int bars);
  int Channels() const { return channels_; }
  int Rows() const { return rows_; }
  // `note` is a MIDI number (60 is middle C). Events outside the song are dropped, so an
  // echo may run past the end.
  void Note(const Voice& voice, int row, int note, int volume);
  void Release(int channel, int row);
  std::vector<XmPattern> Patterns(int barsPerPattern) const;

 private:
  XmCell* At(int channel, int row);
  int channels_;
  int rows_;
  std::vector<XmCell> cells_;
};

// A chord: root pitch class (0 is C), the intervals of its tones above the root, and the
// pitch class the bass plays (the root unless written as a slash chord such as C/E).
struct Chord {
  int root = 0;
  std::vector<int> intervals;
  int bass = 0;
};

// Chords of consecutive bars: "F C/E Dm Bb,C" gives one chord per bar, or two chords per
// bar (one per half) joined by a comma.
class ChordLine {
 public:
  explicit ChordLine(const std::string& text);
  int Bars() const { return static_cast<int>(halves_.size() / 2); }
  // The chord sounding at a row counted from the line's first bar.
  const Chord& At(int row) const { return halves_[static_cast<size_t>(row / (RowsPerBar / 2))]; }
  // Whether a new chord starts at this row.
  bool ChangesAt(int row) const;

 private:
  std::vector<Chord> halves_;
};

// A delayed, softer copy of a melody on a voice of its own; a channel of -1 means none.
struct EchoPart {
  Voice voice{-1, 0, 0, 128};
  int delay = 3;       // rows
  double level = 0.4;  // of the melody's volume
};

// A melody in note:length tokens ("C5:4 Bb4:2 F#5:6 r:4", lengths in rows). A rest releases
// the note before it. Throws std::invalid_argument unless the line fills whole bars.
// Returns the number of bars written.
int WriteMelody(Arrangement& song, const Voice& voice, int startBar, const std::string& line,
                const EchoPart& echo = {});

// Sustained chords on three channels (the voice's channel and the next two), each chord
// voiced as close as possible to the one before it within [low, high] MIDI notes. A voice
// whose note stays the same is not struck again, except at the start of the line.
void WritePads(Arrangement& song, const Voice& voice, int startBar, const ChordLine& chords,
               int low, int high);

// A bass line repeated every bar: degree:length tokens where the degree is R (the chord's
// bass note), 3, 5, 7 (the chord's own third, fifth and seventh), 8 (the bass an octave up),
// 5- (the fifth below) or r (rest). Bass notes lie in [lowestRoot, lowestRoot + 11].
void WriteBass(Arrangement& song, const Voice& voice, int startBar, const ChordLine& chords,
               const std::string& barPattern, int lowestRoot);

// An arpeggio over the chords: every `stepRows` rows the next entry of `steps` picks the
// n-th chord tone at or above `base` (a MIDI note); -1 rests. The first step of each beat is
// accented.
void WriteArpeggio(Arrangement& song, const Voice& voice, int startBar, const ChordLine& chords,
                   const std::vector<int>& steps, int stepRows, int base);

// A drum line over `bars` bars repeating `steps` (one character per row): 'X' strikes at the
// voice's volume, 'x' at 70 %, 'o' at 45 %, anything else is silent. `note` is the pitch.
void WriteDrums(Arrangement& song, const Voice& voice, int startBar, int bars,
                const std::string& steps, int note = 60);

}  // namespace assetgen
