#include "storage/high_scores.h"

#include "core/game_state.h"

bool ScoreQualifiesForHighScores() {
  return Game.Score > Game.HighScoreTables[Game.ModeIndex][HighScoreEntryCount - 1].score;
}
