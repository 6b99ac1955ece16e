// The ten mixer functions over SDL2_mixer. Modules and samples live in fixed tables and are
// named by handles 1, 2, ... (0 and anything out of range name nothing and are ignored).
// Files are decoded once the output device is open: a load before ImixStartMixer keeps the
// path, and the start decodes everything kept, on a thread of its own while the game goes on
// loading; every other call waits for it first. The game reads the files itself and hands the
// decoders their bytes, so that a pipe, a folder or an empty file in a file's place plays
// nothing instead of stalling or crashing a decoder.
#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <climits>
#include <cstdio>

#include "core/mixer.h"
#include "formats/whole_file.h"

namespace {

constexpr int MaxModules = 8;
constexpr int MaxSamples = 32;
// Enough voices that effects of a long cascade never cut each other off.
constexpr int MixChannels = 32;
constexpr int OutputRate = 44100;
constexpr int OutputChannels = 2;
constexpr int OutputBufferFrames = 1024;

constexpr int PathSize = 256;

struct ModuleSlot {
  char path[PathSize] = {};
  FileBytes file;  // the module's bytes, for a music that reads them while it plays
  Mix_Music* music = nullptr;
};

struct SampleSlot {
  char path[PathSize] = {};
  Mix_Chunk* chunk = nullptr;
};

struct MixerState {
  bool audioInitialised = false;
  bool deviceOpen = false;
  int moduleCount = 0;
  int sampleCount = 0;
  ModuleSlot modules[MaxModules];
  SampleSlot samples[MaxSamples];
  unsigned char musicVolume = 255;
  unsigned char fxVolume = 255;
};

MixerState Mixer;

// Music volume on SDL_mixer's own scale of 0..128 (higher values are full): the game's 64
// plays the tunes at half amplitude, 6 dB under effects played at full volume. The module
// player leaves headroom of its own, so the music sits well below the effects.
int MusicLevel() { return Mixer.musicVolume > MIX_MAX_VOLUME ? MIX_MAX_VOLUME : Mixer.musicVolume; }

// An effect plays at its own volume (0..64, 64 full) scaled by the effects volume (0..255).
int SampleLevel(unsigned char volume) {
  const int clamped = volume > 64 ? 64 : volume;
  return clamped * Mixer.fxVolume * MIX_MAX_VOLUME / (64 * 255);
}

// The bytes of a file as a source for the decoders; null when there are none to decode.
SDL_RWops* SourceOf(const FileBytes& file) {
  if (file.result != FileReadResult::Read || file.size == 0 || file.size > INT_MAX) return nullptr;
  return SDL_RWFromConstMem(file.data.get(), static_cast<int>(file.size));
}

// A sample is converted to the output's format in a buffer sized for the conversion's widest
// step, up to twice the sound; only the sound is kept.
Mix_Chunk* KeepOnlyTheSound(Mix_Chunk* chunk) {
  if (!chunk || chunk->allocated != 1 || chunk->alen == 0) return chunk;
  if (void* sound = SDL_realloc(chunk->abuf, chunk->alen)) chunk->abuf = static_cast<Uint8*>(sound);
  return chunk;
}

void DecodePending() {
  if (!Mixer.deviceOpen) return;
  for (int i = 0; i < Mixer.moduleCount; ++i) {
    ModuleSlot& slot = Mixer.modules[i];
    if (slot.music) continue;
    slot.file = ReadWholeFile(slot.path);
    if (SDL_RWops* source = SourceOf(slot.file)) slot.music = Mix_LoadMUS_RW(source, 1);
    // A tracker module is decoded whole into the music's own memory as it loads; only a
    // streamed music goes on reading the bytes.
    if (!slot.music || Mix_GetMusicType(slot.music) == MUS_MOD) slot.file = FileBytes{};
  }
  for (int i = 0; i < Mixer.sampleCount; ++i) {
    SampleSlot& slot = Mixer.samples[i];
    if (slot.chunk) continue;
    const FileBytes file = ReadWholeFile(slot.path);
    if (SDL_RWops* source = SourceOf(file)) slot.chunk = KeepOnlyTheSound(Mix_LoadWAV_RW(source, 1));
  }
}

// Decodes what the start kept. No call of the game waits for the mixing thread's lock while
// it runs, so the mixing thread keeps to the clock meanwhile. It is a thread of SDL's, so
// that what SDL keeps for the thread (its error text) goes with it. A program that ends
// without closing the mixer (its window could not be made) waits for it on the way out.
struct DecodingThread {
  SDL_Thread* thread = nullptr;
  ~DecodingThread() { Await(); }
  void Await() {
    if (thread) SDL_WaitThread(thread, nullptr);
    thread = nullptr;
  }
};

DecodingThread Decoder;

void AwaitDecoding() { Decoder.Await(); }

// The decoding yields the processor to the window's start: the GL context, the scene and the
// first frame are made meanwhile, and no sound is wanted before the player acts.
int DecodeOnItsThread(void*) {
  SDL_SetThreadPriority(SDL_THREAD_PRIORITY_LOW);
  DecodePending();
  return 0;
}

// Without a thread to be had, the decoding happens here.
void StartDecoding() {
  Decoder.thread = SDL_CreateThread(DecodeOnItsThread, "mixer decoding", nullptr);
  if (!Decoder.thread) DecodePending();
}

// Stops all sound and forgets every module and sample; their handles name nothing after.
void ReleaseAll() {
  if (Mixer.deviceOpen) {
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
  }
  for (int i = 0; i < Mixer.moduleCount; ++i) {
    if (Mixer.modules[i].music) Mix_FreeMusic(Mixer.modules[i].music);
    Mixer.modules[i] = ModuleSlot{};
  }
  for (int i = 0; i < Mixer.sampleCount; ++i) {
    if (Mixer.samples[i].chunk) Mix_FreeChunk(Mixer.samples[i].chunk);
    Mixer.samples[i] = SampleSlot{};
  }
  Mixer.moduleCount = 0;
  Mixer.sampleCount = 0;
}

Mix_Music* ModuleOf(int handle) {
  if (handle < 1 || handle > Mixer.moduleCount) return nullptr;
  return Mixer.modules[handle - 1].music;
}

Mix_Chunk* SampleOf(int handle) {
  if (handle < 1 || handle > Mixer.sampleCount) return nullptr;
  return Mixer.samples[handle - 1].chunk;
}

// An output that takes sound faster than it plays it (a null sink, which never blocks) would
// let the mixing thread spin at full speed. The mixer keeps to the clock instead: once it is
// more than this many buffers ahead of the time the sound mixed so far lasts, it waits. It
// waits holding the mixer's lock, so it waits in short slices and not at all while a call of
// the game's waits for the lock.
constexpr double MixAheadBuffers = 8.0;
constexpr Uint32 WaitSliceMilliseconds = 10;

std::atomic<int> CallsWaiting{0};

// Held by every mixer function of the game while it runs, once the decoding is done.
struct GameCall {
  GameCall() {
    AwaitDecoding();
    ++CallsWaiting;
  }
  ~GameCall() { --CallsWaiting; }
  GameCall(const GameCall&) = delete;
  GameCall& operator=(const GameCall&) = delete;
};

struct MixClock {
  double rate = OutputRate;      // frames a second, as the device was opened
  double bytesPerFrame = 4.0;
  Uint64 start = 0;              // performance-counter reading when the mixed sound begins
  double seconds = 0.0;          // length of the sound mixed since then
};

MixClock Clock;

// Starts the clock for the device just opened, whose format may differ from the one asked for.
void StartMixClock() {
  Clock = MixClock{};
  int rate = 0;
  Uint16 format = 0;
  int channels = 0;
  if (Mix_QuerySpec(&rate, &format, &channels) == 0 || rate <= 0 || channels <= 0) return;
  Clock.rate = rate;
  Clock.bytesPerFrame = channels * SDL_AUDIO_BITSIZE(format) / 8.0;
}

double SecondsSinceClockStart() {
  return static_cast<double>(SDL_GetPerformanceCounter() - Clock.start) /
         static_cast<double>(SDL_GetPerformanceFrequency());
}

// Runs on the mixing thread after every buffer it mixes.
void KeepMixingToTheClock(void*, Uint8*, int bytes) {
  // The first buffer, or a stall that left the mixing behind: the clock starts again now.
  if (Clock.start == 0 || SecondsSinceClockStart() > Clock.seconds) {
    Clock.start = SDL_GetPerformanceCounter();
    Clock.seconds = 0.0;
  }
  Clock.seconds += bytes / Clock.bytesPerFrame / Clock.rate;
  const double allowed = MixAheadBuffers * OutputBufferFrames / Clock.rate;
  while (CallsWaiting == 0 && Clock.seconds - allowed > SecondsSinceClockStart() + 0.001) {
    SDL_Delay(WaitSliceMilliseconds);
  }
}

}  // namespace

// Called again when the window is re-created: the previous modules and samples are released
// and the handles that follow replace them.
bool ImixInit(int, int, int) {
  const GameCall call;
  ReleaseAll();
  if (!Mixer.audioInitialised) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    Mix_Init(MIX_INIT_MOD);  // WAV needs no decoder library; modules play only if it loads
    Mixer.audioInitialised = true;
  }
  return true;
}

int ImixLoadModule(char* path, unsigned long) {
  const GameCall call;
  if (!Mixer.audioInitialised || Mixer.moduleCount == MaxModules) return 0;
  ModuleSlot& slot = Mixer.modules[Mixer.moduleCount++];
  std::snprintf(slot.path, sizeof slot.path, "%s", path);
  DecodePending();
  return Mixer.moduleCount;
}

int ImixLoadSample(char* path, unsigned long) {
  const GameCall call;
  if (!Mixer.audioInitialised || Mixer.sampleCount == MaxSamples) return 0;
  SampleSlot& slot = Mixer.samples[Mixer.sampleCount++];
  std::snprintf(slot.path, sizeof slot.path, "%s", path);
  DecodePending();
  return Mixer.sampleCount;
}

void ImixSetMusicVolume(unsigned char volume) {
  const GameCall call;
  Mixer.musicVolume = volume;
  if (Mixer.deviceOpen) Mix_VolumeMusic(MusicLevel());
}

void ImixSetFXVolume(unsigned char volume) { Mixer.fxVolume = volume; }

bool ImixStartMixer(WindowHandle) {
  const GameCall call;
  if (!Mixer.audioInitialised) return false;
  if (!Mixer.deviceOpen) {
    if (Mix_OpenAudio(OutputRate, MIX_DEFAULT_FORMAT, OutputChannels, OutputBufferFrames) != 0)
      return false;
    Mix_AllocateChannels(MixChannels);
    StartMixClock();
    Mix_SetPostMix(KeepMixingToTheClock, nullptr);
    Mixer.deviceOpen = true;
  }
  Mix_VolumeMusic(MusicLevel());
  StartDecoding();
  return true;
}

bool ImixPlayModule(int module, bool loop) {
  const GameCall call;
  Mix_Music* music = ModuleOf(module);
  if (!music) return false;
  // Starting a module halts the one playing and begins at the first pattern.
  if (Mix_PlayMusic(music, loop ? -1 : 1) != 0) return false;
  Mix_VolumeMusic(MusicLevel());
  return true;
}

bool ImixStopModule() {
  const GameCall call;
  if (Mixer.deviceOpen) Mix_HaltMusic();
  return true;
}

// Pan 0 is full left, 255 full right, 128 the centre (both sides at full level). The flags
// select nothing here. Returns the channel, or -1 when nothing plays.
int ImixPlaySample(int sample, unsigned char volume, unsigned char pan, unsigned short) {
  const GameCall call;
  Mix_Chunk* chunk = SampleOf(sample);
  if (!chunk) return -1;
  const int channel = Mix_PlayChannel(-1, chunk, 0);
  if (channel < 0) return -1;
  Mix_Volume(channel, SampleLevel(volume));
  const Uint8 left = pan <= 128 ? 255 : static_cast<Uint8>((255 - pan) * 2);
  const Uint8 right = pan >= 128 ? 255 : static_cast<Uint8>(pan * 2);
  Mix_SetPanning(channel, left, right);
  return channel;
}

bool ImixUninit() {
  const GameCall call;
  ReleaseAll();
  if (Mixer.deviceOpen) Mix_CloseAudio();
  Mixer.deviceOpen = false;
  if (Mixer.audioInitialised) {
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  Mixer.audioInitialised = false;
  return true;
}
