#include "render/overlay.h"

#include <GL/gl.h>

#include <algorithm>

#include "assets/texture_index.h"
#include "core/game_state.h"
#include "render/effects.h"
#include "render/flat_quad.h"
#include "render/font.h"

namespace {

// One rectangle per layout: [0] the 640 by 480 layout, [1] the 800 by 600 layout.
struct LayoutRect {
  FlatRect rect[2];
};

// A masked element: the mask multiplies the frame, then the image of the state is added.
struct MaskedElement {
  LayoutRect place;
  TextureIndex mask;
  TextureIndex images[3];  // by state: idle, hover, pressed or selected
};

constexpr FlatRect SameInBoth(float x, float y, float width, float height) {
  return {x, y, width, height};
}

// The backdrop and the side panel, drawn in this order on every screen.
constexpr MaskedElement Backdrop = {{{{0, 0, 640, 480}, {0, 0, 800, 600}}}, TexBackdropMask,
                                    {TexBackdropImage, TexBackdropImage, TexBackdropImage}};
constexpr MaskedElement HintButton = {{{{85, 140, 80, 120}, {108, 175, 100, 150}}}, TexHintButtonMask,
                                      {TexHintIdle, TexHintHover, TexHintHover}};
constexpr MaskedElement NewGameButton = {{{{50, 380, 120, 40}, {65, 475, 150, 50}}}, TexSideButtonMask,
                                         {TexNewGameIdle, TexNewGameHover, TexNewGamePressed}};
constexpr MaskedElement TimedButton = {{{{55, 295, 120, 40}, {65, 370, 150, 50}}}, TexModeButtonMask,
                                       {TexTimedIdle, TexTimedHover, TexTimedSelected}};
constexpr MaskedElement LevelsButton = {{{{55, 330, 120, 40}, {65, 415, 150, 50}}}, TexModeButtonMask,
                                        {TexLevelsIdle, TexLevelsHover, TexLevelsSelected}};
constexpr MaskedElement OptionsButton = {{{{50, 60, 120, 40}, {60, 75, 150, 50}}}, TexSideButtonMask,
                                         {TexOptionsIdle, TexOptionsHover, TexOptionsPressed}};
constexpr MaskedElement QuitButton = {{{{50, 20, 120, 40}, {60, 20, 150, 50}}}, TexSideButtonMask,
                                      {TexQuitIdle, TexQuitHover, TexQuitPressed}};

// The dialogs: the same numbers in both layouts, except the high-score panel and its button.
constexpr FlatRect QuestionPanel = SameInBoth(265, 240, 300, 150);
constexpr FlatRect YesButton = SameInBoth(283, 255, 128, 32);
constexpr FlatRect NoButton = SameInBoth(420, 255, 128, 32);
constexpr FlatRect OptionsPanel = SameInBoth(265, 150, 300, 330);
constexpr FlatRect BackButton = SameInBoth(350, 165, 128, 32);
constexpr FlatRect HighScoresRow = SameInBoth(287, 385, 256, 32);
constexpr FlatRect DisplayRow = SameInBoth(287, 350, 256, 32);
constexpr FlatRect MusicRow = SameInBoth(287, 315, 256, 32);
constexpr FlatRect SoundRow = SameInBoth(287, 280, 256, 32);
constexpr FlatRect HelpRow = SameInBoth(287, 245, 256, 32);
constexpr FlatRect HighScoresPanel[2] = {{230, 40, 345, 420}, {230, 60, 420, 510}};
constexpr FlatRect OkButton[2] = {{340, 55, 128, 32}, {380, 80, 128, 32}};
constexpr FlatRect NameEntryPanel = SameInBoth(265, 150, 300, 300);
constexpr FlatRect PausePicture = SameInBoth(300, 250, 256, 64);

// Where the high-score lists and the typed name are printed, in the text space, per layout.
constexpr int HighScoreNameX[2] = {290, 240};
constexpr int HighScoreScoreX[2] = {460, 415};
constexpr int HighScoreTopY[2][HighScoreTableCount] = {{343, 190}, {343, 195}};
constexpr int HighScoreRowSpacing = 20;
constexpr int EntryNameX[2] = {345, 270};
constexpr int EntryNameY[2] = {245, 195};

int LayoutIndex() { return Game.Fullscreen ? 1 : 0; }

// A button state outside its pictures shows the idle picture.
TextureIndex ImageByState(const TextureIndex (&images)[3], int state) {
  return images[state >= ButtonIdle && state <= ButtonPressed ? state : ButtonIdle];
}

void BindTexture(TextureIndex index) { glBindTexture(GL_TEXTURE_2D, Game.TextureSet[index]); }

void DrawMasked(const FlatRect& rect, TextureIndex mask, TextureIndex image) {
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBlendFunc(GL_DST_COLOR, GL_ZERO);
  BindTexture(mask);
  DrawFlatQuad(rect);
  glBlendFunc(GL_ONE, GL_ONE);
  BindTexture(image);
  DrawFlatQuad(rect);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
}

void DrawMasked(const MaskedElement& element, int state) {
  DrawMasked(element.place.rect[LayoutIndex()], element.mask, ImageByState(element.images, state));
}

// Blending is off and depth testing on here, as every masked element leaves them.
void DrawOpaque(const FlatRect& rect, TextureIndex texture) {
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  BindTexture(texture);
  DrawFlatQuad(rect);
}

void DrawSidePanel() {
  DrawMasked(Backdrop, 0);
  DrawMasked(HintButton, Game.HintButtonHover);
  DrawMasked(NewGameButton, Game.NewGameButton);
  DrawMasked(TimedButton, Game.TimedButton);
  DrawMasked(LevelsButton, Game.LevelsButton);
  DrawMasked(OptionsButton, Game.OptionsButton);
  DrawMasked(QuitButton, Game.QuitButton);
}

void DrawQuestion(TextureIndex panel) {
  DrawOpaque(QuestionPanel, panel);
  DrawMasked(YesButton, TexDialogButtonMask, Game.DialogButton1Hover ? TexYesHover : TexYesIdle);
  DrawMasked(NoButton, TexDialogButtonMask, Game.DialogButton2Hover ? TexNoHover : TexNoIdle);
}

void DrawOptions() {
  DrawOpaque(OptionsPanel, TexOptionsPanel);
  DrawMasked(BackButton, TexDialogButtonMask, Game.DialogButton1Hover ? TexOkHover : TexOkIdle);
  DrawOpaque(HighScoresRow, Game.HighScoresRowHover ? TexHighScoresRowHover : TexHighScoresRowIdle);
  // Only a setting of exactly 1 selects fullscreen, so only that shows the fullscreen row.
  DrawOpaque(DisplayRow,
             Game.DisplayModeSetting == 1 ? TexDisplayRowFullscreen : TexDisplayRowWindowed);
  DrawOpaque(MusicRow, Game.MusicOn ? TexMusicRowOn : TexMusicRowOff);
  DrawOpaque(SoundRow, Game.SoundOn ? TexSoundRowOn : TexSoundRowOff);
  DrawOpaque(HelpRow, Game.HelpRowHover ? TexHelpRowHover : TexHelpRowIdle);
}

// Text is added to the frame in opaque white.
void BeginText() {
  glEnable(GL_BLEND);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void DrawHighScores() {
  const int layout = LayoutIndex();
  DrawOpaque(HighScoresPanel[layout], TexHighScoresPanel);
  DrawMasked(OkButton[layout], TexDialogButtonMask, Game.DialogButton1Hover ? TexOkHover : TexOkIdle);
  BeginText();
  for (int table = 0; table < HighScoreTableCount; ++table) {
    for (int row = 0; row < HighScoreEntryCount; ++row) {
      const HighScoreEntry& entry = Game.HighScoreTables[table][row];
      const int y = HighScoreTopY[layout][table] - HighScoreRowSpacing * row;
      // The name is printed as it is, never read as a format: a stored name is outside data.
      PrintText(HighScoreNameX[layout], y, 0, "%.*s", static_cast<int>(sizeof entry.name),
                entry.name);
      PrintText(HighScoreScoreX[layout], y, 0, "%2i", entry.score);
    }
  }
  glDisable(GL_BLEND);
}

void DrawNameEntry() {
  const int layout = LayoutIndex();
  DrawOpaque(NameEntryPanel, TexNameEntryPanel);
  BeginText();
  PrintText(EntryNameX[layout], EntryNameY[layout], 0, "%.*s",
            static_cast<int>(sizeof Game.EntryName), Game.EntryName);
  glDisable(GL_BLEND);
}

void DrawDialog() {
  switch (Game.Screen) {
    case ConfirmNewGame: DrawQuestion(TexConfirmNewGamePanel); break;
    case ConfirmQuit: DrawQuestion(TexConfirmQuitPanel); break;
    case ResumePrompt: DrawQuestion(TexResumePromptPanel); break;
    case Options: DrawOptions(); break;
    case HighScores: DrawHighScores(); break;
    case NameEntry: DrawNameEntry(); break;
    default: break;
  }
}

// The shown score one step toward the score.
float SteppedShownScore() {
  const float step = static_cast<float>(0.7 * Game.FrameSpeed);
  const float score = static_cast<float>(Game.Score);
  float shown = Game.ShownScore;
  if (shown > score) shown -= step;
  if (score > shown) shown += step;
  return shown;
}

void PrintScoreAndLevel() {
  // Clamped so that a damaged saved score cannot overflow the conversion.
  const int shown = static_cast<int>(std::clamp(Game.ShownScore, -2.0e9f, 2.0e9f));
  BeginText();
  PrintText(ScoreTextX(shown), 437, 0, "%2i", shown);
  PrintText(Game.Level < 10 ? 580 : 587, 4, 0, "%2i", Game.Level + 1);
  glDisable(GL_BLEND);
}

}  // namespace

bool ShownScoreMoves() {
  return Game.Screen == Playing && SteppedShownScore() != Game.ShownScore;
}

int ScoreTextX(int shownScore) {
  if (shownScore == 0) return 103;
  int digits = 1;
  for (long long rest = shownScore < 0 ? -static_cast<long long>(shownScore) : shownScore;
       rest >= 10; rest /= 10) {
    ++digits;
  }
  // Two digits start at 110, five at 90; 6 or 7 units further left per digit.
  constexpr int ByDigits[] = {110, 110, 110, 103, 96, 90, 83, 76, 69, 62, 55};
  return ByDigits[digits];
}

void DrawOverlay() {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  if (Game.Fullscreen) {
    glOrtho(0.0, 800.0, 0.0, 600.0, -1.0, 1.0);
  } else {
    glOrtho(0.0, 640.0, 0.0, 480.0, -1.0, 1.0);
  }
  glMatrixMode(GL_MODELVIEW);

  DrawSidePanel();
  DrawDialog();
  if (Game.BoardPhase > Play) DrawPhaseBanner();
  if (Game.Paused && Game.Screen == Playing) DrawOpaque(PausePicture, TexPausePicture);

  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  if (Game.Screen == Playing) Game.ShownScore = SteppedShownScore();
  PrintScoreAndLevel();
  DrawScorePopups();
}
