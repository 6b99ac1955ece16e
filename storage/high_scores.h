// The two high-score tables (one per mode) and their file "hiscores".
#pragma once

// Reads both tables from the user folder, or from base/ when the user has none.
void ReadHighScores();

// Enters Score under EntryName into table `table` of the tables as the user folder's file holds
// them now (as in memory when it cannot be read), resets the name entry and writes the file.
void InsertHighScore(int table);

// Sorts both tables best first, writes the file and reads it back from the user folder. The
// file is written only when its bytes change.
void SortSaveReloadHighScores();

// A finished game enters the table of its mode when it beats the fifth and last entry.
bool ScoreQualifiesForHighScores();
