// The data files when things go wrong around a write or an exit: a disk that refuses the
// write, temporaries left by a crashed run, a second copy entering a score, a game quit after
// its end.
#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "core/game_state.h"
#include "storage/high_scores.h"
#include "storage/saved_game.h"
#include "storage/user_data.h"
#include "tests/storage/storage_test.h"

namespace {

namespace fs = std::filesystem;
using StorageFailureTest = StorageTest;

const Bytes OldFile(340, 1);
constexpr int CannotArrange = 77;

// Each makes one refusal real in a child process; false when this machine cannot.
bool LimitFileSize(const fs::path&) {
  signal(SIGXFSZ, SIG_IGN);  // as the game does
  const rlimit limit{100, 100};
  return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

bool FillTheDisk(const fs::path& folder) {  // a small file system of its own, filled up
  if (unshare(CLONE_NEWNS) != 0 && unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
  if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
      mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0)
    return false;
  WriteBytes(folder / "data.inf", OldFile);
  const int filler = open((folder / "filler").c_str(), O_WRONLY | O_CREAT, 0600);
  while (write(filler, OldFile.data(), OldFile.size()) > 0) {
  }
  return close(filler) == 0;
}

bool ForbidWriting(const fs::path& folder) {  // root writes anywhere, so it writes as nobody
  chmod(folder.c_str(), 0555);
  if (geteuid() != 0) return true;
  // The test's own folders above the user folder, and no further, are opened to nobody.
  const fs::path dataHome = folder.parent_path().parent_path();
  for (const fs::path& up : {folder.parent_path(), dataHome, dataHome.parent_path()}) {
    chmod(up.c_str(), 0755);
  }
  chmod((folder / "data.inf").c_str(), 0644);
  return setgid(65534) == 0 && setuid(65534) == 0;
}

TEST_F(StorageFailureTest, ARefusedWriteKeepsTheOldFileWholeAndLeavesNoTemporaryFile) {
  const std::pair<const char*, bool (*)(const fs::path&)> refusals[] = {
      {"EFBIG", LimitFileSize}, {"ENOSPC", FillTheDisk}, {"EACCES", ForbidWriting}};
  for (const auto& [name, arrange] : refusals) {
    WriteBytes(UserFile("data.inf"), OldFile);
    const int result = RunInChild([&, arrange = arrange] {
      if (!arrange(UserFolder())) return CannotArrange;
      const Bytes newFile(340, 2);
      if (WriteUserDataFile("data.inf", newFile.data(), newFile.size())) return 1;
      return ReadBytes(UserFile("data.inf")) == OldFile && UserFolderNames()[0][0] != '.' ? 0 : 2;
    });
    chmod(UserFolder().c_str(), 0755);
    if (result == CannotArrange) std::printf("%s cannot be arranged here\n", name);
    EXPECT_TRUE(result == 0 || result == CannotArrange)
        << name << (result == 1 ? ": written" : ": the old file changed or a temporary is left");
  }
}

TEST_F(StorageFailureTest, TemporariesOfCrashedRunsAreClearedButNotOnesBeingWritten) {
  WriteBytes(UserFile(".data.inf.a1B2c3"), {1});  // left by a run killed while it saved
  WriteBytes(UserFile(".hiscores.Zz9Yy8"), {2});  // another copy is writing it now
  WriteBytes(UserFile(".menu.inf.abc"), {3});     // no name a write gives its temporary
  const int writing = open(UserFile(".hiscores.Zz9Yy8").c_str(), O_RDONLY);
  ASSERT_EQ(flock(writing, LOCK_EX), 0);
  ClearAbandonedTemporaries();
  close(writing);
  EXPECT_EQ(UserFolderNames(), (std::vector<std::string>{".hiscores.Zz9Yy8", ".menu.inf.abc"}));
}

void ConfirmName(const char* name, int score) {
  Game.Score = score;
  std::memcpy(Game.EntryName, name, 3);
  Game.NameCursor = 4;
  InsertHighScore(0);
  SortSaveReloadHighScores();
}

TEST_F(StorageFailureTest, AScoreEntersTheTableAsTheFileHoldsItNowWrittenOnlyWhenItChanges) {
  for (int i = 0; i < HighScoreEntryCount; ++i) Game.HighScoreTables[0][i] = {"Old$$$$$$", 500 - 100 * i};
  SortSaveReloadHighScores();
  struct stat first{}, second{};
  stat(UserFile("hiscores").c_str(), &first);
  ReadHighScores();
  SortSaveReloadHighScores();  // the start of both copies, with nothing to change
  stat(UserFile("hiscores").c_str(), &second);
  EXPECT_EQ(first.st_ino, second.st_ino) << "an unchanged table was written again";

  const GameState atStart = Game;
  ConfirmName("Ann", 450);  // the other copy
  Game = atStart;
  ConfirmName("Bob", 350);  // this copy, which read the table before Ann's score
  Game = GameState{};
  ReadHighScores();
  const HighScoreEntry* table = Game.HighScoreTables[0];
  EXPECT_EQ(std::string(table[1].name) + std::string(table[3].name), "Ann$$$$$$Bob$$$$$$");
  EXPECT_EQ(table[4].score, 300);
}

TEST_F(StorageFailureTest, AGameQuitAfterItsEndIsStoredAsAFreshGameOfItsMode) {
  // Screen, board phase, HighScoresReturn, score (the Timed table's last entry is 100), kept.
  const std::tuple<int, int, int, int, bool> exits[] = {
      {Playing, Play, 0, 500, true},          {Playing, GameOver, 0, 500, true},
      {Playing, GameOver, 0, 50, false},      {ConfirmQuit, GameOver, 0, 50, false},
      {NameEntry, Play, 0, 500, true},        {HighScores, Play, 0, 500, false},
      {HighScores, Play, OpenedFromOptions, 500, true}};
  for (const auto& [screen, phase, highScoresReturn, score, kept] : exits) {
    SCOPED_TRACE(testing::Message() << "screen " << screen << ", phase " << phase);
    Game = GameState{};
    for (HighScoreEntry& entry : Game.HighScoreTables[Timed]) entry.score = 100;
    Game.ModeIndex = Timed;
    Game.Level = 3;
    Game.TimeLeft = -2.5f;
    Game.Score = score;
    std::fill(&Game.Board[0][0], &Game.FloorRow[0], 4);
    std::fill(std::begin(Game.FloorRow), std::end(Game.FloorRow), SolidFloor);
    Game.Screen = screen;
    Game.BoardPhase = phase;
    Game.HighScoresReturn = highScoresReturn;
    StoreGameAtExit();
    // Mode, level, time, score, then the board: as played, or empty to fill from the top.
    std::vector<int> expected = kept ? std::vector<int>{Timed, 3, -2, score} : std::vector<int>{Timed, 0, 50, 0};
    expected.resize(4 + BoardRows * (BoardColumns + 1), kept ? 4 : 0);
    expected.back() = SolidFloor;
    EXPECT_EQ(ReadBytes(UserFile("data.inf")), Words(expected));
  }
  Game.Screen = ResumePrompt;  // the start-up question unanswered: the stored game stays
  Game.Score = 7;
  StoreGameAtExit();
  EXPECT_EQ(DecodeWord(ReadBytes(UserFile("data.inf")).data() + 12), 500);
}

}  // namespace
