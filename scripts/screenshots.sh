#!/usr/bin/env bash
# scripts/screenshots.sh [output folder]: builds the game and writes a PNG of every screen in
# both layouts (default output: build/screenshots/), drawn by the game's own window, scene
# load and frame driver under an 800 by 600 Xvfb screen, from the generated artwork in
# build/base/. Until that artwork exists, the flat-coloured test artwork is drawn instead.
set -euo pipefail
cd "$(dirname "$0")/.."
output=$(realpath -m "${1:-build/screenshots}")

bash scripts/install-deps.sh
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" --target screenshots game_assets
mode=()
[ -f build/base/tex00.bmp ] || mode=(--synthetic)
cd build
SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 800x600x24" \
  tests/app/screenshots "$output" "${mode[@]}"
