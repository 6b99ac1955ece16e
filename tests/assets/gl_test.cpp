// Textures and model drawing under a real GL context (an SDL window, run under Xvfb).
#include <GL/gl.h>
#include <SDL.h>

#include <gtest/gtest.h>

#include <string>

#include <GL/glu.h>

#include <random>

#include "assets/mipmaps.h"
#include "assets/texture_index.h"
#include "assets/model.h"
#include "assets/textures.h"
#include "core/game_state.h"
#include "tests/assets/bmp_builder.h"
#include "tests/assets/ms3d_builder.h"
#include "tests/support/test_files.h"
#include "tests/support/fake_message_box.h"

namespace fs = std::filesystem;

namespace {

constexpr int ViewSize = 64;

class GlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    window_ = SDL_CreateWindow("assets", 0, 0, ViewSize, ViewSize,
                               SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    ASSERT_NE(window_, nullptr) << SDL_GetError();
    context_ = SDL_GL_CreateContext(window_);
    ASSERT_NE(context_, nullptr) << SDL_GetError();
    Game = GameState{};
    fake_message_box::Reset();
    inside_ = std::make_unique<WorkingFolder>(folder_.Path());
  }

  void TearDown() override {
    inside_.reset();
    if (context_) SDL_GL_DeleteContext(context_);
    if (window_) SDL_DestroyWindow(window_);
    // SDL stays initialised: SDL_Quit would unload the GL driver, and leaks inside it could
    // then no longer be told apart from the game's own.
  }

  // base/texNN.bmp for every index: a 2 x 2 picture of one colour that tells them apart, grey
  // for even indices and red for odd ones.
  static std::array<uint8_t, 3> SetColour(int n) {
    const uint8_t v = static_cast<uint8_t>(n * 3);
    return n % 2 == 0 ? std::array<uint8_t, 3>{v, v, v} : std::array<uint8_t, 3>{v, 0, 0};
  }
  void WriteTextureSet() {
    for (int n = 0; n < TextureCount; ++n) {
      char name[32];
      std::snprintf(name, sizeof name, "base/tex%02d.bmp", n);
      const auto [r, g, b] = SetColour(n);
      BmpLayout layout;
      layout.width = 2;
      layout.height = 2;
      layout.pixelData = Rows24(2, 2, {r, g, b, r, g, b, r, g, b, r, g, b});
      WriteBytes(folder_.Path() / name, BuildBmp(layout));
    }
  }

  std::array<uint8_t, 3> PixelAt(int x, int y) {
    std::array<uint8_t, 3> rgb{};
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
  }

  SDL_Window* window_ = nullptr;
  SDL_GLContext context_ = nullptr;
  TempFolder folder_;
  std::unique_ptr<WorkingFolder> inside_;
  // The texts of the boxes shown.
  static std::vector<std::string> Boxes() {
    std::vector<std::string> texts;
    for (const ShownBox& box : fake_message_box::Shown()) texts.push_back(box.text);
    return texts;
  }
};

TEST_F(GlTest, TextureSetMakesEightyOneMipmappedTextures) {
  WriteTextureSet();
  ASSERT_TRUE(LoadTextureSet());
  EXPECT_TRUE(Boxes().empty());
  for (int n = 0; n < TextureCount; ++n) {
    ASSERT_TRUE(glIsTexture(Game.TextureSet[n])) << n;
    glBindTexture(GL_TEXTURE_2D, Game.TextureSet[n]);
    GLint minFilter = 0, magFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(magFilter, GL_LINEAR);
    // The smallest mipmap level exists and holds the file's colour.
    uint8_t texel[3] = {};
    glGetTexImage(GL_TEXTURE_2D, 1, GL_RGB, GL_UNSIGNED_BYTE, texel);
    EXPECT_EQ(texel[0], n * 3) << n;
    // A grey picture but the font sheet keeps one channel, and draws as the file's colour all
    // the same.
    GLint greyBits = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_LUMINANCE_SIZE, &greyBits);
    EXPECT_EQ(greyBits > 0, n % 2 == 0 && n != TexFontSheet) << n;
    glEnable(GL_TEXTURE_2D);
    glRectf(-1.0f, -1.0f, 1.0f, 1.0f);
    glDisable(GL_TEXTURE_2D);
    EXPECT_EQ(PixelAt(ViewSize / 2, ViewSize / 2), SetColour(n)) << n;
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GlTest, MissingTextureFileMakesNoTextureAndShowsNothing) {
  WriteTextureSet();
  fs::remove(folder_.Path() / "base/tex42.bmp");
  GLuint before = 0, after = 0;
  glGenTextures(1, &before);
  EXPECT_FALSE(LoadTextureSet());
  glGenTextures(1, &after);
  EXPECT_EQ(after, before + 1);  // no name was taken in between
  for (unsigned name : Game.TextureSet) EXPECT_EQ(name, 0u);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(GlTest, DamagedTextureFileFailsTheSetWithItsMessage) {
  WriteTextureSet();
  WriteBytes(folder_.Path() / "base/tex07.bmp", {});
  EXPECT_FALSE(LoadTextureSet());
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Failed to open DIB file base/tex07.bmp.\n"});
  for (unsigned name : Game.TextureSet) EXPECT_EQ(name, 0u);
}

// A 2 x 2 skin with a distinct colour in each corner: rows of 6 bytes, so a wrong row
// alignment would show.
void WriteSkin(const fs::path& path) {
  BmpLayout layout;
  layout.width = 2;
  layout.height = 2;
  layout.pixelData = Rows24(2, 2, {255, 0, 0, 0, 255, 0,  // bottom: red, green
                                   0, 0, 255, 255, 255, 0});  // top: blue, yellow
  WriteBytes(path, BuildBmp(layout));
}

void SetUpFlatView() {
  glViewport(0, 0, ViewSize, ViewSize);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-1, 1, -1, 1, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(1, 1, 1);
}

TEST_F(GlTest, PlainTextureKeepsTheFilesCornersInPlace) {
  WriteSkin(folder_.Path() / "skin.bmp");
  const unsigned name = LoadPlainTexture("skin.bmp");
  ASSERT_NE(name, 0u);
  GLint minFilter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  EXPECT_EQ(minFilter, GL_LINEAR);
  uint8_t texels[12] = {};
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
  // Read back with the default packing of 4: row 0 starts at 0, row 1 at 8.
  EXPECT_EQ(std::vector<uint8_t>(texels, texels + 6), (std::vector<uint8_t>{255, 0, 0, 0, 255, 0}));
  EXPECT_EQ(std::vector<uint8_t>(texels + 8, texels + 11), (std::vector<uint8_t>{0, 0, 255}));
  EXPECT_EQ(LoadPlainTexture("absent.bmp"), 0u);
}

TEST_F(GlTest, TexturedModelDrawsItsSkinAndRestoresTexturing) {
  fs::create_directories(folder_.Path() / "base");
  WriteSkin(folder_.Path() / "base/skin.bmp");
  Ms3dFile file = SquareModel(0);
  file.materials = {{{1, 1, 1, 1}, "base/skin.bmp"}};
  WriteBytes(folder_.Path() / "base/1.ms3d", BuildMs3d(file));

  MilkshapeModel model;
  ASSERT_TRUE(model.Load("base/1.ms3d"));
  ASSERT_NE(model.materials[0].textureId, 0u);
  SetUpFlatView();
  glDisable(GL_TEXTURE_2D);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  model.Draw();
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  // The picture's bottom row is at the bottom of the square (t is flipped on reading).
  EXPECT_EQ(PixelAt(4, 4), (std::array<uint8_t, 3>{255, 0, 0}));
  EXPECT_EQ(PixelAt(ViewSize - 5, 4), (std::array<uint8_t, 3>{0, 255, 0}));
  EXPECT_EQ(PixelAt(4, ViewSize - 5), (std::array<uint8_t, 3>{0, 0, 255}));
  EXPECT_EQ(PixelAt(ViewSize - 5, ViewSize - 5), (std::array<uint8_t, 3>{255, 255, 0}));
}

TEST_F(GlTest, ModelWithoutMaterialDrawsUntexturedAndEmptyModelDrawsNothing) {
  WriteBytes(folder_.Path() / "plain.ms3d", BuildMs3d(SquareModel(-1)));
  MilkshapeModel model;
  ASSERT_TRUE(model.Load("plain.ms3d"));
  SetUpFlatView();
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  const uint8_t black[3] = {0, 0, 0};
  glTexImage2D(GL_TEXTURE_2D, 0, 3, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, black);
  glEnable(GL_TEXTURE_2D);
  model.Draw();
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(PixelAt(ViewSize / 2, ViewSize / 2), (std::array<uint8_t, 3>{255, 255, 255}));

  glClear(GL_COLOR_BUFFER_BIT);
  MilkshapeModel empty;
  empty.Draw();
  EXPECT_EQ(PixelAt(ViewSize / 2, ViewSize / 2), (std::array<uint8_t, 3>{0, 0, 0}));
}

// Every level of the bound texture, from the largest to the 1 by 1 one.
std::vector<std::vector<uint8_t>> TextureLevels() {
  std::vector<std::vector<uint8_t>> levels;
  for (int level = 0;; ++level) {
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
    if (width == 0) return levels;
    levels.emplace_back(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGB, GL_UNSIGNED_BYTE, levels.back().data());
  }
}

TEST_F(GlTest, MipmapsBuiltAheadMatchGlusLevelForLevel) {
  // Square, wide, tall, single rows and columns, and the odd sums that rounding tells apart.
  const std::pair<int, int> sizes[] = {{1, 1}, {2, 2}, {64, 64}, {32, 8}, {8, 32}, {1, 16},
                                       {16, 1}, {256, 32}, {4, 128}};
  std::mt19937 random(7);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (const auto& [width, height] : sizes) {
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
    RgbImage image;
    image.width = width;
    image.height = height;
    image.pixels = std::make_unique<uint8_t[]>(static_cast<size_t>(width) * height * 3);
    for (int i = 0; i < width * height * 3; ++i) image.pixels[i] = static_cast<uint8_t>(random());
    ASSERT_TRUE(HasPowerOfTwoSides(image));

    GLuint names[2] = {};
    glGenTextures(2, names);
    glBindTexture(GL_TEXTURE_2D, names[0]);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, GL_RGB, GL_UNSIGNED_BYTE, image.pixels.get());
    const auto byGlu = TextureLevels();
    glBindTexture(GL_TEXTURE_2D, names[1]);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, image.pixels.get());
    int level = 1;
    for (const RgbImage& smaller : BuildMipmaps(image)) {
      glTexImage2D(GL_TEXTURE_2D, level++, 3, smaller.width, smaller.height, 0, GL_RGB,
                   GL_UNSIGNED_BYTE, smaller.pixels.get());
    }
    EXPECT_EQ(TextureLevels(), byGlu);
    glDeleteTextures(2, names);
  }
  RgbImage odd;
  odd.width = 3;
  odd.height = 4;
  odd.pixels = std::make_unique<uint8_t[]>(36);
  EXPECT_FALSE(HasPowerOfTwoSides(odd)) << "GLU scales it: no levels are built ahead";
}

TEST_F(GlTest, TexturesAShortPictureDrawsSmallLeaveOutTheirLargestLevelAndRegainIt) {
  WriteTextureSet();
  std::mt19937 random(3);
  std::vector<uint8_t> rows(8 * 8 * 3);
  for (uint8_t& byte : rows) byte = static_cast<uint8_t>(random());
  BmpLayout layout;
  layout.width = 8;
  layout.height = 8;
  layout.pixelData = Rows24(8, 8, rows);
  for (const char* name :
       {"base/tex00.bmp", "base/tex01.bmp", "base/tex02.bmp", "base/tex03.bmp"}) {
    WriteBytes(folder_.Path() / name, BuildBmp(layout));
  }
  const auto levelsOf = [](int n) {
    glBindTexture(GL_TEXTURE_2D, Game.TextureSet[n]);
    return TextureLevels();
  };
  // A picture 3 pixels high draws them from their 4 by 4 level at the most.
  Game.ClientWidth = 4;
  Game.ClientHeight = 3;
  ASSERT_TRUE(LoadTextureSet());
  const auto full = levelsOf(3);  // the same picture, drawn at any size: every level
  ASSERT_EQ(full.size(), 4u);
  const std::vector<std::vector<uint8_t>> shrunk(full.begin() + 1, full.end());
  // Each texture with the tallest picture that still leaves its largest level out: the
  // backdrop spans the picture (8 / 5 is past the margin of 1.5), a glyph row 19 / 480 of it
  // (8 x 30 / 19 / 8).
  const std::pair<int, int> tallestWithout[] = {{1, 5}, {2, 5}, {0, 8}};
  for (const int height : {5, 6, 8, 9}) {
    FitTexturesToPicture(height);
    for (const auto& [n, tallest] : tallestWithout)
      EXPECT_EQ(levelsOf(n), height > tallest ? full : shrunk) << n << " at " << height;
  }
  EXPECT_TRUE(Boxes().empty());
}

}  // namespace
