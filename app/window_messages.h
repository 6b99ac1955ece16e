// The message queue of the platform layer: SDL events are translated into window messages
// and handed to one settable window procedure.
#pragma once

#include "ui/window_message.h"

union SDL_Event;

// The game's window procedure; returns the message's result.
using WindowProcedure = intptr_t (*)(const WindowMessage& message);

// Installs the procedure that receives every message; null restores the default procedure.
void SetWindowProcedure(WindowProcedure procedure);
// Hands one message to the installed procedure.
intptr_t DispatchWindowMessage(const WindowMessage& message);
// Default processing: nothing the game needs; the result is 0.
intptr_t DefaultWindowProcedure(const WindowMessage& message);

// Turns one SDL event into a message; false when the event means nothing to the game.
bool TranslateEvent(const SDL_Event& event, WindowMessage& message);

// Takes the next message off the queue; false when the queue is empty. A game controller's
// d-pad and left stick give the arrow keys' messages here, repeating while held.
bool PeekWindowMessage(WindowMessage& message);

// Opens the game controllers plugged in now, and from then on each one plugged in; their
// buttons give the key messages of the keys they stand for.
void OpenGameControllers();
