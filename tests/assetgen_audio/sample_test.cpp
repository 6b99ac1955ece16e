// The generated effect samples read back from their bytes: the wave format the mixer expects,
// their level, their edges, and the same bytes from every run of the generator.
#include <algorithm>
#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include "formats/little_endian.h"
#include "tests/assetgen_audio/generated_audio.h"

namespace {

struct Wave {
  int format = 0, channels = 0, rate = 0, bits = 0;
  std::vector<int16_t> samples;  // interleaved
  double Seconds() const { return static_cast<double>(samples.size()) / channels / rate; }
};

// A field of 2 or 4 bytes; 0 past the end of the file.
uint32_t Word(const std::vector<uint8_t>& b, size_t at, int size) {
  if (at + static_cast<size_t>(size) > b.size()) return 0;
  return size == 2 ? LittleEndian16(b.data() + at) : LittleEndian32(b.data() + at);
}

// Reads the chunks of a RIFF WAVE file; a malformed file fails the calling test.
Wave ReadWave(const std::vector<uint8_t>& b) {
  Wave w;
  EXPECT_GE(b.size(), 12u);
  EXPECT_EQ(std::memcmp(b.data(), "RIFF", 4), 0);
  EXPECT_EQ(Word(b, 4, 4), b.size() - 8);
  EXPECT_EQ(std::memcmp(b.data() + 8, "WAVE", 4), 0);
  for (size_t at = 12; at + 8 <= b.size();) {
    const uint32_t size = Word(b, at + 4, 4);
    EXPECT_LE(at + 8 + size, b.size());
    if (std::memcmp(b.data() + at, "fmt ", 4) == 0) {
      w.format = static_cast<int>(Word(b, at + 8, 2));
      w.channels = static_cast<int>(Word(b, at + 10, 2));
      w.rate = static_cast<int>(Word(b, at + 12, 4));
      w.bits = static_cast<int>(Word(b, at + 22, 2));
      EXPECT_EQ(Word(b, at + 16, 4), static_cast<uint32_t>(w.rate * w.channels * 2));
    } else if (std::memcmp(b.data() + at, "data", 4) == 0) {
      for (size_t i = 0; i + 1 < size; i += 2)
        w.samples.push_back(static_cast<int16_t>(Word(b, at + 8 + i, 2)));
    }
    at += 8 + size + (size & 1);
  }
  return w;
}

double Decibels(double amplitude) { return 20 * std::log10(amplitude / 32768.0); }

// Rising zero crossings per second: a rough measure of how high a sound sits.
double CrossingsPerSecond(const Wave& w) {
  int crossings = 0;
  for (size_t i = 1; i < w.samples.size(); ++i) crossings += w.samples[i - 1] < 0 && w.samples[i] >= 0;
  return crossings / w.Seconds();
}

Wave Sample(const std::string& name) { return ReadWave(ReadBytes(GeneratedBase() / name)); }

class GeneratedSample : public testing::TestWithParam<std::string> {};

TEST_P(GeneratedSample, IsSixteenBitPcmAtTheMixerRate) {
  const Wave w = Sample(GetParam());
  EXPECT_EQ(w.format, 1);
  EXPECT_EQ(w.bits, 16);
  EXPECT_EQ(w.rate, 44100);
  EXPECT_TRUE(w.channels == 1 || w.channels == 2);
  EXPECT_GT(w.Seconds(), 0.03);
  EXPECT_LT(w.Seconds(), 3.0);  // effects stay short
}

TEST_P(GeneratedSample, PeaksNearMinusThreeDecibelsWithoutOffsetOrClicks) {
  const Wave w = Sample(GetParam());
  ASSERT_GT(w.samples.size(), 16u);
  int peak = 0;
  double sum = 0;
  for (int16_t s : w.samples) {
    peak = std::max(peak, std::abs(static_cast<int>(s)));
    sum += s;
  }
  EXPECT_GE(Decibels(peak), -4.5);
  EXPECT_LE(Decibels(peak), -2.0);
  EXPECT_LT(std::fabs(sum / static_cast<double>(w.samples.size())), 16.0);  // below -66 dBFS
  // The sample starts and ends at rest, so starting or stopping it cannot click.
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_LT(std::abs(w.samples[i]), 330) << "sample " << i;
    EXPECT_LT(std::abs(w.samples[w.samples.size() - 1 - i]), 330) << "sample -" << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Effects, GeneratedSample, testing::ValuesIn(SampleFiles),
                         [](const auto& info) { return info.param.substr(0, info.param.find('.')); });

TEST(GeneratedSamples, GravityTapIsShorterThanTheRefillStep) {
  // It plays at every gravity step, roughly every 9 frames while the board refills.
  EXPECT_LT(Sample("new.wav").Seconds(), 0.1);
}

TEST(GeneratedSamples, ChainChimesRiseFromScanToScan) {
  const double first = CrossingsPerSecond(Sample("combo.wav"));
  const double second = CrossingsPerSecond(Sample("combo2.wav"));
  const double later = CrossingsPerSecond(Sample("combo3.wav"));
  EXPECT_LT(first, second);
  EXPECT_LT(second, later);
}

TEST(GeneratedSamples, FailedSwapSoundsLowerThanASelection) {
  EXPECT_LT(CrossingsPerSecond(Sample("bad.wav")) * 2, CrossingsPerSecond(Sample("select.wav")));
}

TEST(GeneratedAudio, EveryRunWritesTheSameBytes) {
  const std::filesystem::path again = GenerateAudio();
  std::vector<std::string> files = ModuleFiles;
  files.insert(files.end(), SampleFiles.begin(), SampleFiles.end());
  for (const std::string& file : files) {
    const std::vector<uint8_t> first = ReadBytes(GeneratedBase() / file);
    EXPECT_FALSE(first.empty()) << file;
    EXPECT_TRUE(first == ReadBytes(again / file)) << file;
  }
}

}  // namespace
