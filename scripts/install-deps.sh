#!/usr/bin/env bash
# scripts/install-deps.sh [--tests] [--package]: installs the Debian 12 packages that building
# and running the game need; with --tests also those of the test suite, the tools and the
# benchmarks; with --package those that build and check the Debian package.
# Only packages that are missing are installed; runs as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-mixer-dev libx11-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  libfreetype-dev libpng-dev fonts-comfortaa fonts-dejavu-core
)
for flag in "$@"; do
  case $flag in
    --tests)
      packages+=(
        git libgtest-dev libgmock-dev libbenchmark-dev
        libxmp-dev
        clang libclang-rt-14-dev
        xvfb xauth xdotool desktop-file-utils appstream valgrind
      )
      ;;
    --package) packages+=(dpkg-dev file lintian) ;;
    *) echo "usage: install-deps.sh [--tests] [--package]" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
