#include "app/startup_marks.h"

#include <time.h>

#include <atomic>

namespace {

// Noted from the main thread and the file-reading thread, read by the benchmark.
std::atomic<int64_t> Marks[static_cast<int>(StartupMark::Count)];
std::atomic<int64_t> CpuMarks[static_cast<int>(StartupMark::Count)];

int64_t Nanoseconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

}  // namespace

int64_t MonotonicNanoseconds() { return Nanoseconds(CLOCK_MONOTONIC); }

void NoteStartupMark(StartupMark mark) {
  int64_t unset = 0;
  const int index = static_cast<int>(mark);
  if (Marks[index].compare_exchange_strong(unset, MonotonicNanoseconds())) {
    CpuMarks[index] = Nanoseconds(CLOCK_PROCESS_CPUTIME_ID);
  }
}

int64_t StartupMarkTime(StartupMark mark) { return Marks[static_cast<int>(mark)].load(); }

int64_t StartupMarkCpuTime(StartupMark mark) { return CpuMarks[static_cast<int>(mark)].load(); }
