#include <cstring>
#include <string>

#include "core/game_state.h"
#include "storage/high_scores.h"
#include "tests/storage/storage_test.h"

namespace {

using HighScoreTest = StorageTest;

const std::string Blank = "$$$$$$$$$";

Bytes Entry(const std::string& name, int score) {
  Bytes bytes(name.begin(), name.end());
  const Bytes word = Words({score});
  bytes.insert(bytes.end(), word.begin(), word.end());
  return bytes;
}

// A file of ten 13-byte entries: the scores of both tables, each entry named by its place.
Bytes TableFile(const std::vector<int>& scores) {
  Bytes bytes;
  for (size_t i = 0; i < scores.size(); ++i) {
    const Bytes entry = Entry("Player" + std::string(1, static_cast<char>('A' + i)) + "$$", scores[i]);
    bytes.insert(bytes.end(), entry.begin(), entry.end());
  }
  return bytes;
}

void SetScores(int table, const std::vector<int>& scores) {
  for (int i = 0; i < HighScoreEntryCount; ++i) {
    std::snprintf(Game.HighScoreTables[table][i].name, 16, "N%c$$$$$$$", 'a' + i);
    Game.HighScoreTables[table][i].score = scores[i];
  }
}

std::vector<int> Scores(int table) {
  std::vector<int> scores;
  for (const HighScoreEntry& entry : Game.HighScoreTables[table]) scores.push_back(entry.score);
  return scores;
}

std::string Names(int table) {
  std::string names;
  for (const HighScoreEntry& entry : Game.HighScoreTables[table]) names += std::string(entry.name) + " ";
  return names;
}

void TypeName(const char* letters) {
  std::memcpy(Game.EntryName, letters, std::strlen(letters));
  Game.NameCursor = 1 + static_cast<int>(std::strlen(letters));
}

TEST_F(HighScoreTest, FreshTablesAreStoredAsTenBlankEntriesAndReadBackSo) {
  ReadHighScores();
  SortSaveReloadHighScores();
  Bytes expected;
  for (int i = 0; i < 10; ++i) {
    const Bytes entry = Entry(Blank, 0);
    expected.insert(expected.end(), entry.begin(), entry.end());
  }
  EXPECT_EQ(ReadBytes(UserFile("hiscores")), expected);
  EXPECT_EQ(Game.HighScoreTables[1][4].name, Blank);
  EXPECT_EQ(Game.HighScoreTables[1][4].score, 0);
}

TEST_F(HighScoreTest, ANewEntryIsStoredAsItsLettersPaddedToNine) {
  SetScores(0, {500, 400, 300, 200, 100});
  Game.Score = 450;
  TypeName("Tom");
  InsertHighScore(0);
  const Bytes written = ReadBytes(UserFile("hiscores"));
  ASSERT_EQ(written.size(), 130u);
  EXPECT_EQ(Bytes(written.begin() + 13, written.begin() + 26), Entry("Tom$$$$$$", 450));
  EXPECT_EQ(Names(0), "Na$$$$$$$ Tom$$$$$$ Nb$$$$$$$ Nc$$$$$$$ Nd$$$$$$$ ");
}

TEST_F(HighScoreTest, TheCharactersOfTheKeyAfterZSurviveAWriteAndARead) {
  Game.Score = 10;
  TypeName("[o{");
  InsertHighScore(0);
  SortSaveReloadHighScores();
  EXPECT_EQ(Game.HighScoreTables[0][0].name, std::string("[o{$$$$$$"));
}

TEST_F(HighScoreTest, OnlyAStrictlyGreaterScoreDisplacesAnEntry) {
  SetScores(1, {500, 400, 300, 200, 100});
  Game.Score = 300;
  TypeName("Ann");
  InsertHighScore(1);
  EXPECT_EQ(Scores(1), (std::vector<int>{500, 400, 300, 300, 200}));
  EXPECT_EQ(Names(1), "Na$$$$$$$ Nb$$$$$$$ Nc$$$$$$$ Ann$$$$$$ Nd$$$$$$$ ");

  Game.Score = 200;
  InsertHighScore(1);
  EXPECT_EQ(Scores(1), (std::vector<int>{500, 400, 300, 300, 200}));
  EXPECT_EQ(Game.HighScoreTables[0][0].score, 0);
}

TEST_F(HighScoreTest, ConfirmingResetsTheNameEntryWhetherOrNotTheScoreWasEntered) {
  SetScores(0, {5, 4, 3, 2, 1});
  const struct {
    int table;
    int score;
  } confirmations[] = {{0, 1}, {-1, 100}, {2, 100}, {1000, 100}};
  for (const auto& confirmation : confirmations) {
    TypeName("Zed");
    Game.Score = confirmation.score;
    InsertHighScore(confirmation.table);
    EXPECT_EQ(Game.NameCursor, 1);
    EXPECT_EQ(Game.EntryName, Blank);
  }
  EXPECT_EQ(Scores(0), (std::vector<int>{5, 4, 3, 2, 1}));
  EXPECT_EQ(Scores(1), (std::vector<int>{0, 0, 0, 0, 0}));
  EXPECT_EQ(ReadBytes(UserFile("hiscores")).size(), 130u);
}

TEST_F(HighScoreTest, ANameOfNineLettersAndAnEmptyNameAreBothNineCharacters) {
  Game.Score = 10;
  TypeName("Abcdefghi");
  InsertHighScore(0);
  EXPECT_EQ(Game.HighScoreTables[0][0].name, std::string("Abcdefghi"));
  Game.Score = 20;
  Game.NameCursor = 1;  // confirmed without typing: the name is all pads
  InsertHighScore(0);
  EXPECT_EQ(Game.HighScoreTables[0][0].name, Blank);
  Game.Score = 30;
  std::memcpy(Game.EntryName, "Abcdefghi", 9);
  Game.NameCursor = 1000;
  InsertHighScore(0);
  EXPECT_EQ(Game.HighScoreTables[0][0].name, std::string("Abcdefghi"));
}

TEST_F(HighScoreTest, TheExchangeSortNeverSwapsEqualsButIsNotStable) {
  SetScores(0, {10, 20, 20, 5, 0});
  SetScores(1, {10, 10, 20, 5, 0});
  SortSaveReloadHighScores();
  EXPECT_EQ(Scores(0), (std::vector<int>{20, 20, 10, 5, 0}));
  EXPECT_EQ(Names(0), "Nb$$$$$$$ Nc$$$$$$$ Na$$$$$$$ Nd$$$$$$$ Ne$$$$$$$ ");
  EXPECT_EQ(Scores(1), (std::vector<int>{20, 10, 10, 5, 0}));
  EXPECT_EQ(Names(1), "Nc$$$$$$$ Nb$$$$$$$ Na$$$$$$$ Nd$$$$$$$ Ne$$$$$$$ ");
}

TEST_F(HighScoreTest, ALineFeedEndsANameEarlyAndIsStoredBackAsAPad) {
  Bytes file = Entry("Ab\n", 900);
  const Bytes rest = TableFile({8, 7, 6, 5, 4, 3, 2, 1, 0});
  file.insert(file.end(), rest.begin(), rest.end());
  WriteBytes(UserFile("hiscores"), file);
  ReadHighScores();
  EXPECT_EQ(Game.HighScoreTables[0][0].name, std::string("Ab\n"));
  EXPECT_EQ(Game.HighScoreTables[0][0].score, 900);
  EXPECT_EQ(Scores(1), (std::vector<int>{4, 3, 2, 1, 0}));

  SortSaveReloadHighScores();
  EXPECT_EQ(ReadBytes(UserFile("hiscores")).size(), 130u);
  EXPECT_EQ(Game.HighScoreTables[0][0].name, std::string("Ab$$$$$$$"));
  EXPECT_EQ(Scores(1), (std::vector<int>{4, 3, 2, 1, 0}));
}

TEST_F(HighScoreTest, AShortFileLeavesMissingNamesAndReadsMissingScoresAsMinusOne) {
  SetScores(1, {50, 40, 30, 20, 10});
  Bytes file = TableFile({9, 8, 7, 6, 5, 4});
  file.resize(file.size() - 2);  // the sixth entry loses half its score
  WriteBytes(UserFile("hiscores"), file);
  ReadHighScores();
  EXPECT_EQ(Scores(0), (std::vector<int>{9, 8, 7, 6, 5}));
  EXPECT_EQ(Scores(1), (std::vector<int>{-1, -1, -1, -1, -1}));
  EXPECT_EQ(Names(1), "PlayerF$$ Nb$$$$$$$ Nc$$$$$$$ Nd$$$$$$$ Ne$$$$$$$ ");

  file = TableFile({9, 8, 7, 6, 5});
  file.push_back('K');
  file.push_back('i');
  WriteBytes(UserFile("hiscores"), file);
  ReadHighScores();
  EXPECT_EQ(Names(1), "Ki Nb$$$$$$$ Nc$$$$$$$ Nd$$$$$$$ Ne$$$$$$$ ");
  EXPECT_EQ(Scores(1), (std::vector<int>{-1, -1, -1, -1, -1}));
}

TEST_F(HighScoreTest, BytesThatAreNoNameCharactersReadAsPads) {
  Bytes file = Entry(std::string("%s\0%n~ABC", 9), 3);
  WriteBytes(UserFile("hiscores"), file);
  ReadHighScores();
  EXPECT_EQ(Game.HighScoreTables[0][0].name, std::string("$s$$n$ABC"));
  EXPECT_EQ(Game.HighScoreTables[0][0].score, 3);
}

TEST_F(HighScoreTest, TheShippedTableServesUntilTheUserHasOne) {
  WriteBytes(BaseFile("hiscores"), TableFile({9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
  ReadHighScores();
  SortSaveReloadHighScores();
  EXPECT_EQ(ReadBytes(UserFile("hiscores")), TableFile({9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));

  WriteBytes(UserFile("hiscores"), TableFile({90, 80, 70, 60, 50, 40, 30, 20, 10, 0}));
  ReadHighScores();
  EXPECT_EQ(Scores(0), (std::vector<int>{90, 80, 70, 60, 50}));
}

TEST_F(HighScoreTest, AFailedWriteKeepsTheNewEntryInsteadOfReloadingTheOldFile) {
  WriteBytes(UserFile("hiscores"), TableFile({9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
  ReadHighScores();
  const Bytes previous = ReadBytes(UserFile("hiscores"));
  const int status = RunWithFileSizeLimit(50, [] {
    Game.Score = 100;
    TypeName("Max");
    InsertHighScore(0);
    SortSaveReloadHighScores();
    return Game.HighScoreTables[0][0].score == 100 ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadBytes(UserFile("hiscores")), previous);
  EXPECT_EQ(UserFolderNames(), std::vector<std::string>{"hiscores"});
}

TEST_F(HighScoreTest, AnUnwritableFolderKeepsTheTablesInMemory) {
  MakeUserFolderUnwritable();
  SetScores(0, {1, 2, 3, 4, 5});
  SortSaveReloadHighScores();
  EXPECT_EQ(Scores(0), (std::vector<int>{5, 4, 3, 2, 1}));
  EXPECT_EQ(Game.HighScoreTables[1][0].name, std::string());
}

TEST_F(HighScoreTest, AGameQualifiesOnlyByBeatingTheLastEntryOfItsMode) {
  SetScores(0, {500, 400, 300, 200, 100});
  SetScores(1, {50, 40, 30, 20, 10});
  Game.Score = 100;
  EXPECT_FALSE(ScoreQualifiesForHighScores());
  Game.Score = 101;
  EXPECT_TRUE(ScoreQualifiesForHighScores());
  Game.ModeIndex = Timed;
  Game.Score = 11;
  EXPECT_TRUE(ScoreQualifiesForHighScores());
  Game.Score = 10;
  EXPECT_FALSE(ScoreQualifiesForHighScores());
}

}  // namespace
