#include "core/game_state.h"
#include "core/rules.h"
#include "storage/high_scores.h"

void FinishPhase() {
  GameState& g = Game;
  if (g.BoardPhase == LevelComplete && !g.GameOverLatch) {
    AdvanceLevel();
  } else if (g.BoardPhase == GameOver || g.GameOverLatch) {
    g.BoardPhase = Play;
    g.GameOverLatch = false;
    g.NoMovesGameOver = false;
    if (ScoreQualifiesForHighScores()) {
      g.Screen = NameEntry;
    } else {
      NewGame();
      g.Screen = HighScores;
    }
  } else {
    g.BoardPhase = Play;
  }
}
