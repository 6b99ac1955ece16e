#!/usr/bin/env bash
# scripts/hardening.sh memcheck|fuzz [minutes]|soak: the release's hardening runs, each too long
# for the test suite. Each prints its outcome; the exit status says whether it passed.
#   memcheck  valgrind's memcheck over a scripted session of random play through the real
#             window, at 300 and at 600 frames: no invalid read or write, and the bytes leaked
#             must not grow with the number of frames.
#   fuzz      every fuzz target for the given minutes each (default 10), two at a time.
#   soak      a million frames of random play through the real loop and window procedure,
#             with the state checked after every frame, the frame speed varied.
set -euo pipefail
cd "$(dirname "$0")/.."
run=${1:?usage: scripts/hardening.sh memcheck|fuzz [minutes]|soak}
status=0  # every run reports in full before a failure is given as the exit status

build_tests() {
  bash scripts/install-deps.sh --tests
  cmake -S . -B build -DQUILLARY_TESTS=ON >/dev/null
  cmake --build build -j"$(nproc)" --target monkey_test
}

case $run in
  memcheck)
    build_tests
    for frames in 300 600; do
      echo "== $frames frames"
      QUILLARY_MONKEY_FRAMES=$frames SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1024x768x24" \
        valgrind --error-exitcode=9 --leak-check=full --errors-for-leak-kinds=definite \
        --suppressions=tests/valgrind.supp build/tests/app/monkey_test > "build/memcheck-$frames.log" 2>&1 ||
        status=1
      grep -E "ERROR SUMMARY|definitely lost|indirectly lost|in use at exit|PASSED|FAILED" \
        "build/memcheck-$frames.log"
    done
    # Bytes lost, definitely or indirectly, summed over the processes of the run.
    lost() {
      grep -E "(definitely|indirectly) lost:" "build/memcheck-$1.log" |
        awk '{gsub(",", "", $4); sum += $4} END {print sum + 0}'
    }
    echo "lost: $(lost 300) bytes after 300 frames, $(lost 600) bytes after 600 frames"
    [ "$(lost 600)" -le "$(lost 300)" ] || status=1
    ;;
  fuzz)
    minutes=${2:-10}
    targets=(settings saved_game high_scores bmp ms3d)
    mkdir -p fuzz-out
    for target in "${targets[@]}"; do  # built one after another before any runs
      bash scripts/fuzz.sh "$target" 1 > /dev/null 2>&1
    done
    # Two at a time; a run that fails, on a finding or otherwise, fails the whole.
    for ((i = 0; i < ${#targets[@]}; i += 2)); do
      pids=()
      for target in "${targets[@]:i:2}"; do
        bash scripts/fuzz.sh "$target" $((minutes * 60)) > "fuzz-out/$target.log" 2>&1 &
        pids+=($!)
      done
      for pid in "${pids[@]}"; do wait "$pid" || status=1; done
    done
    for target in "${targets[@]}"; do
      echo "$target: $(grep -E "^#[0-9]+.*DONE|^Done [0-9]+ runs" "fuzz-out/$target.log" | tail -n 2 | tr '\n' ' ')"
      if grep -q "ERROR: " "fuzz-out/$target.log"; then
        echo "$target: a finding, see fuzz-out/$target.log"
      fi
    done
    [ "$status" -eq 0 ] || echo "a run failed: see fuzz-out/<target>.log"
    ;;
  soak)
    build_tests
    QUILLARY_MONKEY_FRAMES=1000000 SDL_AUDIODRIVER=dummy \
      xvfb-run -a -s "-screen 0 1024x768x24" build/tests/app/monkey_test
    ;;
  *) echo "usage: scripts/hardening.sh memcheck|fuzz [minutes]|soak" >&2; exit 2 ;;
esac
exit $status
