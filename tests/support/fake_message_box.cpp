#include "tests/support/fake_message_box.h"

namespace {

std::vector<ShownBox> ShownBoxes;
std::deque<MessageAnswer> QueuedAnswers;

}  // namespace

namespace fake_message_box {

void Reset() {
  ShownBoxes.clear();
  QueuedAnswers.clear();
}

std::vector<ShownBox>& Shown() { return ShownBoxes; }

std::deque<MessageAnswer>& Answers() { return QueuedAnswers; }

}  // namespace fake_message_box

MessageAnswer ShowMessageBox(const char* text, const char* caption, MessageButtons buttons,
                             MessageIcon icon) {
  ShownBoxes.push_back({text, caption, buttons, icon});
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  if (QueuedAnswers.empty()) return MessageAnswer::Yes;
  const MessageAnswer answer = QueuedAnswers.front();
  QueuedAnswers.pop_front();
  return answer;
}
