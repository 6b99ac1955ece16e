#include <map>

#include "storage/saved_game.h"
#include "tests/ui/ui_test.h"

namespace {

using Screens = UiTest;
using Fields = std::map<std::string, int>;

// The fields a press may change. Score and Level show a new game: both drop to 0.
#define FIELD(name) {#name, &GameState::name}
const std::pair<const char*, int GameState::*> Tracked[] = {
    FIELD(Screen),          FIELD(NewGameButton),      FIELD(TimedButton),
    FIELD(LevelsButton),    FIELD(OptionsButton),      FIELD(QuitButton),
    FIELD(DialogButton1Hover), FIELD(DialogButton2Hover), FIELD(HelpRowHover),
    FIELD(HighScoresRowHover), FIELD(HighScoresReturn),   FIELD(QuitRequested),
    FIELD(SoundOn),         FIELD(MusicOn),            FIELD(DisplayModeSetting),
    FIELD(ModeIndex),       FIELD(Score),              FIELD(Level),
};
#undef FIELD

Fields TrackedFields() {
  Fields fields;
  for (const auto& [name, field] : Tracked) fields[name] = Game.*field;
  return fields;
}

// What the player hears ("stop" when the music stops), then what the platform is asked to do.
std::vector<std::string> Effects() {
  std::vector<std::string> effects;
  for (int i = 0; i < fake_mixer::CallCount(); ++i) {
    const MixerCall& call = fake_mixer::Call(i);
    if (call.kind == MixerCallKind::PlaySample) effects.push_back(SampleName(call.args[0]));
    if (call.kind == MixerCallKind::PlayModule) {
      effects.push_back("theme" + std::to_string(call.args[0]));
    }
    if (call.kind == MixerCallKind::StopModule) effects.push_back("stop");
  }
  for (const std::string& call : fake_platform::Calls()) effects.push_back(call);
  return effects;
}

struct Point {
  int x, y;
};
constexpr Point NotInThisLayout = {-1, -1};

struct Transition {
  const char* name;
  int from;
  Point at[2];  // 640 by 480, 800 by 600: opposite corners where the row allows
  Fields changes;
  std::vector<std::string> effects;
  void (*arrange)() = nullptr;
};

void StoreTimedGame() {
  Game.ModeIndex = Timed;
  Game.Score = 777;
  Game.Level = 2;
  WriteSavedGame();
  Game.ModeIndex = Levels;
  Game.Score = 1234;
  Game.Level = 3;
}

void TimedWithoutMusic() {
  Game.MusicOn = 0;
  Game.ModeIndex = Timed;
  Game.TimedButton = ButtonPressed;
  Game.LevelsButton = ButtonIdle;
}

// Each starts from Levels the mode, music and effects on, Score 1234 at level 3, and on the
// panels with every button pressed and every hover flag lit.
const Transition Transitions[] = {
    {"New game", Playing, {{46, 61}, {199, 124}},
     {{"Screen", ConfirmNewGame}, {"NewGameButton", 2}}, {"menu"}},
    {"Timed", Playing, {{51, 146}, {194, 219}},
     {{"TimedButton", 2}, {"LevelsButton", 0}, {"ModeIndex", Timed}, {"Score", 0}, {"Level", 0}},
     {"theme2", "menu"}},
    {"Levels again", Playing, {{154, 139}, {66, 136}}, {{"Score", 0}, {"Level", 0}},
     {"theme1", "menu"}},
    {"Hint", Playing, {{86, 221}, {206, 405}}, {{"Score", 1184}}, {"hint"}},
    {"Options", Playing, {{164, 419}, {61, 476}}, {{"Screen", Options}, {"OptionsButton", 2}},
     {"menu"}},
    {"Quit", Playing, {{46, 421}, {199, 579}}, {{"Screen", ConfirmQuit}, {"QuitButton", 2}},
     {"menu"}},
    {"new game? Yes", ConfirmNewGame, {{288, 196}, {409, 344}},
     {{"Screen", Playing}, {"DialogButton1Hover", 0}, {"NewGameButton", 0}, {"Score", 0},
      {"Level", 0}},
     {"theme1", "menu"}},
    {"new game? No", ConfirmNewGame, {{539, 224}, {418, 311}},
     {{"Screen", Playing}, {"DialogButton2Hover", 0}, {"NewGameButton", 0}}, {"menu"}},
    {"resume? Yes", ResumePrompt, {{409, 224}, {288, 311}},
     {{"Screen", Playing}, {"DialogButton1Hover", 0}, {"NewGameButton", 0}, {"ModeIndex", Timed},
      {"TimedButton", 2}, {"LevelsButton", 0}, {"Score", 777}, {"Level", 2}},
     {"theme2", "menu"}, StoreTimedGame},
    {"resume? No", ResumePrompt, {{418, 196}, {539, 344}},
     {{"Screen", Playing}, {"DialogButton2Hover", 0}, {"NewGameButton", 0}, {"Score", 0},
      {"Level", 0}},
     {"theme1", "menu"}, StoreTimedGame},
    {"quit? Yes", ConfirmQuit, {{300, 210}, {300, 330}},
     {{"Screen", Playing}, {"QuitRequested", 1}, {"DialogButton1Hover", 0}}, {}},
    {"quit? No", ConfirmQuit, {{500, 210}, {500, 330}},
     {{"Screen", Playing}, {"DialogButton2Hover", 0}, {"QuitButton", 0}}, {"menu"}},
    {"OK after a game over", HighScores, {{341, 391}, {509, 514}},
     {{"Screen", Playing}, {"DialogButton1Hover", 0}, {"Score", 0}, {"Level", 0}}, {"menu"}},
    {"OK back to Options' game", HighScores, {{469, 419}, {381, 486}},
     {{"Screen", Playing}, {"DialogButton1Hover", 0}, {"HighScoresReturn", 0}}, {"menu"},
     [] { Game.HighScoresReturn = 2; }},
    {"High scores row", Options, {{287, 61}, NotInThisLayout},
     {{"Screen", HighScores}, {"DialogButton1Hover", 0}, {"HighScoresRowHover", 0},
      {"OptionsButton", 0}, {"HighScoresReturn", 2}},
     {"menu"}},
    {"High scores row, Options kept pressed", Options, {NotInThisLayout, {544, 215}},
     {{"Screen", HighScores}, {"DialogButton1Hover", 0}, {"HighScoresRowHover", 0},
      {"HighScoresReturn", 2}},
     {"menu"}},
    {"Back", Options, {{351, 283}, NotInThisLayout},
     {{"Screen", Playing}, {"DialogButton1Hover", 0}, {"OptionsButton", 0}}, {"menu"}},
    {"Back, Options kept pressed", Options, {NotInThisLayout, {477, 434}},
     {{"Screen", Playing}, {"DialogButton1Hover", 0}}, {"menu"}},
    {"Sound row off", Options, {{287, 168}, {544, 318}}, {{"SoundOn", 0}}, {}},
    {"Sound row on", Options, {{544, 199}, {287, 288}}, {{"SoundOn", 1}}, {"menu"},
     [] { Game.SoundOn = 0; }},
    {"Music row off", Options, {{287, 133}, {544, 283}}, {{"MusicOn", 0}}, {"stop", "menu"}},
    {"Music row on", Options, {{544, 164}, {287, 253}}, {{"MusicOn", 1}}, {"theme2", "menu"},
     TimedWithoutMusic},
    {"Display row", Options, {{287, 98}, NotInThisLayout}, {{"DisplayModeSetting", 1}},
     {"menu", "ChangeDisplayMode"}},
    // Also under the other layout's Help row, which must not take the same press.
    {"Display row, back to windowed", Options, {NotInThisLayout, {300, 220}},
     {{"DisplayModeSetting", 0}}, {"menu", "ChangeDisplayMode"}},
    {"Help row", Options, {{287, 203}, {544, 353}},
     {{"HelpRowHover", 0}, {"OptionsButton", 0}, {"QuitRequested", 1}}, {"OpenHelpPage"}},
    {"New game's place on a question", ConfirmQuit, {{100, 80}, {100, 100}}, {}, {}},
    {"OK's place on a question", ConfirmQuit, {{400, 400}, {400, 500}}, {}, {}},
    {"a question's Yes on NameEntry", NameEntry, {{300, 210}, {300, 330}}, {}, {}},
};

TEST_F(Screens, EveryPressInBothLayouts) {
  for (const Transition& transition : Transitions) {
    for (bool fullscreen : {false, true}) {
      const Point at = transition.at[fullscreen];
      if (at.x == NotInThisLayout.x) continue;
      SetUp();
      Game.Fullscreen = fullscreen;
      Game.DisplayModeSetting = fullscreen;
      Game.Score = 1234;
      Game.Level = 3;
      if (transition.from != Playing) {
        Game.NewGameButton = Game.OptionsButton = Game.QuitButton = ButtonPressed;
        Game.DialogButton1Hover = Game.DialogButton2Hover = 1;
        Game.HelpRowHover = Game.HighScoresRowHover = 1;
      }
      Game.Screen = transition.from;
      if (transition.arrange) transition.arrange();
      Fields expected = TrackedFields();
      for (const auto& [name, value] : transition.changes) expected[name] = value;

      Press(at.x, at.y);
      SCOPED_TRACE(std::string(transition.name) + (fullscreen ? ", 800x600" : ", 640x480"));
      EXPECT_EQ(TrackedFields(), expected);
      EXPECT_EQ(Effects(), transition.effects);
    }
  }
}

// Levels and Timed work while paused; a Levels game, which has no pause key, starts unpaused.
TEST_F(Screens, ModeButtonsWhilePaused) {
  Game.ModeIndex = Timed;
  Game.TimedButton = ButtonPressed;
  Game.Paused = true;
  Press(100, 160);
  EXPECT_TRUE(Game.Paused);
  Press(100, 120);
  EXPECT_FALSE(Game.Paused);
}

TEST_F(Screens, TheDisplayRowSwitchesTheLayoutOfTheNextMove) {
  Game.Screen = Options;
  Press(400, 100);  // Display row, 640 by 480
  Move(400, 190);   // High scores row of the 800 by 600 layout only
  EXPECT_EQ(Game.HighScoresRowHover, 1);
  Press(400, 230);  // Display row, 800 by 600
  fake_platform::RefuseFullscreen(true);
  Press(400, 100);  // refused: an 800 by 600 window, still the 640 by 480 layout
  Move(400, 70);
  EXPECT_EQ(Game.HighScoresRowHover, 1);
  EXPECT_EQ(Game.Screen, Options);
}

TEST_F(Screens, DragOnTheBoardSwapsOnlyWithTheButtonHeld) {
  for (bool held : {false, true}) {
    SetUp();
    Move(300, 100);  // column 2, row 2; the start board holds fruit everywhere
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(300, 100));
    if (!held) Send(WM_LBUTTONUP, 0, MakeLParam(300, 100));
    Move(354, 100);  // column 3
    EXPECT_TRUE(Game.SelectionActive);
    EXPECT_EQ(Game.SwapActive, held);
  }
}

}  // namespace
