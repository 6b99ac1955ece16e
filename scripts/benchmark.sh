#!/usr/bin/env bash
# scripts/benchmark.sh [frames] [starts]: builds the game and prints, under an 800 by 600 Xvfb
# screen with Mesa's software renderer:
# - where the start-up goes: the seconds of each phase from the program's start to its first
#   frame on screen, and the resident memory by kind once that frame is shown, as the median
#   of [starts] starts (default 5), each with a fresh home and the sound going to an ALSA null
#   sink, first with a fresh shader cache each, then with one kept between starts;
# - the drawing: median CPU milliseconds per frame with a full board in play at 640x480, in a
#   1280x960 window and at 800x600, the time of a scene load, and the heap allocations per
#   frame, drawn from the generated artwork of build/base/. The screen stays 800 by 600, the
#   one display mode Xvfb offers and the one the fullscreen switch needs; the 1280x960 window
#   reaches beyond it and is drawn whole.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --tests
cmake -S . -B build -DQUILLARY_TESTS=ON >/dev/null
cmake --build build -j"$(nproc)" --target startup_benchmark frame_benchmark game_assets
cd build
xvfb-run -a -s "-screen 0 800x600x24" tools/review/startup_benchmark "${2:-5}"
SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s "-screen 0 800x600x24" \
  tools/review/frame_benchmark "${1:-300}"
