// The generated fruit as the board replays them: their lists drop the far side of each solid,
// which must leave the picture exactly as drawing every triangle gives it.
#include <GL/gl.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/scene.h"
#include "core/game_state.h"
#include "render/board_scene.h"
#include "tests/render/scene_fixture.h"

namespace {

class GeneratedFruitTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    // The generator's models and skins take the place of the flat test fruit.
    const std::string command =
        std::string("\"") + ASSETGEN_PROGRAM + "\" \"" + folder_ + "\" models";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    InitScene();
  }

  // The whole frame after drawing fruit `kind` turned by the given angles, five units away.
  std::vector<uint8_t> Frame(int kind, float aboutX, float aboutY, bool replayList) {
    ClearFrame();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glTranslatef(0.0f, 0.0f, -5.0f);
    glRotatef(aboutX, 1.0f, 0.0f, 0.0f);
    glRotatef(aboutY, 0.0f, 1.0f, 0.0f);
    if (replayList) {
      DrawFruitModel(kind);
    } else {
      FruitModels[kind - 1]->Draw();
    }
    std::vector<uint8_t> pixels(static_cast<size_t>(ClientWidth()) * ClientHeight() * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, ClientWidth(), ClientHeight(), GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
  }
};

struct Comparison {
  int covered = 0;  // pixels that are not black in either frame
  int differing = 0;
};

Comparison Compare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  Comparison result;
  for (size_t pixel = 0; pixel + 2 < a.size(); pixel += 3) {
    bool lit = false;
    bool differs = false;
    for (size_t channel = pixel; channel < pixel + 3; ++channel) {
      lit = lit || a[channel] != 0 || b[channel] != 0;
      differs = differs || std::abs(a[channel] - b[channel]) > 2;
    }
    result.covered += lit;
    result.differing += differs;
  }
  return result;
}

TEST_F(GeneratedFruitTest, CulledListsLookLikeEveryTriangleDrawnFromEverySide) {
  for (int kind = 1; kind <= FruitKinds; ++kind) {
    ASSERT_TRUE(FruitModels[kind - 1]->IsClosedSolid()) << "fruit " << kind;
    for (float aboutX = 0.0f; aboutX < 360.0f; aboutX += 60.0f) {
      for (float aboutY = 0.0f; aboutY < 360.0f; aboutY += 45.0f) {
        const Comparison seen = Compare(Frame(kind, aboutX, aboutY, true),
                                        Frame(kind, aboutX, aboutY, false));
        ASSERT_GT(seen.covered, 2000) << "fruit " << kind;
        // A pixel or two on the outline may differ where a far face ties in depth with a near
        // one; anything more is a face the culling lost.
        EXPECT_LE(seen.differing, seen.covered / 5000)
            << "fruit " << kind << " turned " << aboutX << ", " << aboutY;
      }
    }
  }
}

TEST_F(GeneratedFruitTest, ListsCullTheFarSideAndLeaveCullingOff) {
  for (int kind = 1; kind <= FruitKinds; ++kind) {
    const std::vector<uint8_t> near = Frame(kind, 30.0f, 30.0f, true);
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    // With the winding rule turned round, the list drops the near side and shows the inside.
    glFrontFace(GL_CW);
    const Comparison turned = Compare(near, Frame(kind, 30.0f, 30.0f, true));
    glFrontFace(GL_CCW);
    EXPECT_GT(turned.differing, turned.covered / 4) << "fruit " << kind;
  }
  Game.Screen = Playing;
  FillBoardWithShrinkingRun(0.5f);
  DrawBoard();
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
