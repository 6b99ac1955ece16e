// A private data home and working folder for every storage test: XDG_DATA_HOME points into a
// fresh temporary folder and the working directory is one beside it, where base/ can be laid.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "tests/support/test_files.h"

using Bytes = std::vector<uint8_t>;

class StorageTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::filesystem::path UserFolder() const { return dataHome / "Brambleworth" / "Quillary"; }
  std::filesystem::path UserFile(const char* name) const { return UserFolder() / name; }
  std::filesystem::path BaseFile(const char* name) const { return workFolder / "base" / name; }
  // The names in the user folder, to see that no temporary file is left behind.
  std::vector<std::string> UserFolderNames() const;
  // Points XDG_DATA_HOME below a regular file, where no folder can ever be created.
  void MakeUserFolderUnwritable();

  std::filesystem::path root;
  std::filesystem::path dataHome;
  std::filesystem::path workFolder;

 private:
  std::filesystem::path previousWorkFolder;
};

Bytes Words(const std::vector<int>& words);

// Runs `body` in a child process and returns its exit code (-1 if it did not exit).
int RunInChild(const std::function<int()>& body);

// Runs `body` in a child process whose files cannot grow beyond `limit` bytes, as on a disk
// that fills up during a write, and returns the child's exit code (-1 if it did not exit).
int RunWithFileSizeLimit(rlim_t limit, const std::function<int()>& body);
