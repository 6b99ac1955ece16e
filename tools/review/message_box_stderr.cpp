// The message boxes of the review tools: printed to the error output and answered No, so that
// a tool never waits for a player and refuses the fullscreen fallback rather than drawing the
// large layout into the wrong window.
#include <cstdio>

#include "core/message_box.h"

MessageAnswer ShowMessageBox(const char* text, const char* caption, MessageButtons buttons,
                             MessageIcon) {
  std::fprintf(stderr, "%s: %s\n", caption, text);
  return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

// The tools' boxes never wait, so no signal can come while one shows.
void StoreAndEndOnSignalDuringBoxes(void (*)()) {}
