// Modal message boxes. Every box of the game goes through ShowMessageBox, which is supplied at
// the final link: the game links the SDL implementation of app/, tests link a recording
// stand-in that answers as told, so a test never blocks on a box.
#pragma once

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { Exclamation, Stop, Information, Error };
enum class MessageAnswer { Ok, Yes, No };

MessageAnswer ShowMessageBox(const char* text, const char* caption, MessageButtons buttons,
                             MessageIcon icon);
