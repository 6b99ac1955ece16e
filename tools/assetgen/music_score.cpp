#include "tools/assetgen/music_score.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace assetgen {

namespace {

constexpr uint8_t SetPanning = 0x08;  // effect 8xx
constexpr uint8_t SetVolume = 0x10;   // volume column 0x10 + volume
constexpr int MidiToXm = 11;          // MIDI 12 (C0) is tracker note 1

// Pitch class of a note letter with its accidentals at `text[pos]`; advances `pos`.
int ReadPitchClass(const std::string& text, size_t& pos) {
  static constexpr std::array<int, 7> Letters = {9, 11, 0, 2, 4, 5, 7};  // A..G
  if (pos >= text.size() || text[pos] < 'A' || text[pos] > 'G')
    throw std::invalid_argument("bad note name in \"" + text + "\"");
  int pc = Letters[static_cast<size_t>(text[pos++] - 'A')];
  for (; pos < text.size() && (text[pos] == '#' || text[pos] == 'b'); ++pos) pc += text[pos] == '#' ? 1 : -1;
  return (pc + 12) % 12;
}

// "Bb4" -> 70
int ParseNote(const std::string& text) {
  size_t pos = 0;
  const int pc = ReadPitchClass(text, pos);
  if (pos >= text.size()) throw std::invalid_argument("note without octave: " + text);
  return (std::atoi(text.c_str() + pos) + 1) * 12 + pc;
}

Chord ParseChord(const std::string& text) {
  size_t pos = 0;
  Chord chord;
  chord.root = ReadPitchClass(text, pos);
  const size_t slash = text.find('/');
  const std::string quality = text.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
  if (quality.empty()) chord.intervals = {0, 4, 7};
  else if (quality == "m") chord.intervals = {0, 3, 7};
  else if (quality == "7") chord.intervals = {0, 4, 7, 10};
  else if (quality == "m7") chord.intervals = {0, 3, 7, 10};
  else if (quality == "maj7") chord.intervals = {0, 4, 7, 11};
  else if (quality == "sus4") chord.intervals = {0, 5, 7};
  else if (quality == "sus2") chord.intervals = {0, 2, 7};
  else if (quality == "add9") chord.intervals = {0, 4, 7, 14};
  else throw std::invalid_argument("unknown chord " + text);
  chord.bass = chord.root;
  if (slash != std::string::npos) {
    size_t bassPos = slash + 1;
    chord.bass = ReadPitchClass(text, bassPos);
  }
  return chord;
}

std::vector<std::string> Tokens(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> tokens;
  for (std::string t; in >> t;) tokens.push_back(t);
  return tokens;
}

// Splits "C5:4" into its name and its length in rows.
std::pair<std::string, int> SplitLength(const std::string& token) {
  const size_t colon = token.find(':');
  if (colon == std::string::npos) throw std::invalid_argument("token without length: " + token);
  const int length = std::atoi(token.c_str() + colon + 1);
  if (length <= 0) throw std::invalid_argument("bad length in " + token);
  return {token.substr(0, colon), length};
}

int ScaledVolume(int volume, double factor) {
  return std::clamp(static_cast<int>(std::lround(volume * factor)), 1, 64);
}

// The three pitch classes a pad voices: a seventh or added ninth drops the fifth.
std::array<int, 3> PadTones(const Chord& c) {
  std::vector<int> tones = c.intervals;
  if (tones.size() == 4) tones.erase(tones.begin() + 2);
  return {(c.root + tones[0]) % 12, (c.root + tones[1]) % 12, (c.root + tones[2]) % 12};
}

// The ascending voicing of the chord in [low, high] nearest to `previous`.
std::array<int, 3> NearestVoicing(const Chord& c, const std::array<int, 3>& previous, int low, int high) {
  std::array<int, 3> pcs = PadTones(c);
  std::sort(pcs.begin(), pcs.end());
  std::array<int, 3> best = previous;
  int bestCost = 1 << 30;
  do {
    std::array<std::vector<int>, 3> options;
    for (size_t v = 0; v < 3; ++v)
      for (int n = low; n <= high; ++n)
        if (n % 12 == pcs[v]) options[v].push_back(n);
    for (int a : options[0])
      for (int b : options[1])
        for (int d : options[2]) {
          if (!(a < b && b < d) || d - a > 12) continue;
          const int cost = std::abs(a - previous[0]) + std::abs(b - previous[1]) + std::abs(d - previous[2]);
          if (cost < bestCost) {
            bestCost = cost;
            best = {a, b, d};
          }
        }
  } while (std::next_permutation(pcs.begin(), pcs.end()));
  if (bestCost == 1 << 30) throw std::invalid_argument("no pad voicing in range");
  return best;
}

}  // namespace

Arrangement::Arrangement(int channels, int bars)
    : channels_(channels), rows_(bars * RowsPerBar), cells_(static_cast<size_t>(channels * rows_)) {}

XmCell* Arrangement::At(int channel, int row) {
  if (row < 0 || row >= rows_ || channel < 0 || channel >= channels_) return nullptr;
  return &cells_[static_cast<size_t>(row * channels_ + channel)];
}

void Arrangement::Note(const Voice& voice, int row, int note, int volume) {
  XmCell* cell = At(voice.channel, row);
  if (!cell) return;
  // A new instrument number resets the channel's panning, so every note sets it again.
  *cell = XmCell{static_cast<uint8_t>(note - MidiToXm), static_cast<uint8_t>(voice.instrument),
                 static_cast<uint8_t>(SetVolume + std::clamp(volume, 0, 64)), SetPanning,
                 static_cast<uint8_t>(voice.pan)};
}

void Arrangement::Release(int channel, int row) {
  if (XmCell* cell = At(channel, row)) *cell = XmCell{XmKeyOff};
}

std::vector<XmPattern> Arrangement::Patterns(int barsPerPattern) const {
  const int rowsPerPattern = barsPerPattern * RowsPerBar;
  if (rows_ % rowsPerPattern) throw std::invalid_argument("song does not fill whole patterns");
  std::vector<XmPattern> patterns;
  for (int start = 0; start < rows_; start += rowsPerPattern) {
    XmPattern p;
    p.rows = rowsPerPattern;
    const auto first = cells_.begin() + start * channels_;
    p.cells.assign(first, first + rowsPerPattern * channels_);
    patterns.push_back(std::move(p));
  }
  return patterns;
}

ChordLine::ChordLine(const std::string& text) {
  for (const std::string& bar : Tokens(text)) {
    const size_t comma = bar.find(',');
    if (comma == std::string::npos) {
      halves_.push_back(ParseChord(bar));
      halves_.push_back(halves_.back());
    } else {
      halves_.push_back(ParseChord(bar.substr(0, comma)));
      halves_.push_back(ParseChord(bar.substr(comma + 1)));
    }
  }
}

bool ChordLine::ChangesAt(int row) const {
  if (row % (RowsPerBar / 2)) return false;
  if (row == 0) return true;
  const Chord& now = At(row);
  const Chord& before = At(row - 1);
  return now.root != before.root || now.intervals != before.intervals || now.bass != before.bass;
}

int WriteMelody(Arrangement& song, const Voice& voice, int startBar, const std::string& line,
                const EchoPart& echo) {
  int row = startBar * RowsPerBar;
  bool sounding = false;
  for (const std::string& token : Tokens(line)) {
    const auto [name, length] = SplitLength(token);
    if (name == "r") {
      if (sounding) {
        song.Release(voice.channel, row);
        if (echo.voice.channel >= 0) song.Release(echo.voice.channel, row + echo.delay);
      }
      sounding = false;
    } else {
      // Notes on the beat lean a little harder than those between beats.
      const int volume = ScaledVolume(voice.volume, row % 4 == 0 ? 1.0 : 0.88);
      const int note = ParseNote(name);
      song.Note(voice, row, note, volume);
      if (echo.voice.channel >= 0) song.Note(echo.voice, row + echo.delay, note, ScaledVolume(volume, echo.level));
      sounding = true;
    }
    row += length;
  }
  const int rows = row - startBar * RowsPerBar;
  if (rows % RowsPerBar) throw std::invalid_argument("melody does not fill whole bars: " + line);
  return rows / RowsPerBar;
}

void WritePads(Arrangement& song, const Voice& voice, int startBar, const ChordLine& chords,
               int low, int high) {
  const int middle = (low + high) / 2;
  std::array<int, 3> sounding = {middle - 5, middle, middle + 4};
  for (int row = 0; row < chords.Bars() * RowsPerBar; ++row) {
    if (!chords.ChangesAt(row)) continue;
    const std::array<int, 3> next = NearestVoicing(chords.At(row), sounding, low, high);
    for (int v = 0; v < 3; ++v)
      if (row == 0 || next[static_cast<size_t>(v)] != sounding[static_cast<size_t>(v)])
        song.Note(Voice{voice.channel + v, voice.instrument, voice.volume, voice.pan + (v - 1) * 40},
                  startBar * RowsPerBar + row, next[static_cast<size_t>(v)], voice.volume);
    sounding = next;
  }
}

void WriteBass(Arrangement& song, const Voice& voice, int startBar, const ChordLine& chords,
               const std::string& barPattern, int lowestRoot) {
  std::vector<std::pair<std::string, int>> steps;
  int barRows = 0;
  for (const std::string& token : Tokens(barPattern)) {
    steps.push_back(SplitLength(token));
    barRows += steps.back().second;
  }
  if (barRows != RowsPerBar) throw std::invalid_argument("bass pattern is not one bar: " + barPattern);
  for (int bar = 0; bar < chords.Bars(); ++bar) {
    int row = bar * RowsPerBar;
    for (const auto& [degree, length] : steps) {
      const Chord& c = chords.At(row);
      const int bass = lowestRoot + (c.bass - lowestRoot % 12 + 12) % 12;
      const int chordRoot = bass - (c.bass - c.root + 12) % 12;
      auto tone = [&](size_t i) { return chordRoot + c.intervals[std::min(i, c.intervals.size() - 1)]; };
      int note = 0;
      if (degree == "R") note = bass;
      else if (degree == "8") note = bass + 12;
      else if (degree == "3") note = tone(1);
      else if (degree == "5") note = tone(2);
      else if (degree == "5-") note = tone(2) - 12;
      else if (degree == "7") note = c.intervals.size() == 4 ? tone(3) : bass + 12;
      else if (degree != "r") throw std::invalid_argument("unknown bass degree " + degree);
      const int at = startBar * RowsPerBar + row;
      if (note) song.Note(voice, at, note, ScaledVolume(voice.volume, row % 4 == 0 ? 1.0 : 0.85));
      else song.Release(voice.channel, at);
      row += length;
    }
  }
}

void WriteArpeggio(Arrangement& song, const Voice& voice, int startBar, const ChordLine& chords,
                   const std::vector<int>& steps, int stepRows, int base) {
  int step = 0;
  for (int row = 0; row < chords.Bars() * RowsPerBar; row += stepRows, ++step) {
    const int pick = steps[static_cast<size_t>(step) % steps.size()];
    if (pick < 0) continue;
    const Chord& c = chords.At(row);
    int found = -1;
    for (int n = base; found < pick; ++n)
      for (int interval : c.intervals)
        if ((n - c.root - interval) % 12 == 0) {
          ++found;
          if (found == pick) {
            song.Note(voice, startBar * RowsPerBar + row, n, ScaledVolume(voice.volume, row % 4 == 0 ? 1.0 : 0.8));
            break;
          }
        }
  }
}

void WriteDrums(Arrangement& song, const Voice& voice, int startBar, int bars,
                const std::string& steps, int note) {
  for (int row = 0; row < bars * RowsPerBar; ++row) {
    const char hit = steps[static_cast<size_t>(row) % steps.size()];
    const double level = hit == 'X' ? 1.0 : hit == 'x' ? 0.7 : hit == 'o' ? 0.45 : 0.0;
    if (level > 0) song.Note(voice, startBar * RowsPerBar + row, note, ScaledVolume(voice.volume, level));
  }
}

}  // namespace assetgen
