// The flat overlay: backdrop, side panel, the dialog of the current screen, the pause
// picture, the score and level numbers, and the effects drawn over them.
#pragma once

// Draws the overlay of the current screen in the current layout.
void DrawOverlay();
// Whether drawing the overlay would move the shown score.
bool ShownScoreMoves();

// The x of the shown score at y 437 of the text space, by the size of the number: the pen
// moves 7 units left per additional digit, keeping the number centred near x 127.
int ScoreTextX(int shownScore);
