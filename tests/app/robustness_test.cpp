// The game as a player meets it when something is wrong: files missing or damaged, no audio
// device, a user folder that cannot be written or fills up, and a display without the
// fullscreen mode. In each case the game says what it should, runs on where it can, and loses
// no stored file. SDL2_mixer plays, through SDL's dummy audio driver.
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "core/game_state.h"
#include "tests/app/game_session.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;

struct Trouble {
  const char* name;
  std::function<void(const std::string& folder)> arrange;
  // The boxes the player sees, in order, as caption: text.
  std::vector<std::string> boxes;
  bool gameRuns;
};

std::vector<uint8_t> Garbage() { return std::vector<uint8_t>(200, 0xA5); }

void Damage(const std::string& path) { WriteBytes(path, Garbage()); }

const Trouble Troubles[] = {
    {"a missing texture", [](const std::string& f) { fs::remove(f + "/base/tex42.bmp"); },
     {"ERROR: Initialization Failed."}, false},
    {"a damaged texture", [](const std::string& f) { Damage(f + "/base/tex05.bmp"); },
     {"Error: Unknown DIB file format.", "ERROR: Initialization Failed."}, false},
    // The files are read ahead on a second thread; the boxes still come in the order of a
    // load that reads them itself: the models' skins first, then the texture set.
    {"an empty skin and a damaged texture",
     [](const std::string& f) {
       Damage(f + "/base/tex05.bmp");
       WriteBytes(f + "/base/fruit3.bmp", {});
     },
     {"Error: Failed to open DIB file base/fruit3.bmp.\n", "Error: Unknown DIB file format.",
      "ERROR: Initialization Failed."},
     false},
    {"a missing model", [](const std::string& f) { fs::remove(f + "/base/3.ms3d"); }, {}, true},
    {"a damaged model", [](const std::string& f) { Damage(f + "/base/5.ms3d"); }, {}, true},
    {"a damaged module and sample",
     [](const std::string& f) {
       Damage(f + "/base/theme1.xm");
       Damage(f + "/base/select.wav");
     },
     {}, true},
    {"no audio device", [](const std::string&) { setenv("SDL_AUDIODRIVER", "no-such-device", 1); },
     {"DirectSound: ERROR: Device is not found or busy."}, true},
    {"a corrupt saved game and high-score file",
     [](const std::string& f) {
       Damage(f + "/data/Brambleworth/Quillary/data.inf");
       Damage(f + "/data/Brambleworth/Quillary/hiscores");
     },
     {}, true},
};

class RobustnessTest : public GameSessionTest {
 protected:
  void SetUp() override {
    GameSessionTest::SetUp();
    // Music and effects on, so that every sound is loaded and played.
    WriteBytes(UserFolder() + "/menu.inf", StoredWords({0, 1, 1}));
  }
  void TearDown() override {
    GameSessionTest::TearDown();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
  // An X server of its own, for the tests that need another screen; it outlives the window.
  std::unique_ptr<OwnXServer> server_;

  std::string UserFolder() const { return folder_ + "/data/Brambleworth/Quillary"; }
  std::vector<std::string> Boxes() const {
    std::vector<std::string> shown;
    for (const ShownBox& box : boxes_) shown.push_back(box.caption + ": " + box.text);
    return shown;
  }
  // A click on pixel (x, y) of the 640 by 480 layout, wherever the window shows it.
  void ClickLayout(int x, int y) {
    const SDL_Point at = ClientPoint(x, y);
    Click(at.x, at.y);
    ASSERT_TRUE(RunFrames(1));
  }
  // Answers the start-up question, plays a move, opens and closes the options, and quits.
  void PlayAndQuit() {
    ClickLayout(480, 210);
    ASSERT_EQ(Game.Screen, Playing);
    SetBoardWithOneKnownMove();
    const SDL_Point from = ClientPoint(CellX(2), CellY(7));
    const SDL_Point to = ClientPoint(CellX(2), CellY(8));
    Drag(from.x, from.y, to.x, to.y);
    ASSERT_TRUE(RunUntil([] { return Game.ChainScore > 0; })) << "the drag made no run";
    ClickLayout(105, 400);
    ASSERT_EQ(Game.Screen, Options);
    ClickLayout(414, 298);
    ClickLayout(105, 440);
    ASSERT_EQ(Game.Screen, ConfirmQuit);
    const SDL_Point yes = ClientPoint(350, 210);
    Click(yes.x, yes.y);
    EXPECT_EQ(Finish(), 0);
  }
};

TEST_F(RobustnessTest, MissingOrDamagedFilesAndNoAudioDevice) {
  const std::vector<uint8_t> storedGame = StoredWords(std::vector<int>(85, 1));
  for (const Trouble& trouble : Troubles) {
    SCOPED_TRACE(trouble.name);
    SetUp();
    WriteBytes(UserFolder() + "/data.inf", storedGame);
    trouble.arrange(folder_);
    const std::vector<uint8_t> savedBefore = UserFile("data.inf");
    if (!trouble.gameRuns) {
      EXPECT_FALSE(Start());
      EXPECT_EQ(Boxes(), trouble.boxes);
      EXPECT_EQ(UserFile("data.inf"), savedBefore) << "a game that never started stores nothing";
      TearDown();
      continue;
    }
    ASSERT_TRUE(Start());
    PlayAndQuit();
    EXPECT_EQ(Boxes(), trouble.boxes);
    EXPECT_EQ(UserFile("data.inf").size(), 340u);
    EXPECT_EQ(UserFile("hiscores").size(), 130u);
    TearDown();
  }
}

TEST_F(RobustnessTest, AUserFolderThatCannotBeWrittenOrFillsUpKeepsItsFiles) {
  // The user folder's place is taken by a file: nothing can be stored, and the game runs on.
  fs::remove_all(folder_ + "/data");
  WriteBytes(folder_ + "/data", {1});
  ASSERT_TRUE(Start());
  PlayAndQuit();
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(ReadBytes(folder_ + "/data"), std::vector<uint8_t>{1});

  // A full disk: every write beyond 100 bytes fails, and the stored game stays as it was.
  TearDown();
  SetUp();
  const std::vector<uint8_t> storedGame = StoredWords(std::vector<int>(85, 2));
  WriteBytes(UserFolder() + "/data.inf", storedGame);
  ASSERT_TRUE(Start());
  Click(480, 210);
  ASSERT_TRUE(RunFrames(2));
  Game.MusicOn = 0;
  rlimit previous{};
  getrlimit(RLIMIT_FSIZE, &previous);
  rlimit small = previous;
  small.rlim_cur = 100;
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);  // an oversized write fails instead
  setrlimit(RLIMIT_FSIZE, &small);
  Click(105, 440);
  Click(350, 210);
  const int exitCode = Finish();
  setrlimit(RLIMIT_FSIZE, &previous);
  signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(UserFile("data.inf"), storedGame);
  EXPECT_EQ(UserFile("menu.inf"), StoredWords({0, 0, 1})) << "the small file still fits";
}

TEST_F(RobustnessTest, ADisplayWithoutTheFullscreenModeAsksAndRunsWindowedOrEnds) {
  server_ = std::make_unique<OwnXServer>("640x480x24");
  if (!server_->Running()) GTEST_SKIP() << "Xvfb is not available";
  const std::string question =
      "Vantor GL: The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use "
      "Windowed Mode Instead?";
  WriteBytes(UserFolder() + "/menu.inf", StoredWords({1, 0, 0}));
  answers_ = {MessageAnswer::Yes};
  ASSERT_TRUE(Start());
  EXPECT_EQ(Boxes(), std::vector<std::string>{question});
  EXPECT_FALSE(Game.Fullscreen);
  PlayAndQuit();
  EXPECT_EQ(UserFile("menu.inf"), StoredWords({1, 0, 0})) << "the setting stays as chosen";

  TearDown();
  SetUp();
  WriteBytes(UserFolder() + "/menu.inf", StoredWords({1, 0, 0}));
  answers_ = {MessageAnswer::No};
  EXPECT_FALSE(Start());
  EXPECT_EQ(Boxes(), (std::vector<std::string>{question, "ERROR: Program Will Now Close."}));
  EXPECT_EQ(UserFile("data.inf").size(), 0u) << "a game that never started stores nothing";
}

}  // namespace
