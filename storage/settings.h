// The settings file "menu.inf": display mode, music and sound effects, three words.
#pragma once

// Reads the settings at start-up, from the user folder or else from base/. Values are kept
// exactly as stored; only a stored 1 for the display mode turns Fullscreen on. With no file
// the settings keep their values; a word missing from a short file reads as -1 (off).
void ReadSettings();

// Writes DisplayModeSetting, MusicOn and SoundOn to the user folder; skipped when it cannot.
void WriteSettings();
