// The BMP decoder on files built here: layouts, palettes, run-length data, and files whose
// headers lie. LoadBmp and LoadImageFile are checked for the message each failure shows.
#include <gtest/gtest.h>

#include <string>

#include "assets/bmp.h"
#include "tests/assets/bmp_builder.h"
#include "tests/support/test_files.h"
#include "tests/support/fake_message_box.h"

namespace {

std::unique_ptr<RgbImage> Decode(const std::vector<uint8_t>& bytes, BmpError* error = nullptr) {
  return DecodeBmp(bytes.data(), bytes.size(), error);
}

std::vector<uint8_t> PixelsOf(const RgbImage& image) {
  return {image.pixels.get(), image.pixels.get() + image.width * image.height * 3};
}

// Records every box instead of showing it.
class RecordedBoxes {
 public:
  RecordedBoxes() { fake_message_box::Reset(); }
  // The texts of the boxes shown since construction; every one an "Error" box with OK.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const ShownBox& box : fake_message_box::Shown()) {
      EXPECT_EQ(box.caption, "Error");
      EXPECT_EQ(box.buttons, MessageButtons::Ok);
      texts.push_back(box.text);
    }
    return texts;
  }
};

TEST(BmpDecode, RowsOf24BitPictureDropTheirPaddingAndComeBottomFirstInRgbOrder) {
  // Width 3: nine bytes of pixels and three bytes of padding per stored row.
  const std::vector<uint8_t> rgb = {1, 2, 3, 4, 5, 6, 7, 8, 9,  // bottom row
                                    10, 11, 12, 13, 14, 15, 16, 17, 18};
  BmpLayout layout;
  layout.width = 3;
  layout.height = 2;
  layout.pixelData = Rows24(3, 2, rgb, 0xEE);
  ASSERT_EQ(layout.pixelData.size(), 24u);
  const auto image = Decode(BuildBmp(layout));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 3);
  EXPECT_EQ(image->height, 2);
  EXPECT_EQ(PixelsOf(*image), rgb);
}

TEST(BmpDecode, TopDownRowsAreReturnedBottomFirstWithPositiveHeight) {
  const std::vector<uint8_t> topFirst = {200, 100, 50, 1, 2, 3};
  BmpLayout layout;
  layout.height = -2;
  layout.pixelData = Rows24(1, 2, topFirst);
  const auto image = Decode(BuildBmp(layout));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->height, 2);
  EXPECT_EQ(PixelsOf(*image), (std::vector<uint8_t>{1, 2, 3, 200, 100, 50}));
}

TEST(BmpDecode, EightBitPixelsTakeTheirColourFromTheTableAndIndicesPastItAreBlack) {
  BmpLayout layout;
  layout.width = 4;
  layout.bitsPerPixel = 8;
  layout.colorsUsed = 3;
  layout.palette = {0x102030, 0xFF8000, 0x00FF7F};
  layout.pixelData = {2, 0, 1, 200};
  const auto image = Decode(BuildBmp(layout));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(PixelsOf(*image),
            (std::vector<uint8_t>{0, 255, 127, 16, 32, 48, 255, 128, 0, 0, 0, 0}));
}

TEST(BmpDecode, OneBitPictureWithoutColourCountUsesATwoEntryTable) {
  BmpLayout layout;
  layout.width = 10;
  layout.bitsPerPixel = 1;
  layout.palette = {0x000000, 0xFFFFFF};
  layout.pixelData = {0b10110000, 0b01000000, 0, 0};  // leftmost pixel in the top bit
  const auto image = Decode(BuildBmp(layout));
  ASSERT_NE(image, nullptr);
  const std::string expected = "1011000001";
  for (int x = 0; x < 10; ++x) EXPECT_EQ(image->pixels[x * 3], expected[x] == '1' ? 255 : 0) << x;
}

TEST(BmpDecode, CoreHeaderWithThreeByteTableDecodesWithAndWithoutFileHeader) {
  for (bool fileHeader : {true, false}) {
    BmpLayout layout;
    layout.headerSize = 12;
    layout.fileHeader = fileHeader;
    layout.width = 2;
    layout.bitsPerPixel = 4;
    layout.palette.assign(16, 0);
    layout.palette[5] = 0xABCDEF;
    layout.palette[15] = 0x010203;
    layout.pixelData = {0x5F, 0, 0, 0};
    const auto image = Decode(BuildBmp(layout));
    ASSERT_NE(image, nullptr) << fileHeader;
    EXPECT_EQ(PixelsOf(*image), (std::vector<uint8_t>{0xAB, 0xCD, 0xEF, 1, 2, 3}));
  }
}

TEST(BmpDecode, SixteenAndThirtyTwoBitPixelsFollowTheirMasks) {
  BmpLayout rgb565;
  rgb565.width = 2;
  rgb565.bitsPerPixel = 16;
  rgb565.compression = 3;
  rgb565.masks = {0xF800, 0x07E0, 0x001F};
  rgb565.pixelData = {0x00, 0xF8, 0xE0, 0x07};  // pure red, pure green
  auto image = Decode(BuildBmp(rgb565));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(PixelsOf(*image), (std::vector<uint8_t>{255, 0, 0, 0, 255, 0}));

  BmpLayout plain32;  // no masks: blue, green, red, unused
  plain32.bitsPerPixel = 32;
  plain32.pixelData = {30, 20, 10, 99};
  image = Decode(BuildBmp(plain32));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(PixelsOf(*image), (std::vector<uint8_t>{10, 20, 30}));
}

BmpLayout RunLength8(std::vector<uint8_t> stream, int width = 4, int height = 2) {
  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  layout.bitsPerPixel = 8;
  layout.compression = 1;
  layout.palette = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000};
  layout.colorsUsed = 4;
  layout.pixelData = std::move(stream);
  return layout;
}

TEST(BmpDecode, RunLengthCodesFillRunsLiteralsAndSkipsWithSkippedPixelsBlack) {
  // Row 0: run of 1 of index 3, literal 1 2 1 (padded to even); end of row. Row 1: move
  // right 3, run of 1 of index 2; end of picture.
  const auto image =
      Decode(BuildBmp(RunLength8({1, 3, 0, 3, 1, 2, 1, 0, 0, 0, 0, 2, 3, 0, 1, 2, 0, 1})));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(PixelsOf(*image), (std::vector<uint8_t>{255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0, 255,
                                                    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0}));
}

TEST(BmpDecode, RunLengthFourBitRunsAlternateTheirTwoIndices) {
  BmpLayout layout = RunLength8({3, 0x12, 1, 0x30, 0, 1}, 4, 1);
  layout.bitsPerPixel = 4;
  layout.compression = 2;
  const auto image = Decode(BuildBmp(layout));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(PixelsOf(*image),
            (std::vector<uint8_t>{0, 0, 255, 0, 255, 0, 0, 0, 255, 255, 0, 0}));
}

TEST(BmpDecode, RunLengthStreamsThatLeaveThePictureOrNeverEndAreRefused) {
  const std::vector<std::vector<uint8_t>> streams = {
      {5, 1, 0, 1},                    // run past the end of the row
      {0, 5, 1, 2, 3, 1, 2, 0, 0, 1},  // literal past the end of the row
      {0, 0, 1, 1, 0, 1},              // a pixel above the top row
      {0, 2, 0, 9, 1, 1, 0, 1},        // a skip above the picture, then a pixel
      {2, 1, 0, 0},                    // no end-of-picture code
      {0, 3, 1, 2},                    // literal cut short by the end of the file
  };
  for (size_t i = 0; i < streams.size(); ++i) {
    BmpError error = BmpError::None;
    EXPECT_EQ(Decode(BuildBmp(RunLength8(streams[i], 4, 1)), &error), nullptr) << i;
    EXPECT_EQ(error, BmpError::ConversionError) << i;
  }
}

TEST(BmpDecode, EveryTruncationOfAFileIsRefused) {
  BmpLayout layout;
  layout.width = 5;
  layout.height = 3;
  layout.bitsPerPixel = 8;
  layout.palette.assign(256, 0x808080);
  layout.pixelData.assign(24, 7);
  const std::vector<uint8_t> file = BuildBmp(layout);
  ASSERT_NE(Decode(file), nullptr);
  for (size_t length = 0; length < file.size(); ++length) {
    const std::vector<uint8_t> cut(file.begin(), file.begin() + length);
    EXPECT_EQ(Decode(cut), nullptr) << length;
  }
}

TEST(BmpDecode, HeadersThatPointOutsideTheFileAreRefused) {
  BmpLayout layout;
  layout.pixelData = Rows24(1, 1, {1, 2, 3});
  std::vector<uint8_t> file = BuildBmp(layout);
  file[10] = 0xFF;  // pixel data offset far past the end
  file[13] = 0x7F;
  EXPECT_EQ(Decode(file), nullptr);

  BmpLayout hugeTable;
  hugeTable.bitsPerPixel = 8;
  hugeTable.colorsUsed = 305402420;
  hugeTable.palette.assign(256, 0);
  hugeTable.pixelData = {0, 0, 0, 0};
  EXPECT_EQ(Decode(BuildBmp(hugeTable)), nullptr);

  BmpLayout negativeWidth;
  negativeWidth.width = -4;
  negativeWidth.pixelData.assign(12, 0);
  EXPECT_EQ(Decode(BuildBmp(negativeWidth)), nullptr);
}

TEST(BmpDecode, PicturesTooLargeToHoldAreRefusedAsOutOfMemory) {
  // A few bytes of run-length data can claim any size.
  BmpError error = BmpError::None;
  EXPECT_EQ(Decode(BuildBmp(RunLength8({0, 1}, 100000, 100000)), &error), nullptr);
  EXPECT_EQ(error, BmpError::OutOfMemory);
  EXPECT_EQ(Decode(BuildBmp(RunLength8({0, 1}, 2147483647, 2147483647)), &error), nullptr);
  EXPECT_EQ(error, BmpError::OutOfMemory);
}

TEST(LoadBmp, LongerInfoHeadersAreRefusedAsUnknownFormat) {
  TempFolder folder;
  for (uint32_t headerSize : {108u, 124u}) {
    BmpLayout layout;
    layout.headerSize = headerSize;
    layout.pixelData = Rows24(1, 1, {1, 2, 3});
    const auto path = folder.Path() / ("v" + std::to_string(headerSize) + ".bmp");
    WriteBytes(path, BuildBmp(layout));
    RecordedBoxes boxes;
    EXPECT_EQ(LoadBmp(path.c_str()), nullptr);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Unknown DIB file format."});
  }
}

TEST(LoadBmp, EachFailureShowsItsOwnMessageOnce) {
  TempFolder folder;
  BmpLayout truncated;
  truncated.width = 4;
  truncated.pixelData.assign(10, 0);
  WriteBytes(folder.Path() / "short.bmp", BuildBmp(truncated));
  WriteBytes(folder.Path() / "huge.bmp", BuildBmp(RunLength8({0, 1}, 60000, 60000)));
  const WorkingFolder inside(folder.Path());
  RecordedBoxes boxes;
  EXPECT_EQ(LoadBmp("short.bmp"), nullptr);
  EXPECT_EQ(LoadBmp("huge.bmp"), nullptr);
  EXPECT_EQ(LoadBmp("absent.bmp"), nullptr);
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Image file conversion error.", "Out of memory.",
                                                   "Failed to open DIB file absent.bmp.\n"}));
}

TEST(LoadImageFile, MissingFileGivesNothingSilentlyAndEmptyFileFailsToOpen) {
  TempFolder folder;
  WriteBytes(folder.Path() / "base/tex00.bmp", {});
  const WorkingFolder inside(folder.Path());
  RecordedBoxes boxes;
  EXPECT_EQ(LoadImageFile("base/tex01.bmp"), nullptr);
  EXPECT_TRUE(boxes.Texts().empty());
  EXPECT_EQ(LoadImageFile("base/tex00.bmp"), nullptr);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Failed to open DIB file base/tex00.bmp.\n"});
}

TEST(LoadImageFile, ReadsAnExistingPicture) {
  TempFolder folder;
  BmpLayout layout;
  layout.pixelData = Rows24(1, 1, {9, 8, 7});
  WriteBytes(folder.Path() / "one.bmp", BuildBmp(layout));
  const auto image = LoadImageFile((folder.Path() / "one.bmp").c_str());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(PixelsOf(*image), (std::vector<uint8_t>{9, 8, 7}));
}

}  // namespace
