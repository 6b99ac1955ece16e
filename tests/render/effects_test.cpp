#include <GL/gl.h>

#include <cmath>

#include "assets/texture_index.h"
#include "core/game_state.h"
#include "render/effects.h"
#include "render/overlay.h"
#include "tests/render/scene_fixture.h"

namespace {

Rgb Scaled(const Rgb& colour, float factor) {
  return {static_cast<int>(colour.r * factor + 0.5f), static_cast<int>(colour.g * factor + 0.5f),
          static_cast<int>(colour.b * factor + 0.5f)};
}

class EffectsTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    Game.Screen = Playing;
  }
  void Draw() {
    ClearFrame();
    glDisable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    DrawOverlay();
  }
  // The middle of the banner while its progress is `progress`, in the layout's space.
  Rgb BannerMiddle(float progress) const { return LayoutPixel(283 + 128, 550 * progress + 32); }
};

TEST_F(EffectsTest, BannerRisesAndIsBrightestHalfway) {
  Game.BoardPhase = LevelComplete;
  Game.FrameSpeed = 0.0f;  // hold the banner where it is put
  Game.BannerProgress = 0.1f;
  Draw();
  const Rgb early = BannerMiddle(0.1f);
  const Rgb faded =
      Scaled(TextureColour(TexLevelCompleteBanner), static_cast<float>(std::sin(0.314)));
  EXPECT_TRUE(Near(early, faded, 4)) << early;
  EXPECT_EQ(BannerMiddle(0.5f), Rgb{});
  Game.BannerProgress = 0.5f;
  Draw();
  EXPECT_TRUE(Near(BannerMiddle(0.5f), TextureColour(TexLevelCompleteBanner), 3)) << BannerMiddle(0.5f);
  EXPECT_EQ(BannerMiddle(0.1f), Rgb{});
  // Its left edge is at x 283.
  EXPECT_EQ(LayoutPixel(281, 550 * 0.5f + 32), Rgb{});
  EXPECT_TRUE(Near(LayoutPixel(285, 550 * 0.5f + 32), TextureColour(TexLevelCompleteBanner), 3));
}

TEST_F(EffectsTest, BannerAdvancesWithFrameSpeed) {
  Game.BoardPhase = GameOver;
  Game.FrameSpeed = 2.0f;
  Game.BannerProgress = 0.2f;
  Draw();
  EXPECT_FLOAT_EQ(Game.BannerProgress, 0.206f);
}

struct BannerCase {
  int phase;
  bool gameOverLatch;
  bool noMoves;
  TextureIndex texture;
};

TEST_F(EffectsTest, BannerPictureFollowsThePhase) {
  const BannerCase cases[] = {{LevelComplete, false, false, TexLevelCompleteBanner},
                              {LevelComplete, true, false, TexGameOverBanner},
                              {GameOver, false, false, TexGameOverBanner},
                              {Excellent, false, false, TexExcellentBanner},
                              {GameOver, false, true, TexNoMovesBanner},
                              {GameOver, true, true, TexNoMovesBanner}};
  Game.FrameSpeed = 0.0f;
  for (const BannerCase& test : cases) {
    Game.BoardPhase = test.phase;
    Game.GameOverLatch = test.gameOverLatch;
    Game.NoMovesGameOver = test.noMoves;
    Game.BannerProgress = 0.5f;
    Draw();
    EXPECT_TRUE(Near(BannerMiddle(0.5f), TextureColour(test.texture), 3))
        << "phase " << test.phase << " shows " << BannerMiddle(0.5f);
  }
}

TEST_F(EffectsTest, BannerEndHandsOverToTheRulesAndDrawsNothing) {
  Game.BoardPhase = Excellent;
  Game.BannerProgress = 1.0f;
  Game.FrameSpeed = 1.0f;
  Draw();
  EXPECT_FLOAT_EQ(Game.BannerProgress, 0.0f);
  EXPECT_EQ(Game.BoardPhase, Play);
  EXPECT_EQ(LayoutPixel(283 + 128, 50), Rgb{});
}

TEST_F(EffectsTest, BannerRunsOnEveryScreen) {
  Game.Screen = Options;
  Game.BoardPhase = LevelComplete;
  Game.FrameSpeed = 1.0f;
  Game.BannerProgress = 0.0f;
  Draw();
  EXPECT_FLOAT_EQ(Game.BannerProgress, 0.003f);
}

class PopupTest : public EffectsTest {
 protected:
  // The light blue of the pop-ups, added to black at the given opacity.
  static Rgb PopupColour(float alpha) { return Scaled({77, 77, 255}, alpha); }
  void SetUp() override {
    EffectsTest::SetUp();
    glDisable(GL_LIGHTING);  // as the frame draws its flat layers
  }
};

TEST_F(PopupTest, PopUpsDriftUpAndRightAndFade) {
  Game.ScorePopups[2] = {true, 200, 300, 50, 0.0f};
  Game.FrameSpeed = 1.0f;
  ClearFrame();
  DrawScorePopups();
  EXPECT_FLOAT_EQ(Game.ScorePopups[2].progress, 0.005f);
  // "50" at (200, 300): both digits.
  EXPECT_TRUE(Near(TextPixel(209.5f, 309.5f), PopupColour(0.995f), 3)) << TextPixel(209.5f, 309.5f);
  EXPECT_TRUE(Near(TextPixel(223.5f, 309.5f), PopupColour(0.995f), 3));

  Game.ScorePopups[2].progress = 0.495f;
  ClearFrame();
  DrawScorePopups();
  // Halfway: 20 units right, 40 up, half faded.
  EXPECT_EQ(TextPixel(209.5f, 309.5f), Rgb{});
  EXPECT_TRUE(Near(TextPixel(229.5f, 349.5f), PopupColour(0.5f), 3)) << TextPixel(229.5f, 349.5f);
}

TEST_F(PopupTest, PopUpRetiresWhenItsLifeIsOver) {
  Game.ScorePopups[0] = {true, 200, 300, 50, 1.0f};
  Game.FrameSpeed = 1.0f;
  ClearFrame();
  DrawScorePopups();
  EXPECT_FALSE(Game.ScorePopups[0].active);
  EXPECT_EQ(Game.ScorePopups[0].value, 0);
  EXPECT_FLOAT_EQ(Game.ScorePopups[0].progress, 0.0f);
  EXPECT_EQ(TextPixel(209.5f, 309.5f), Rgb{});
  EXPECT_EQ(TextPixel(249.5f, 389.5f), Rgb{});
}

TEST_F(PopupTest, EveryActivePopUpAgesEachFrameOnEveryScreenAndWhilePaused) {
  for (int index = 0; index < ScorePopupCount; ++index) {
    Game.ScorePopups[index] = {index % 2 == 0, 100, 20 * index, 10 + index, 0.0f};
  }
  Game.Screen = Options;
  Game.Paused = true;
  Game.FrameSpeed = 1.0f;
  Draw();
  for (int index = 0; index < ScorePopupCount; ++index) {
    EXPECT_FLOAT_EQ(Game.ScorePopups[index].progress, index % 2 == 0 ? 0.005f : 0.0f);
  }
}

}  // namespace
