// Whole sessions as a player plays them, from the start-up question to the files left for
// the next start. They run an X server of their own with an 800 by 600 mode, so that the
// display-mode switch is the real one, or a wide one for a maximised window.
#include <iterator>
#include <memory>
#include <string>

#include "app/frame.h"
#include "assets/texture_index.h"
#include "core/game_state.h"
#include "tests/app/game_session.h"
#include "tests/support/fake_mixer.h"
#include "tests/support/test_files.h"

namespace {

// Client positions of the 640 by 480 layout's controls.
constexpr int YesX = 350, NoX = 480, AnswerY = 210;
constexpr int SideX = 105, TimedY = 160, HintX = 125, HintY = 270, OptionsY = 400, QuitY = 440;
constexpr int RowX = 400, HighScoresRowY = 77, DisplayRowY = 113, MusicRowY = 148,
              SoundRowY = 183, HelpRowY = 218, OkX = 400, OkY = 405;
constexpr int LargeDisplayRowY = 233;  // the Display row in the 800 by 600 layout
constexpr int BackX = 414, BackY = 298;

class SessionTest : public GameSessionTest {
 protected:
  void SetUp() override {
    server_ = std::make_unique<OwnXServer>(ScreenGeometry());
    if (!server_->Running()) GTEST_SKIP() << "Xvfb is not available";
    GameSessionTest::SetUp();
    fake_mixer::Reset();
  }
  void TearDown() override {
    GameSessionTest::TearDown();
    server_.reset();
  }
  virtual const char* ScreenGeometry() const { return "800x600x24"; }

  // Makes the known run by dragging, and waits until the board has settled after it.
  void PlayTheKnownMove() {
    SetBoardWithOneKnownMove();
    const SDL_Point from = ClientPoint(CellX(2), CellY(7));
    const SDL_Point to = ClientPoint(CellX(2), CellY(8));
    Drag(from.x, from.y, to.x, to.y);
    ASSERT_TRUE(RunUntil([] { return Game.ChainScore > 0; })) << "the drag made no run";
  }

  std::unique_ptr<OwnXServer> server_;
};

int Cell(int index) {
  return index < BoardRows * BoardColumns ? Game.Board[index / BoardColumns][index % BoardColumns]
                                          : Game.FloorRow[index - BoardRows * BoardColumns];
}

// The saved game as the state in memory gives it: mode, level, whole seconds, score, then
// nine groups of nine cells counted row by row, each group running on into the next row.
std::vector<uint8_t> SavedGameOfTheState() {
  std::vector<int> words = {Game.ModeIndex, Game.Level, static_cast<int>(Game.TimeLeft),
                            Game.Score};
  for (int group = 0; group < BoardRows; ++group) {
    for (int k = 0; k < 9; ++k) words.push_back(Cell(group * BoardColumns + k));
  }
  return StoredWords(words);
}

std::vector<uint8_t> HighScoreFileOfTheTables() {
  std::vector<uint8_t> bytes;
  for (const auto& table : Game.HighScoreTables) {
    for (const HighScoreEntry& entry : table) {
      bytes.insert(bytes.end(), entry.name, entry.name + HighScoreNameLength);
      const std::vector<uint8_t> score = StoredWords({entry.score});
      bytes.insert(bytes.end(), score.begin(), score.end());
    }
  }
  return bytes;
}

TEST_F(SessionTest, AnEveningOfPlayIsThereAtTheNextStart) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(Game.Screen, ResumePrompt);
  Click(NoX, AnswerY);
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(Game.Screen, Playing);
  EXPECT_EQ(Game.ModeIndex, Levels);

  // A Levels game to its first completed level.
  Game.Score = 495;
  PlayTheKnownMove();
  ASSERT_TRUE(RunUntil([] { return Game.Level == 1 && Game.BoardPhase == Play; }));
  EXPECT_GE(Game.Score, 500);

  // A Timed game: a run, a pause by Esc lifted by P, then hints until the time is spent.
  Click(SideX, TimedY);
  ASSERT_TRUE(RunFrames(1));
  ASSERT_EQ(Game.ModeIndex, Timed);
  EXPECT_EQ(Game.Level, 0);
  PlayTheKnownMove();
  const int score = Game.Score;
  KeyDown(SDLK_ESCAPE);
  ASSERT_TRUE(RunFrames(1));
  KeyUp(SDLK_ESCAPE);
  ASSERT_TRUE(RunFrames(2));
  EXPECT_TRUE(Game.Paused);
  const float pausedTime = Game.TimeLeft;
  ASSERT_TRUE(RunFrames(30));
  EXPECT_EQ(Game.TimeLeft, pausedTime) << "the bar does not drain while paused";
  TypeKey(SDLK_p);
  EXPECT_FALSE(Game.Paused);
  for (int hint = 0; hint < 5; ++hint) {
    Click(HintX, HintY);
    ASSERT_TRUE(RunFrames(1));
  }
  ASSERT_TRUE(RunUntil([] { return Game.Screen == NameEntry; }));

  // The name goes into the Timed table, with a capital first letter.
  for (const SDL_Keycode key : {SDLK_t, SDLK_o, SDLK_m}) TypeKey(key);
  TypeKey(SDLK_RETURN);
  ASSERT_EQ(Game.Screen, HighScores);
  EXPECT_STREQ(Game.HighScoreTables[Timed][0].name, "Tom$$$$$$");
  EXPECT_EQ(Game.HighScoreTables[Timed][0].score, score);
  Click(OkX, OkY);
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(Game.Screen, Playing);
  EXPECT_EQ(Game.Score, 0) << "OK after a game over starts a new game";

  // Options: music and effects on, the display mode switched to fullscreen and back, and the
  // high scores, which return to the game as it was.
  Click(SideX, OptionsY);
  ASSERT_TRUE(RunFrames(1));
  ASSERT_EQ(Game.Screen, Options);
  fake_mixer::Reset();
  AssignTestSoundHandles();
  // The new game's board is still filling: held still for the next frames, it plays no
  // refill sample beside the menu's.
  Game.FrameSpeed = 0.0f;
  Game.SpeedSampleCounter = 1;
  Click(RowX, MusicRowY);
  Click(RowX, SoundRowY);
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(fake_mixer::PlayedModules(), std::vector<int>{Game.Sounds.Theme2});
  EXPECT_EQ(fake_mixer::PlayedSamples(), std::vector<int>{Game.Sounds.Menu});
  Click(RowX, DisplayRowY);
  ASSERT_TRUE(RunFrames(2));
  EXPECT_TRUE(Game.Fullscreen);
  EXPECT_EQ(Game.DisplayModeSetting, 1);
  EXPECT_EQ(Game.Screen, Options);
  EXPECT_EQ(ClientWidth(), 800);
  Click(RowX, LargeDisplayRowY);
  ASSERT_TRUE(RunFrames(2));
  EXPECT_FALSE(Game.Fullscreen);
  EXPECT_EQ(Game.DisplayModeSetting, 0);
  EXPECT_EQ(ClientWidth(), 640);
  Game.Score = 120;
  Click(RowX, HighScoresRowY);
  ASSERT_TRUE(RunFrames(1));
  ASSERT_EQ(Game.Screen, HighScores);
  Click(OkX, OkY);
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(Game.Screen, Playing);
  EXPECT_EQ(Game.Score, 120);

  // Quit: No keeps the game, Yes ends it.
  Click(SideX, QuitY);
  Click(NoX, AnswerY);
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(Game.Screen, Playing);
  Click(SideX, QuitY);
  Click(YesX, AnswerY);
  EXPECT_EQ(Finish(), 0);
  EXPECT_TRUE(boxes_.empty());

  EXPECT_EQ(UserFile("menu.inf"), StoredWords({0, 1, 1}));
  EXPECT_EQ(UserFile("data.inf"), SavedGameOfTheState());
  EXPECT_EQ(UserFile("hiscores"), HighScoreFileOfTheTables());
  const GameState quit = Game;

  // The next start asks again; Yes resumes the Timed game with its board and its music.
  fake_mixer::Reset();
  ASSERT_TRUE(Start());
  EXPECT_EQ(Game.MusicOn, 1);
  EXPECT_EQ(Game.SoundOn, 1);
  EXPECT_TRUE(fake_mixer::PlayedModules().empty()) << "no music before the question is answered";
  EXPECT_STREQ(Game.HighScoreTables[Timed][0].name, "Tom$$$$$$");
  Click(YesX, AnswerY);
  ASSERT_TRUE(RunFrames(1));
  EXPECT_EQ(Game.Screen, Playing);
  EXPECT_EQ(Game.ModeIndex, Timed);
  EXPECT_EQ(Game.TimedButton, ButtonPressed);
  EXPECT_EQ(Game.Score, quit.Score);
  for (int row = 1; row < BoardRows; ++row) {
    for (int column = 0; column < BoardColumns; ++column)
      EXPECT_EQ(Game.Board[row][column], quit.Board[row][column]) << row << ", " << column;
  }
  EXPECT_EQ(fake_mixer::PlayedModules(), std::vector<int>{Game.Sounds.Theme2});

  // The close box ends the game from any screen, and the exit code is the quit message's.
  Click(SideX, OptionsY);
  PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  EXPECT_EQ(Finish(), 0);
}

TEST_F(SessionTest, ClosingOnTheStartUpQuestionKeepsTheStoredGameAndHelpEndsTheGame) {
  std::vector<int> stored = {Timed, 4, 37, 9000};
  for (int cell = 0; cell < 81; ++cell) stored.push_back(cell < 72 ? cell % 7 + 1 : SolidFloor);
  WriteBytes(folder_ + "/data/Brambleworth/Quillary/data.inf", StoredWords(stored));

  ASSERT_TRUE(Start());
  PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  EXPECT_EQ(Finish(), 0);
  EXPECT_EQ(UserFile("data.inf"), StoredWords(stored));
  EXPECT_EQ(UserFile("menu.inf"), StoredWords({0, 0, 0}));

  // The Help row opens the page beside the game's files and ends the game.
  ASSERT_TRUE(Start());
  Click(NoX, AnswerY);
  Click(SideX, OptionsY);
  Click(RowX, HelpRowY);
  EXPECT_EQ(Finish(), 0);
  EXPECT_EQ(OpenedAddress(), "file://" + folder_ + "/help.htm");
}

// The window maximised on a wide desktop: the picture fills the middle of it, between black
// bars. Without a window manager the window is maximised by resizing it to the screen, which
// brings the game the same size change.
class MaximisedSessionTest : public SessionTest {
 protected:
  const char* ScreenGeometry() const override { return "1600x900x24"; }
  // A click on pixel (x, y) of the layout, at the client pixel that shows it.
  void ClickOn(int x, int y) {
    const SDL_Point at = ClientPoint(x, y);
    Click(at.x, at.y);
    ASSERT_TRUE(RunFrames(1));
  }
};

TEST_F(MaximisedSessionTest, ResumeSwapOptionsAndQuit) {
  // A Timed game in its fifth level, left on the board with the known move (in groups of nine
  // words, the ninth overwritten by the next group).
  SetBoardWithOneKnownMove();
  std::vector<int> stored = {Timed, 4, 37, 9000};
  for (const auto& row : Game.Board) {
    stored.insert(stored.end(), std::begin(row), std::end(row));
    stored.push_back(0);
  }
  WriteBytes(folder_ + "/data/Brambleworth/Quillary/data.inf", StoredWords(stored));
  ASSERT_TRUE(Start());
  SDL_SetWindowSize(reinterpret_cast<SDL_Window*>(Game.Window), 1600, 900);
  ASSERT_TRUE(RunFrames(2));
  ASSERT_EQ(Game.ClientWidth, 1600);
  ASSERT_TRUE(DrawFrame());
  EXPECT_EQ(ClientPixel(1400, 450), Rgb{}) << "the bar right of the picture";
  EXPECT_TRUE(Near(ClientPixel(1399, 450), TextureColour(TexBackdropImage)));

  ClickOn(YesX, AnswerY);
  ASSERT_EQ(Game.Screen, Playing);
  EXPECT_EQ(Game.ModeIndex, Timed);
  EXPECT_EQ(Game.Score, 9000);
  PlayTheKnownMove();
  EXPECT_GT(Game.Score, 9000);

  ClickOn(SideX, OptionsY);
  ClickOn(RowX, MusicRowY);
  EXPECT_EQ(Game.MusicOn, 1);
  ClickOn(BackX, BackY);
  EXPECT_EQ(Game.Screen, Playing);

  ClickOn(SideX, QuitY);
  ASSERT_EQ(Game.Screen, ConfirmQuit);
  const SDL_Point yes = ClientPoint(YesX, AnswerY);
  Click(yes.x, yes.y);
  EXPECT_EQ(Finish(), 0);
  EXPECT_EQ(UserFile("data.inf"), SavedGameOfTheState());
  EXPECT_EQ(UserFile("menu.inf"), StoredWords({0, 1, 0}));
}

}  // namespace
