// Sound synthesis for the generated music instruments and effect samples: oscillators built
// from partials, filtered noise, a small room reverb and the finishing steps (no DC, soft
// edges, a fixed peak). Everything is deterministic: noise comes from a seeded generator.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace assetgen {

constexpr int SynthRate = 44100;

using Signal = std::vector<float>;

// Frequency in Hz of a MIDI note number (69 is A4 at 440 Hz).
double NoteFrequency(double midiNote);

// A 32-bit linear congruential generator: the same seed gives the same noise on every build.
class NoiseSource {
 public:
  explicit NoiseSource(uint32_t seed) : state_(seed) {}
  float Next();  // uniform in [-1, 1)

 private:
  uint32_t state_;
};

// A second-order filter section (lowpass, highpass or bandpass) on a running signal.
class Biquad {
 public:
  static Biquad LowPass(double cutoff, double q);
  static Biquad HighPass(double cutoff, double q);
  static Biquad BandPass(double centre, double q);
  float Process(float x);

 private:
  static Biquad Normalised(double b0, double b1, double b2, double a0, double a1, double a2);
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// One sine partial of a struck or plucked tone: frequency as a multiple of the fundamental,
// starting amplitude, and the time in seconds over which it falls to 1/e.
struct Partial {
  double ratio;
  double amplitude;
  double decay;
};

// Mixes a struck tone into `out` starting at `start` seconds: each partial decays on its own,
// partials above 12 kHz are left out, and a short attack ramp avoids a click.
void AddStrike(Signal& out, double start, double frequency, double gain,
               const std::vector<Partial>& partials, double attack = 0.002);

// A sum of harmonics of `frequency` over `length` samples whose amplitudes may change over
// time: amplitude(harmonic, seconds). Harmonics above `maxFrequency` are left out.
Signal Additive(double frequency, int length, int harmonics, double maxFrequency,
                const std::function<double(int, double)>& amplitude);

// Filtered noise shaped by an attack and an exponential decay, `length` seconds long.
Signal NoiseBurst(NoiseSource& noise, Biquad filter, double length, double attack, double decay);

// Mixes `source` into `out` at `start` seconds with `gain`, growing `out` as needed.
void MixInto(Signal& out, const Signal& source, double start, double gain);

// A small room (parallel combs into allpasses) mixed under the dry signal. The signal keeps
// its length, so it should already hold room for the tail.
void AddRoom(Signal& signal, double wet);

// Finishing: ramps the first and last samples to silence, then removes any DC offset
// without moving them, and scales the peak to `peak` (a fraction of full scale).
void FadeEdges(Signal& signal, double fadeIn, double fadeOut);
void RemoveDc(Signal& signal);
void NormalisePeak(Signal& signal, double peak);

// Rounds to 16-bit PCM, clamping at full scale.
std::vector<int16_t> ToPcm16(const Signal& signal);

// The struck timbres shared by the music and the effects, so that both sit in one sound
// world: a wooden bar, a small bell, and a plucked string.
const std::vector<Partial>& MarimbaPartials();
const std::vector<Partial>& BellPartials();
const std::vector<Partial>& PluckPartials();

}  // namespace assetgen
