#!/usr/bin/env bash
# scripts/screenshots.sh [output folder]: builds the game and writes a PNG of every screen in
# both layouts, and of the board and the options in 1280x720 and 1280x1024 windows (default
# output: build/screenshots/), drawn by the game's own window, scene load and frame driver
# under an 800 by 600 Xvfb screen, from the generated artwork in build/base/.
set -euo pipefail
cd "$(dirname "$0")/.."
output=$(realpath -m "${1:-build/screenshots}")

bash scripts/install-deps.sh --tests
cmake -S . -B build -DQUILLARY_TESTS=ON >/dev/null
cmake --build build -j"$(nproc)" --target screenshots game_assets
cd build
SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 800x600x24" tools/review/screenshots "$output"
