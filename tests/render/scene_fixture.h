// GL test support: a synthetic base/ whose every texture and fruit has its own flat colour,
// a real game window made by CreateGameWindow in a temporary working folder, intercepted
// message boxes, and pixel read-back in client and layout coordinates.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/window.h"
#include "tools/review/board_in_play.h"
#include "tests/support/fake_message_box.h"

struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
  bool operator==(const Rgb&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rgb& colour);

// Whether two colours differ by at most `tolerance` in every channel.
bool Near(const Rgb& a, const Rgb& b, int tolerance = 3);

// A GL matrix as read back, and the current one of GL_MODELVIEW_MATRIX or GL_PROJECTION_MATRIX.
using GlMatrix = std::array<float, 16>;
GlMatrix CurrentMatrix(unsigned which);
// Expects every element within `tolerance` of the identity matrix.
void ExpectIdentity(const GlMatrix& matrix, float tolerance = 0.0f);

// The flat colour of synthetic texture `index` (images and panels; masks are black, with the
// backdrop mask white over the board window).
Rgb TextureColour(int index);
// The colour of the skin of synthetic fruit kind 1 to 7.
Rgb FruitColour(int kind);
// The synthetic keyboard cursor's mark covers its whole square in this colour.
constexpr Rgb CursorMarkColour = {250, 190, 40};
// Glyph cells of the synthetic font: set 0 glyphs are white squares, set 1 glyphs grey,
// the space glyph black.
constexpr int GlyphGrey = 128;

// The region of the backdrop mask that lets the board through, in texture coordinates.
constexpr float BoardWindowLeft = 0.285f;
constexpr float BoardWindowRight = 0.965f;
constexpr float BoardWindowBottom = 0.065f;
constexpr float BoardWindowTop = 0.968f;

// Along one axis of a picture spanning `length` client pixels from `start`: the client pixel
// that shows pixel `position` of a layout `layoutLength` pixels long.
int ClientOnAxis(int position, int start, int length, int layoutLength);

// Writes base/tex00.bmp ... tex80.bmp, base/1.ms3d ... 7.ms3d and their skins into `folder`.
void WriteSyntheticBase(const std::string& folder);

// Creates a temporary working folder with a synthetic base/, points the user data folder into
// it, intercepts message boxes, and opens the game window in it.
class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts afresh in the temporary folder without a window (for tests that make their own).
  void PrepareWithoutWindow();
  bool OpenWindow(bool fullscreen);
  // Re-opens the window as an 800 by 600 window drawn in the large layout, as a successful
  // fullscreen switch gives it; the X server of the test suite has no 800 by 600 mode.
  void ReopenInLargeLayout();

  // Pixel at client position (x, y), origin top left, of the frame being drawn.
  Rgb ClientPixel(int x, int y) const;
  // Pixel at (x, y) of an orthographic space of the given size stretched over the picture's
  // rectangle, origin bottom left: the layout spaces, the text space and the bar's space.
  Rgb SpacePixel(float x, float y, float spaceWidth, float spaceHeight) const;
  // Pixel at (x, y) of the current layout's space.
  Rgb LayoutPixel(float x, float y) const;
  // Pixel at (x, y) of the 640 by 480 text space.
  Rgb TextPixel(float x, float y) const;
  int ClientWidth() const;
  int ClientHeight() const;
  // Clears the frame to black with the model-view matrix at identity.
  void ClearFrame() const;

  std::string folder_;
  std::string previousFolder_;
  std::vector<ShownBox>& boxes_ = fake_message_box::Shown();
  std::deque<MessageAnswer>& answers_ = fake_message_box::Answers();  // then Yes
};

// Runs an Xvfb server of the given screen size on a free display while it lives and points
// DISPLAY at it; Running() is false when no server could be started.
class OwnXServer {
 public:
  explicit OwnXServer(const char* geometry);
  ~OwnXServer();
  bool Running() const { return pid_ > 0; }

 private:
  int pid_ = -1;
  std::string previousDisplay_;
};
