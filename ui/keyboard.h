// The keyboard checks of the main loop, run once after every drawn frame in this order: the
// pause key, then name entry. KeyState, which they read, follows the key messages.
#pragma once

// Esc or P on Playing pauses or resumes the Timed mode; the keys are consumed when they act.
void PauseKeyCheck();

// On NameEntry: letters (the first a capital) and Backspace edit EntryName, Enter or Space
// stores the score under it and shows HighScores. Each key press is taken once, however long
// it is held; on the other screens the keys only move the latches.
void NameEntryChecks();
