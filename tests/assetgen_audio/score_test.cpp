// Writing tunes into patterns: where notes, releases and chord tones land.
#include <gtest/gtest.h>

#include "tools/assetgen/music_score.h"

namespace {

using assetgen::Arrangement;
using assetgen::ChordLine;
using assetgen::Voice;
using assetgen::XmCell;

constexpr int MidiToTracker = 11;  // MIDI 60, middle C, is tracker note C-4 (49)

const XmCell& Cell(const std::vector<assetgen::XmPattern>& patterns, int channels, int row, int channel) {
  const auto& p = patterns.at(static_cast<size_t>(row / patterns[0].rows));
  return p.cells.at(static_cast<size_t>((row % p.rows) * channels + channel));
}

TEST(Score, MelodyPlacesNotesByLengthAndReleasesAtRests) {
  Arrangement song(2, 4);
  const Voice lead{0, 3, 40, 100};
  const assetgen::EchoPart echo{{1, 3, 0, 200}, 3, 0.5};
  EXPECT_EQ(assetgen::WriteMelody(song, lead, 1, "C4:4 Bb4:2 r:6 F#5:4", echo), 1);
  const auto patterns = song.Patterns(4);
  ASSERT_EQ(patterns.size(), 1u);
  EXPECT_EQ(Cell(patterns, 2, 16, 0).note, 60 - MidiToTracker);
  EXPECT_EQ(Cell(patterns, 2, 16, 0).instrument, 3);
  EXPECT_EQ(Cell(patterns, 2, 16, 0).volume, 0x10 + 40);  // on the beat: full volume
  EXPECT_EQ(Cell(patterns, 2, 16, 0).parameter, 100);     // with its panning
  EXPECT_EQ(Cell(patterns, 2, 20, 0).note, 70 - MidiToTracker);
  EXPECT_LT(Cell(patterns, 2, 20, 0).volume, 0x10 + 40 + 1);
  EXPECT_EQ(Cell(patterns, 2, 22, 0).note, assetgen::XmKeyOff);
  EXPECT_EQ(Cell(patterns, 2, 28, 0).note, 78 - MidiToTracker);
  // The echo follows three rows later, at half the volume.
  EXPECT_EQ(Cell(patterns, 2, 19, 1).note, 60 - MidiToTracker);
  EXPECT_EQ(Cell(patterns, 2, 19, 1).volume, 0x10 + 20);
  EXPECT_EQ(Cell(patterns, 2, 25, 1).note, assetgen::XmKeyOff);
  EXPECT_TRUE(Cell(patterns, 2, 17, 0).Empty());
}

TEST(Score, IllFormedLinesAreRefused) {
  Arrangement song(1, 4);
  const Voice lead{0, 1, 40, 128};
  EXPECT_THROW(assetgen::WriteMelody(song, lead, 0, "C4:4 D4:4"), std::invalid_argument);  // half a bar
  EXPECT_THROW(assetgen::WriteMelody(song, lead, 0, "H4:16"), std::invalid_argument);
  EXPECT_THROW(assetgen::WriteMelody(song, lead, 0, "C4"), std::invalid_argument);
  EXPECT_THROW(ChordLine("Cm9"), std::invalid_argument);
  EXPECT_THROW(assetgen::WriteBass(song, lead, 0, ChordLine("C"), "R:8 5:4", 36), std::invalid_argument);
  EXPECT_THROW(Arrangement(1, 3).Patterns(4), std::invalid_argument);
}

TEST(Score, ChordLinesSplitBarsIntoHalves) {
  const ChordLine chords("F Bb,C/E");
  EXPECT_EQ(chords.Bars(), 2);
  EXPECT_EQ(chords.At(15).root, 5);
  EXPECT_EQ(chords.At(16).root, 10);
  EXPECT_EQ(chords.At(24).root, 0);
  EXPECT_EQ(chords.At(24).bass, 4);
  EXPECT_TRUE(chords.ChangesAt(0));
  EXPECT_FALSE(chords.ChangesAt(8));
  EXPECT_TRUE(chords.ChangesAt(16));
  EXPECT_TRUE(chords.ChangesAt(24));
}

TEST(Score, BassFollowsTheSlashNoteAndTheChordTones) {
  Arrangement song(1, 4);
  assetgen::WriteBass(song, Voice{0, 2, 50, 128}, 0, ChordLine("C/E Am"), "R:4 5:4 8:4 r:4", 40);
  const auto patterns = song.Patterns(4);
  EXPECT_EQ(Cell(patterns, 1, 0, 0).note, 40 - MidiToTracker);   // E2 under C
  EXPECT_EQ(Cell(patterns, 1, 4, 0).note, 43 - MidiToTracker);   // G2, the fifth of C
  EXPECT_EQ(Cell(patterns, 1, 8, 0).note, 52 - MidiToTracker);   // E3
  EXPECT_EQ(Cell(patterns, 1, 12, 0).note, assetgen::XmKeyOff);
  EXPECT_EQ(Cell(patterns, 1, 16, 0).note, 45 - MidiToTracker);  // A2
  EXPECT_EQ(Cell(patterns, 1, 20, 0).note, 52 - MidiToTracker);  // E3, the fifth of Am
}

TEST(Score, PadsMoveByTheNearestStepAndHoldCommonTones) {
  Arrangement song(3, 4);
  assetgen::WritePads(song, Voice{0, 1, 20, 128}, 0, ChordLine("C F"), 55, 72);
  const auto patterns = song.Patterns(4);
  std::vector<int> first, second;
  for (int v = 0; v < 3; ++v) {
    first.push_back(Cell(patterns, 3, 0, v).note + MidiToTracker);
    const XmCell& change = Cell(patterns, 3, 16, v);
    second.push_back(change.note ? change.note + MidiToTracker : first.back());
  }
  for (int v = 0; v < 3; ++v) {
    EXPECT_LT(first[v], first[(v + 1) % 3] + (v == 2 ? 12 : 0));
    EXPECT_LE(std::abs(second[v] - first[v]), 2) << "voice " << v;
  }
  // C stays C: the voice holding it is not struck again when the chord becomes F.
  int held = 0;
  for (int v = 0; v < 3; ++v) held += first[v] % 12 == 0 && Cell(patterns, 3, 16, v).Empty();
  EXPECT_EQ(held, 1);
}

TEST(Score, ArpeggioClimbsTheChordTones) {
  Arrangement song(1, 4);
  assetgen::WriteArpeggio(song, Voice{0, 4, 30, 128}, 0, ChordLine("Am"), {0, 1, 2, 3, -1}, 2, 57);
  const auto patterns = song.Patterns(4);
  EXPECT_EQ(Cell(patterns, 1, 0, 0).note, 57 - MidiToTracker);  // A3
  EXPECT_EQ(Cell(patterns, 1, 2, 0).note, 60 - MidiToTracker);  // C4
  EXPECT_EQ(Cell(patterns, 1, 4, 0).note, 64 - MidiToTracker);  // E4
  EXPECT_EQ(Cell(patterns, 1, 6, 0).note, 69 - MidiToTracker);  // A4
  EXPECT_TRUE(Cell(patterns, 1, 8, 0).Empty());                 // a rest step
}

}  // namespace
