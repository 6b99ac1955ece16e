// Start-up loading: everything that lives in the GL context, and the fixed GL state.
#pragma once

// Loads the models, textures, lists and font, restarts the frame timer and sets the fixed GL
// state; the first run also chooses the mode, loads the high scores and opens the resume
// question. False when the texture set cannot be loaded.
bool InitScene();
