// One frame: clear, measure the frame rate, run the frame's share of the rules, draw.
#pragma once

// Draws one frame into the back buffer; always true.
bool DrawFrame();

// The main loop's frame: all the game logic of DrawFrame, but a frame whose picture could not
// differ from the one on show is not drawn. True when a picture was drawn to be presented.
bool DrawChangedFrame();
// Lets the renderer give back what it keeps of the frame on show; called when the loop is about
// to sleep until something happens. The back buffer's picture stays as it is.
void LetGoOfShownFrame();
// Tests install a check that DrawChangedFrame calls with every picture it drew into the back
// buffer, before it is presented; with a check installed, a picture that is kept is drawn all
// the same, but not presented, and handed to the check too. Null removes the check.
using FrameCheck = void (*)(bool pictureKept);
void CheckFrames(FrameCheck check);
