// Frames at the display's pace. A swap that waits for the display paces the loop by itself;
// where the driver's swap does not wait (software GL, Xvfb, some virtual machines), the loop
// waits instead, so that an unchanging game does not burn a whole core.
#pragma once

// Waits until one refresh period has passed since the previous frame began. Where the swap
// waits for the display, that time has passed already. False when a message came first: the
// loop handles it before drawing. A game at rest waits for the next message, and is false.
bool AwaitFrameTime(bool atRest);
// Marks the start of a frame; called before every frame is drawn.
void NoteFrameStart();
// Sleeps until the next message.
void AwaitMessage();
// Whether the loop may pace itself (it may unless told otherwise). Tests that run thousands
// of frames switch it off.
void AllowFramePacing(bool allowed);
