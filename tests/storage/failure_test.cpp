// The data files when things go wrong around a write or an exit: a disk that refuses the
// write, temporary files left by a crashed run, a second copy of the game entering a score, and
// a game quit after its end.
#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "core/game_state.h"
#include "storage/high_scores.h"
#include "storage/saved_game.h"
#include "storage/user_data.h"
#include "tests/storage/storage_test.h"

namespace {

namespace fs = std::filesystem;
using StorageFailureTest = StorageTest;

const Bytes OldFile(340, 0x11);
const Bytes NewFile(340, 0x22);
constexpr int CannotArrange = 77;

bool LimitFileSize(const fs::path&) {
  signal(SIGXFSZ, SIG_IGN);  // as the game does
  const rlimit limit{100, 100};
  return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

// A small file system of the child's own over the user folder, holding the old file and filled
// up to the last byte.
bool FillTheDisk(const fs::path& folder) {
  if (unshare(CLONE_NEWNS) != 0 && unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
  if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
  if (mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0) return false;
  WriteBytes(folder / "data.inf", OldFile);
  const int filler = open((folder / "filler").c_str(), O_WRONLY | O_CREAT, 0600);
  const Bytes block(4096);
  while (write(filler, block.data(), block.size()) > 0) {
  }
  close(filler);
  return true;
}

// A folder the player may read but not write. Root writes anywhere, so root writes as nobody.
bool ForbidWriting(const fs::path& folder) {
  chmod(folder.c_str(), 0555);
  if (geteuid() != 0) return true;
  for (fs::path up = folder.parent_path(); up.has_relative_path(); up = up.parent_path()) {
    chmod(up.c_str(), 0755);
  }
  chmod((folder / "data.inf").c_str(), 0644);
  return setgid(65534) == 0 && setuid(65534) == 0;
}

struct Refusal {
  const char* name;
  bool (*arrange)(const fs::path& folder);
};

const Refusal Refusals[] = {
    {"EFBIG: beyond the file-size limit", LimitFileSize},
    {"ENOSPC: a full disk", FillTheDisk},
    {"EACCES: a folder that may not be written", ForbidWriting},
};

// In a child, where each refusal is real: 0 when the write failed, the old file stayed whole
// and no temporary file is left; which of these went wrong otherwise.
int WriteAgainstRefusal(const Refusal& refusal, const fs::path& folder) {
  if (!refusal.arrange(folder)) return CannotArrange;
  if (WriteUserDataFile("data.inf", NewFile.data(), NewFile.size())) return 1;
  if (ReadBytes(folder / "data.inf") != OldFile) return 2;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().string()[0] == '.') return 3;
  }
  return 0;
}

TEST_F(StorageFailureTest, ARefusedWriteKeepsTheOldFileWholeAndLeavesNoTemporaryFile) {
  for (const Refusal& refusal : Refusals) {
    SCOPED_TRACE(refusal.name);
    WriteBytes(UserFile("data.inf"), OldFile);
    const int result = RunInChild([&] { return WriteAgainstRefusal(refusal, UserFolder()); });
    chmod(UserFolder().c_str(), 0755);
    if (result == CannotArrange) {
      std::printf("skipped %s: it cannot be arranged here\n", refusal.name);
      continue;
    }
    EXPECT_EQ(result, 0) << "1: the write succeeded, 2: the old file changed, 3: a temporary is left";
    EXPECT_EQ(ReadBytes(UserFile("data.inf")), OldFile);
  }
}

TEST_F(StorageFailureTest, TemporariesOfCrashedRunsAreClearedButNotOnesBeingWritten) {
  WriteBytes(UserFile(".data.inf.a1B2c3"), {1});  // left by a run killed while it saved
  WriteBytes(UserFile(".hiscores.Zz9Yy8"), {2});  // another copy is writing it now
  WriteBytes(UserFile(".menu.inf.abc"), {3});     // no name a write gives its temporary
  WriteBytes(UserFile("data.inf"), {4});
  const int writing = open(UserFile(".hiscores.Zz9Yy8").c_str(), O_RDONLY);
  ASSERT_EQ(flock(writing, LOCK_EX), 0);
  ClearAbandonedTemporaries();
  close(writing);
  EXPECT_EQ(UserFolderNames(),
            (std::vector<std::string>{".hiscores.Zz9Yy8", ".menu.inf.abc", "data.inf"}));
}

void SetScores(const std::vector<int>& scores) {
  for (int i = 0; i < HighScoreEntryCount; ++i) {
    std::snprintf(Game.HighScoreTables[0][i].name, 16, "N%c$$$$$$$", 'a' + i);
    Game.HighScoreTables[0][i].score = scores[i];
  }
}

void ConfirmName(const char* name, int score) {
  Game.Score = score;
  std::memcpy(Game.EntryName, name, std::strlen(name));
  Game.NameCursor = 1 + static_cast<int>(std::strlen(name));
  InsertHighScore(0);
  SortSaveReloadHighScores();
}

std::string Table() {
  std::string table;
  for (const HighScoreEntry& entry : Game.HighScoreTables[0]) {
    table += std::string(entry.name) + " " + std::to_string(entry.score) + ", ";
  }
  return table;
}

ino_t FileIdentity(const fs::path& path) {
  struct stat status{};
  stat(path.c_str(), &status);
  return status.st_ino;
}

TEST_F(StorageFailureTest, AScoreEntersTheTableAsTheFileHoldsItNowWrittenOnlyWhenItChanges) {
  SetScores({500, 400, 300, 200, 100});
  SortSaveReloadHighScores();
  const ino_t written = FileIdentity(UserFile("hiscores"));
  ReadHighScores();
  SortSaveReloadHighScores();  // the start of both copies: nothing changes
  EXPECT_EQ(FileIdentity(UserFile("hiscores")), written) << "an unchanged table was rewritten";
  HighScoreEntry atStart[HighScoreTableCount][HighScoreEntryCount];
  std::memcpy(atStart, Game.HighScoreTables, sizeof atStart);

  ConfirmName("Ann", 450);  // the other copy
  std::memcpy(Game.HighScoreTables, atStart, sizeof atStart);
  ConfirmName("Bob", 350);  // this copy, which read the table before Ann's score
  const std::string expected =
      "Na$$$$$$$ 500, Ann$$$$$$ 450, Nb$$$$$$$ 400, Bob$$$$$$ 350, Nc$$$$$$$ 300, ";
  EXPECT_EQ(Table(), expected);
  Game = GameState{};
  ReadHighScores();
  EXPECT_EQ(Table(), expected);
}

struct ExitState {
  const char* name;
  int screen;
  int boardPhase;
  int highScoresReturn;
  int score;
  bool keptAsPlayed;
};

// The Timed table's last entry is 100: a score of 500 enters it, 50 does not.
const ExitState ExitStates[] = {
    {"in play", Playing, Play, 0, 500, true},
    {"game over, a score for the table", Playing, GameOver, 0, 500, true},
    {"game over, a score below the table", Playing, GameOver, 0, 50, false},
    {"game over, the quit question open", ConfirmQuit, GameOver, 0, 50, false},
    {"name entry", NameEntry, Play, 0, 500, true},
    {"the table after the name entry", HighScores, Play, 0, 500, false},
    {"the table opened from Options", HighScores, Play, OpenedFromOptions, 500, true},
};

TEST_F(StorageFailureTest, AGameQuitAfterItsEndIsStoredAsAFreshGameOfItsMode) {
  for (const ExitState& state : ExitStates) {
    SCOPED_TRACE(state.name);
    Game = GameState{};
    for (int i = 0; i < HighScoreEntryCount; ++i) Game.HighScoreTables[Timed][i].score = 100;
    Game.ModeIndex = Timed;
    Game.Level = 3;
    Game.TimeLeft = -2.5f;
    Game.Score = state.score;
    for (auto& row : Game.Board) std::fill(std::begin(row), std::end(row), 4);
    std::fill(std::begin(Game.FloorRow), std::end(Game.FloorRow), SolidFloor);
    Game.Screen = state.screen;
    Game.BoardPhase = state.boardPhase;
    Game.HighScoresReturn = state.highScoresReturn;
    StoreGameAtExit();
    // Mode, level, time, score, then the board: full, or empty to fill from the top.
    std::vector<int> expected = state.keptAsPlayed ? std::vector<int>{Timed, 3, -2, state.score}
                                                   : std::vector<int>{Timed, 0, 50, 0};
    expected.resize(4 + BoardRows * (BoardColumns + 1), state.keptAsPlayed ? 4 : 0);
    expected.back() = SolidFloor;
    EXPECT_EQ(ReadBytes(UserFile("data.inf")), Words(expected));
  }

  Game.Screen = ResumePrompt;  // the start-up question unanswered: the stored game stays
  Game.Score = 7;
  StoreGameAtExit();
  EXPECT_EQ(DecodeWord(ReadBytes(UserFile("data.inf")).data() + 12), 500);
}

}  // namespace
