#include "tools/assetgen/xm_writer.h"

#include <cmath>
#include <stdexcept>

#include "tools/assetgen/assetgen.h"

namespace assetgen {

namespace {

constexpr uint32_t HeaderSize = 276;  // from the header-size field to the end of the order table
constexpr uint32_t PatternHeaderSize = 9;
constexpr uint32_t InstrumentHeaderSize = 263;
constexpr uint32_t SampleHeaderSize = 40;
constexpr int OrderTableSize = 256;
constexpr uint16_t LinearFrequencies = 1;
constexpr uint8_t ForwardLoop = 1;
constexpr uint8_t SixteenBit = 0x10;
constexpr uint8_t EnvelopeOn = 1, EnvelopeSustain = 2;
constexpr double C4SampleRate = 8363.0;  // playback rate of an untuned sample at C-4
constexpr double MiddleC = 261.6255653;

// Packed cell: a flag byte with the high bit set names the fields that follow.
void WriteCell(ByteWriter& w, const XmCell& c) {
  const uint8_t flags = static_cast<uint8_t>(0x80 | (c.note ? 1 : 0) | (c.instrument ? 2 : 0) |
                                             (c.volume ? 4 : 0) | (c.effect ? 8 : 0) |
                                             (c.parameter ? 16 : 0));
  w.U8(flags);
  if (c.note) w.U8(c.note);
  if (c.instrument) w.U8(c.instrument);
  if (c.volume) w.U8(c.volume);
  if (c.effect) w.U8(c.effect);
  if (c.parameter) w.U8(c.parameter);
}

void WritePattern(ByteWriter& w, const XmPattern& p, int channels) {
  if (p.rows < 1 || p.rows > 256 || p.cells.size() != static_cast<size_t>(p.rows * channels))
    throw std::invalid_argument("pattern size does not match its rows and channels");
  ByteWriter packed;
  bool empty = true;
  for (const XmCell& c : p.cells) {
    WriteCell(packed, c);
    empty = empty && c.Empty();
  }
  w.U32(PatternHeaderSize);
  w.U8(0);  // packing type
  w.U16(static_cast<uint16_t>(p.rows));
  if (packed.Size() > 0xffff) throw std::invalid_argument("pattern too large");
  w.U16(empty ? 0 : static_cast<uint16_t>(packed.Size()));
  if (!empty) w.Bytes(packed.Data().data(), packed.Size());
}

void WriteEnvelopePoints(ByteWriter& w, const XmEnvelope& e) {
  if (e.points.size() > XmMaxEnvelopePoints) throw std::invalid_argument("envelope too long");
  for (int i = 0; i < XmMaxEnvelopePoints; ++i) {
    const bool used = i < static_cast<int>(e.points.size());
    w.U16(used ? e.points[static_cast<size_t>(i)].first : 0);
    w.U16(used ? e.points[static_cast<size_t>(i)].second : 0);
  }
}

void WriteInstrument(ByteWriter& w, const XmInstrument& in) {
  const XmSample& s = in.sample;
  const XmEnvelope& volume = in.volumeEnvelope;
  w.U32(InstrumentHeaderSize);
  w.FixedString(in.name, 22);
  w.U8(0);   // type
  w.U16(1);  // one sample
  w.U32(SampleHeaderSize);
  for (int key = 0; key < 96; ++key) w.U8(0);  // every key plays sample 0
  WriteEnvelopePoints(w, volume);
  WriteEnvelopePoints(w, XmEnvelope{});  // no panning envelope
  w.U8(static_cast<uint8_t>(volume.points.size()));
  w.U8(0);
  w.U8(static_cast<uint8_t>(volume.sustain < 0 ? 0 : volume.sustain));
  w.U8(0);  // volume loop start
  w.U8(0);  // volume loop end
  w.U8(0);  // panning sustain, loop start, loop end
  w.U8(0);
  w.U8(0);
  w.U8(static_cast<uint8_t>(volume.points.empty() ? 0
                                                  : EnvelopeOn | (volume.sustain >= 0 ? EnvelopeSustain : 0)));
  w.U8(0);  // panning envelope off
  w.U8(0);  // vibrato waveform: sine
  w.U8(in.vibratoSweep);
  w.U8(in.vibratoDepth);
  w.U8(in.vibratoRate);
  w.U16(in.fadeout);
  for (int i = 0; i < 22; ++i) w.U8(0);  // reserved

  w.U32(static_cast<uint32_t>(s.data.size() * 2));
  w.U32(s.loopStart * 2);
  w.U32(s.loopLength * 2);
  w.U8(s.volume);
  w.U8(static_cast<uint8_t>(s.finetune));
  w.U8(static_cast<uint8_t>(SixteenBit | (s.loopLength ? ForwardLoop : 0)));
  w.U8(s.panning);
  w.U8(static_cast<uint8_t>(s.relativeNote));
  w.U8(0);  // reserved
  w.FixedString(s.name, 22);

  // Sample data is stored as differences between neighbouring samples.
  int16_t previous = 0;
  for (int16_t v : s.data) {
    w.U16(static_cast<uint16_t>(static_cast<int16_t>(v - previous)));
    previous = v;
  }
}

}  // namespace

void TuneSample(XmSample& sample, double frequency, double sampleRate) {
  const double semitones = 12.0 * std::log2(sampleRate * MiddleC / (frequency * C4SampleRate));
  const double whole = std::round(semitones);
  sample.relativeNote = static_cast<int8_t>(whole);
  sample.finetune = static_cast<int8_t>(std::lround((semitones - whole) * 128.0));
}

std::vector<uint8_t> EncodeXm(const XmModule& m) {
  if (m.order.empty() || m.order.size() > OrderTableSize || m.patterns.size() > 256 ||
      m.instruments.size() > 128 || m.channels < 1 || m.channels > 32)
    throw std::invalid_argument("song does not fit an extended module");
  ByteWriter w;
  w.Bytes("Extended Module: ", 17);
  w.FixedString(m.name, 20);
  w.U8(0x1a);
  w.FixedString("Quillary assetgen", 20);
  w.U16(0x0104);
  w.U32(HeaderSize);
  w.U16(static_cast<uint16_t>(m.order.size()));
  w.U16(static_cast<uint16_t>(m.restartPosition));
  w.U16(static_cast<uint16_t>(m.channels));
  w.U16(static_cast<uint16_t>(m.patterns.size()));
  w.U16(static_cast<uint16_t>(m.instruments.size()));
  w.U16(LinearFrequencies);
  w.U16(static_cast<uint16_t>(m.speed));
  w.U16(static_cast<uint16_t>(m.bpm));
  for (int i = 0; i < OrderTableSize; ++i)
    w.U8(i < static_cast<int>(m.order.size()) ? m.order[static_cast<size_t>(i)] : 0);
  for (const XmPattern& p : m.patterns) WritePattern(w, p, m.channels);
  for (const XmInstrument& in : m.instruments) WriteInstrument(w, in);
  return w.Data();
}

}  // namespace assetgen
