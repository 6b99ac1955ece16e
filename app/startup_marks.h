// The moments of the game's start-up, noted as they pass, so that a benchmark can tell where
// the time between the program's start and its first frame on screen goes. Noting one costs a
// clock read; nothing is printed.
#pragma once

#include <cstdint>

enum class StartupMark {
  MainEntered,      // the libraries are loaded and relocated
  WindowMade,       // video set up, the window exists (hidden)
  AudioStarted,     // the mixer is open and the sound bank loaded
  ContextMade,      // the GL context is current and the window shown
  ModelsLoaded,     // the seven fruit models and their textures are made
  TexturesMade,     // the 81 textures of the texture set are made
  SceneLoaded,      // lists, font, fixed state and high scores: the scene is complete
  FirstFrameDrawn,  // the first frame's GL calls are issued
  FirstFrameShown,  // the first frame is presented
  FilesDecodeStarted,   // the second thread began reading the scene's files
  ModelFilesDecoded,    // it has parsed the models and decoded their pictures
  TextureFilesDecoded,  // it has decoded the 81 pictures of the texture set
  Count
};

// Notes the moment of `mark` the first time it passes; later passes change nothing.
void NoteStartupMark(StartupMark mark);
// Nanoseconds on the monotonic clock when `mark` passed; 0 while it has not.
int64_t StartupMarkTime(StartupMark mark);
// Nanoseconds of CPU time that all the process's threads had spent when `mark` passed.
int64_t StartupMarkCpuTime(StartupMark mark);
// Nanoseconds on the monotonic clock now.
int64_t MonotonicNanoseconds();
