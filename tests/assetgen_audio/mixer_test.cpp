// The generated music and effects in SDL2_mixer, the library the game plays them with.
#include <SDL.h>
#include <SDL_mixer.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "formats/little_endian.h"
#include "tests/assetgen_audio/generated_audio.h"

namespace {

class GeneratedAudioInMixer : public testing::Test {
 protected:
  virtual const char* Driver() const { return "dummy"; }
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", Driver(), 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_TRUE(Mix_Init(MIX_INIT_MOD) & MIX_INIT_MOD) << Mix_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
  }
  void TearDown() override {
    Mix_CloseAudio();
    Mix_Quit();
    SDL_Quit();
  }
};

TEST_F(GeneratedAudioInMixer, ModulesLoadAndPlayAsMusic) {
  for (const std::string& file : ModuleFiles) {
    Mix_Music* music = Mix_LoadMUS((GeneratedBase() / file).c_str());
    ASSERT_NE(music, nullptr) << file << ": " << Mix_GetError();
    EXPECT_EQ(Mix_GetMusicType(music), MUS_MOD) << file;
    EXPECT_EQ(Mix_PlayMusic(music, -1), 0) << file << ": " << Mix_GetError();
    EXPECT_TRUE(Mix_PlayingMusic()) << file;
    Mix_HaltMusic();
    Mix_FreeMusic(music);
  }
}

TEST_F(GeneratedAudioInMixer, SamplesLoadAndKeepTheirLength) {
  int rate = 0, channels = 0;
  Uint16 format = 0;
  ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
  const double bytesPerSecond = rate * channels * SDL_AUDIO_BITSIZE(format) / 8.0;
  for (const std::string& file : SampleFiles) {
    Mix_Chunk* chunk = Mix_LoadWAV((GeneratedBase() / file).c_str());
    ASSERT_NE(chunk, nullptr) << file << ": " << Mix_GetError();
    const double seconds = chunk->alen / bytesPerSecond;
    EXPECT_GT(seconds, 0.03) << file;
    if (file == "new.wav") {
      EXPECT_LT(seconds, 0.1);
    }
    EXPECT_GE(Mix_PlayChannel(-1, chunk, 0), 0) << file << ": " << Mix_GetError();
    Mix_HaltChannel(-1);
    Mix_FreeChunk(chunk);
  }
}

// The disk driver writes what the mixer plays into a file, here about four times faster
// than it would sound (5 ms for each buffer of 23 ms).
class GeneratedMusicOnDisk : public GeneratedAudioInMixer {
 protected:
  const char* Driver() const override { return "disk"; }
  void SetUp() override {
    output_ = GeneratedBase().parent_path() / ("mixed-" + std::to_string(getpid()) + ".raw");
    setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "5", 1);
    GeneratedAudioInMixer::SetUp();
  }
  // The 16-bit samples written from byte `first` on; the file goes on growing meanwhile.
  std::vector<int16_t> Written(uintmax_t first, uintmax_t count) const {
    std::ifstream in(output_, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(first));
    std::vector<char> bytes(count);
    in.read(bytes.data(), static_cast<std::streamsize>(count));
    std::vector<int16_t> samples(static_cast<size_t>(in.gcount()) / 2);
    for (size_t i = 0; i < samples.size(); ++i)
      samples[i] = static_cast<int16_t>(LittleEndian16(reinterpret_cast<const uint8_t*>(&bytes[2 * i])));
    return samples;
  }
  std::filesystem::path output_;
};

TEST_F(GeneratedMusicOnDisk, ModulesPlayAudiblyWithoutClipping) {
  constexpr uintmax_t BytesPerSecond = 44100 * 2 * 2;
  for (const std::string& file : ModuleFiles) {
    Mix_Music* music = Mix_LoadMUS((GeneratedBase() / file).c_str());
    ASSERT_NE(music, nullptr) << file << ": " << Mix_GetError();
    const uintmax_t start = std::filesystem::exists(output_) ? std::filesystem::file_size(output_) : 0;
    ASSERT_EQ(Mix_PlayMusic(music, -1), 0) << Mix_GetError();
    // Eight seconds of music, waiting at most half a minute for the audio thread.
    for (int wait = 0; wait < 600; ++wait) {
      if (std::filesystem::exists(output_) && std::filesystem::file_size(output_) >= start + 8 * BytesPerSecond) break;
      SDL_Delay(50);
    }
    Mix_HaltMusic();
    Mix_FreeMusic(music);
    // Seconds 2 to 8 of this module: past the output's start-up and the intro's first swell.
    const std::vector<int16_t> samples = Written(start + 2 * BytesPerSecond, 6 * BytesPerSecond);
    ASSERT_EQ(samples.size(), 6 * BytesPerSecond / 2) << file;
    double sum = 0;
    int peak = 0;
    for (int16_t s : samples) {
      sum += static_cast<double>(s) * s;
      peak = std::max(peak, std::abs(static_cast<int>(s)));
    }
    EXPECT_GT(std::sqrt(sum / static_cast<double>(samples.size())), 32768 * 0.01) << file;
    EXPECT_LT(peak, 32767 * 0.95) << file;
  }
}

}  // namespace
