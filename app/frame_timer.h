// The millisecond clock behind the frame-rate measurement.
#pragma once

// Restarts Game.FrameTimer at 0.
void StartFrameTimer();
// Milliseconds since the last StartFrameTimer.
float FrameTimerMilliseconds();
