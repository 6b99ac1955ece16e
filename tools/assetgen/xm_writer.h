// Extended modules (the tracker format of the game's music): an in-memory song and its
// encoding into the file's bytes, with packed patterns and delta-coded 16-bit samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// Note values of a pattern cell: 1 is C-0, 97 releases the playing note.
constexpr uint8_t XmKeyOff = 97;
constexpr int XmMaxEnvelopePoints = 12;

struct XmCell {
  uint8_t note = 0;        // 0: no note
  uint8_t instrument = 0;  // 1-based, 0: none
  uint8_t volume = 0;      // volume column: 0x10 + 0..64 sets the volume, 0: nothing
  uint8_t effect = 0;
  uint8_t parameter = 0;
  bool Empty() const { return !note && !instrument && !volume && !effect && !parameter; }
};

struct XmPattern {
  int rows = 64;
  std::vector<XmCell> cells;  // rows * channels, row by row
};

// Volume envelope: (tick, level 0..64) points; `sustain` holds until the note is released.
struct XmEnvelope {
  std::vector<std::pair<uint16_t, uint16_t>> points;
  int sustain = -1;  // point index, -1: none
};

struct XmSample {
  std::string name;
  std::vector<int16_t> data;
  uint32_t loopStart = 0;   // in samples
  uint32_t loopLength = 0;  // in samples, 0: no loop
  uint8_t volume = 64;
  uint8_t panning = 128;
  int8_t relativeNote = 0;
  int8_t finetune = 0;  // 1/128 of a semitone
};

struct XmInstrument {
  std::string name;
  XmSample sample;
  XmEnvelope volumeEnvelope;  // no points: the sample plays at its own level
  uint16_t fadeout = 0;       // volume lost per tick after release, of 32768
  uint8_t vibratoSweep = 0, vibratoDepth = 0, vibratoRate = 0;
};

struct XmModule {
  std::string name;
  int channels = 8;
  int speed = 6;  // ticks per row
  int bpm = 125;
  int restartPosition = 0;
  std::vector<uint8_t> order;
  std::vector<XmPattern> patterns;
  std::vector<XmInstrument> instruments;
};

// Sets the relative note and finetune that make note C-4 sound at middle C when the sample
// holds a tone of `frequency` Hz recorded at `sampleRate` samples per second.
void TuneSample(XmSample& sample, double frequency, double sampleRate);

// The file's bytes; throws std::invalid_argument when the song cannot be stored (too many
// patterns or rows, an envelope with too many points, a pattern of the wrong size).
std::vector<uint8_t> EncodeXm(const XmModule& module);

}  // namespace assetgen
