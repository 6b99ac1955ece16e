// Modal message boxes. Every box of the game goes through ShowMessageBox, which is supplied at
// the final link: the game links the SDL implementation of app/, tests link a recording
// stand-in that answers as told, so a test never blocks on a box.
#pragma once

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { Exclamation, Stop, Information, Error };
enum class MessageAnswer { Ok, Yes, No };

MessageAnswer ShowMessageBox(const char* text, const char* caption, MessageButtons buttons,
                             MessageIcon icon);

// While a box waits for its answer the game's loop cannot take a request to end. Once this is
// called, SIGTERM, SIGINT and SIGHUP arriving while a box shows run `store` and end the program
// at once, box and all. Defined with the SDL implementation.
void StoreAndEndOnSignalDuringBoxes(void (*store)());
