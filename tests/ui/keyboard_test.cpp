#include "ui/keyboard.h"

#include <initializer_list>

#include "tests/ui/ui_test.h"

namespace {

class Keyboard : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Game.Screen = NameEntry;
    Game.Score = 500;
  }
};

// The checks after a drawn frame.
void Frame() {
  PauseKeyCheck();
  NameEntryChecks();
}
// Keys going down, or up, together before a frame.
void Hold(std::initializer_list<int> keys) {
  for (int key : keys) Send(WM_KEYDOWN, key);
  Frame();
}
void Release(std::initializer_list<int> keys) {
  for (int key : keys) Send(WM_KEYUP, key);
  Frame();
}
void Type(const char* keys) {
  for (; *keys; ++keys) {
    Hold({*keys});
    Release({*keys});
  }
}
std::string Entered() { return Game.EntryName; }

TEST_F(Keyboard, PauseKeysActOnlyInTimedModeOnPlaying) {
  struct { int key, mode, screen; bool acts; } cases[] = {
      {VK_ESCAPE, Timed, Playing, true}, {'P', Timed, Playing, true},
      {VK_ESCAPE, Levels, Playing, false}, {'P', Timed, Options, false}};
  for (const auto& c : cases) {
    SetUp();
    Game.TimedButton = c.mode == Timed ? ButtonPressed : ButtonIdle;
    Game.Screen = c.screen;
    Hold({c.key});
    Frame();  // a key that acted was consumed: no second toggle
    EXPECT_EQ(Game.Paused, c.acts) << c.key;
    EXPECT_EQ(Game.KeyState[c.key], c.acts ? 0 : 1) << c.key;
  }
}

TEST_F(Keyboard, TheFirstLetterIsACapitalAndEnterStoresTheName) {
  Game.ModeIndex = Timed;
  Type("TOM");
  EXPECT_EQ(Entered(), "Tom");
  Type("\r");
  EXPECT_EQ(Game.Screen, HighScores);
  EXPECT_STREQ(Game.HighScoreTables[Timed][0].name, "Tom$$$$$$");
  EXPECT_EQ(Game.HighScoreTables[Timed][0].score, 500);
  Game.Screen = NameEntry;
  Type("TOM");
  EXPECT_EQ(Entered(), "Tom$$$$$$");
}

TEST_F(Keyboard, EveryKeyPressIsTypedOnce) {
  Hold({'T'});
  Hold({'O'});  // while T is held
  EXPECT_EQ(Entered(), "T");
  Release({'T', 'O'});
  Hold({'M', 'A'});
  EXPECT_EQ(Entered(), "Tam") << "two keys in one frame, the lower code first";
  Release({'M', 'A'});
  Type("BCDEFGH");
  EXPECT_EQ(Entered(), "Tambcdefg") << "the tenth letter is not taken";
}

TEST_F(Keyboard, BackspaceErasesTheLastLetter) {
  Type("\bAB");  // nothing to erase at first
  Hold({VK_BACK});
  Frame();
  EXPECT_EQ(Entered(), "A$") << "erased once while held";
  Release({VK_BACK});
  Type("\bC");
  EXPECT_EQ(Entered(), "C$");
}

TEST_F(Keyboard, AnEmptyNameIsStoredAsPads) {
  Type(" ");
  EXPECT_EQ(Game.Screen, HighScores);
  EXPECT_STREQ(Game.HighScoreTables[Levels][0].name, "$$$$$$$$$");
  EXPECT_EQ(Game.HighScoreTables[Levels][0].score, 500);
}

TEST_F(Keyboard, TheKeyAfterZTypesTheCharactersAfterZ) {
  const char keys[] = {VK_LWIN, VK_LWIN, 0};
  Type(keys);
  EXPECT_EQ(Entered(), "[{");
}

TEST_F(Keyboard, OnOtherScreensKeysTypeNothing) {
  Type("AB");
  Game.Screen = Playing;
  Hold({'T', VK_RETURN, VK_BACK});
  EXPECT_EQ(Game.Screen, Playing);
  EXPECT_EQ(Entered(), "Ab");
}

}  // namespace
