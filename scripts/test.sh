#!/usr/bin/env bash
# Installs what is missing, builds the game and its tests, and runs the whole suite twice:
# once as built for players and once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --tests

jobs=$(nproc)
run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -DQUILLARY_TESTS=ON "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  # GL tests need an X server; Xvfb provides one when there is no display. A test without a
  # time limit of its own fails after ten minutes rather than holding up the run.
  local run=(ctest --test-dir "$dir" --output-on-failure -j"$jobs" --timeout 600)
  if [ -n "${DISPLAY:-}" ]; then
    "${run[@]}"
  else
    xvfb-run -a -s "-screen 0 1024x768x24" "${run[@]}"
  fi
}

run_suite build
# The leak checker's own reading of dynamic thread-local blocks (the GL driver's) mistakes some
# of them for an old C library's layout and crashes it at exit: it is left off.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp" \
  run_suite build-sanitize -DQUILLARY_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
