#!/usr/bin/env bash
# scripts/package.sh: builds the Debian package of the game from a Release build without the
# tests, build-release/quillary_<version>_<arch>.deb, and checks it with lintian. Install it
# with `apt-get install ./build-release/quillary_*.deb` (or dpkg -i, then apt-get -f install).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --package
# Installed as Debian installs games: the program in /usr/games. Built with Debian's own
# compiler and linker flags (hardening included); CMake reads no CPPFLAGS, so the
# preprocessor's flags go in with the compiler's.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DQUILLARY_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
  -DCMAKE_C_FLAGS="$cppflags $(dpkg-buildflags --get CFLAGS)" \
  -DCMAKE_CXX_FLAGS="$cppflags $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build build-release -j"$(nproc)"
rm -f build-release/quillary_*.deb
(cd build-release && cpack -G DEB)
lintian --fail-on error build-release/quillary_*.deb
