// The eleven effect samples under base/: struck marimba, bell and pluck tones like the
// instruments of the music, in C major so that chains of effects never clash with each other.
// Every sample ends up mono 16-bit at 44100 Hz, free of DC, with soft edges and its peak at
// -3 dBFS, so that the mixer can play any of them at one fixed level.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/synth.h"
#include "tools/assetgen/wav_writer.h"

namespace assetgen {

namespace {

constexpr double PeakLevel = 0.7079;  // -3 dBFS

// MIDI notes of the effects' scale.
enum : int { G3 = 55, C4 = 60, D4 = 62, E4 = 64, G4 = 67, A4 = 69, C5 = 72, E5 = 76, G5 = 79,
             C6 = 84, D6 = 86, E6 = 88, G6 = 91, C7 = 96, E7 = 100, G7 = 103 };

// A timbre with every partial ringing `scale` times as long.
std::vector<Partial> Damped(const std::vector<Partial>& partials, double scale) {
  std::vector<Partial> out = partials;
  for (Partial& p : out) p.decay *= scale;
  return out;
}

Signal Silence(double seconds) { return Signal(static_cast<size_t>(seconds * SynthRate), 0.0f); }

// A struck tone on the marimba with a bell an octave above it, the voice of most effects.
void AddChime(Signal& out, double start, int note, double gain, double bell) {
  AddStrike(out, start, NoteFrequency(note), gain, MarimbaPartials(), 0.002);
  AddStrike(out, start, NoteFrequency(note + 12), gain * bell, BellPartials(), 0.003);
}

// Chimes the notes one after another, `spacing` seconds apart.
void AddRun(Signal& out, double start, std::initializer_list<int> notes, double spacing, double gain,
            double bell) {
  for (int note : notes) {
    AddChime(out, start, note, gain, bell);
    start += spacing;
  }
}

// A sine whose pitch falls from `from` towards `to` Hz: the body of a wooden knock.
void AddKnock(Signal& out, double start, double from, double to, double gain, double decay) {
  double phase = 0;
  const size_t first = static_cast<size_t>(start * SynthRate);
  for (size_t i = 0; first + i < out.size(); ++i) {
    const double t = static_cast<double>(i) / SynthRate;
    phase += 2 * std::numbers::pi * (to + (from - to) * std::exp(-t / 0.025)) / SynthRate;
    const double shape = std::min(1.0, t / 0.004) * std::exp(-t / decay);
    out[first + i] += static_cast<float>(gain * shape * (std::sin(phase) + 0.25 * std::sin(2.4 * phase)));
  }
}

// Selecting a fruit: a light, high pop.
Signal Select() {
  Signal s = Silence(0.16);
  AddStrike(s, 0, NoteFrequency(C6), 1.0, Damped(MarimbaPartials(), 0.18), 0.0015);
  AddKnock(s, 0, 1600, 1200, 0.25, 0.015);
  return s;
}

// Panel controls: a short wooden tock, lower and drier than the selection.
Signal Menu() {
  Signal s = Silence(0.14);
  AddStrike(s, 0, NoteFrequency(G5), 1.0, Damped(MarimbaPartials(), 0.14), 0.002);
  AddKnock(s, 0, 900, 700, 0.3, 0.012);
  return s;
}

// A gravity step: a tiny rounded tap, heard many times a second during refills, so it is
// short, soft-edged and without bright overtones.
Signal New() {
  Signal s = Silence(0.06);
  AddStrike(s, 0, NoteFrequency(A4), 1.0, {{1.0, 1.0, 0.01}, {0.5, 0.35, 0.016}, {2.0, 0.08, 0.004}}, 0.003);
  return s;
}

// A swap that made no run: two soft low knocks falling a fourth, "uh-oh".
Signal Bad() {
  Signal s = Silence(0.42);
  AddKnock(s, 0, NoteFrequency(G3) * 1.3, NoteFrequency(G3), 1.0, 0.07);
  AddKnock(s, 0.12, NoteFrequency(D4 - 12) * 1.3, NoteFrequency(D4 - 12), 1.0, 0.09);
  return s;
}

// A rising chime for one scan of a chain; each later scan starts higher.
Signal Combo(std::initializer_list<int> notes) {
  Signal s = Silence(1.2);
  AddRun(s, 0, notes, 0.05, 1.0, 0.35);
  AddRoom(s, 0.15);
  return s;
}

// Level complete: a quick rising call, then the major chord rung out with bells on top.
Signal LevelUp() {
  Signal s = Silence(2.0);
  AddRun(s, 0, {C5, E5, G5}, 0.09, 0.8, 0.4);
  for (int note : {C5, E5, G5, C6}) {
    AddChime(s, 0.3, note, 0.7, 0.5);
    AddStrike(s, 0.3, NoteFrequency(note), 0.35, PluckPartials(), 0.003);
  }
  AddStrike(s, 0.3, NoteFrequency(C4), 0.5, PluckPartials(), 0.003);
  AddRoom(s, 0.2);
  return s;
}

// The hint: a gentle bell rising a fifth.
Signal Hint() {
  Signal s = Silence(1.5);
  AddStrike(s, 0, NoteFrequency(G5), 1.0, BellPartials(), 0.006);
  AddStrike(s, 0.12, NoteFrequency(D6), 0.9, BellPartials(), 0.006);
  AddRoom(s, 0.2);
  return s;
}

// Game over: a gentle descending phrase on the marimba settling on a low, soft chord.
Signal GameOver() {
  Signal s = Silence(2.4);
  AddRun(s, 0, {G4, E4, D4}, 0.22, 0.9, 0.15);
  for (int note : {C4, G3, E4}) AddStrike(s, 0.66, NoteFrequency(note), 0.55, PluckPartials(), 0.004);
  AddChime(s, 0.66, C4, 0.8, 0.15);
  AddRoom(s, 0.22);
  return s;
}

// The excellent bonus: a fast sparkling run of bells up two octaves with a glassy shimmer.
Signal Excellent() {
  Signal s = Silence(2.0);
  const int run[] = {C6, E6, G6, C7, E7, G7};
  for (int i = 0; i < 6; ++i) {
    AddStrike(s, 0.04 * i, NoteFrequency(run[i] - 12), 0.5, BellPartials(), 0.002);
    // A slightly sharp twin makes each note shimmer as the two beat against each other.
    AddStrike(s, 0.04 * i, NoteFrequency(run[i]) * 1.003, 0.35, BellPartials(), 0.002);
  }
  AddChime(s, 0.24, C5, 0.6, 0.6);
  AddRoom(s, 0.3);
  return s;
}

void WriteEffect(const std::filesystem::path& output, const char* name, Signal s) {
  // Ringing tones are faded over the last part of the sample rather than cut.
  const double seconds = static_cast<double>(s.size()) / SynthRate;
  FadeEdges(s, 0.002, std::clamp(seconds * 0.15, 0.01, 0.25));
  RemoveDc(s);
  NormalisePeak(s, PeakLevel);
  WriteWav16(output / "base" / name, ToPcm16(s), SynthRate, 1);
}

void GenerateSounds(const std::filesystem::path& output) {
  WriteEffect(output, "select.wav", Select());
  WriteEffect(output, "bad.wav", Bad());
  WriteEffect(output, "new.wav", New());
  WriteEffect(output, "combo.wav", Combo({C5, E5, G5}));
  WriteEffect(output, "combo2.wav", Combo({E5, G5, C6}));
  WriteEffect(output, "combo3.wav", Combo({G5, C6, E6, G6}));
  WriteEffect(output, "menu.wav", Menu());
  WriteEffect(output, "levelup.wav", LevelUp());
  WriteEffect(output, "hint.wav", Hint());
  WriteEffect(output, "gameover.wav", GameOver());
  WriteEffect(output, "exel.wav", Excellent());
}

const RegisterGenerator registered("sounds", GenerateSounds);

}  // namespace

}  // namespace assetgen
