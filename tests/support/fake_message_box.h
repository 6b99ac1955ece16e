// The recording stand-in for the game's message boxes: every box is recorded instead of
// shown, OK boxes are answered OK, and Yes/No boxes take the queued answers in turn (Yes once
// none is left).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/message_box.h"

struct ShownBox {
  std::string text;
  std::string caption;
  MessageButtons buttons;
  MessageIcon icon;
};

namespace fake_message_box {

// Forgets the boxes shown and the answers still queued.
void Reset();
// Every box shown since the last Reset, first first.
std::vector<ShownBox>& Shown();
// Answers to the coming Yes/No boxes, first first.
std::deque<MessageAnswer>& Answers();

}  // namespace fake_message_box
