// Boards in play for the screenshots, the drawing benchmark and the GL tests: every fruit and
// animation on show at once.
#pragma once

// A full board of every fruit kind in a fixed pattern on a solid floor, with three 6s in row 7
// marked and shrinking away at `removalFade`.
void FillBoardWithShrinkingRun(float removalFade);
