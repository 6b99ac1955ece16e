#include "ui/keyboard.h"

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

void Down(int code) { Send(WM_KEYDOWN, code); }
void Up(int code) { Send(WM_KEYUP, code); }
// The checks after a drawn frame.
void Frame() {
  PauseKeyCheck();
  NameEntryChecks();
}
// Each key pressed and released, with a frame after each.
void Type(const char* keys) {
  for (; *keys; ++keys) {
    Down(*keys);
    Frame();
    Up(*keys);
    Frame();
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
    Down(c.key);
    Frame();
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
  Down('T');
  Frame();
  Frame();
  Down('O');  // while T is held
  Frame();
  EXPECT_EQ(Entered(), "T");
  Up('T');
  Up('O');
  Frame();
  Down('M');
  Down('A');
  Frame();
  EXPECT_EQ(Entered(), "Tam") << "two keys in one frame, the lower code first";
  Up('M');
  Up('A');
  Frame();
  Type("BCDEFGH");
  EXPECT_EQ(Entered(), "Tambcdefg") << "the tenth letter is not taken";
}

TEST_F(Keyboard, BackspaceErasesTheLastLetter) {
  Type("\bAB");  // nothing to erase at first
  Down(VK_BACK);
  Frame();
  Frame();
  EXPECT_EQ(Entered(), "A$") << "erased once while held";
  Up(VK_BACK);
  Frame();
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
  Down('T');
  Down(VK_RETURN);
  Down(VK_BACK);
  Frame();
  EXPECT_EQ(Game.Screen, Playing);
  EXPECT_EQ(Entered(), "Ab");
}

}  // namespace
