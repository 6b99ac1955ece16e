#include "core/game_state.h"
#include "storage/settings.h"
#include "tests/storage/storage_test.h"

namespace {

using SettingsTest = StorageTest;

TEST_F(SettingsTest, WritesThreeLittleEndianWordsInOrder) {
  Game.DisplayModeSetting = 1;
  Game.MusicOn = 0;
  Game.SoundOn = 258;
  WriteSettings();
  EXPECT_EQ(ReadBytes(UserFile("menu.inf")), (Bytes{1, 0, 0, 0, 0, 0, 0, 0, 2, 1, 0, 0}));
}

TEST_F(SettingsTest, ValuesOtherThanZeroAndOneAreKeptAndOnlyOneMeansFullscreen) {
  WriteBytes(UserFile("menu.inf"), Words({2, -7, 1}));
  ReadSettings();
  EXPECT_EQ(Game.DisplayModeSetting, 2);
  EXPECT_FALSE(Game.Fullscreen);
  EXPECT_EQ(Game.MusicOn, -7);
  EXPECT_EQ(Game.SoundOn, 1);

  WriteSettings();
  Game = GameState{};
  ReadSettings();
  EXPECT_EQ(Game.DisplayModeSetting, 2);
  EXPECT_EQ(Game.MusicOn, -7);

  WriteBytes(UserFile("menu.inf"), Words({1, 1, 0}));
  ReadSettings();
  EXPECT_TRUE(Game.Fullscreen);
}

TEST_F(SettingsTest, MissingWordsOfAShortFileReadAsMinusOne) {
  WriteBytes(UserFile("menu.inf"), Bytes{1, 0, 0, 0, 1, 0});
  ReadSettings();
  EXPECT_EQ(Game.DisplayModeSetting, 1);
  EXPECT_TRUE(Game.Fullscreen);
  EXPECT_EQ(Game.MusicOn, -1);
  EXPECT_EQ(Game.SoundOn, -1);
}

TEST_F(SettingsTest, WithNoFileAnywhereTheSettingsStayOff) {
  ReadSettings();
  EXPECT_EQ(Game.DisplayModeSetting, 0);
  EXPECT_EQ(Game.MusicOn, 0);
  EXPECT_EQ(Game.SoundOn, 0);
  EXPECT_FALSE(Game.Fullscreen);
}

TEST_F(SettingsTest, BaseCopyServesUntilTheUserHasOwnSettings) {
  WriteBytes(BaseFile("menu.inf"), Words({0, 1, 1}));
  ReadSettings();
  EXPECT_EQ(Game.MusicOn, 1);
  Game.MusicOn = 0;
  WriteSettings();

  Game = GameState{};
  ReadSettings();
  EXPECT_EQ(Game.MusicOn, 0);
  EXPECT_EQ(Game.SoundOn, 1);
}

TEST_F(SettingsTest, AnUnwritableFolderSkipsTheWriteAndStillReadsBase) {
  WriteBytes(BaseFile("menu.inf"), Words({0, 1, 0}));
  MakeUserFolderUnwritable();
  Game.SoundOn = 1;
  WriteSettings();
  ReadSettings();
  EXPECT_EQ(Game.MusicOn, 1);
  EXPECT_EQ(Game.SoundOn, 0);
}

}  // namespace
