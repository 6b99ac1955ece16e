#!/usr/bin/env bash
# scripts/fuzz.sh <target> [seconds]: builds the libFuzzer target fuzz_<target> with clang and
# runs it for a bounded time (default 60 s) on a copy of its seed corpus. New inputs it finds
# go to fuzz-out/<target>/; crashes are written there too.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: scripts/fuzz.sh <target> [seconds]}
seconds=${2:-60}

bash scripts/install-deps.sh --tests
# Runs side by side share the build: one configures and builds at a time.
mkdir -p build-fuzz
(
  flock 9
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DQUILLARY_FUZZ=ON -DQUILLARY_TESTS=OFF \
    -DQUILLARY_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build-fuzz -j"$(nproc)" --target "fuzz_$target"
) 9> build-fuzz/.build-lock
mkdir -p "fuzz-out/$target"
cp -n tests/fuzz/corpus/"$target"/* "fuzz-out/$target/" 2>/dev/null || true
build-fuzz/tests/fuzz/"fuzz_$target" -max_total_time="$seconds" -artifact_prefix="fuzz-out/$target/" \
  "fuzz-out/$target"
