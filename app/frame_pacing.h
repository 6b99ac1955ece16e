// Frames at the display's pace. A swap that waits for the display paces the loop by itself;
// where the driver's swap does not wait (software GL, Xvfb, some virtual machines), the loop
// waits instead, so that an unchanging game does not burn a whole core.
#pragma once

// Waits until one refresh period has passed since the last swap, where swaps do not wait
// themselves. False when a message came first: the loop handles it before drawing.
bool AwaitFrameTime();
// Records a swap just made; called after every swap.
void NoteSwap();
// Sleeps until the next message.
void AwaitMessage();
// Forgets what was learnt of the swaps, for a new window and context.
void ResetFramePacing();
// Whether the loop may pace itself (it may unless told otherwise). Tests that run thousands
// of frames switch it off.
void AllowFramePacing(bool allowed);
