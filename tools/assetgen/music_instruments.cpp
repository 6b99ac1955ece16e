#include "tools/assetgen/music_instruments.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "tools/assetgen/synth.h"

namespace assetgen {

namespace {

// Pitched instruments are recorded at A4 and tuned so that tracker note C-4 sounds middle C.
constexpr double RecordedPitch = 440.0;
constexpr double MiddleC = 261.6255653;
// A steady tone repeats every tenth of a second when its pitch is a multiple of 10 Hz; a
// detuned ensemble repeats every second when every pitch is a whole number of Hz.
constexpr int ShortLoop = SynthRate / 10;
constexpr int LongLoop = SynthRate;
constexpr double SamplePeak = 0.9;

XmEnvelope EnvelopeInSeconds(std::initializer_list<std::pair<double, int>> points, int sustain,
                             double tickSeconds) {
  XmEnvelope e;
  for (const auto& [seconds, level] : points)
    e.points.emplace_back(static_cast<uint16_t>(std::lround(seconds / tickSeconds)), static_cast<uint16_t>(level));
  // Ticks must rise from point to point even when two times round to the same tick.
  for (size_t i = 1; i < e.points.size(); ++i)
    e.points[i].first = std::max<uint16_t>(e.points[i].first, static_cast<uint16_t>(e.points[i - 1].first + 1));
  e.sustain = sustain;
  return e;
}

XmInstrument Instrument(const char* name, Signal wave, double pitch, int loopStart, int loopLength) {
  NormalisePeak(wave, SamplePeak);
  XmInstrument in;
  in.name = name;
  in.sample.name = name;
  in.sample.data = ToPcm16(wave);
  in.sample.loopStart = static_cast<uint32_t>(loopStart);
  in.sample.loopLength = static_cast<uint32_t>(loopLength);
  TuneSample(in.sample, pitch, SynthRate);
  return in;
}

// A one-shot sound: no DC, no click at either end.
XmInstrument OneShot(const char* name, Signal wave, double pitch) {
  FadeEdges(wave, 0.0005, 0.01);
  RemoveDc(wave);
  return Instrument(name, std::move(wave), pitch, 0, 0);
}

// How much of an onset is left at time t: 1 at the start, falling smoothly to 0 at `fade`.
double Onset(double t, double fade) { return std::pow(std::max(0.0, 1.0 - t / fade), 2.0); }

// Detuned copies that chorus against a tone leave out its fundamental: the body of the note
// stays steady and only the overtones shimmer, instead of the whole note throbbing.
std::function<double(int, double)> WithoutFundamental(std::function<double(int, double)> amplitude) {
  return [amplitude](int n, double t) { return n == 1 ? 0.0 : amplitude(n, t); };
}

}  // namespace

XmInstrument SoftLead(double tickSeconds) {
  // Mostly fundamental with a little breath in the upper harmonics for the first 40 ms.
  static constexpr double Body[] = {0, 1.0, 0.28, 0.15, 0.07, 0.04, 0.02, 0.01, 0.0};
  static constexpr double Breath[] = {0, 0.0, 0.15, 0.12, 0.10, 0.08, 0.06, 0.05, 0.04};
  const int onset = SynthRate / 20;
  Signal wave = Additive(RecordedPitch, onset + ShortLoop, 8, 8000, [](int n, double t) {
    return Body[n] + Breath[n] * Onset(t, 0.04);
  });
  XmInstrument in = Instrument("soft lead", std::move(wave), RecordedPitch, onset, ShortLoop);
  in.volumeEnvelope = EnvelopeInSeconds({{0, 0}, {0.05, 64}, {0.3, 50}, {0.75, 0}}, 2, tickSeconds);
  in.vibratoSweep = 40;
  in.vibratoDepth = 3;
  in.vibratoRate = 9;
  return in;
}

XmInstrument PulseLead(double tickSeconds) {
  // A pulse of 30 % duty: harmonic n has amplitude sin(pi n d) / n, softened above the fifth.
  auto pulse = [](double brightness) {
    return [brightness](int n, double t) {
      const double rolloff = std::exp(-n / (11.0 + 10.0 * Onset(t, 0.03) * brightness));
      return std::sin(std::numbers::pi * n * 0.3) / n * rolloff;
    };
  };
  const int onset = SynthRate / 20;
  Signal wave = Additive(RecordedPitch, onset + LongLoop, 20, 9000, pulse(1.0));
  const Signal detuned = Additive(RecordedPitch + 1, onset + LongLoop, 20, 9000, WithoutFundamental(pulse(0.0)));
  for (size_t i = 0; i < wave.size(); ++i) wave[i] += 0.45f * detuned[i];
  XmInstrument in = Instrument("pulse lead", std::move(wave), RecordedPitch, onset, LongLoop);
  in.volumeEnvelope = EnvelopeInSeconds({{0, 0}, {0.01, 64}, {0.18, 46}, {0.4, 0}}, 2, tickSeconds);
  in.vibratoSweep = 50;
  in.vibratoDepth = 2;
  in.vibratoRate = 12;
  return in;
}

XmInstrument WarmPad(double tickSeconds, bool bright) {
  constexpr double PadPitch = 220.0;
  const double cutoff = bright ? 12.0 : 6.0;
  auto saw = [cutoff](int n, double) { return std::exp(-n / cutoff) / n; };
  const double top = bright ? 7000 : 3500;
  Signal wave = Additive(PadPitch, LongLoop, 40, top, saw);
  const Signal low = Additive(PadPitch - 1, LongLoop, 40, top, WithoutFundamental(saw));
  const Signal high = Additive(PadPitch + 1, LongLoop, 40, top, WithoutFundamental(saw));
  for (size_t i = 0; i < wave.size(); ++i) wave[i] += 0.6f * (low[i] + high[i]);
  XmInstrument in = Instrument(bright ? "bright pad" : "warm pad", std::move(wave), PadPitch, 0, LongLoop);
  in.volumeEnvelope = bright
      ? EnvelopeInSeconds({{0, 0}, {0.25, 64}, {0.5, 56}, {1.1, 0}}, 2, tickSeconds)
      : EnvelopeInSeconds({{0, 0}, {0.7, 64}, {1.0, 58}, {2.2, 0}}, 2, tickSeconds);
  return in;
}

XmInstrument PluckedBass(double tickSeconds, bool bright) {
  constexpr double BassPitch = 110.0;
  const double settle = 0.3;
  // Upper harmonics start strong and fade to the steady tone that the loop repeats.
  auto amplitude = [bright, settle](int n, double t) {
    const double steady = n == 1 ? 1.0 : (bright ? 0.9 : 0.6) / (n * n);
    return (steady + (1.0 - steady) * Onset(t, settle) * (bright ? 1.0 : 0.7)) / n;
  };
  const int loopStart = static_cast<int>((settle + 0.05) * SynthRate);
  Signal wave = Additive(BassPitch, loopStart + ShortLoop, 30, bright ? 4000 : 2500, amplitude);
  XmInstrument in = Instrument(bright ? "drive bass" : "round bass", std::move(wave), BassPitch, loopStart, ShortLoop);
  in.volumeEnvelope = EnvelopeInSeconds({{0, 64}, {0.15, 52}, {0.8, 40}, {2.0, 34}, {2.12, 0}}, 3, tickSeconds);
  return in;
}

XmInstrument Marimba() {
  Signal wave(static_cast<size_t>(1.2 * SynthRate), 0.0f);
  AddStrike(wave, 0, RecordedPitch, 1.0, MarimbaPartials(), 0.0015);
  return OneShot("marimba", std::move(wave), RecordedPitch);
}

XmInstrument Pluck() {
  Signal wave(static_cast<size_t>(0.8 * SynthRate), 0.0f);
  AddStrike(wave, 0, RecordedPitch, 1.0, PluckPartials(), 0.001);
  // A brighter pick than the effects' pluck, so the running figure cuts through the band.
  AddStrike(wave, 0, RecordedPitch, 1.0, {{7, 0.05, 0.03}, {8, 0.04, 0.025}, {10, 0.03, 0.02}, {12, 0.02, 0.015}}, 0.001);
  return OneShot("pluck", std::move(wave), RecordedPitch);
}

XmInstrument Kick() {
  // A sine falling quickly from 160 to 45 Hz, with a short filtered click on top.
  Signal wave(static_cast<size_t>(0.4 * SynthRate));
  double phase = 0;
  for (size_t i = 0; i < wave.size(); ++i) {
    const double t = static_cast<double>(i) / SynthRate;
    phase += 2 * std::numbers::pi * (45 + 115 * std::exp(-t / 0.03)) / SynthRate;
    wave[i] = static_cast<float>(std::min(1.0, t / 0.001) * std::exp(-t / 0.16) * std::sin(phase));
  }
  NoiseSource noise(0x6b1c);
  MixInto(wave, NoiseBurst(noise, Biquad::LowPass(2500, 0.7), 0.02, 0.0005, 0.004), 0, 0.35);
  return OneShot("kick", std::move(wave), MiddleC);
}

XmInstrument Snare(bool brush) {
  NoiseSource noise(brush ? 0xb2u : 0x5eu);
  Signal wave = brush ? NoiseBurst(noise, Biquad::BandPass(4200, 0.6), 0.3, 0.006, 0.08)
                      : NoiseBurst(noise, Biquad::BandPass(3200, 0.7), 0.3, 0.0008, 0.1);
  Signal body(wave.size(), 0.0f);
  AddStrike(body, 0, 185, 1.0, {{1.0, 1.0, 0.05}, {1.78, 0.5, 0.03}}, 0.001);
  MixInto(wave, body, 0, brush ? 0.15 : 0.7);
  return OneShot(brush ? "brush" : "snare", std::move(wave), MiddleC);
}

XmInstrument HiHat(double decay, bool shaker) {
  NoiseSource noise(shaker ? 0x5a7u : 0x4a7u);
  Signal wave = shaker ? NoiseBurst(noise, Biquad::BandPass(6500, 1.2), decay * 5, 0.012, decay)
                       : NoiseBurst(noise, Biquad::HighPass(7000, 0.8), decay * 5, 0.0005, decay);
  return OneShot(shaker ? "shaker" : decay > 0.1 ? "open hat" : "hi-hat", std::move(wave), MiddleC);
}

}  // namespace assetgen
