#include <GL/gl.h>

#include "assets/texture_index.h"
#include "core/game_state.h"
#include "render/font.h"
#include "tests/render/scene_fixture.h"

namespace {

constexpr Rgb White = {255, 255, 255};
constexpr Rgb Black = {0, 0, 0};
constexpr Rgb Grey = {GlyphGrey, GlyphGrey, GlyphGrey};

class FontTest : public SceneTest {
 protected:
  // The middle of glyph number `index` of a text printed at (x, y).
  Rgb GlyphMiddle(int x, int y, int index) const {
    return TextPixel(static_cast<float>(x + 14 * index) + 9.5f, static_cast<float>(y) + 9.5f);
  }
  void Print(int x, int y, int set, const char* format, int value) {
    ClearFrame();
    glColor4f(1, 1, 1, 1);
    PrintText(x, y, set, format, value);
  }
};

TEST_F(FontTest, TwoDigitFormatPutsASpaceThenTheDigitFourteenUnitsOn) {
  Print(100, 200, 0, "%2i", 5);
  EXPECT_EQ(GlyphMiddle(100, 200, 0), Black);  // the space glyph
  EXPECT_EQ(GlyphMiddle(100, 200, 1), White);
  // The digit's quad covers x + 14 to x + 33; nothing is drawn beyond it.
  EXPECT_EQ(TextPixel(100 + 36, 209), Black);
  EXPECT_EQ(TextPixel(100 + 10, 200 + 22), Black);
}

TEST_F(FontTest, ThreeDigitsCoverFortySevenUnits) {
  Print(300, 100, 0, "%2i", 123);
  for (int index = 0; index < 3; ++index) EXPECT_EQ(GlyphMiddle(300, 100, index), White);
  EXPECT_EQ(TextPixel(300 + 50, 109), Black);
}

TEST_F(FontTest, TextSpaceIsTheSameInTheLargeLayout) {
  ReopenInLargeLayout();
  Print(400, 300, 0, "%2i", 7);
  EXPECT_EQ(GlyphMiddle(400, 300, 1), White);
  // One text unit is 1.25 pixels: the digit's middle lies at pixel 1.25 x 423.5.
  EXPECT_EQ(ClientPixel(529, 600 - 1 - 386), White);
}

TEST_F(FontTest, CornersOfTheTextSpaceAreTheWindowCorners) {
  Print(0, 0, 0, "%i", 1);
  EXPECT_EQ(TextPixel(9.5f, 9.5f), White);
  ClearFrame();
  // A glyph starting at (626, 466) ends exactly in the top right corner.
  PrintText(626, 461, 0, "%i", 8);
  EXPECT_EQ(TextPixel(635, 470), White);
}

TEST_F(FontTest, SetsAboveOneDrawTheSecondSet) {
  Print(100, 100, 1, "%i", 4);
  EXPECT_EQ(GlyphMiddle(100, 100, 0), Grey);
  Print(100, 100, 7, "%i", 4);
  EXPECT_EQ(GlyphMiddle(100, 100, 0), Grey);
  Print(100, 100, 0, "%i", 4);
  EXPECT_EQ(GlyphMiddle(100, 100, 0), White);
}

TEST_F(FontTest, CharactersOutsideTheSheetPrintAsSpaces) {
  ClearFrame();
  PrintText(100, 100, 0, "%s", "\x01" "A\xE9" "B");
  EXPECT_EQ(GlyphMiddle(100, 100, 0), Black);
  EXPECT_EQ(GlyphMiddle(100, 100, 1), White);
  EXPECT_EQ(GlyphMiddle(100, 100, 2), Black);
  EXPECT_EQ(GlyphMiddle(100, 100, 3), White);
}

TEST_F(FontTest, LongTextIsCutAtTheBufferWithoutOverflow) {
  ClearFrame();
  std::string text(1000, 'W');
  PrintText(0, 0, 0, "%s", text.c_str());
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(FontTest, LeavesDepthTestOnTheGlyphSheetBoundAndBothMatricesAsTheyWere) {
  const GlMatrix projection = CurrentMatrix(GL_PROJECTION_MATRIX);
  glLoadIdentity();
  glTranslatef(3, 4, 5);
  glDisable(GL_DEPTH_TEST);
  glBindTexture(GL_TEXTURE_2D, Game.TextureSet[TexDisplayRowWindowed]);
  PrintText(10, 10, 0, "%s", "");

  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<unsigned>(bound), Game.TextureSet[TexFontSheet]);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  const GlMatrix modelView = CurrentMatrix(GL_MODELVIEW_MATRIX);
  EXPECT_FLOAT_EQ(modelView[12], 3);
  EXPECT_FLOAT_EQ(modelView[14], 5);
  EXPECT_EQ(CurrentMatrix(GL_PROJECTION_MATRIX), projection);
}

TEST_F(FontTest, AbsentFormatTouchesNothing) {
  glDisable(GL_DEPTH_TEST);
  PrintText(10, 10, 0, nullptr);
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(FontTest, GlyphListsAreMadeAndDeleted) {
  ASSERT_NE(Game.FontBase, 0u);
  const unsigned base = Game.FontBase;
  EXPECT_TRUE(glIsList(base));
  EXPECT_TRUE(glIsList(base + 255));
  DeleteFontLists();
  EXPECT_FALSE(glIsList(base));
  EXPECT_FALSE(glIsList(base + 255));
}

}  // namespace
