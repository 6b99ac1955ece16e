#include "tests/storage/storage_test.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "core/game_state.h"
#include "storage/user_data.h"

void StorageTest::SetUp() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quillary-storage-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  root = pattern;
  dataHome = root / "data";
  workFolder = root / "work";
  std::filesystem::create_directories(workFolder);
  setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
  previousWorkFolder = std::filesystem::current_path();
  std::filesystem::current_path(workFolder);
  Game = GameState{};
}

void StorageTest::TearDown() {
  std::filesystem::current_path(previousWorkFolder);
  std::filesystem::remove_all(root);
  Game = GameState{};
}

std::vector<std::string> StorageTest::UserFolderNames() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(UserFolder())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void StorageTest::MakeUserFolderUnwritable() {
  WriteBytes(root / "not-a-folder", Bytes{1});
  setenv("XDG_DATA_HOME", (root / "not-a-folder" / "data").c_str(), 1);
}

Bytes Words(const std::vector<int>& words) {
  Bytes bytes;
  for (int word : words) {
    uint8_t encoded[WordSize];
    EncodeWord(encoded, word);
    bytes.insert(bytes.end(), encoded, encoded + WordSize);
  }
  return bytes;
}

int RunWithFileSizeLimit(rlim_t limit, const std::function<int()>& body) {
  return RunInChild([&] {
    signal(SIGXFSZ, SIG_IGN);  // an oversized write then fails with EFBIG instead of killing
    const rlimit fileSize{limit, limit};
    setrlimit(RLIMIT_FSIZE, &fileSize);
    return body();
  });
}

int RunInChild(const std::function<int()>& body) {
  const pid_t child = fork();
  if (child == 0) _exit(body());
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
