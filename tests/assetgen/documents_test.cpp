// The shipped defaults are read by the game's own rules: three settings words, two high-score
// tables of five nine-character entries, and a help page that stands on its own.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "formats/little_endian.h"
#include "tests/assetgen/generated_files.h"

using assetgen_test::BaseDir;
using assetgen_test::GeneratedDir;

namespace {

int32_t Word(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<int32_t>(LittleEndian32(b.data() + at));
}

}  // namespace

TEST(AssetgenDocuments, DefaultSettingsAreWindowedWithMusicAndSound) {
  const auto b = ReadBytes(BaseDir() / "menu.inf");
  ASSERT_EQ(b.size(), 12u);
  EXPECT_EQ(Word(b, 0), 0);
  EXPECT_EQ(Word(b, 4), 1);
  EXPECT_EQ(Word(b, 8), 1);
}

TEST(AssetgenDocuments, DefaultHighScoresAreTwoSortedTablesOfTypedNames) {
  constexpr size_t EntrySize = 13, NameLength = 9;
  const auto b = ReadBytes(BaseDir() / "hiscores");
  ASSERT_EQ(b.size(), 10 * EntrySize);
  for (int table = 0; table < 2; ++table) {
    int32_t previous = INT32_MAX;
    for (int i = 0; i < 5; ++i) {
      const size_t at = (table * 5 + i) * EntrySize;
      const std::string name(b.begin() + at, b.begin() + at + NameLength);
      const int32_t score = Word(b, at + NameLength);
      // As typed on the name screen: a capital, small letters, then "$" padding.
      const size_t letters = name.find('$') == std::string::npos ? NameLength : name.find('$');
      ASSERT_GE(letters, 1u) << name;
      EXPECT_TRUE(std::isupper(static_cast<unsigned char>(name[0]))) << name;
      for (size_t k = 1; k < letters; ++k) EXPECT_TRUE(std::islower(static_cast<unsigned char>(name[k]))) << name;
      EXPECT_EQ(name.find_first_not_of('$', letters), std::string::npos) << name;
      EXPECT_GT(score, 0);
      EXPECT_LT(score, previous) << "table " << table << " is not best first";
      previous = score;
    }
  }
}

TEST(AssetgenDocuments, HelpPageIsACompleteSelfContainedDocument) {
  const auto b = ReadBytes(GeneratedDir() / "help.htm");
  const std::string page(b.begin(), b.end());
  EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(page.find("</html>"), std::string::npos);
  // Nothing is fetched from elsewhere when the page opens.
  EXPECT_EQ(page.find("http"), std::string::npos);
  EXPECT_EQ(page.find("src="), std::string::npos);
  EXPECT_NE(page.find("~/.local/share/Brambleworth/Quillary"), std::string::npos);
}
