// The synthesised instruments of the game's two tunes. Envelope times are given in seconds
// and turned into ticks with the tune's tick length, so both tempos feel the same.
#pragma once

#include "tools/assetgen/xm_writer.h"

namespace assetgen {

// A breathy, flute-like lead with a soft onset and delayed vibrato.
XmInstrument SoftLead(double tickSeconds);
// A bright pulse lead, slightly detuned against itself, with a quick attack.
XmInstrument PulseLead(double tickSeconds);
// A sustained ensemble of detuned saw tones; `bright` keeps more of the upper harmonics and
// opens faster.
XmInstrument WarmPad(double tickSeconds, bool bright);
// A round plucked bass that settles into a steady tone.
XmInstrument PluckedBass(double tickSeconds, bool bright);
// Struck instruments that ring out on their own.
XmInstrument Marimba();
XmInstrument Pluck();
XmInstrument Kick();
// A snare with a tonal body, or (brush) a softer swish for the relaxed tune.
XmInstrument Snare(bool brush);
// Hi-hat noise: `decay` in seconds sets closed or open; `shaker` softens the attack.
XmInstrument HiHat(double decay, bool shaker);

}  // namespace assetgen
