#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

#include "storage/user_data.h"
#include "tests/storage/storage_test.h"

namespace {

using UserDataTest = StorageTest;

Bytes ReadOpened(FILE* file) {
  Bytes bytes;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) bytes.push_back(static_cast<uint8_t>(c));
  std::fclose(file);
  return bytes;
}

TEST(DataFileWord, IsFourBytesLeastSignificantFirst) {
  EXPECT_EQ(Words({0x12345678}), (Bytes{0x78, 0x56, 0x34, 0x12}));
  EXPECT_EQ(Words({-1}), (Bytes{0xff, 0xff, 0xff, 0xff}));
  EXPECT_EQ(Words({INT_MIN}), (Bytes{0x00, 0x00, 0x00, 0x80}));
  const uint8_t bytes[] = {0xfe, 0xff, 0xff, 0x7f};
  EXPECT_EQ(DecodeWord(bytes), INT_MAX - 1);
}

TEST_F(UserDataTest, ReadingCreatesBothFoldersEvenWhenTheFileIsMissing) {
  setenv("XDG_DATA_HOME", (root / "fresh" / "share").c_str(), 1);
  EXPECT_EQ(OpenUserDataFile("menu.inf"), nullptr);
  EXPECT_TRUE(std::filesystem::is_directory(root / "fresh" / "share" / "Brambleworth" / "Quillary"));
}

TEST_F(UserDataTest, DataHomeDefaultsToTheHomeFolderAndIgnoresRelativePaths) {
  setenv("HOME", (root / "home").c_str(), 1);
  unsetenv("XDG_DATA_HOME");
  ASSERT_TRUE(WriteUserDataFile("menu.inf", Bytes{1, 2}.data(), 2));
  const auto inHome = root / "home" / ".local" / "share" / "Brambleworth" / "Quillary" / "menu.inf";
  EXPECT_EQ(ReadBytes(inHome), (Bytes{1, 2}));

  setenv("XDG_DATA_HOME", "relative/share", 1);
  ASSERT_TRUE(WriteUserDataFile("menu.inf", Bytes{3}.data(), 1));
  EXPECT_EQ(ReadBytes(inHome), Bytes{3});
  EXPECT_FALSE(std::filesystem::exists(workFolder / "relative"));
}

TEST_F(UserDataTest, WithoutAnyDataHomeTheUserFolderFailsButBaseStillReads) {
  unsetenv("XDG_DATA_HOME");
  unsetenv("HOME");
  EXPECT_EQ(OpenUserDataFile("menu.inf"), nullptr);
  EXPECT_FALSE(WriteUserDataFile("menu.inf", Bytes{1}.data(), 1));
  WriteBytes(BaseFile("menu.inf"), Bytes{9});
  FILE* file = OpenDataFileWithFallback("menu.inf");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(ReadOpened(file), Bytes{9});
}

TEST_F(UserDataTest, TheFolderIsLookedUpAtEveryCall) {
  ASSERT_TRUE(WriteUserDataFile("hiscores", Bytes{1}.data(), 1));
  setenv("XDG_DATA_HOME", (root / "other").c_str(), 1);
  ASSERT_TRUE(WriteUserDataFile("hiscores", Bytes{2}.data(), 1));
  EXPECT_EQ(ReadBytes(UserFile("hiscores")), Bytes{1});
  EXPECT_EQ(ReadBytes(root / "other" / "Brambleworth" / "Quillary" / "hiscores"), Bytes{2});
}

TEST_F(UserDataTest, UserFileTakesPrecedenceOverBaseAndAFolderOrPipeInItsPlaceDoesNot) {
  WriteBytes(BaseFile("data.inf"), Bytes{7});
  std::filesystem::create_directories(UserFile("data.inf"));
  FILE* file = OpenDataFileWithFallback("data.inf");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(ReadOpened(file), Bytes{7});

  std::filesystem::remove(UserFile("data.inf"));
  ASSERT_EQ(mkfifo(UserFile("data.inf").c_str(), 0600), 0);
  file = OpenDataFileWithFallback("data.inf");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(ReadOpened(file), Bytes{7});

  std::filesystem::remove(UserFile("data.inf"));
  WriteBytes(UserFile("data.inf"), Bytes{8});
  file = OpenDataFileWithFallback("data.inf");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(ReadOpened(file), Bytes{8});
}

TEST_F(UserDataTest, WriteReplacesTheFileAndLeavesNoTemporaryFile) {
  WriteBytes(UserFile("menu.inf"), Bytes(100, 0xaa));
  ASSERT_TRUE(WriteUserDataFile("menu.inf", Bytes{1, 2, 3}.data(), 3));
  EXPECT_EQ(ReadBytes(UserFile("menu.inf")), (Bytes{1, 2, 3}));
  EXPECT_EQ(UserFolderNames(), std::vector<std::string>{"menu.inf"});
}

TEST_F(UserDataTest, AFailedReplaceRemovesItsTemporaryFile) {
  std::filesystem::create_directories(UserFile("menu.inf") / "inside");
  EXPECT_FALSE(WriteUserDataFile("menu.inf", Bytes{1}.data(), 1));
  EXPECT_EQ(UserFolderNames(), std::vector<std::string>{"menu.inf"});
}

TEST_F(UserDataTest, UnwritableFolderFailsQuietly) {
  MakeUserFolderUnwritable();
  EXPECT_EQ(OpenUserDataFile("menu.inf"), nullptr);
  EXPECT_FALSE(WriteUserDataFile("menu.inf", Bytes{1}.data(), 1));
}

TEST_F(UserDataTest, AWordCutShortReadsAsMinusOne) {
  WriteBytes(UserFile("menu.inf"), Bytes{5, 0, 0, 0, 6, 0, 0});
  FILE* file = OpenUserDataFile("menu.inf");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(ReadWord(file), 5);
  EXPECT_EQ(ReadWord(file), -1);
  EXPECT_EQ(ReadWord(file), -1);
  std::fclose(file);
}

}  // namespace
