// One frame: clear, measure the frame rate, run the frame's share of the rules, draw.
#pragma once

// Draws one frame into the back buffer; always true.
bool DrawFrame();
