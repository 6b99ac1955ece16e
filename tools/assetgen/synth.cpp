#include "tools/assetgen/synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assetgen {

namespace {

constexpr double TwoPi = 2.0 * std::numbers::pi;

// Partials weaker than this are no longer heard: -60 dB.
constexpr double Silence = 1e-3;

// Struck partials above this are left out: they only add hiss to small speakers.
constexpr double HighestPartial = 12000.0;

std::pair<double, double> DesignTerms(double frequency, double q) {
  const double w = TwoPi * frequency / SynthRate;
  return {std::cos(w), std::sin(w) / (2 * q)};
}

}  // namespace

double NoteFrequency(double midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0); }

float NoiseSource::Next() {
  state_ = state_ * 1664525u + 1013904223u;
  return static_cast<float>(static_cast<int32_t>(state_ & 0xffff0000u) / 2147483648.0);
}

Biquad Biquad::Normalised(double b0, double b1, double b2, double a0, double a1, double a2) {
  Biquad f;
  f.b0_ = b0 / a0;
  f.b1_ = b1 / a0;
  f.b2_ = b2 / a0;
  f.a1_ = a1 / a0;
  f.a2_ = a2 / a0;
  return f;
}

// The usual second-order designs: all share cos(w) and the bandwidth term alpha.
Biquad Biquad::LowPass(double cutoff, double q) {
  const auto [c, alpha] = DesignTerms(cutoff, q);
  return Normalised((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::HighPass(double cutoff, double q) {
  const auto [c, alpha] = DesignTerms(cutoff, q);
  return Normalised((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::BandPass(double centre, double q) {
  const auto [c, alpha] = DesignTerms(centre, q);
  return Normalised(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

float Biquad::Process(float x) {
  const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_;
  x1_ = x;
  y2_ = y1_;
  y1_ = y;
  return static_cast<float>(y);
}

void AddStrike(Signal& out, double start, double frequency, double gain,
               const std::vector<Partial>& partials, double attack) {
  const size_t first = static_cast<size_t>(start * SynthRate);
  const double attackSamples = std::max(1.0, attack * SynthRate);
  for (const Partial& p : partials) {
    const double f = frequency * p.ratio;
    if (f >= HighestPartial) continue;
    const double audible = p.decay * std::log(p.amplitude / Silence);
    const size_t count = static_cast<size_t>(std::max(0.0, audible) * SynthRate);
    const double fall = std::exp(-1.0 / (p.decay * SynthRate));
    double envelope = gain * p.amplitude;
    for (size_t i = 0; i < count && first + i < out.size(); ++i) {
      const double ramp = std::min(1.0, i / attackSamples);
      out[first + i] += static_cast<float>(envelope * ramp * std::sin(TwoPi * f * i / SynthRate));
      envelope *= fall;
    }
  }
}

Signal Additive(double frequency, int length, int harmonics, double maxFrequency,
                const std::function<double(int, double)>& amplitude) {
  Signal out(static_cast<size_t>(length), 0.0f);
  for (int n = 1; n <= harmonics; ++n) {
    const double f = frequency * n;
    if (f > maxFrequency) break;
    for (int i = 0; i < length; ++i) {
      const double t = static_cast<double>(i) / SynthRate;
      // The phase is reduced before the sine so that a whole number of cycles per loop
      // lands exactly on zero phase again.
      const double cycles = std::fmod(f * i, static_cast<double>(SynthRate)) / SynthRate;
      out[static_cast<size_t>(i)] += static_cast<float>(amplitude(n, t) * std::sin(TwoPi * cycles));
    }
  }
  return out;
}

Signal NoiseBurst(NoiseSource& noise, Biquad filter, double length, double attack, double decay) {
  Signal out(static_cast<size_t>(length * SynthRate));
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / SynthRate;
    const double shape = std::min(1.0, t / attack) * std::exp(-t / decay);
    out[i] = static_cast<float>(shape * filter.Process(noise.Next()));
  }
  return out;
}

void MixInto(Signal& out, const Signal& source, double start, double gain) {
  const size_t first = static_cast<size_t>(start * SynthRate);
  if (out.size() < first + source.size()) out.resize(first + source.size(), 0.0f);
  for (size_t i = 0; i < source.size(); ++i) out[first + i] += static_cast<float>(gain * source[i]);
}

void AddRoom(Signal& signal, double wet) {
  // Mutually prime comb lengths around 25 to 35 ms keep the echoes from lining up.
  constexpr int CombDelays[] = {1103, 1187, 1277, 1361};
  constexpr int AllpassDelays[] = {223, 541};
  constexpr double Feedback = 0.78, Damping = 0.35, AllpassGain = 0.5;

  Signal room(signal.size(), 0.0f);
  for (int delay : CombDelays) {
    std::vector<double> line(static_cast<size_t>(delay), 0.0);
    double low = 0;
    for (size_t i = 0; i < signal.size(); ++i) {
      double& slot = line[i % line.size()];
      const double out = slot;
      low = out * (1 - Damping) + low * Damping;
      slot = signal[i] + low * Feedback;
      room[i] += static_cast<float>(out / 4);
    }
  }
  for (int delay : AllpassDelays) {
    std::vector<double> line(static_cast<size_t>(delay), 0.0);
    for (size_t i = 0; i < room.size(); ++i) {
      double& slot = line[i % line.size()];
      const double delayed = slot;
      const double input = room[i];
      slot = input + delayed * AllpassGain;
      room[i] = static_cast<float>(delayed - input * AllpassGain);
    }
  }
  for (size_t i = 0; i < signal.size(); ++i) signal[i] += static_cast<float>(wet * room[i]);
}

void RemoveDc(Signal& signal) {
  if (signal.empty()) return;
  Biquad highPass = Biquad::HighPass(20.0, 0.707);
  for (float& s : signal) s = highPass.Process(s);
  // What offset is left is taken out in the shape of a raised cosine over the whole signal,
  // which leaves the first and last samples where they were.
  double sum = 0, weights = 0;
  std::vector<double> window(signal.size());
  for (size_t i = 0; i < signal.size(); ++i) {
    window[i] = 0.5 - 0.5 * std::cos(TwoPi * (i + 0.5) / signal.size());
    sum += signal[i];
    weights += window[i];
  }
  for (size_t i = 0; i < signal.size(); ++i) signal[i] -= static_cast<float>(sum / weights * window[i]);
}

void FadeEdges(Signal& signal, double fadeIn, double fadeOut) {
  const size_t in = std::min(signal.size(), static_cast<size_t>(fadeIn * SynthRate));
  const size_t out = std::min(signal.size(), static_cast<size_t>(fadeOut * SynthRate));
  for (size_t i = 0; i < in; ++i)
    signal[i] *= static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * i / in));
  for (size_t i = 0; i < out; ++i)
    signal[signal.size() - 1 - i] *= static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * i / out));
}

void NormalisePeak(Signal& signal, double peak) {
  float highest = 0;
  for (float s : signal) highest = std::max(highest, std::fabs(s));
  if (highest <= 0) return;
  const float scale = static_cast<float>(peak / highest);
  for (float& s : signal) s *= scale;
}

std::vector<int16_t> ToPcm16(const Signal& signal) {
  std::vector<int16_t> pcm(signal.size());
  for (size_t i = 0; i < signal.size(); ++i)
    pcm[i] = static_cast<int16_t>(std::clamp(std::lround(signal[i] * 32767.0), -32768L, 32767L));
  return pcm;
}

// A tuned bar: the overtones of a marimba bar lie near 4 and 10 times the fundamental and
// die away quickly, leaving a round, woody tone.
const std::vector<Partial>& MarimbaPartials() {
  static const std::vector<Partial> partials = {
      {1.0, 1.0, 0.42}, {3.93, 0.32, 0.085}, {9.24, 0.10, 0.028}, {2.0, 0.05, 0.15}};
  return partials;
}

// A celesta-like bell: inharmonic upper partials that ring shorter than the fundamental.
const std::vector<Partial>& BellPartials() {
  static const std::vector<Partial> partials = {
      {1.0, 1.0, 0.9}, {2.0, 0.32, 0.45}, {2.76, 0.22, 0.24}, {5.40, 0.10, 0.11}, {8.93, 0.05, 0.05}};
  return partials;
}

// A soft plucked string: harmonics whose brightness fades faster than the body of the note.
const std::vector<Partial>& PluckPartials() {
  static const std::vector<Partial> partials = {
      {1.0, 1.0, 0.38}, {2.0, 0.42, 0.16}, {3.0, 0.22, 0.10}, {4.0, 0.12, 0.07},
      {5.0, 0.07, 0.05}, {6.0, 0.04, 0.04}};
  return partials;
}

}  // namespace assetgen
