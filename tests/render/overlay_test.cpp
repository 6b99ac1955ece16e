#include <GL/gl.h>

#include <cstring>

#include "assets/texture_index.h"
#include "core/game_state.h"
#include "render/overlay.h"
#include "tests/render/scene_fixture.h"

namespace {

constexpr Rgb White = {255, 255, 255};

struct Rect {
  float x, y, width, height;
};

class OverlayTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    Game.Screen = Playing;
  }
  void UseLargeLayout() {
    ReopenInLargeLayout();
    Game.Screen = Playing;
  }
  // DrawOverlay in the state the board scene leaves: lighting off, texturing and depth
  // testing on, blending off.
  void Draw() {
    ClearFrame();
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    DrawOverlay();
  }
  Rgb Middle(const Rect& rect) const {
    return LayoutPixel(rect.x + rect.width / 2, rect.y + rect.height / 2);
  }
  // Checks that the rectangle shows `colour` just inside each corner and something else just
  // outside its left and right edges.
  void ExpectAt(const Rect& rect, const Rgb& colour, const char* what) const {
    const float inX[] = {rect.x + 1.5f, rect.x + rect.width - 1.5f};
    const float inY[] = {rect.y + 1.5f, rect.y + rect.height - 1.5f};
    for (const float x : inX) {
      for (const float y : inY) EXPECT_EQ(LayoutPixel(x, y), colour) << what << " at " << x << ", " << y;
    }
    EXPECT_EQ(Middle(rect), colour) << what;
    EXPECT_NE(LayoutPixel(rect.x - 1.5f, rect.y + rect.height / 2), colour) << what;
    EXPECT_NE(LayoutPixel(rect.x + rect.width + 1.5f, rect.y + rect.height / 2), colour) << what;
  }
};

struct SideButton {
  const char* name;
  Rect small;
  Rect large;
  int GameState::*state;
  TextureIndex images[3];
  int states;
};

const SideButton SideButtons[] = {
    {"hint", {85, 140, 80, 120}, {108, 175, 100, 150}, &GameState::HintButtonHover,
     {TexHintIdle, TexHintHover}, 2},
    {"new game", {50, 380, 120, 40}, {65, 475, 150, 50}, &GameState::NewGameButton,
     {TexNewGameIdle, TexNewGameHover, TexNewGamePressed}, 3},
    {"timed", {55, 295, 120, 40}, {65, 370, 150, 50}, &GameState::TimedButton,
     {TexTimedIdle, TexTimedHover, TexTimedSelected}, 3},
    {"levels", {55, 330, 120, 40}, {65, 415, 150, 50}, &GameState::LevelsButton,
     {TexLevelsIdle, TexLevelsHover, TexLevelsSelected}, 3},
    {"options", {50, 60, 120, 40}, {60, 75, 150, 50}, &GameState::OptionsButton,
     {TexOptionsIdle, TexOptionsHover, TexOptionsPressed}, 3},
    {"quit", {50, 20, 120, 40}, {60, 20, 150, 50}, &GameState::QuitButton,
     {TexQuitIdle, TexQuitHover, TexQuitPressed}, 3},
};

TEST_F(OverlayTest, SideButtonsShowThePictureOfTheirStateInBothLayouts) {
  for (const bool large : {false, true}) {
    if (large) UseLargeLayout();
    for (const SideButton& button : SideButtons) {
      for (int state = 0; state < button.states; ++state) {
        Game.*button.state = state;
        Draw();
        const Rect& rect = large ? button.large : button.small;
        // Timed and Levels overlap by five units, Levels drawn last; look at the middle.
        EXPECT_EQ(Middle(rect), TextureColour(button.images[state]))
            << button.name << " state " << state << (large ? " large" : " small");
      }
      Game.*button.state = 0;
    }
  }
}

TEST_F(OverlayTest, BackdropCoversAllButTheBoardWindow) {
  Draw();
  EXPECT_EQ(LayoutPixel(5, 5), TextureColour(TexBackdropImage));
  EXPECT_EQ(LayoutPixel(635, 475), TextureColour(TexBackdropImage));
  EXPECT_EQ(LayoutPixel(400, 240), Rgb{});  // the board shows through here
}

struct Question {
  int screen;
  TextureIndex panel;
};

TEST_F(OverlayTest, QuestionsSitAtTheSameNumbersInBothLayouts) {
  for (const bool large : {false, true}) {
    if (large) UseLargeLayout();
    for (const Question question : {Question{ConfirmNewGame, TexConfirmNewGamePanel},
                                    Question{ConfirmQuit, TexConfirmQuitPanel},
                                    Question{ResumePrompt, TexResumePromptPanel}}) {
      Game.Screen = question.screen;
      Game.DialogButton1Hover = 0;
      Game.DialogButton2Hover = 0;
      Draw();
      EXPECT_EQ(LayoutPixel(270, 385), TextureColour(question.panel));
      EXPECT_EQ(LayoutPixel(560, 245), TextureColour(question.panel));
      EXPECT_NE(LayoutPixel(263, 385), TextureColour(question.panel));
      EXPECT_NE(LayoutPixel(420, 392), TextureColour(question.panel));
      ExpectAt({283, 255, 128, 32}, TextureColour(TexYesIdle), "yes");
      ExpectAt({420, 255, 128, 32}, TextureColour(TexNoIdle), "no");
      Game.DialogButton1Hover = 1;
      Draw();
      EXPECT_EQ(Middle({283, 255, 128, 32}), TextureColour(TexYesHover));
      EXPECT_EQ(Middle({420, 255, 128, 32}), TextureColour(TexNoIdle));
      Game.DialogButton1Hover = 0;
      Game.DialogButton2Hover = 1;
      Draw();
      EXPECT_EQ(Middle({283, 255, 128, 32}), TextureColour(TexYesIdle));
      EXPECT_EQ(Middle({420, 255, 128, 32}), TextureColour(TexNoHover));
    }
  }
}

TEST_F(OverlayTest, OptionsRowsShowTheSettingsAndHoverStates) {
  for (const bool large : {false, true}) {
    if (large) UseLargeLayout();
    Game.Screen = Options;
    Game.DisplayModeSetting = 0;
    Game.MusicOn = 0;
    Game.SoundOn = 0;
    Game.HighScoresRowHover = 0;
    Game.HelpRowHover = 0;
    Game.DialogButton1Hover = 0;
    Draw();
    EXPECT_EQ(LayoutPixel(270, 470), TextureColour(TexOptionsPanel));
    EXPECT_EQ(LayoutPixel(270, 155), TextureColour(TexOptionsPanel));
    ExpectAt({350, 165, 128, 32}, TextureColour(TexOkIdle), "back");
    ExpectAt({287, 385, 256, 32}, TextureColour(TexHighScoresRowIdle), "high scores row");
    ExpectAt({287, 350, 256, 32}, TextureColour(TexDisplayRowWindowed), "display row");
    ExpectAt({287, 315, 256, 32}, TextureColour(TexMusicRowOff), "music row");
    ExpectAt({287, 280, 256, 32}, TextureColour(TexSoundRowOff), "sound row");
    ExpectAt({287, 245, 256, 32}, TextureColour(TexHelpRowIdle), "help row");

    Game.DisplayModeSetting = 1;
    Game.MusicOn = 1;
    Game.SoundOn = 1;
    Game.HighScoresRowHover = 1;
    Game.HelpRowHover = 1;
    Game.DialogButton1Hover = 1;
    Draw();
    EXPECT_EQ(Middle({350, 165, 128, 32}), TextureColour(TexOkHover));
    EXPECT_EQ(Middle({287, 385, 256, 32}), TextureColour(TexHighScoresRowHover));
    EXPECT_EQ(Middle({287, 350, 256, 32}), TextureColour(TexDisplayRowFullscreen));
    EXPECT_EQ(Middle({287, 315, 256, 32}), TextureColour(TexMusicRowOn));
    EXPECT_EQ(Middle({287, 280, 256, 32}), TextureColour(TexSoundRowOn));
    EXPECT_EQ(Middle({287, 245, 256, 32}), TextureColour(TexHelpRowHover));

    // Only a setting of exactly 1 means fullscreen.
    Game.DisplayModeSetting = 7;
    Draw();
    EXPECT_EQ(Middle({287, 350, 256, 32}), TextureColour(TexDisplayRowWindowed));
  }
}

void FillHighScores() {
  const char* names[] = {"Ann$$$$$$", "Bob$$$$$$", "Cy$$$$$$$", "Dee$$$$$$", "Eve$$$$$$"};
  for (int table = 0; table < HighScoreTableCount; ++table) {
    for (int row = 0; row < HighScoreEntryCount; ++row) {
      std::strcpy(Game.HighScoreTables[table][row].name, names[row]);
      Game.HighScoreTables[table][row].score = 5000 - 1000 * row;
    }
  }
}

TEST_F(OverlayTest, HighScoresHaveTheirOwnRectanglesAndListPositionsPerLayout) {
  struct Layout {
    Rect panel;
    Rect ok;
    int nameX;
    int scoreX;
    int lowerTop;
  };
  const Layout layouts[] = {{{230, 40, 345, 420}, {340, 55, 128, 32}, 290, 460, 190},
                            {{230, 60, 420, 510}, {380, 80, 128, 32}, 240, 415, 195}};
  FillHighScores();
  for (const bool large : {false, true}) {
    if (large) UseLargeLayout();
    const Layout& layout = layouts[large ? 1 : 0];
    Game.Screen = HighScores;
    Game.DialogButton1Hover = 0;
    Draw();
    EXPECT_EQ(LayoutPixel(layout.panel.x + 2, layout.panel.y + 2), TextureColour(TexHighScoresPanel));
    EXPECT_EQ(LayoutPixel(layout.panel.x + layout.panel.width - 2,
                          layout.panel.y + layout.panel.height - 2),
              TextureColour(TexHighScoresPanel));
    EXPECT_NE(LayoutPixel(layout.panel.x - 2, layout.panel.y + 2), TextureColour(TexHighScoresPanel));
    ExpectAt(layout.ok, TextureColour(TexOkIdle), "ok");
    for (int row = 0; row < HighScoreEntryCount; ++row) {
      for (const int top : {343, layout.lowerTop}) {
        const float y = static_cast<float>(top - 20 * row) + 9.5f;
        // The name's first letter and its "$" padding are printed; "%2i" of 5000 and less
        // starts with a digit.
        EXPECT_EQ(TextPixel(layout.nameX + 9.5f, y), White) << "row " << row;
        EXPECT_EQ(TextPixel(layout.nameX + 14 * 8 + 9.5f, y), White) << "row " << row;
        EXPECT_EQ(TextPixel(layout.scoreX + 9.5f, y), White) << "row " << row;
      }
    }
    // Below each list's last row lies the bare panel.
    EXPECT_EQ(TextPixel(layout.nameX + 9.5f, 263 - 10), TextureColour(TexHighScoresPanel));
    Game.DialogButton1Hover = 1;
    Draw();
    EXPECT_EQ(Middle(layout.ok), TextureColour(TexOkHover));
  }
}

TEST_F(OverlayTest, StoredNamesArePrintedAsTextNotReadAsFormats) {
  FillHighScores();
  std::strcpy(Game.HighScoreTables[0][0].name, "%s%s%n%s");
  Game.Screen = HighScores;
  Draw();
  EXPECT_EQ(TextPixel(290 + 9.5f, 343 + 9.5f), White);  // the "%" glyph
}

TEST_F(OverlayTest, NameBeingTypedIsPrintedOnItsPanelInEachLayout) {
  std::strcpy(Game.EntryName, "Tom$$$$$$");
  for (const bool large : {false, true}) {
    if (large) UseLargeLayout();
    Game.Screen = NameEntry;
    Draw();
    EXPECT_EQ(LayoutPixel(267, 152), TextureColour(TexNameEntryPanel));
    EXPECT_EQ(LayoutPixel(563, 448), TextureColour(TexNameEntryPanel));
    const int x = large ? 270 : 345;
    const int y = large ? 195 : 245;
    for (int glyph = 0; glyph < 9; ++glyph) {
      EXPECT_EQ(TextPixel(x + 14 * glyph + 9.5f, y + 9.5f), White) << "glyph " << glyph;
    }
    EXPECT_NE(TextPixel(x + 14 * 9 + 9.5f, y + 9.5f), White);
  }
}

TEST_F(OverlayTest, PausePictureShowsOnlyOnThePlayingScreen) {
  Game.Paused = true;
  Draw();
  ExpectAt({300, 250, 256, 64}, TextureColour(TexPausePicture), "pause");
  Game.Screen = ConfirmQuit;
  Draw();
  EXPECT_NE(Middle({300, 250, 256, 64}), TextureColour(TexPausePicture));
  Game.Screen = Playing;
  Game.Paused = false;
  Draw();
  EXPECT_NE(Middle({300, 250, 256, 64}), TextureColour(TexPausePicture));
}

TEST_F(OverlayTest, ShownScoreCountsTowardTheScoreOnlyWhilePlaying) {
  Game.FrameSpeed = 10.0f;
  Game.Score = 100;
  Game.ShownScore = 0.0f;
  Draw();
  EXPECT_FLOAT_EQ(Game.ShownScore, 7.0f);
  Game.Screen = Options;
  Draw();
  EXPECT_FLOAT_EQ(Game.ShownScore, 7.0f);
  Game.Screen = Playing;
  for (int frame = 0; frame < 40; ++frame) Draw();
  EXPECT_NEAR(Game.ShownScore, 100.0f, 7.0f);
  Game.Score = 50;
  for (int frame = 0; frame < 40; ++frame) Draw();
  EXPECT_NEAR(Game.ShownScore, 50.0f, 7.0f);
}

TEST_F(OverlayTest, ScoreMovesLeftAsItGrowsAndStaysCentred) {
  const int positions[][2] = {{0, 103},     {1, 110},     {99, 110},     {100, 103},
                              {999, 103},   {1000, 96},   {9999, 96},    {10000, 90},
                              {99999, 90},  {100000, 83}, {999999, 83},  {1000000, 76},
                              {9999999, 76}, {10000000, 69}, {2147483647, 55}};
  for (const auto& [score, x] : positions) EXPECT_EQ(ScoreTextX(score), x) << score;

  // The score 100 starts with its 1 at x 103; 5 is printed as " 5" from x 110.
  Game.Score = 100;
  Game.ShownScore = 100.0f;
  Draw();
  EXPECT_EQ(TextPixel(106.5f, 437 + 9.5f), White);
  Game.Score = 5;
  Game.ShownScore = 5.0f;
  Draw();
  EXPECT_NE(TextPixel(106.5f, 437 + 9.5f), White);
  EXPECT_NE(TextPixel(119.5f, 437 + 9.5f), White);
  EXPECT_EQ(TextPixel(124 + 9.5f, 437 + 9.5f), White);
}

TEST_F(OverlayTest, LevelNumberMovesRightFromLevelEleven) {
  Game.Level = 0;  // " 1" from x 580: a space first
  Draw();
  EXPECT_NE(TextPixel(583, 13.5f), White);
  EXPECT_EQ(TextPixel(580 + 14 + 9.5f, 13.5f), White);
  Game.Level = 9;  // "10" from x 580
  Draw();
  EXPECT_EQ(TextPixel(583, 13.5f), White);
  Game.Level = 10;  // "11" from x 587
  Draw();
  EXPECT_NE(TextPixel(583, 13.5f), White);
  EXPECT_EQ(TextPixel(587 + 9.5f, 13.5f), White);
}

TEST_F(OverlayTest, LeavesBlendingOffDepthTestOnAndTheMatricesRestored) {
  const GlMatrix projection = CurrentMatrix(GL_PROJECTION_MATRIX);
  Game.Screen = HighScores;
  Game.BoardPhase = LevelComplete;
  Game.BannerProgress = 0.5f;
  Draw();
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<unsigned>(bound), Game.TextureSet[TexFontSheet]);
  EXPECT_EQ(CurrentMatrix(GL_PROJECTION_MATRIX), projection);
  ExpectIdentity(CurrentMatrix(GL_MODELVIEW_MATRIX));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
