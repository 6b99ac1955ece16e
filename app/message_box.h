// Modal message boxes. Every box of the game goes through ShowMessageBox; tests install an
// interceptor that records the box and answers it, so a test never blocks.
#pragma once

#include <functional>

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { Exclamation, Stop, Information, Error };
enum class MessageAnswer { Ok, Yes, No };

MessageAnswer ShowMessageBox(const char* text, const char* caption, MessageButtons buttons,
                             MessageIcon icon);

// While set, ShowMessageBox calls this instead of showing a box.
using MessageBoxInterceptor = std::function<MessageAnswer(
    const char* text, const char* caption, MessageButtons buttons, MessageIcon icon)>;
void SetMessageBoxInterceptor(MessageBoxInterceptor interceptor);
