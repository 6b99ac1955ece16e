#include "ui/screens.h"

#include "core/game_state.h"
#include "core/mixer.h"
#include "core/rules.h"
#include "core/sound_bank.h"
#include "storage/saved_game.h"
#include "ui/hit_test.h"
#include "ui/platform.h"

namespace {

void PlayMenuSample() { PlayEffect(Game.Sounds.Menu); }

// Playing: the side panel. New game, Options and Quit show pressed while their screen shows.
void OpenPanel(int& button, int screen) {
  button = ButtonPressed;
  PlayMenuSample();
  Game.Screen = screen;
}

void PressNewGame() { OpenPanel(Game.NewGameButton, ConfirmNewGame); }
void PressOptions() { OpenPanel(Game.OptionsButton, Options); }
void PressQuit() { OpenPanel(Game.QuitButton, ConfirmQuit); }

// Also when `mode` is already the current one: a new game, with its music from the start.
void ChooseMode(int mode) {
  GameState& g = Game;
  g.TimedButton = mode == Timed ? ButtonPressed : ButtonIdle;
  g.LevelsButton = mode == Levels ? ButtonPressed : ButtonIdle;
  g.ModeIndex = mode;
  // The pause key works in Timed mode only, so a Levels game must not start paused: its board
  // would ignore every press with no way to lift the pause.
  if (mode == Levels) g.Paused = false;
  NewGame();
  RestartMusic();
  PlayMenuSample();
}

void PressTimed() { ChooseMode(Timed); }
void PressLevels() { ChooseMode(Levels); }

// The questions: the answer pressed goes dark, and so does the side button that shows
// pressed while the question is open.
void UnlightAnswer(int& answerHover, int& sideButton) {
  answerHover = 0;
  sideButton = ButtonIdle;
}

// Most panels close with the menu sample, back to the board.
void BackToPlaying() {
  PlayMenuSample();
  Game.Screen = Playing;
}

// ConfirmNewGame.
void StartNewGame() {
  NewGame();
  UnlightAnswer(Game.DialogButton1Hover, Game.NewGameButton);
  RestartMusic();
  BackToPlaying();
}

void KeepGame() {
  UnlightAnswer(Game.DialogButton2Hover, Game.NewGameButton);
  BackToPlaying();
}

// ResumePrompt: the first music of the run starts with the answer.
void ResumeStoredGame() {
  UnlightAnswer(Game.DialogButton1Hover, Game.NewGameButton);
  ReadSavedGame();
  RestartMusic();
  BackToPlaying();
}

void DeclineStoredGame() {
  UnlightAnswer(Game.DialogButton2Hover, Game.NewGameButton);
  NewGame();
  RestartMusic();
  BackToPlaying();
}

// ConfirmQuit: the main loop ends after this message, without a sample.
void LeaveGame() {
  Game.QuitRequested = 1;
  Game.DialogButton1Hover = 0;
  Game.Screen = Playing;
}

void StayInGame() {
  UnlightAnswer(Game.DialogButton2Hover, Game.QuitButton);
  BackToPlaying();
}

// HighScores: back to the game left in Options, or after a game over on to a new one. The
// music goes on as it is.
void CloseHighScores() {
  if (Game.HighScoresReturn == OpenedFromOptions) {
    Game.HighScoresReturn = 0;
  } else {
    NewGame();
  }
  Game.DialogButton1Hover = 0;
  BackToPlaying();
}

// Options. Leaving it for HighScores or Playing releases the Options button in the 640 by
// 480 layout only; in the 800 by 600 layout it shows pressed until the pointer next moves on
// Playing.
void ReleaseOptionsButtonWhenWindowed() {
  if (!Game.Fullscreen) Game.OptionsButton = ButtonIdle;
}

void ShowHighScoresFromOptions() {
  Game.DialogButton1Hover = 0;
  Game.HighScoresRowHover = 0;
  ReleaseOptionsButtonWhenWindowed();
  PlayMenuSample();
  Game.HighScoresReturn = OpenedFromOptions;
  Game.Screen = HighScores;
}

void CloseOptions() {
  Game.DialogButton1Hover = 0;
  ReleaseOptionsButtonWhenWindowed();
  BackToPlaying();
}

// Effects switched on are heard at once, through the menu sample; switched off, silence.
void ToggleSound() {
  if (Game.SoundOn) {
    Game.SoundOn = 0;
  } else {
    Game.SoundOn = 1;
    PlayMenuSample();
  }
}

void ToggleMusic() {
  if (Game.MusicOn) {
    Game.MusicOn = 0;
    ImixStopModule();
  } else {
    Game.MusicOn = 1;
    RestartMusic();
  }
  PlayMenuSample();
}

// Options stays on screen, in the other layout.
void SwitchDisplayMode() {
  PlayMenuSample();
  Game.DisplayModeSetting = Game.DisplayModeSetting == 0 ? 1 : 0;
  ChangeDisplayMode();
}

// The help page opens outside the game, which ends after this message.
void OpenHelp() {
  Game.HelpRowHover = 0;
  Game.OptionsButton = ButtonIdle;
  Game.QuitRequested = 1;
  OpenHelpPage();
}

// A control: live only while its screen shows, pressed inside its rectangle of the layout.
struct Control {
  int screen;
  PixelRect ScreenLayout::*area;
  void (*press)();
};

// In the order a press tests them.
constexpr Control Controls[] = {
    {Playing, &ScreenLayout::newGame, PressNewGame},
    {Playing, &ScreenLayout::timed, PressTimed},
    {Playing, &ScreenLayout::levels, PressLevels},
    {Playing, &ScreenLayout::hint, UseHint},
    {Playing, &ScreenLayout::options, PressOptions},
    {Playing, &ScreenLayout::quit, PressQuit},
    {ConfirmNewGame, &ScreenLayout::yes, StartNewGame},
    {ConfirmNewGame, &ScreenLayout::no, KeepGame},
    {ResumePrompt, &ScreenLayout::yes, ResumeStoredGame},
    {ResumePrompt, &ScreenLayout::no, DeclineStoredGame},
    {ConfirmQuit, &ScreenLayout::yes, LeaveGame},
    {ConfirmQuit, &ScreenLayout::no, StayInGame},
    {HighScores, &ScreenLayout::ok, CloseHighScores},
    {Options, &ScreenLayout::highScoresRow, ShowHighScoresFromOptions},
    {Options, &ScreenLayout::displayRow, SwitchDisplayMode},
    {Options, &ScreenLayout::musicRow, ToggleMusic},
    {Options, &ScreenLayout::soundRow, ToggleSound},
    {Options, &ScreenLayout::helpRow, OpenHelp},
    {Options, &ScreenLayout::back, CloseOptions},
};

// A press works one control at most: the first of the screen on show that `picks` picks,
// found before any control changes the screen or the layout.
template <typename Picks>
bool PressFirstControl(Picks picks) {
  const int screen = Game.Screen;
  for (const Control& control : Controls) {
    if (control.screen == screen && picks(control)) {
      control.press();
      return true;
    }
  }
  return false;
}

}  // namespace

void MovePointer(int x, int y) {
  Game.PointerX = x;
  Game.PointerY = y;
  if (Game.Screen == Playing) {
    UpdatePlayingHover();
    DragToCell();
  } else {
    UpdatePanelHover();
  }
}

void PressPointer(int x, int y) {
  Game.PointerX = x;
  Game.PointerY = y;
  if (Game.Screen == Playing) PressCell();
  // Found in the layout in force when the button went down: testing on after the Display row
  // switched the layout could also press the other layout's Help row, which covers some of
  // its pixels.
  const ScreenLayout& layout = CurrentLayout();
  PressFirstControl([&layout](const Control& control) { return PointerIn(layout.*control.area); });
}

bool PressControl(PixelRect ScreenLayout::*area) {
  return PressFirstControl([area](const Control& control) { return control.area == area; });
}
