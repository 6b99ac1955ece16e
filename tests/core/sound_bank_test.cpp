#include <cstring>

#include "core/mixer.h"
#include "core/sound_bank.h"
#include "tests/core/core_test_support.h"

namespace {

class SoundBankTest : public CoreTest {};

TEST_F(SoundBankTest, StartAudioLoadsTheBankInOrderAndSetsVolumes) {
  Game.Sounds = SoundBank{};
  EXPECT_TRUE(StartAudio(nullptr));
  const char* const files[] = {"base/theme1.xm",   "base/theme2.xm",   "base/select.wav",
                               "base/bad.wav",     "base/new.wav",     "base/combo.wav",
                               "base/menu.wav",    "base/levelup.wav", "base/hint.wav",
                               "base/gameover.wav", "base/exel.wav",   "base/combo2.wav",
                               "base/combo3.wav"};
  ASSERT_EQ(fake_mixer::CallCount(), 17);
  EXPECT_EQ(fake_mixer::Call(0).kind, MixerCallKind::Init);
  EXPECT_EQ(fake_mixer::Call(0).args[0], 15);
  for (int i = 0; i < 13; ++i) {
    const MixerCall& call = fake_mixer::Call(1 + i);
    EXPECT_EQ(call.kind, i < 2 ? MixerCallKind::LoadModule : MixerCallKind::LoadSample);
    EXPECT_STREQ(call.path, files[i]);
    EXPECT_EQ(call.args[0], 0);
  }
  EXPECT_EQ(fake_mixer::Call(14).kind, MixerCallKind::SetMusicVolume);
  EXPECT_EQ(fake_mixer::Call(14).args[0], 64);
  EXPECT_EQ(fake_mixer::Call(15).kind, MixerCallKind::SetFXVolume);
  EXPECT_EQ(fake_mixer::Call(15).args[0], 255);
  EXPECT_EQ(fake_mixer::Call(16).kind, MixerCallKind::StartMixer);
  EXPECT_EQ(Game.Sounds.Theme2, 2);
  EXPECT_EQ(Game.Sounds.Select, 100);
  EXPECT_EQ(Game.Sounds.Combo3, 110);

  fake_mixer::Reset();
  fake_mixer::SetStartResult(false);
  EXPECT_FALSE(StartAudio(nullptr)) << "reports a device that cannot start";
}

TEST_F(SoundBankTest, EffectsPlayOnlyWhenSoundIsExactlyOn) {
  PlayEffect(Game.Sounds.Menu);
  ASSERT_EQ(fake_mixer::CallCount(), 1);
  const MixerCall& call = fake_mixer::Call(0);
  EXPECT_EQ(call.kind, MixerCallKind::PlaySample);
  EXPECT_EQ(call.args[0], Game.Sounds.Menu);
  EXPECT_EQ(call.args[1], 64);
  EXPECT_EQ(call.args[2], 128);
  EXPECT_EQ(call.args[3], 0);
  for (int setting : {0, 2, -1}) {
    Game.SoundOn = setting;
    PlayEffect(Game.Sounds.Menu);
  }
  EXPECT_EQ(fake_mixer::CallCount(), 1);
}

TEST_F(SoundBankTest, MusicFollowsTheModeButtons) {
  Game.MusicOn = 1;
  Game.LevelsButton = 2;
  Game.TimedButton = 0;
  RestartMusic();
  Game.LevelsButton = 0;
  Game.TimedButton = 2;
  RestartMusic();
  Game.MusicOn = 2;
  RestartMusic();
  EXPECT_EQ(fake_mixer::PlayedModules(), (std::vector<int>{1, 2}));
  EXPECT_EQ(fake_mixer::Call(0).args[1], 1) << "modules loop";
}

}  // namespace
