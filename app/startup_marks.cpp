#include "app/startup_marks.h"

#include <time.h>

#include <atomic>

namespace {

// Noted from the main thread and the file-reading thread, read by the benchmark.
std::atomic<int64_t> Marks[static_cast<int>(StartupMark::Count)];

}  // namespace

int64_t MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

void NoteStartupMark(StartupMark mark) {
  int64_t unset = 0;
  Marks[static_cast<int>(mark)].compare_exchange_strong(unset, MonotonicNanoseconds());
}

int64_t StartupMarkTime(StartupMark mark) { return Marks[static_cast<int>(mark)].load(); }
