// The BMP decoder against real files from a public BMP test suite, each compared with the
// suite's reference rendering.
#include <png.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "assets/bmp.h"
#include "tests/support/test_files.h"

namespace fs = std::filesystem;

namespace {

struct CorpusEntry {
  std::string file;  // relative to bmp/, e.g. "good/pal1.bmp"
  std::string category;
  int headerSize = 0;
  int bitsPerPixel = 0;
  std::vector<std::string> references;  // alternatives, preferred first
};

std::vector<CorpusEntry> ReadManifest(const fs::path& bmpFolder) {
  std::ifstream in(bmpFolder / "MANIFEST.tsv");
  std::vector<CorpusEntry> entries;
  std::string line;
  std::getline(in, line);  // column names
  while (std::getline(in, line)) {
    std::vector<std::string> columns;
    std::stringstream split(line);
    for (std::string column; std::getline(split, column, '\t');) columns.push_back(column);
    if (columns.size() < 8) continue;
    CorpusEntry entry{columns[0], columns[1], std::atoi(columns[2].c_str()),
                      std::atoi(columns[3].c_str()), {}};
    std::stringstream alternatives(columns[7]);
    const fs::path folder = fs::path(entry.file).parent_path();
    for (std::string name; std::getline(alternatives, name, ';');)
      if (name != "-") entry.references.push_back((folder / name).string());
    entries.push_back(entry);
  }
  return entries;
}

struct RgbaPicture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;  // top row first
};

bool ReadPng(const fs::path& path, RgbaPicture& picture) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGBA;
  // 16-bit references hold sRGB values like the 8-bit ones; without this flag libpng takes
  // them as linear and gamma-encodes them on the way down to 8 bits.
  image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  picture.rgba.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr) != 0;
}

// Compares the colour of every opaque reference pixel; the decoded rows run bottom first.
bool Matches(const RgbImage& decoded, const RgbaPicture& reference, int tolerance) {
  if (decoded.width != reference.width || decoded.height != reference.height) return false;
  for (int y = 0; y < reference.height; ++y) {
    const uint8_t* want = &reference.rgba[static_cast<size_t>(y) * reference.width * 4];
    const uint8_t* got =
        &decoded.pixels[static_cast<size_t>(decoded.height - 1 - y) * decoded.width * 3];
    for (int x = 0; x < reference.width; ++x) {
      if (want[x * 4 + 3] != 255) continue;
      for (int c = 0; c < 3; ++c)
        if (std::abs(want[x * 4 + c] - got[x * 3 + c]) > tolerance) return false;
    }
  }
  return true;
}

bool MatchesAnyReference(const fs::path& bmpFolder, const CorpusEntry& entry,
                         const RgbImage& decoded) {
  // Bit-field channels of other than 8 bits may be scaled to 8 bits in more than one way.
  const int tolerance = entry.bitsPerPixel == 16 || entry.bitsPerPixel == 32 ? 1 : 0;
  for (const std::string& name : entry.references) {
    RgbaPicture reference;
    if (fs::path(name).extension() == ".png" && ReadPng(bmpFolder / name, reference) &&
        Matches(decoded, reference, tolerance))
      return true;
  }
  return false;
}

std::unique_ptr<RgbImage> Decode(const fs::path& path, BmpError& error) {
  const std::vector<uint8_t> bytes = ReadBytes(path);
  return DecodeBmp(bytes.data(), bytes.size(), &error);
}

class BmpCorpus : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path corpus = CorpusFolder();
    if (corpus.empty()) GTEST_SKIP() << "shared/corpus not found beside the repository";
    folder_ = corpus / "bmp";
    entries_ = ReadManifest(folder_);
    ASSERT_EQ(entries_.size(), 90u);
  }

  std::vector<CorpusEntry> InCategory(const std::string& category) const {
    std::vector<CorpusEntry> selected;
    for (const CorpusEntry& e : entries_)
      if (e.category == category) selected.push_back(e);
    return selected;
  }

  fs::path folder_;
  std::vector<CorpusEntry> entries_;
};

bool HasKnownHeaderSize(const CorpusEntry& e) { return e.headerSize == 40 || e.headerSize == 12; }

TEST_F(BmpCorpus, GoodFilesDecodeToTheirReferenceOrAreRefusedAsUnknownFormat) {
  for (const CorpusEntry& entry : InCategory("good")) {
    SCOPED_TRACE(entry.file);
    BmpError error = BmpError::None;
    const auto image = Decode(folder_ / entry.file, error);
    if (!HasKnownHeaderSize(entry)) {
      EXPECT_EQ(image, nullptr);
      EXPECT_EQ(error, BmpError::UnknownFormat);
      continue;
    }
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(MatchesAnyReference(folder_, entry, *image));
  }
}

TEST_F(BmpCorpus, BadFilesAreRefusedUnlessOnlyAnUnusedHeaderFieldIsWrong) {
  // These differ from good/pal1.bmp only in fields a decoder need not read.
  const std::set<std::string> harmless = {"bad/baddens1.bmp", "bad/baddens2.bmp",
                                          "bad/badfilesize.bmp", "bad/badbitssize.bmp",
                                          "bad/badplanes.bmp"};
  RgbaPicture pal1;
  ASSERT_TRUE(ReadPng(folder_ / "good/pal1.png", pal1));
  for (const CorpusEntry& entry : InCategory("bad")) {
    SCOPED_TRACE(entry.file);
    BmpError error = BmpError::None;
    const auto image = Decode(folder_ / entry.file, error);
    if (harmless.count(entry.file)) {
      ASSERT_NE(image, nullptr);
      EXPECT_TRUE(Matches(*image, pal1, 0));
    } else if (entry.file == "bad/pal8badindex.bmp") {
      // Indices past the colour table decode as black rather than refusing the file.
      ASSERT_NE(image, nullptr);
      EXPECT_EQ(image->width, 127);
    } else if (image && !entry.references.empty()) {
      // The suite offers a tentative rendering for an unusual but decodable mask layout.
      EXPECT_TRUE(MatchesAnyReference(folder_, entry, *image));
    } else {
      EXPECT_EQ(image, nullptr);
      EXPECT_NE(error, BmpError::None);
    }
  }
}

TEST_F(BmpCorpus, ReallyBigFileIsRefusedAsOutOfMemoryBeforeAllocating) {
  BmpError error = BmpError::None;
  EXPECT_EQ(Decode(folder_ / "bad/reallybig.bmp", error), nullptr);
  EXPECT_EQ(error, BmpError::OutOfMemory);
}

TEST_F(BmpCorpus, QuestionableFilesAreDecodedToAReferenceOrRefused) {
  int decoded = 0;
  for (const CorpusEntry& entry : InCategory("questionable")) {
    SCOPED_TRACE(entry.file);
    BmpError error = BmpError::None;
    const auto image = Decode(folder_ / entry.file, error);
    if (!HasKnownHeaderSize(entry)) {
      EXPECT_EQ(error, BmpError::UnknownFormat);
      continue;
    }
    if (!image) continue;
    ++decoded;
    EXPECT_TRUE(MatchesAnyReference(folder_, entry, *image));
  }
  // The variants the game needs appear among them: most must decode.
  EXPECT_GE(decoded, 15);
}

TEST_F(BmpCorpus, BitmapArrayContainerIsRefused) {
  BmpError error = BmpError::None;
  EXPECT_EQ(Decode(folder_ / "x/ba-bm.bmp", error), nullptr);
  EXPECT_EQ(error, BmpError::UnknownFormat);
}

}  // namespace
