#include <SDL.h>

#include "core/message_box.h"

namespace {

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
  if (SDL_ShowMessageBox(&box, &pressed) != 0) return yesNo ? MessageAnswer::No : MessageAnswer::Ok;
  if (!yesNo) return MessageAnswer::Ok;
  return pressed == 1 ? MessageAnswer::Yes : MessageAnswer::No;
}
