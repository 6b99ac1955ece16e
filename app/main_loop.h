// The program's body: start-up, the loop of messages and frames, and shutdown.
#pragma once

// Sets how the heap serves the program's threads; called first, before any thread starts.
void PrepareHeap();

// Reads the settings, opens the window, runs the loop until the game ends, stores the game and
// the settings, and shuts everything down. Returns the exit code: 0 when the window cannot be
// made, else the parameter of the quit message, or 0 when a screen ended the game.
int RunGame();

// The three stages of RunGame, for tests that drive the loop a pass at a time.
// Start-up: settings, window and scene; false when the window cannot be made.
bool StartUp();
// What one pass of the loop did: handled one message; ran a frame, drawn and presented or
// with the picture on show kept, followed by the key checks; waited (minimised, or a message
// came while waiting for the display); or found the loop over.
enum class LoopPass { HandledMessage, DrewFrame, KeptPicture, Waited, Ended };
LoopPass RunLoopPass();
// Stores the game and the settings, closes the window and the mixer; returns the exit code.
int ShutDown();

// Stores the game and the settings as every exit does, with file writes alone; nothing before
// the game has started, so that a start-up that fails leaves every file as it was.
void StoreFilesAtExit();
