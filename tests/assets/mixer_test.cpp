// The mixer over SDL2_mixer, rendered through SDL's disk audio driver into a file that the
// tests read back as 16-bit stereo samples.
#include <SDL.h>
#include <SDL_mixer.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "core/mixer.h"
#include "formats/little_endian.h"
#include "tests/support/test_files.h"
#include "tools/assetgen/assetgen.h"

namespace fs = std::filesystem;

namespace {

// A mono 16-bit WAV of a 440 Hz tone at three quarters of full scale.
std::vector<uint8_t> ToneWav(int milliseconds) {
  constexpr int Rate = 22050;
  const int frames = Rate * milliseconds / 1000;
  assetgen::ByteWriter w;
  w.Bytes("RIFF", 4);
  w.U32(36 + frames * 2);
  w.Bytes("WAVEfmt ", 8);
  w.U32(16);
  w.U16(1);  // PCM
  w.U16(1);
  w.U32(Rate);
  w.U32(Rate * 2);
  w.U16(2);
  w.U16(16);
  w.Bytes("data", 4);
  w.U32(frames * 2);
  for (int i = 0; i < frames; ++i)
    w.U16(static_cast<uint16_t>(static_cast<int16_t>(24000 * std::sin(i * 2 * M_PI * 440 / Rate))));
  return w.Data();
}

// An XM module of one 4-row pattern: a looping square-wave note on row 0, silenced by the
// volume column on row 1. At tempo 3 and 125 BPM a pass lasts 240 ms, so every pass of the
// song is heard as one short burst.
std::vector<uint8_t> BurstModule() {
  constexpr int Rows = 4;
  constexpr int Channels = 2;
  constexpr int SampleLength = 64;
  assetgen::ByteWriter w;
  w.Bytes("Extended Module: ", 17);
  w.FixedString("burst", 20);
  w.U8(0x1A);
  w.FixedString("assets test", 20);
  w.U16(0x0104);
  w.U32(276);  // header size from this field on
  w.U16(1);    // song length
  w.U16(0);    // restart position
  w.U16(Channels);
  w.U16(1);  // patterns
  w.U16(1);  // instruments
  w.U16(1);  // linear frequencies
  w.U16(3);  // ticks per row
  w.U16(125);
  for (int i = 0; i < 256; ++i) w.U8(0);  // order table: pattern 0

  w.U32(9);  // pattern header size
  w.U8(0);
  w.U16(Rows);
  w.U16(Rows * Channels * 5);
  const uint8_t rows[Rows][5] = {{49, 1, 0x50, 0, 0}, {0, 0, 0x10, 0, 0}, {}, {}};
  for (const auto& row : rows) {
    w.Bytes(row, 5);
    for (int i = 0; i < 5; ++i) w.U8(0);  // second channel empty
  }

  w.U32(263);  // instrument header size
  w.FixedString("square", 22);
  w.U8(0);
  w.U16(1);   // samples
  w.U32(40);  // sample header size
  for (int i = 0; i < 96 + 48 + 48 + 14; ++i) w.U8(0);  // keymap, envelopes, their settings
  w.U16(0);                                            // fade-out
  for (int i = 0; i < 22; ++i) w.U8(0);

  w.U32(SampleLength);
  w.U32(0);
  w.U32(SampleLength);  // forward loop over the whole sample
  w.U8(64);
  w.U8(0);
  w.U8(1);
  w.U8(128);
  w.U8(0);
  w.U8(0);
  w.FixedString("square", 22);
  int previous = 0;
  for (int i = 0; i < SampleLength; ++i) {
    const int value = i < SampleLength / 2 ? 100 : -100;
    w.U8(static_cast<uint8_t>(value - previous));  // stored as deltas
    previous = value;
  }
  return w.Data();
}

class MixerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    output_ = folder_.Path() / "output.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
    WriteBytes(folder_.Path() / "tone.wav", ToneWav(200));
    WriteBytes(folder_.Path() / "burst.xm", BurstModule());
  }

  void TearDown() override { ImixUninit(); }

  int LoadSample(const char* name) {
    std::string path = (folder_.Path() / name).string();
    return ImixLoadSample(path.data(), 0);
  }

  int LoadModule(const char* name) {
    std::string path = (folder_.Path() / name).string();
    return ImixLoadModule(path.data(), 0);
  }

  // Peak level of every 20 ms of the rendered output, after the mixer has been shut down.
  std::vector<int> PeaksPer20Ms() {
    const std::vector<uint8_t> bytes = ReadBytes(output_);
    constexpr size_t BytesPerWindow = 44100 / 50 * 4;
    std::vector<int> peaks;
    for (size_t start = 0; start + BytesPerWindow <= bytes.size(); start += BytesPerWindow) {
      int peak = 0;
      for (size_t i = start; i < start + BytesPerWindow; i += 2)
        peak = std::max(peak, std::abs(static_cast<int16_t>(LittleEndian16(&bytes[i]))));
      peaks.push_back(peak);
    }
    return peaks;
  }

  TempFolder folder_;
  fs::path output_;
};

int Onsets(const std::vector<int>& peaks, int threshold) {
  int onsets = 0;
  bool loud = false;
  for (int peak : peaks) {
    if (peak > threshold && !loud) ++onsets;
    loud = peak > threshold;
  }
  return onsets;
}

TEST_F(MixerTest, PlayedSampleIsHeardAtFullEffectsVolume) {
  ASSERT_TRUE(ImixInit(15, 15, 15));
  const int tone = LoadSample("tone.wav");
  EXPECT_EQ(tone, 1);
  ImixSetMusicVolume(64);
  ImixSetFXVolume(255);
  ASSERT_TRUE(ImixStartMixer(nullptr));
  EXPECT_GE(ImixPlaySample(tone, 64, 128, 0), 0);
  SDL_Delay(400);
  ImixUninit();
  const std::vector<int> peaks = PeaksPer20Ms();
  ASSERT_FALSE(peaks.empty());
  // Volume 64 of 64 at effects volume 255 and centre pan: the tone keeps its own level.
  EXPECT_GT(*std::max_element(peaks.begin(), peaks.end()), 20000);
}

TEST_F(MixerTest, ModuleLoopsFromItsBeginningUnderTheEffects) {
  ASSERT_TRUE(ImixInit(15, 15, 15));
  const int module = LoadModule("burst.xm");
  ImixSetMusicVolume(64);
  ImixSetFXVolume(255);
  ASSERT_TRUE(ImixStartMixer(nullptr));
  ASSERT_TRUE(ImixPlayModule(module, true));
  SDL_Delay(1100);
  EXPECT_TRUE(Mix_PlayingMusic());
  EXPECT_TRUE(ImixStopModule());
  EXPECT_FALSE(Mix_PlayingMusic());
  ImixUninit();
  const std::vector<int> peaks = PeaksPer20Ms();
  // One burst per pass of the song; a module played once gives one.
  EXPECT_GE(Onsets(peaks, 500), 3);
  // Music at 64 plays at half its own level, far under the effects.
  EXPECT_GT(*std::max_element(peaks.begin(), peaks.end()), 2500);
  EXPECT_LT(*std::max_element(peaks.begin(), peaks.end()), 16000);
}

TEST_F(MixerTest, ModuleWithoutLoopPlaysOnce) {
  ASSERT_TRUE(ImixInit(15, 15, 15));
  const int module = LoadModule("burst.xm");
  ASSERT_TRUE(ImixStartMixer(nullptr));
  ASSERT_TRUE(ImixPlayModule(module, false));
  SDL_Delay(800);
  EXPECT_FALSE(Mix_PlayingMusic());
  ImixUninit();
  EXPECT_EQ(Onsets(PeaksPer20Ms(), 500), 1);
}

TEST_F(MixerTest, ManyEffectsAtOnceEachGetTheirOwnChannel) {
  ASSERT_TRUE(ImixInit(15, 15, 15));
  const int tone = LoadSample("tone.wav");
  ASSERT_TRUE(ImixStartMixer(nullptr));
  std::vector<int> channels;
  for (int i = 0; i < 24; ++i) channels.push_back(ImixPlaySample(tone, 64, 128, 0));
  std::sort(channels.begin(), channels.end());
  EXPECT_GE(channels.front(), 0);
  EXPECT_EQ(std::unique(channels.begin(), channels.end()), channels.end());
}

TEST_F(MixerTest, MissingDeviceMakesStartFailAndEverythingElseHarmless) {
  setenv("SDL_AUDIODRIVER", "nonexistent", 1);
  ImixInit(15, 15, 15);
  const int tone = LoadSample("tone.wav");
  const int module = LoadModule("burst.xm");
  ImixSetMusicVolume(64);
  EXPECT_FALSE(ImixStartMixer(nullptr));
  EXPECT_EQ(ImixPlaySample(tone, 64, 128, 0), -1);
  EXPECT_FALSE(ImixPlayModule(module, true));
  EXPECT_TRUE(ImixStopModule());
  EXPECT_TRUE(ImixUninit());
}

TEST_F(MixerTest, InitialisingAgainReplacesTheHandlesWithoutUninit) {
  ASSERT_TRUE(ImixInit(15, 15, 15));
  LoadModule("burst.xm");
  LoadSample("tone.wav");
  LoadSample("tone.wav");
  ASSERT_TRUE(ImixStartMixer(nullptr));
  ASSERT_TRUE(ImixPlayModule(1, true));

  // The window was re-created: the same start-up runs again.
  ASSERT_TRUE(ImixInit(15, 15, 15));
  EXPECT_FALSE(Mix_PlayingMusic());
  EXPECT_EQ(LoadModule("burst.xm"), 1);
  EXPECT_EQ(LoadSample("tone.wav"), 1);
  ASSERT_TRUE(ImixStartMixer(nullptr));
  EXPECT_GE(ImixPlaySample(1, 64, 128, 0), 0);
  EXPECT_EQ(ImixPlaySample(2, 64, 128, 0), -1);  // the old second sample is gone
  EXPECT_TRUE(ImixPlayModule(1, true));
}

TEST_F(MixerTest, InvalidHandlesAreIgnored) {
  ASSERT_TRUE(ImixInit(15, 15, 15));
  EXPECT_EQ(LoadSample("absent.wav"), 1);  // a handle that plays nothing
  ASSERT_TRUE(ImixStartMixer(nullptr));
  for (int handle : {-1, 0, 1, 2, 1000}) {
    EXPECT_EQ(ImixPlaySample(handle, 64, 128, 0), -1) << handle;
    EXPECT_FALSE(ImixPlayModule(handle, true)) << handle;
  }
}

}  // namespace
