#!/usr/bin/env bash
# Builds the Debian package build-deb/krovan3d-config_1.0.0_<arch>.deb: the program in Release,
# without tests or benchmark, packed by `cpack -G DEB`. Extra arguments go to CMake, for example
# -DKROVAN_GAME_DIR=/path/to/the/game for a menu entry that starts the dialog in that folder
# (each run without it packs no menu entry).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-deb

bash "$root/scripts/setup.sh" run package
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKROVAN_BUILD_TESTS=OFF \
  -DKROVAN_BUILD_BENCH=OFF -DKROVAN_GAME_DIR= "$@"
cmake --build "$build"
cd "$build"
cpack -G DEB
