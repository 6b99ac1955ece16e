#include <SDL.h>
#include <pthread.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include "core/message_box.h"

namespace {

constexpr int EndingSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int EndingSignalCount = sizeof EndingSignals / sizeof EndingSignals[0];

void (*StoreOnSignal)() = nullptr;
pid_t GameProcess = 0;
volatile sig_atomic_t BoxShowing = 0;

// The box's answer is awaited from a helper process that SDL forks, so the loop cannot see the
// request to end: the game is stored here, where the main thread waits in a known place, with
// file writes alone. The helper shares the handler and only ends.
void StoreAndEnd(int) {
  if (getpid() == GameProcess) StoreOnSignal();
  _exit(0);
}

// Runs in every child forked while a box shows: the box's helper ends with the game, so no box
// is left on the screen without a game behind it.
void EndHelperWithGame() {
  if (!BoxShowing) return;
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != GameProcess) _exit(1);
}

// While it lives, the ending signals store and end the program; those the program was started
// to ignore (as by nohup) stay ignored.
class SignalsStoreAndEnd {
 public:
  SignalsStoreAndEnd() {
    if (!StoreOnSignal) return;
    struct sigaction action{};
    action.sa_handler = StoreAndEnd;
    sigfillset(&action.sa_mask);
    for (int i = 0; i < EndingSignalCount; ++i) {
      sigaction(EndingSignals[i], nullptr, &previous_[i]);
      if (previous_[i].sa_handler != SIG_IGN) sigaction(EndingSignals[i], &action, nullptr);
    }
    BoxShowing = 1;
  }
  ~SignalsStoreAndEnd() {
    if (!StoreOnSignal) return;
    BoxShowing = 0;
    for (int i = 0; i < EndingSignalCount; ++i) sigaction(EndingSignals[i], &previous_[i], nullptr);
  }
  SignalsStoreAndEnd(const SignalsStoreAndEnd&) = delete;
  SignalsStoreAndEnd& operator=(const SignalsStoreAndEnd&) = delete;

 private:
  struct sigaction previous_[EndingSignalCount] = {};
};

Uint32 IconFlags(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Exclamation: return SDL_MESSAGEBOX_WARNING;
    case MessageIcon::Information: return SDL_MESSAGEBOX_INFORMATION;
    case MessageIcon::Stop:
    case MessageIcon::Error: return SDL_MESSAGEBOX_ERROR;
  }
  return SDL_MESSAGEBOX_ERROR;
}

}  // namespace

MessageAnswer ShowMessageBox(const char* text, const char* caption, MessageButtons buttons,
                             MessageIcon icon) {
  const SDL_MessageBoxButtonData okButton[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "OK"}};
  const SDL_MessageBoxButtonData yesNoButtons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 2, "No"}};
  const bool yesNo = buttons == MessageButtons::YesNo;

  SDL_MessageBoxData box{};
  box.flags = IconFlags(icon);
  box.window = SDL_GetKeyboardFocus();  // owned by the window that has the keyboard focus
  box.title = caption;
  box.message = text;
  box.numbuttons = yesNo ? 2 : 1;
  box.buttons = yesNo ? yesNoButtons : okButton;

  int pressed = 0;
  const SignalsStoreAndEnd ending;
  if (SDL_ShowMessageBox(&box, &pressed) != 0) return yesNo ? MessageAnswer::No : MessageAnswer::Ok;
  if (!yesNo) return MessageAnswer::Ok;
  return pressed == 1 ? MessageAnswer::Yes : MessageAnswer::No;
}

void StoreAndEndOnSignalDuringBoxes(void (*store)()) {
  StoreOnSignal = store;
  GameProcess = getpid();
  pthread_atfork(nullptr, nullptr, EndHelperWithGame);
}
