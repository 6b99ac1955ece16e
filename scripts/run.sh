#!/usr/bin/env bash
# Installs what the game needs, builds the game and its artwork, and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DQUILLARY_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target quillary game_assets
exec build/quillary
