// The saved game "data.inf": mode, level, time bar, score and board, 85 words.
#pragma once

// Stores the game in progress in the user folder; skipped when it cannot.
void WriteSavedGame();

// Stores the game at exit as the next start is to offer it: nothing while the start-up
// question is unanswered (the stored game stays), a fresh game of the same mode once the game
// has ended (it changes the game in memory to that), else the game in progress.
void StoreGameAtExit();

// Resumes the stored game from the user folder, or else from base/. A file that is missing,
// short or holds values no game can have (a mode other than Levels or Timed, a level or score
// out of range, a cell that is no fruit kind) is no saved game: the state stays as it is.
// Either way the floor is made solid, a background is chosen and the level bounds are set.
void ReadSavedGame();
