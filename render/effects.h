// Transient pictures over the overlay: the phase banner and the score pop-ups.
#pragma once

// Raises and fades the banner of the current board phase; hands over to FinishPhase when its
// life is over.
void DrawPhaseBanner();
// Moves, fades and prints every active score pop-up; retires those whose life is over.
void DrawScorePopups();
// Whether drawing would move an effect: a phase banner or a score pop-up is on show.
bool EffectsRun();
