#include "tests/render/scene_fixture.h"

#include <GL/gl.h>
#include <SDL.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <ostream>

#include "app/window.h"
#include "assets/texture_index.h"
#include "core/game_state.h"
#include "core/picture_rect.h"
#include "tests/assets/bmp_builder.h"
#include "tests/assets/ms3d_builder.h"
#include "tests/support/test_files.h"

namespace {

// A 24-bit bottom-up BMP; pixel(x, y) with y counted from the bottom.
void WriteBmp(const std::string& path, int width, int height,
              const std::function<Rgb(int, int)>& pixel) {
  std::vector<uint8_t> rgb;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgb c = pixel(x, y);
      rgb.insert(rgb.end(), {static_cast<uint8_t>(c.r), static_cast<uint8_t>(c.g),
                             static_cast<uint8_t>(c.b)});
    }
  }
  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  layout.pixelData = Rows24(width, height, rgb);
  WriteBytes(path, BuildBmp(layout));
}

bool IsMask(int index) {
  return index == TexBackdropMask || index == TexSideButtonMask || index == TexModeButtonMask ||
         index == TexDialogButtonMask || index == TexHintButtonMask;
}

// The glyph sheet: 16 by 16 cells of 16 pixels; each glyph a square inside its cell.
Rgb FontSheetPixel(int x, int y) {
  const int column = x / 16;
  const int row = 15 - y / 16;  // rows counted from the top of the picture
  const int inX = x % 16;
  const int inY = y % 16;
  const int glyph = row * 16 + column;
  if (glyph == 0 || glyph == 128 || inX < 2 || inX > 13 || inY < 2 || inY > 13) return {};
  const int level = row >= 8 ? GlyphGrey : 255;
  return {level, level, level};
}

bool InBoardWindow(int x, int y, int size) {
  const float u = (x + 0.5f) / size;
  const float v = (y + 0.5f) / size;
  return u > BoardWindowLeft && u < BoardWindowRight && v > BoardWindowBottom &&
         v < BoardWindowTop;
}

void WriteTexture(const std::string& base, int index) {
  char path[64];
  std::snprintf(path, sizeof path, "%s/tex%02d.bmp", base.c_str(), index);
  if (index == TexFontSheet) {
    WriteBmp(path, 256, 256, FontSheetPixel);
  } else if (index == TexBackdropMask) {
    WriteBmp(path, 256, 256, [](int x, int y) {
      return InBoardWindow(x, y, 256) ? Rgb{255, 255, 255} : Rgb{};
    });
  } else if (index == TexBackdropImage) {
    WriteBmp(path, 256, 256, [](int x, int y) {
      return InBoardWindow(x, y, 256) ? Rgb{} : TextureColour(TexBackdropImage);
    });
  } else {
    const Rgb colour = IsMask(index) ? Rgb{} : TextureColour(index);
    WriteBmp(path, 16, 16, [colour](int, int) { return colour; });
  }
}

// A square of 2 by 2 units facing the viewer, skinned with base/fruitK.bmp. Kind 7 has a dim
// material, so that the extra light under the pointer shows.
void WriteFruitModel(const std::string& base, int kind) {
  Ms3dFile model = SquareModel(0);
  Ms3dMaterial material;
  const float level = kind == 7 ? 0.3f : 1.0f;
  material.ambient = material.diffuse = {level, level, level, 1.0f};
  material.shininess = 0.0f;
  material.texture = "base/fruit" + std::to_string(kind) + ".bmp";
  model.materials = {material};
  WriteBytes(base + "/" + std::to_string(kind) + ".ms3d", BuildMs3d(model));
  const Rgb colour = FruitColour(kind);
  WriteBmp(base + "/fruit" + std::to_string(kind) + ".bmp", 8, 8,
           [colour](int, int) { return colour; });
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const Rgb& colour) {
  return out << "(" << colour.r << ", " << colour.g << ", " << colour.b << ")";
}

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

GlMatrix CurrentMatrix(unsigned which) {
  GlMatrix matrix{};
  glGetFloatv(which, matrix.data());
  return matrix;
}

void ExpectIdentity(const GlMatrix& matrix, float tolerance) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(matrix[i], i % 5 == 0 ? 1.0f : 0.0f, tolerance) << i;
}

Rgb TextureColour(int index) { return {20 + 2 * index, 200 - 2 * index, 60 + 30 * (index % 5)}; }

Rgb FruitColour(int kind) {
  constexpr Rgb Colours[] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},    {255, 255, 0},
                             {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
  return Colours[kind - 1];
}

int ClientOnAxis(int position, int start, int length, int layoutLength) {
  return start + (2 * position + 1) * length / (2 * layoutLength);
}

void WriteSyntheticBase(const std::string& folder) {
  const std::string base = folder + "/base";
  std::filesystem::create_directories(base);
  for (int index = 0; index < TextureCount; ++index) WriteTexture(base, index);
  for (int kind = 1; kind <= FruitKinds; ++kind) WriteFruitModel(base, kind);
  WriteBmp(base + "/cursormask.bmp", 16, 16, [](int, int) { return Rgb{}; });
  WriteBmp(base + "/cursor.bmp", 16, 16, [](int, int) { return CursorMarkColour; });
}

void SceneTest::SetUp() {
  PrepareWithoutWindow();
  ASSERT_TRUE(OpenWindow(false));
}

void SceneTest::PrepareWithoutWindow() {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  unsetenv("GDK_SCALE");  // windows open at the game's own sizes, whatever the desktop's scale
  char pattern[] = "/tmp/quillary-scene-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  folder_ = pattern;
  WriteSyntheticBase(folder_);
  std::filesystem::create_directories(folder_ + "/data");
  setenv("XDG_DATA_HOME", (folder_ + "/data").c_str(), 1);
  previousFolder_ = std::filesystem::current_path();
  std::filesystem::current_path(folder_);
  Game = GameState{};
  fake_message_box::Reset();
}

bool SceneTest::OpenWindow(bool fullscreen) {
  return fullscreen ? CreateGameWindow("Quillary", 800, 600, 16, true)
                    : CreateGameWindow("Quillary", 640, 480, 16, false);
}

void SceneTest::ReopenInLargeLayout() {
  DestroyGameWindow();
  ASSERT_TRUE(CreateGameWindow("Quillary", 800, 600, 16, false));
  Game.Fullscreen = true;
}

void SceneTest::TearDown() {
  // Also gives back the video subsystem of a creation that stopped before its window.
  DestroyGameWindow();
  if (!previousFolder_.empty()) std::filesystem::current_path(previousFolder_);
  if (!folder_.empty()) std::filesystem::remove_all(folder_);
}

int SceneTest::ClientWidth() const {
  int width = 0;
  int height = 0;
  SDL_GL_GetDrawableSize(reinterpret_cast<SDL_Window*>(Game.Window), &width, &height);
  return width;
}

int SceneTest::ClientHeight() const {
  int width = 0;
  int height = 0;
  SDL_GL_GetDrawableSize(reinterpret_cast<SDL_Window*>(Game.Window), &width, &height);
  return height;
}

Rgb SceneTest::ClientPixel(int x, int y) const {
  uint8_t rgb[3] = {};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, ClientHeight() - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
  return {rgb[0], rgb[1], rgb[2]};
}

Rgb SceneTest::SpacePixel(float x, float y, float spaceWidth, float spaceHeight) const {
  const PictureRect picture = FitPicture(ClientWidth(), ClientHeight());
  const int gx = static_cast<int>(std::floor(x * picture.width / spaceWidth));
  const int gy = static_cast<int>(std::floor(y * picture.height / spaceHeight));
  return ClientPixel(picture.left + gx, picture.top + picture.height - 1 - gy);
}

Rgb SceneTest::LayoutPixel(float x, float y) const {
  return Game.Fullscreen ? SpacePixel(x, y, 800, 600) : SpacePixel(x, y, 640, 480);
}

Rgb SceneTest::TextPixel(float x, float y) const { return SpacePixel(x, y, 640, 480); }

void SceneTest::ClearFrame() const {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

OwnXServer::OwnXServer(const char* geometry) {
  if (const char* display = std::getenv("DISPLAY")) previousDisplay_ = display;
  int ready[2];
  if (pipe(ready) != 0) return;
  const pid_t pid = fork();
  if (pid == 0) {
    close(ready[0]);
    if (chdir("/") != 0) _exit(127);  // the test's working folder goes before the server
    // The server ends with the test, even one that crashes, and keeps nothing of the test's
    // output open: the test runner waits for that output to close.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    const std::string fd = std::to_string(ready[1]);
    // Xvfb takes the first display number that is free and writes it once it accepts clients.
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", geometry, "-nolisten",
           "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(ready[1]);
  if (pid < 0) {
    close(ready[0]);
    return;
  }
  char number[16] = {};
  size_t length = 0;
  while (length < sizeof number - 1) {
    const ssize_t got = read(ready[0], number + length, sizeof number - 1 - length);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;  // end of file: the server could not start
    length += static_cast<size_t>(got);
    if (number[length - 1] == '\n') break;
  }
  close(ready[0]);
  if (length == 0) {
    waitpid(pid, nullptr, 0);
    return;
  }
  pid_ = pid;
  setenv("DISPLAY", (":" + std::string(number, std::strcspn(number, "\n"))).c_str(), 1);
}

OwnXServer::~OwnXServer() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  if (previousDisplay_.empty()) {
    unsetenv("DISPLAY");
  } else {
    setenv("DISPLAY", previousDisplay_.c_str(), 1);
  }
}
