// The generated music and effects load into SDL2_mixer, the library the game plays them with.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>

#include <gtest/gtest.h>

#include "tests/assetgen_audio/generated_audio.h"

namespace {

class GeneratedAudioInMixer : public testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
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

}  // namespace
