#include "render/effects.h"

#include <GL/gl.h>

#include <cmath>
#include <optional>

#include "assets/texture_index.h"
#include "core/game_state.h"
#include "core/rules.h"
#include "render/flat_quad.h"
#include "render/font.h"

namespace {

constexpr float BannerStep = 0.003f;  // life per unit of FrameSpeed: about 333 units in all
constexpr float BannerLeft = 283.0f;
constexpr float BannerRise = 550.0f;
constexpr FlatRect BannerRect = {0.0f, 0.0f, 256.0f, 64.0f};
constexpr float PopupStep = 0.005f;  // life per unit of FrameSpeed: 200 units in all
constexpr float PopupDriftX = 40.0f;
constexpr float PopupDriftY = 80.0f;

// The banner picture of the current phase; none when no phase picture applies (only at the
// end of a banner, when it is invisible), keeping whatever texture is bound.
std::optional<TextureIndex> BannerTexture() {
  std::optional<TextureIndex> texture;
  if (Game.BoardPhase == LevelComplete && !Game.GameOverLatch) texture = TexLevelCompleteBanner;
  if (Game.BoardPhase == GameOver || Game.GameOverLatch) texture = TexGameOverBanner;
  if (Game.BoardPhase == Excellent) texture = TexExcellentBanner;
  if (Game.NoMovesGameOver) texture = TexNoMovesBanner;
  return texture;
}

}  // namespace

void DrawPhaseBanner() {
  if (Game.BannerProgress < 1.0f) {
    Game.BannerProgress += BannerStep * Game.FrameSpeed;
  } else {
    Game.BannerProgress = 0.0f;
    FinishPhase();
  }
  const float alpha = static_cast<float>(std::sin(3.14 * Game.BannerProgress));
  const float rise = BannerRise * Game.BannerProgress;

  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glTranslatef(BannerLeft, rise, 0.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glColor4f(1.0f, 1.0f, 1.0f, alpha);
  if (const auto texture = BannerTexture()) glBindTexture(GL_TEXTURE_2D, Game.TextureSet[*texture]);
  DrawFlatQuad(BannerRect);
  glTranslatef(-BannerLeft, -rise, 0.0f);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
}

void DrawScorePopups() {
  for (ScorePopup& popup : Game.ScorePopups) {
    if (!popup.active) continue;
    if (popup.progress < 1.0f) {
      popup.progress += PopupStep * Game.FrameSpeed;
      glBlendFunc(GL_SRC_ALPHA, GL_ONE);
      glEnable(GL_BLEND);
      glColor4f(0.3f, 0.3f, 1.0f, 1.0f - popup.progress);
      PrintText(static_cast<int>(static_cast<float>(popup.x) + PopupDriftX * popup.progress),
                static_cast<int>(static_cast<float>(popup.y) + PopupDriftY * popup.progress), 0,
                "%2i", popup.value);
      glDisable(GL_BLEND);
    } else {
      popup.active = false;
      popup.progress = 0.0f;
      popup.value = 0;
    }
  }
}

bool EffectsRun() {
  if (Game.BoardPhase > Play) return true;
  for (const ScorePopup& popup : Game.ScorePopups) {
    if (popup.active) return true;
  }
  return false;
}
